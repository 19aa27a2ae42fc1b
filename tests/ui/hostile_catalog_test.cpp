// The main window on a catalog holding the worst a user or a broken tool could store: quotes and
// percent signs in names, texts of 100,000 characters, words and NULLs in number columns, pictures
// that are no JPEG, and one country with 10,000 cities. Every handler either shows the value, shows
// the error the design names, or leaves the value empty; none may crash, hang or mix up the design.

#include "report/report_preview.h"
#include "support/main_window_fixture.h"
#include "ui/display_widgets.h"
#include "ui/spin_edit.h"
#include "ui/tfrm_inverter_new.h"
#include "ui/tfrm_location.h"
#include "ui/tfrm_panel_new.h"

#include <QApplication>
#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace tarvel {
namespace {

using test::MainWindowFixture;
using test::TempCatalog;

constexpr int kLongText = 100000;
constexpr int kManyCities = 10000;

const QString kQuoteCountry = QStringLiteral("Côte d'Ivoire \"Sud\" 100%");
const QString kQuoteCity = QStringLiteral("Saint-Jean's \"Vieux\" 50%_");
const QString kQuoteMaker = QStringLiteral("O'Neil \"Solar\" 100%");
const QString kQuoteType = QStringLiteral("Jian's \"300\" 5% '; drop table panel_info; --");
const QString kQuoteInverter = QStringLiteral("KT'5000 \"S\" 100%");
const QString kLongCountry = QStringLiteral("Long") + QString(kLongText, u'c');
const QString kLongCity = QString(kLongText, u'y') + QStringLiteral("'%");
const QString kLongMaker = QString(kLongText, u'm');
const QString kLongType = QString(kLongText, u't');
const QString kLongInverter = QStringLiteral("KT-") + QString(kLongText, u'i');
const QString kLongValue = QString(kLongText, u'v');

// The columns the location query converts, in the order it reads them.
const char* const kLocationNumbers[14] = {"height", "Latitude", "Jan", "Feb", "Mar", "Apr", "May",
                                          "Jun",    "Jul",      "Aug", "Sep", "Oct", "Nov", "Dec0"};
// The columns the module record query converts.
const char* const kModuleNumbers[8] = {"power", "duanlu_i", "kailu_V", "MPP_V",
                                       "area",  "kailu_kx", "mpp_mx",  "mpp_i"};
// The columns the data sheet converts, in the order it reads them.
const char* const kInverterNumbers[7] = {"power_DC_MAX",       "max_v",         "MPP_min",     "input_maxI",
                                         "output_ACpower_max", "xiaolv_erding", "xiaolv_zuida"};

QByteArray randomBytes(int size) {
    QByteArray bytes(size, '\0');
    QRandomGenerator generator(20240611);
    for (char& byte : bytes)
        byte = static_cast<char>(generator.bounded(256));
    return bytes;
}

QStringList items(QComboBox* chooser) {
    QStringList list;
    for (int i = 0; i < chooser->count(); ++i)
        list << chooser->itemText(i);
    return list;
}

// A well-formed location with every column given.
void addLocation(TempCatalog& temp, const QString& country, const QString& city, double latitude = 7.5,
                 double height = 200) {
    TCountryInfo l;
    l.country = country;
    l.city = city;
    l.Latitude = latitude;
    l.Longitude = -5.3;
    l.height = height;
    l.months = {180, 190, 200, 195, 185, 160, 150, 150, 165, 180, 185, 175};
    l.Year0 = 176;
    temp.catalog().locationInsert(l);
}

void addModule(TempCatalog& temp, const QString& maker, const QString& type) {
    TPanelInfo m;
    m.product_name = maker;
    m.strings_type = type;
    m.power = 300;
    m.MPP_V = 32.5;
    m.mpp_i = 9.23;
    m.kailu_V = 39.8;
    m.duanlu_i = 9.71;
    m.panel_maxv = 1000;
    m.efficient = 18.4;
    m.area = 1.63;
    m.material = QStringLiteral("MONO");
    m.kailu_kx = -0.31;
    m.duanlu_dx = 0.05;
    m.mpp_mx = -125;
    m.i_mx = 4;
    temp.catalog().moduleInsert(m);
}

void addInverter(TempCatalog& temp, int idx, const TInverterInfo& v, const QVariant& pic) {
    temp.catalog().inverterInsert(v);
    temp.exec(QStringLiteral("update inverter_info set idx=?, pic=? where rowid=(select max(rowid) from "
                             "inverter_info)"),
              {idx, pic});
}

// Stores the word "n/a" in one number column of a row found by its key.
void spoil(TempCatalog& temp, const QString& table, const char* column, const QString& keyColumn,
           const QString& key) {
    temp.exec(QStringLiteral("update %1 set %2='n/a' where %3=?")
                  .arg(table, QString::fromLatin1(column), keyColumn),
              {key});
}

void fillLocations(TempCatalog& temp) {
    addLocation(temp, kQuoteCountry, kQuoteCity, 7.5, 200);
    addLocation(temp, kQuoteCountry, QStringLiteral("100%"), 6.8, 30);
    addLocation(temp, kLongCountry, kLongCity, -20, 1000);
    // One city per number column that holds a word; the rest of each row is sound.
    for (const char* column : kLocationNumbers) {
        const QString city = QStringLiteral("bad ") + QString::fromLatin1(column);
        addLocation(temp, QStringLiteral("Broken"), city);
        spoil(temp, QStringLiteral("country_info"), column, QStringLiteral("city"), city);
    }
    addLocation(temp, QStringLiteral("Broken"), QStringLiteral("half metre"), 40, 12.5);
    addLocation(temp, QStringLiteral("Broken"), QStringLiteral("beyond the pole"), 200);
    addLocation(temp, QStringLiteral("Broken"), QStringLiteral("long latitude"));
    temp.exec(QStringLiteral("update country_info set Latitude=? where city='long latitude'"), {kLongValue});
    // Digits only, far beyond the range of a double: the database stores them as infinity.
    addLocation(temp, QStringLiteral("Broken"), QStringLiteral("infinite latitude"));
    temp.exec(QStringLiteral("update country_info set Latitude=? where city='infinite latitude'"),
              {QString(kLongText, u'1')});
    temp.exec(QStringLiteral("insert into country_info (country, city) values ('Broken', 'all null')"));
    temp.exec(QStringLiteral("insert into country_info (country, city, Latitude, height) "
                             "values (null, 'Nowhere', 1, 1), ('Nulls', null, 1, 1)"));
    temp.exec(QStringLiteral("insert into country_info default values"));
    temp.exec(QStringLiteral(
        "insert into country_info (country, city, Latitude, Longitude, height, Jan, Feb, Mar, Apr, May, Jun,"
        " Jul, Aug, Sep, Oct, Nov, Dec0, Year0) with recursive n(i) as (select 1 union all select i + 1"
        " from n where i < 10000) select 'Bigland', 'Town ' || i, 30 + i % 20, 10, i % 900, 60, 90, 130,"
        " 170, 210, 230, 220, 190, 150, 100, 65, 50, 139 from n"));
}

void fillModules(TempCatalog& temp) {
    addModule(temp, kQuoteMaker, kQuoteType);
    addModule(temp, kLongMaker, kLongType);
    for (const char* column : kModuleNumbers) {
        const QString type = QStringLiteral("bad ") + QString::fromLatin1(column);
        addModule(temp, QStringLiteral("Broken"), type);
        spoil(temp, QStringLiteral("panel_info"), column, QStringLiteral("strings_type"), type);
    }
    addModule(temp, QStringLiteral("Broken"), QStringLiteral("long power"));
    temp.exec(QStringLiteral("update panel_info set power=? where strings_type='long power'"), {kLongValue});
    temp.exec(
        QStringLiteral("insert into panel_info (product_name, strings_type) values ('Broken', 'all null'),"
                       " (null, 'orphan'), ('Nulls', null)"));
    temp.exec(QStringLiteral("insert into panel_info default values"));
}

TInverterInfo quoteInverter() {
    TInverterInfo v = test::sampleInverter("", "6.2", "5.0", "18");
    v.inverter_type = kQuoteInverter;
    v.protect_grade = QStringLiteral("IP65 \"outdoor\" 'n' 100%");
    v.zongxiebo = QStringLiteral("<3%");
    return v;
}

void fillInverters(TempCatalog& temp) {
    addInverter(temp, 1, quoteInverter(), test::jpegOf(Qt::darkCyan, {60, 40}));
    TInverterInfo longOne = test::sampleInverter("", "8.0", "6.6", "20");
    longOne.inverter_type = kLongInverter;
    longOne.work_temp = kLongValue;
    longOne.protect_grade = kLongValue;
    longOne.range_v = kLongValue;
    addInverter(temp, 2, longOne, test::jpegOf(Qt::gray, {60, 40}));
    int idx = 3;
    for (const char* column : kInverterNumbers) {
        const QString model = QStringLiteral("bad ") + QString::fromLatin1(column);
        QByteArray nameBytes = model.toLatin1();
        addInverter(temp, idx++, test::sampleInverter(nameBytes.constData(), "7.2", "6.6", "12"), QVariant());
        spoil(temp, QStringLiteral("inverter_info"), column, QStringLiteral("inverter_type"), model);
    }
    const QByteArray small = test::jpegOf(Qt::darkRed, {60, 40});
    const QByteArray noisy = test::noisyJpeg({320, 240});
    addInverter(temp, idx++, test::sampleInverter("random picture", "4.8", "4.4", "12"), randomBytes(5000));
    addInverter(temp, idx++, test::sampleInverter("cut header", "4.8", "4.4", "12"),
                small.left(small.size() / 2));
    addInverter(temp, idx++, test::sampleInverter("cut scan", "4.8", "4.4", "12"),
                noisy.left(noisy.size() / 2));
    addInverter(temp, idx++, test::sampleInverter("empty picture", "4.8", "4.4", "12"), QByteArray(""));
    addInverter(temp, idx++, test::sampleInverter("long number", "4.8", "4.4", "12"), QVariant());
    temp.exec(QStringLiteral("update inverter_info set max_v=? where inverter_type='long number'"),
              {kLongValue});
    temp.exec(QStringLiteral("insert into inverter_info (idx, inverter_type) values (?, 'nulls')"), {idx++});
    temp.exec(QStringLiteral("insert into inverter_info (idx) values (?)"), {idx++});
}

// Built once; every test gets a copy of the file, so that no test sees what another one changed.
const QByteArray& hostileCatalogFile() {
    static const QByteArray bytes = [] {
        TempCatalog temp;
        fillLocations(temp);
        fillModules(temp);
        fillInverters(temp);
        QFile file(temp.path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    return bytes;
}

void fillHostileCatalog(TempCatalog& temp) {
    ASSERT_FALSE(hostileCatalogFile().isEmpty());
    QFile file(temp.path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(hostileCatalogFile()), hostileCatalogFile().size());
}

class HostileCatalog : public testing::Test {
protected:
    HostileCatalog() : f(QStringLiteral("[LanguageOf]\nLanguage=1252\n"), fillHostileCatalog) {}
    QComboBox* chooser(const char* name) { return f.find<QComboBox>(QString::fromLatin1(name)); }
    void pickInverter(const QString& model) { f.choose(QStringLiteral("ComboBox17"), model); }
    void sizeA(const QString& maker, const QString& type, int strings, int perString) {
        f.choose(QStringLiteral("ComboBox3"), maker);
        f.choose(QStringLiteral("ComboBox4"), type);
        f.type(QStringLiteral("SpinEdit6"), QString::number(strings));
        f.type(QStringLiteral("SpinEdit7"), QString::number(perString));
    }
    QString reportText(const char* field) {
        return f.window().TarvelReport().text(QString::fromLatin1(field));
    }
    MainWindowFixture f;
};

TEST_F(HostileCatalog, StartsWithEveryNameListedAsStoredAndNothingToReport) {
    EXPECT_TRUE(f.dialogs.messages.isEmpty());
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
    // A NULL name is listed as an empty entry, sorted first.
    EXPECT_EQ(items(chooser("ComboBox1")),
              (QStringList{QString(), QStringLiteral("Bigland"), QStringLiteral("Broken"), kQuoteCountry,
                           kLongCountry, QStringLiteral("Nulls")}));
    for (const char* makers : {"ComboBox3", "ComboBox5", "ComboBox7"})
        EXPECT_EQ(items(chooser(makers)), (QStringList{QString(), QStringLiteral("Broken"), kLongMaker,
                                                       QStringLiteral("Nulls"), kQuoteMaker}))
            << makers;
    const QStringList inverters = items(chooser("ComboBox17"));
    ASSERT_EQ(inverters.size(), 16);
    EXPECT_EQ(inverters.first(), kQuoteInverter);
    EXPECT_EQ(inverters[1], kLongInverter);
    EXPECT_EQ(inverters.last(), QString());
    EXPECT_EQ(items(chooser("ComboBox18")), inverters);
    EXPECT_EQ(f.text(QStringLiteral("Label94")), quoteInverter().protect_grade);
}

TEST_F(HostileCatalog, QuotesAndPercentSignsGoThroughTheWholeDesignUnchanged) {
    f.choose(QStringLiteral("ComboBox1"), kQuoteCountry);
    EXPECT_EQ(items(chooser("ComboBox2")), (QStringList{kQuoteCity, QStringLiteral("100%")}));
    f.choose(QStringLiteral("ComboBox2"), kQuoteCity);
    EXPECT_EQ(f.session().Latitude, 7.5);
    EXPECT_EQ(f.session().Height, 200);
    EXPECT_EQ(f.text(QStringLiteral("Position")), kQuoteCity + u';' + kQuoteCountry);
    pickInverter(kQuoteInverter);
    sizeA(kQuoteMaker, kQuoteType, 2, 10);
    EXPECT_EQ(items(chooser("ComboBox4")), QStringList{kQuoteType});
    EXPECT_EQ(f.session().InputA.Module.power, 300);
    EXPECT_EQ(f.text(QStringLiteral("SumNum")), QStringLiteral("20"));
    f.type(QStringLiteral("SpinEdit12"), QStringLiteral("25"));
    f.type(QStringLiteral("SpinEdit13"), QStringLiteral("40"));
    EXPECT_FALSE(f.text(QStringLiteral("DCA_lineV")).isEmpty());
    EXPECT_EQ(f.enabledPages(), (QList<bool>{true, true, true, true, true}));
    EXPECT_TRUE(f.dialogs.errors.isEmpty());

    f.find<QTabWidget>(QStringLiteral("RzPageControl1"))->setCurrentIndex(4);
    f.window().N24Click();
    EXPECT_EQ(reportText("PRO_DES_Val"), kQuoteCity + u';' + kQuoteCountry);
    EXPECT_EQ(reportText("pvm_a_name"), kQuoteMaker);
    EXPECT_EQ(reportText("pvm_a_info"), kQuoteType);
    EXPECT_EQ(reportText("IVT_KIND"), QStringLiteral("Moudle type: ") + kQuoteInverter);
    EXPECT_EQ(reportText("ivt_ipv_v"), quoteInverter().protect_grade);
    ASSERT_NE(f.window().reportPreview(), nullptr);
    EXPECT_EQ(f.window().reportPreview()->findText(kQuoteMaker), QStringList{QStringLiteral("pvm_a_name")});
    f.window().reportPreview()->close();
    // The catalog is as it was.
    EXPECT_EQ(f.catalog.scalar(QStringLiteral("select count(*) from panel_info")).toInt(), 15);
}

TEST_F(HostileCatalog, ALocationNumberThatDoesNotConvertIsReportedAndThePreviousCityStays) {
    f.choose(QStringLiteral("ComboBox1"), kQuoteCountry);
    f.choose(QStringLiteral("ComboBox2"), kQuoteCity);
    const TDesignSession before = f.session();
    const QString position = f.text(QStringLiteral("Position"));
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Broken"));

    const QString notFloat = QStringLiteral("'n/a' is not a valid floating point value");
    struct Case {
        QString city;
        QString error;
    };
    std::vector<Case> cases;
    for (const char* column : kLocationNumbers)
        cases.push_back({QStringLiteral("bad ") + QString::fromLatin1(column),
                         QString::fromLatin1(column) == QStringLiteral("height")
                             ? QStringLiteral("'n/a' is not a valid integer value")
                             : notFloat});
    cases.push_back({QStringLiteral("half metre"), QStringLiteral("'12.5' is not a valid integer value")});
    cases.push_back({QStringLiteral("all null"), QStringLiteral("'' is not a valid integer value")});
    cases.push_back({QStringLiteral("beyond the pole"), QStringLiteral("'200' is not a valid latitude")});
    cases.push_back({QStringLiteral("long latitude"),
                     QStringLiteral("'%1' is not a valid floating point value").arg(kLongValue)});
    cases.push_back(
        {QStringLiteral("infinite latitude"), QStringLiteral("'INF' is not a valid floating point value")});
    for (const Case& c : cases) {
        f.dialogs.errors.clear();
        f.choose(QStringLiteral("ComboBox2"), c.city);
        EXPECT_EQ(f.dialogs.errors, QStringList{c.error}) << c.city.toStdString();
        // Nothing of the failed row is taken: the climate is still the previous city's.
        EXPECT_EQ(f.session().Latitude, before.Latitude) << c.city.toStdString();
        EXPECT_EQ(f.session().Height, before.Height) << c.city.toStdString();
        EXPECT_EQ(f.session().MonthlyRadiation, before.MonthlyRadiation) << c.city.toStdString();
        EXPECT_EQ(f.session().MonthlyYield, before.MonthlyYield) << c.city.toStdString();
        EXPECT_EQ(f.text(QStringLiteral("Position")), position) << c.city.toStdString();
    }
    EXPECT_TRUE(f.dialogs.messages.isEmpty());

    // A sound city afterwards loads as usual.
    f.dialogs.errors.clear();
    f.choose(QStringLiteral("ComboBox1"), kQuoteCountry);
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("100%"));
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
    EXPECT_EQ(f.session().Latitude, 6.8);
    EXPECT_EQ(f.session().Height, 30);
}

TEST_F(HostileCatalog, NullNamesAreEmptyEntriesThatLeadNowhere) {
    f.choose(QStringLiteral("ComboBox1"), QString());
    EXPECT_TRUE(items(chooser("ComboBox2")).isEmpty());
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Nulls"));
    EXPECT_EQ(items(chooser("ComboBox2")), QStringList{QString()});
    f.choose(QStringLiteral("ComboBox2"), QString());
    EXPECT_EQ(f.enabledPages(), (QList<bool>{true, false, false, false, false}));

    f.choose(QStringLiteral("ComboBox3"), QString());
    EXPECT_TRUE(items(chooser("ComboBox4")).isEmpty());
    f.choose(QStringLiteral("ComboBox3"), QStringLiteral("Nulls"));
    EXPECT_EQ(items(chooser("ComboBox4")), QStringList{QString()});
    f.choose(QStringLiteral("ComboBox4"), QString());
    // An empty module type is no type: the counts stay locked at 0.
    f.type(QStringLiteral("SpinEdit6"), QStringLiteral("2"));
    EXPECT_EQ(f.text(QStringLiteral("SpinEdit6")), QStringLiteral("0"));
    EXPECT_EQ(f.session().TotalModules, 0);
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
    EXPECT_TRUE(f.dialogs.messages.isEmpty());
}

TEST_F(HostileCatalog, TenThousandCitiesAreListedInStoredOrder) {
    f.window().show();
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Bigland"));
    QCoreApplication::processEvents();
    QComboBox* cities = chooser("ComboBox2");
    ASSERT_EQ(cities->count(), kManyCities);
    EXPECT_EQ(cities->itemText(0), QStringLiteral("Town 1"));
    EXPECT_EQ(cities->itemText(kManyCities - 1), QStringLiteral("Town 10000"));

    cities->showPopup();
    QCoreApplication::processEvents();
    cities->hidePopup();
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Town 9999"));
    EXPECT_EQ(f.session().Height, 9999 % 900);
    EXPECT_EQ(f.session().Latitude, 30 + 9999 % 20);
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
}

TEST_F(HostileCatalog, AModuleNumberThatDoesNotConvertIsSwallowedByTheTypeAndCountHandlers) {
    f.choose(QStringLiteral("ComboBox1"), kQuoteCountry);
    f.choose(QStringLiteral("ComboBox2"), kQuoteCity);
    QStringList types;
    for (const char* column : kModuleNumbers)
        types << QStringLiteral("bad ") + QString::fromLatin1(column);
    types << QStringLiteral("long power") << QStringLiteral("all null");
    for (const QString& type : types) {
        sizeA(QStringLiteral("Broken"), type, 2, 10);
        EXPECT_EQ(f.session().InputA.ModuleCount, 20) << type.toStdString();
        // Nothing of the broken row reaches the screen.
        EXPECT_EQ(f.text(QStringLiteral("PowerA")), QString()) << type.toStdString();
        EXPECT_EQ(f.text(QStringLiteral("SumNum")), QString()) << type.toStdString();
        EXPECT_EQ(f.session().InputA.Module.power, 0) << type.toStdString();
    }
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
    EXPECT_TRUE(f.dialogs.messages.isEmpty());

    // The same input sized with a sound module afterwards shows it completely.
    sizeA(kQuoteMaker, kQuoteType, 2, 10);
    EXPECT_EQ(f.text(QStringLiteral("PowerA")), QStringLiteral("6000"));
    EXPECT_EQ(f.text(QStringLiteral("SumNum")), QStringLiteral("20"));
}

TEST_F(HostileCatalog, AnInverterNumberThatDoesNotConvertStopsTheDataSheetWithItsError) {
    f.choose(QStringLiteral("ComboBox1"), kQuoteCountry);
    f.choose(QStringLiteral("ComboBox2"), kQuoteCity);
    sizeA(kQuoteMaker, kQuoteType, 2, 10);
    for (std::size_t k = 0; k < std::size(kInverterNumbers); ++k) {
        pickInverter(kQuoteInverter);
        const QString model = QStringLiteral("bad ") + QString::fromLatin1(kInverterNumbers[k]);
        const QString voltage = f.text(QStringLiteral("Label116"));
        f.dialogs.errors.clear();
        pickInverter(model);
        EXPECT_EQ(f.dialogs.errors, QStringList{QStringLiteral("'n/a' is not a valid floating point value")})
            << model.toStdString();
        // The values before the bad column are the new inverter's, the later ones still the old one's.
        EXPECT_EQ(f.session().InverterMaxDcPower, k > 0 ? 7200 : 6200) << model.toStdString();
        EXPECT_EQ(f.session().InverterMaxCurrent, k > 3 ? 12 : 18) << model.toStdString();
        EXPECT_EQ(f.session().InverterMaxAcPower, k > 4 ? 6.6 : 5.0) << model.toStdString();
        // The label shows the text before it is converted.
        EXPECT_EQ(f.text(QStringLiteral("Label116")), k > 3    ? QStringLiteral("12")
                                                      : k == 3 ? QStringLiteral("n/a")
                                                               : voltage)
            << model.toStdString();
    }
    EXPECT_TRUE(f.dialogs.messages.isEmpty());

    f.dialogs.errors.clear();
    pickInverter(kQuoteInverter);
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
    EXPECT_EQ(f.session().InverterMaxDcPower, 6200);
    EXPECT_EQ(f.session().InverterEfficiency, 0.981);
    EXPECT_EQ(f.text(QStringLiteral("Label66")), QStringLiteral("Module type:") + kQuoteInverter);
}

TEST_F(HostileCatalog, PicturesThatAreNoJpegAreReportedAndLeaveTheBoxEmpty) {
    auto* picture = f.find<PictureBox>(QStringLiteral("Image26"));
    EXPECT_TRUE(picture->hasPicture());
    for (const char* model : {"random picture", "cut header"}) {
        f.dialogs.errors.clear();
        pickInverter(QString::fromLatin1(model));
        EXPECT_EQ(f.dialogs.errors, QStringList{QStringLiteral("The picture is not a valid JPEG image.")})
            << model;
        EXPECT_FALSE(picture->hasPicture()) << model;
        // The limits of the inverter still reach the design.
        EXPECT_EQ(f.session().InverterMaxDcPower, 4800) << model;
        f.window().InitReport();
        EXPECT_TRUE(f.window().TarvelReport().findObject(QStringLiteral("Picture4"))->picture.isNull());
    }

    // A file cut inside its image data decodes as far as it goes; the rest of the picture is filled in.
    f.dialogs.errors.clear();
    pickInverter(QStringLiteral("cut scan"));
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
    EXPECT_EQ(picture->image().size(), QSize(320, 240));

    // An empty picture is no picture, like a NULL one.
    pickInverter(QStringLiteral("empty picture"));
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
    EXPECT_FALSE(picture->hasPicture());
    f.window().InitReport();
    EXPECT_TRUE(f.window().TarvelReport().findObject(QStringLiteral("Picture4"))->picture.isNull());
}

TEST_F(HostileCatalog, LongAndNullInverterNumbersAreReportedAndAnUnnamedInverterIsNotLookedUp) {
    f.choose(QStringLiteral("ComboBox1"), kQuoteCountry);
    f.choose(QStringLiteral("ComboBox2"), kQuoteCity);
    pickInverter(QStringLiteral("long number"));
    EXPECT_EQ(f.dialogs.errors,
              QStringList{QStringLiteral("'%1' is not a valid floating point value").arg(kLongValue)});
    EXPECT_EQ(f.text(QStringLiteral("Label114")), kLongValue);

    f.dialogs.errors.clear();
    pickInverter(QStringLiteral("nulls"));
    EXPECT_EQ(f.dialogs.errors, QStringList{QStringLiteral("'' is not a valid floating point value")});
    EXPECT_EQ(f.text(QStringLiteral("Label93")), QString());
    EXPECT_EQ(f.text(QStringLiteral("Label113")), QString());

    f.dialogs.errors.clear();
    pickInverter(QString());
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
    EXPECT_EQ(f.text(QStringLiteral("Label66")), QStringLiteral("Module type:"));
    // Without an inverter name the string pages stay closed.
    EXPECT_EQ(f.enabledPages(), (QList<bool>{true, true, false, false, false}));
}

TEST_F(HostileCatalog, TextsOfAHundredThousandCharactersAreShownAndPrintedWhole) {
    f.window().show();
    const QSize windowSize = f.window().size();
    f.choose(QStringLiteral("ComboBox1"), kLongCountry);
    f.choose(QStringLiteral("ComboBox2"), kLongCity);
    pickInverter(kLongInverter);
    sizeA(kLongMaker, kLongType, 2, 10);
    f.type(QStringLiteral("SpinEdit13"), QStringLiteral("40"));
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
    EXPECT_TRUE(f.dialogs.messages.isEmpty());
    EXPECT_EQ(f.text(QStringLiteral("Position")), kLongCity + u';' + kLongCountry);
    EXPECT_EQ(f.text(QStringLiteral("Label64")), QStringLiteral("City:") + kLongCity);
    EXPECT_EQ(f.text(QStringLiteral("Label93")), kLongValue);
    EXPECT_EQ(f.text(QStringLiteral("Label66")), QStringLiteral("Module type:") + kLongInverter);
    EXPECT_EQ(f.session().InputA.ModuleType, kLongType);
    EXPECT_EQ(f.text(QStringLiteral("PowerA")), QStringLiteral("6000"));
    for (int page = 0; page < 5; ++page) {
        f.find<QTabWidget>(QStringLiteral("RzPageControl1"))->setCurrentIndex(page);
        EXPECT_FALSE(f.window().grab().isNull());
    }
    EXPECT_EQ(f.window().size(), windowSize);

    f.window().N24Click();
    EXPECT_EQ(reportText("PRO_DES_Val"), kLongCity + u';' + kLongCountry);
    EXPECT_EQ(reportText("pvm_a_name"), kLongMaker);
    EXPECT_EQ(reportText("pvm_a_info"), kLongType);
    EXPECT_EQ(reportText("IVT_KIND"), QStringLiteral("Moudle type: ") + kLongInverter);
    EXPECT_EQ(reportText("ivt_v_v"), kLongValue);
    ASSERT_NE(f.window().reportPreview(), nullptr);
    EXPECT_FALSE(f.window().reportPreview()->grab().isNull());
    f.window().reportPreview()->close();
}

TEST_F(HostileCatalog, DesignsWithQuotedAndLongNamesOpenAsTheyWereSaved) {
    QTemporaryDir dir;
    const auto roundTrip = [&](const char* file) {
        const DesignFile saved = f.window().captureDesign();
        const QString path = dir.filePath(QString::fromLatin1(file));
        f.window().saveDesign(path);
        f.window().N14Click();
        ASSERT_NE(f.window().captureDesign(), saved);
        const Tfrm_main::OpenResult result = f.window().openDesign(path);
        EXPECT_TRUE(result.skipped.isEmpty()) << result.skipped.join(u'\n').left(200).toStdString();
        EXPECT_EQ(f.window().captureDesign(), saved);
    };
    f.choose(QStringLiteral("ComboBox1"), kQuoteCountry);
    f.choose(QStringLiteral("ComboBox2"), kQuoteCity);
    pickInverter(kQuoteInverter);
    sizeA(kQuoteMaker, kQuoteType, 2, 10);
    f.type(QStringLiteral("Edit2"), QStringLiteral("\"Unit\" 'A' 100% \\n {}"));
    roundTrip("quotes.tpvd");
    EXPECT_EQ(f.text(QStringLiteral("PowerA")), QStringLiteral("6000"));

    f.choose(QStringLiteral("ComboBox1"), kLongCountry);
    f.choose(QStringLiteral("ComboBox2"), kLongCity);
    pickInverter(kLongInverter);
    sizeA(kLongMaker, kLongType, 3, 10);
    roundTrip("long.tpvd");
    EXPECT_EQ(f.text(QStringLiteral("PowerA")), QStringLiteral("9000"));
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
}

// Catalogs that cannot give the window what it needs at start-up.
TEST(HostileStartUp, AFirstInverterThatDoesNotConvertIsReportedAndTheWindowIsBuilt) {
    MainWindowFixture f(QStringLiteral("[LanguageOf]\nLanguage=1252\n"), [](TempCatalog& temp) {
        test::fillSmallCatalog(temp);
        spoil(temp, QStringLiteral("inverter_info"), "max_v", QStringLiteral("inverter_type"),
              QStringLiteral("KT5000-S"));
    });
    EXPECT_EQ(f.dialogs.errors, QStringList{QStringLiteral("'n/a' is not a valid floating point value")});
    EXPECT_TRUE(f.dialogs.messages.isEmpty());
    EXPECT_EQ(f.find<QComboBox>(QStringLiteral("ComboBox1"))->count(), 3);
    EXPECT_EQ(f.find<QComboBox>(QStringLiteral("ComboBox17"))->count(), 2);
    EXPECT_EQ(f.text(QStringLiteral("Label113")), QStringLiteral("6.2"));
    // The user can go on with the other inverter.
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Berlin"));
    f.choose(QStringLiteral("ComboBox17"), QStringLiteral("KT3000-S"));
    EXPECT_EQ(f.dialogs.errors.size(), 1);
    EXPECT_EQ(f.session().InverterMaxVoltage, 1000);
}

TEST(HostileStartUp, AnInverterTableWithoutItsColumnsGivesTheDatabaseReviewError) {
    MainWindowFixture f(QStringLiteral("[LanguageOf]\nLanguage=1252\n"), [](TempCatalog& temp) {
        test::fillSmallCatalog(temp);
        temp.exec(QStringLiteral("drop table inverter_info"));
        temp.exec(QStringLiteral("create table inverter_info (inverter_type text)"));
        temp.exec(QStringLiteral("insert into inverter_info values ('KT1')"));
    });
    EXPECT_EQ(f.dialogs.messages, QStringList{QStringLiteral("0:Database review error")});
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
    EXPECT_EQ(f.find<QComboBox>(QStringLiteral("ComboBox17"))->count(), 0);
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Berlin"));
    EXPECT_EQ(f.enabledPages(), (QList<bool>{true, true, false, false, false}));
    f.window().InitReport();
    EXPECT_EQ(f.dialogs.messages.size(), 1);
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
}

TEST(HostileStartUp, AFileThatIsNoDatabaseIsReportedAndLeftAsItWas) {
    const QByteArray garbage = randomBytes(8192);
    MainWindowFixture f(QStringLiteral("[LanguageOf]\nLanguage=1252\n"), [&garbage](TempCatalog& temp) {
        QFile file(temp.path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(garbage);
    });
    EXPECT_EQ(f.dialogs.messages, QStringList{QStringLiteral("0:Database review error")});
    ASSERT_EQ(f.dialogs.errors.size(), 1);
    EXPECT_TRUE(f.dialogs.errors.first().contains(QStringLiteral("not a database")))
        << f.dialogs.errors.first().toStdString();
    EXPECT_EQ(f.find<QComboBox>(QStringLiteral("ComboBox1"))->count(), 0);
    EXPECT_EQ(f.find<QComboBox>(QStringLiteral("ComboBox3"))->count(), 0);
    f.window().N14Click();
    f.window().InitReport();
    QFile file(f.catalog.path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), garbage);
}

TEST(HostileStartUp, EmptyTablesGiveEmptyChoosersAndTheReportStillFills) {
    MainWindowFixture f(QStringLiteral("[LanguageOf]\nLanguage=1252\n"), nullptr);
    EXPECT_TRUE(f.dialogs.messages.isEmpty());
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
    for (const char* name : {"ComboBox1", "ComboBox3", "ComboBox5", "ComboBox7", "ComboBox17", "ComboBox18"})
        EXPECT_EQ(f.find<QComboBox>(QString::fromLatin1(name))->count(), 0) << name;
    EXPECT_EQ(f.enabledPages(), (QList<bool>{true, false, false, false, false}));
    f.window().N24Click();
    EXPECT_EQ(f.window().TarvelReport().text(QStringLiteral("IVT_KIND")), QStringLiteral("Moudle type: "));
    EXPECT_FALSE(f.window().TarvelReport().isVisible(QStringLiteral("A_LINE")));
    f.window().reportPreview()->close();
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
}

// A catalog text that looks like markup is a text like any other: shown as written, never rendered.
// Rendered, an image tag would make the window read any file it names (a FIFO or /dev/zero would hang
// it for good).
TEST(HostileMarkup, CatalogTextsThatLookLikeMarkupAreShownAsWritten) {
    QTemporaryDir dir;
    const QString picturePath = dir.filePath(QStringLiteral("big.png"));
    QImage big(600, 600, QImage::Format_RGB32);
    big.fill(Qt::red);
    ASSERT_TRUE(big.save(picturePath, "PNG"));
    const QString markup = QStringLiteral("<img src=\"%1\">").arg(picturePath);
    MainWindowFixture f(QStringLiteral("[LanguageOf]\nLanguage=1252\n"), [&markup](TempCatalog& temp) {
        test::fillSmallCatalog(temp);
        addLocation(temp, QStringLiteral("Germany"), markup);
        temp.exec(QStringLiteral("update inverter_info set protect_grade=?, range_v=?, xiaolv_max=? "
                                 "where inverter_type='KT5000-S'"),
                  {markup, markup, markup});
    });
    f.window().show();
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
    f.choose(QStringLiteral("ComboBox2"), markup);
    f.find<QTabWidget>(QStringLiteral("RzPageControl1"))->setCurrentIndex(4);
    QCoreApplication::processEvents();
    for (const char* name : {"Label94", "Label48", "Label136", "Label71", "Label150", "Label70",
                             "Inverter_rate", "Label64", "Position"}) {
        auto* label = f.find<QLabel>(QString::fromLatin1(name));
        EXPECT_TRUE(label->text().contains(markup)) << name;
        // One line of text, not the 600 pixels of the picture file.
        EXPECT_LT(label->sizeHint().height(), 100) << name;
    }
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
}

TEST(HostileMarkup, MessageBoxesShowTheirTextAsWritten) {
    QTemporaryDir dir;
    const QString picturePath = dir.filePath(QStringLiteral("big.png"));
    QImage big(600, 600, QImage::Format_RGB32);
    big.fill(Qt::red);
    ASSERT_TRUE(big.save(picturePath, "PNG"));
    const QString error =
        QStringLiteral("'<img src=\"%1\">' is not a valid floating point value").arg(picturePath);
    QtDialogs dialogs;
    for (bool report : {true, false}) {
        int seen = 0;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ++seen;
                EXPECT_EQ(box->text(), error);
                EXPECT_LT(box->sizeHint().height(), 300);
                box->done(QMessageBox::Ok);
            }
        });
        if (report)
            dialogs.errorReport(nullptr, error);
        else
            dialogs.message(nullptr, error);
        EXPECT_EQ(seen, 1) << report;
    }
}

// The three catalog dialogs store what the user typed exactly, or refuse it with their message.
class HostileDialogs : public testing::Test {
protected:
    void fill(CatalogDialog& dialog, const QStringList& texts) {
        for (int n = 1; n <= texts.size(); ++n)
            dialog.field(n)->setText(texts[n - 1]);
    }
    QVariant scalar(const QString& statement, const QVariantList& values = {}) {
        return f.catalog.scalar(statement, values);
    }
    MainWindowFixture f;
};

const QString kFormatError = QStringLiteral("Fill in incomplete or data format error,please check!");
// Longer than any catalog name, but within what a single-line field holds.
const QString kLongName = QString(30000, u'n') + QStringLiteral("'\"%_");

QStringList locationTexts(const QString& country, const QString& city) {
    QStringList texts{country, city, QStringLiteral("53.5"), QStringLiteral("10.0"), QStringLiteral("8")};
    for (int m = 0; m < 12; ++m)
        texts << QString::number(50 + 10 * m);
    texts << QStringLiteral("105");
    return texts;
}

TEST_F(HostileDialogs, ALocationIsStoredExactlyAsTypedAndFoundAgainOnlyByItsExactName) {
    const QString country = QStringLiteral("Germany'); drop table country_info; --");
    for (const QString& city : {kQuoteCity, kLongName, QStringLiteral("Ber%"), QStringLiteral("_erlin")}) {
        Tfrm_location dialog(*f.context, &f.window());
        fill(dialog, locationTexts(country, city));
        dialog.newpanel_okClick();
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << city.left(20).toStdString();
    }
    EXPECT_TRUE(f.dialogs.messages.isEmpty());
    EXPECT_EQ(f.catalog.catalog().cityListQuery(country),
              (QStringList{kQuoteCity, kLongName, QStringLiteral("Ber%"), QStringLiteral("_erlin")}));
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from country_info where country=?"), {country}).toInt(),
              4);

    Tfrm_location again(*f.context, &f.window());
    fill(again, locationTexts(country, kLongName));
    again.newpanel_okClick();
    EXPECT_EQ(f.dialogs.messages, QStringList{QStringLiteral("Database has added this City Information!")});

    // "Ber%" is no pattern: Berlin of Germany is still there and still one row.
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from country_info where city='Berlin'")).toInt(), 1);
}

TEST_F(HostileDialogs, NumbersTooLongForADoubleAreRefused) {
    Tfrm_location dialog(*f.context, &f.window());
    QStringList texts = locationTexts(QStringLiteral("Germany"), QStringLiteral("Kiel"));
    texts[3] = QString(kLongText, u'9');
    fill(dialog, texts);
    // The field keeps what a line edit holds; as a number it is out of range all the same.
    EXPECT_EQ(dialog.field(4)->text().size(), dialog.field(4)->maxLength());
    dialog.newpanel_okClick();
    EXPECT_EQ(f.dialogs.messages, QStringList{kFormatError});
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(
        f.catalog.catalog().locationDuplicateCheck(QStringLiteral("Germany"), QStringLiteral("Kiel")));
}

TEST_F(HostileDialogs, AModuleIsStoredExactlyAsTypedAndListedForItsMaker) {
    struct Added {
        QString maker;
        QString type;
        QString material;
    };
    const std::vector<Added> added{{kQuoteMaker, kQuoteType, QStringLiteral("MONO 100% \"black\"")},
                                   {QStringLiteral("Alpha"), QStringLiteral("A-%"), kLongName},
                                   {QStringLiteral("Alpha"), QStringLiteral("A-___"), QStringLiteral("'")}};
    for (const Added& a : added) {
        Tfrm_panel_new dialog(*f.context, &f.window());
        fill(dialog, test::samplePanelTexts(a.maker, a.type, a.material));
        dialog.newpanel_okClick();
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << a.type.toStdString();
        EXPECT_EQ(
            scalar(QStringLiteral("select material from panel_info where product_name=? and strings_type=?"),
                   {a.maker, a.type})
                .toString(),
            a.material);
    }
    EXPECT_TRUE(f.dialogs.messages.isEmpty());
    f.choose(QStringLiteral("ComboBox3"), QStringLiteral("Alpha"));
    EXPECT_EQ(items(f.find<QComboBox>(QStringLiteral("ComboBox4"))),
              (QStringList{QStringLiteral("A-250"), QStringLiteral("A-300"), QStringLiteral("A-%"),
                           QStringLiteral("A-___")}));
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Berlin"));
    f.choose(QStringLiteral("ComboBox4"), QStringLiteral("A-%"));
    f.type(QStringLiteral("SpinEdit6"), QStringLiteral("1"));
    f.type(QStringLiteral("SpinEdit7"), QStringLiteral("10"));
    EXPECT_EQ(f.text(QStringLiteral("PowerA")), QStringLiteral("1360"));
    ASSERT_TRUE(f.catalog.catalog().moduleRecordQuery(kQuoteMaker, kQuoteType));
    EXPECT_EQ(f.catalog.catalog().moduleRecordQuery(kQuoteMaker, kQuoteType)->MPP_V, 30);

    Tfrm_panel_new again(*f.context, &f.window());
    fill(again, test::samplePanelTexts(kQuoteMaker, kQuoteType, QStringLiteral("POLY")));
    again.newpanel_okClick();
    EXPECT_EQ(f.dialogs.messages, QStringList{QStringLiteral("Database has added this Solar panels!")});
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from panel_info")).toInt(), 6);
}

// The new-inverter fields: the model, `text` in every text field and sound numbers in the others.
QStringList inverterTexts(const QString& model, const QString& text) {
    QStringList texts(23, text);
    texts[0] = model;
    const std::pair<int, const char*> numbers[] = {{8, "3"},    {9, "3.3"},    {10, "450"},
                                                   {11, "200"}, {13, "15"},    {15, "3"},
                                                   {16, "3.3"}, {21, "0.947"}, {22, "0.934"}};
    for (const auto& [index, number] : numbers)
        texts[index] = QString::fromLatin1(number);
    return texts;
}

TEST_F(HostileDialogs, AnInverterIsStoredExactlyAsTypedWithItsPicture) {
    QTemporaryDir dir;
    const QByteArray picture = test::jpegOf(Qt::darkGreen, {60, 40});
    const QString picturePath = dir.filePath(QStringLiteral("inverter.jpg"));
    QFile file(picturePath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(picture);
    file.close();
    f.dialogs.pictureFile = picturePath;

    const QString quoted = QStringLiteral("≤3% \"THD\" 'max'");
    for (const auto& [model, text] :
         {std::pair{kQuoteInverter, quoted}, std::pair{QStringLiteral("KT%"), kLongName},
          std::pair{kLongName, QStringLiteral("_")}}) {
        Tfrm_inverter_new dialog(*f.context, &f.window());
        fill(dialog, inverterTexts(model, text));
        dialog.findChild<QPushButton*>(QStringLiteral("inverter_picture_new"))->click();
        dialog.newinverter_okClick();
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << model.left(20).toStdString();
        const auto row = f.catalog.catalog().inverterRecordQuery(model);
        ASSERT_TRUE(row) << model.left(20).toStdString();
        EXPECT_EQ(row->inverter_type, model);
        for (const QString* stored : {&row->work_temp, &row->ssize, &row->mpp_range, &row->wire_type,
                                      &row->range_v, &row->zongxiebo, &row->factor_power})
            EXPECT_EQ(*stored, text) << model.left(20).toStdString();
        EXPECT_EQ(row->xiaolv_max, QStringLiteral("94.7%"));
        EXPECT_EQ(row->pic, picture);
    }
    EXPECT_TRUE(f.dialogs.messages.isEmpty());
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
    // "KT%" is no pattern: the two inverters of the small catalog keep their pictures (none).
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from inverter_info where pic is null")).toInt(), 2);

    Tfrm_inverter_new again(*f.context, &f.window());
    fill(again, inverterTexts(kQuoteInverter, QStringLiteral("x")));
    again.findChild<QPushButton*>(QStringLiteral("inverter_picture_new"))->click();
    again.newinverter_okClick();
    EXPECT_EQ(f.dialogs.messages,
              QStringList{QStringLiteral("Database has added this inverter information!")});
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from inverter_info")).toInt(), 5);
}

TEST_F(HostileDialogs, AnInverterNumberOutOfRangeIsRefusedAndNothingIsStored) {
    QTemporaryDir dir;
    const QString picturePath = dir.filePath(QStringLiteral("inverter.jpg"));
    QFile file(picturePath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(test::jpegOf(Qt::darkGreen, {60, 40}));
    file.close();
    f.dialogs.pictureFile = picturePath;
    Tfrm_inverter_new dialog(*f.context, &f.window());
    QStringList texts = inverterTexts(QStringLiteral("KT-Huge"), QStringLiteral("x"));
    texts[10] = QStringLiteral("1") + QString(400, u'0');
    fill(dialog, texts);
    dialog.findChild<QPushButton*>(QStringLiteral("inverter_picture_new"))->click();
    dialog.newinverter_okClick();
    EXPECT_EQ(f.dialogs.messages, QStringList{kFormatError});
    EXPECT_EQ(dialog.focusWidget(), dialog.field(11));
    EXPECT_TRUE(f.catalog.catalog().inverterDuplicateCheck(QStringLiteral("KT-Huge")));
}

} // namespace
} // namespace tarvel

#include "support/main_window_fixture.h"
#include "ui/display_widgets.h"
#include "ui/tfrm_inverter_new.h"
#include "ui/tfrm_location.h"
#include "ui/tfrm_panel_new.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <future>
#include <thread>

#include <gtest/gtest.h>

#include <utility>

namespace tarvel {
namespace {

using test::MainWindowFixture;

const QString kNotFilled = QStringLiteral("Please check if some unit not filled!");
const QString kFormatError = QStringLiteral("Fill in incomplete or data format error,please check!");

class CatalogDialogs : public testing::Test {
protected:
    QVariant scalar(const QString& statement, const QVariantList& values = {}) {
        return f.catalog.scalar(statement, values);
    }
    void fill(CatalogDialog& dialog, const QStringList& texts) {
        for (int n = 1; n <= texts.size(); ++n)
            dialog.field(n)->setText(texts[n - 1]);
    }
    MainWindowFixture f;
};

// Fields of the new-inverter dialog filled with its own examples and a new model name.
QStringList inverterTexts(const QString& model) {
    return {model,
            QStringLiteral("-25~+60C"),
            QStringLiteral("IP65"),
            QStringLiteral("<45"),
            QStringLiteral("RS485"),
            QStringLiteral("Transformerless"),
            QStringLiteral("436*298*231"),
            QStringLiteral("30Kg"),
            QStringLiteral("3"),
            QStringLiteral("3.3"),
            QStringLiteral("450"),
            QStringLiteral("200"),
            QStringLiteral("200-400"),
            QStringLiteral("15"),
            QStringLiteral("MC4"),
            QStringLiteral("3"),
            QStringLiteral("3.3"),
            QStringLiteral("180-260VAC"),
            QStringLiteral("50Hz"),
            QStringLiteral("<3%"),
            QStringLiteral(">0.99"),
            QStringLiteral("0.947"),
            QStringLiteral("0.934")};
}

class NewInverter : public CatalogDialogs {
protected:
    void loadPicture(Tfrm_inverter_new& dialog) {
        const QString path = dir.filePath(QStringLiteral("new.jpg"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(picture);
        file.close();
        f.dialogs.pictureFile = path;
        dialog.findChild<QPushButton*>(QStringLiteral("inverter_picture_new"))->click();
    }
    QTemporaryDir dir;
    QByteArray picture = test::jpegOf(Qt::darkBlue, {30, 50}) + QByteArray("end");
};

TEST_F(NewInverter, AFreshDialogAsksForTheFirstField) {
    Tfrm_inverter_new dialog(*f.context, &f.window());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("NewInverter"));
    dialog.newinverter_okClick();
    EXPECT_EQ(f.dialogs.messages, QStringList{kNotFilled});
    EXPECT_EQ(dialog.focusWidget(), dialog.field(1));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(NewInverter, APictureIsRequired) {
    Tfrm_inverter_new dialog(*f.context, &f.window());
    fill(dialog, inverterTexts(QStringLiteral("KT9000-X")));
    dialog.newinverter_okClick();
    EXPECT_EQ(f.dialogs.messages, QStringList{QStringLiteral("Please load this inverter picture!")});
}

TEST_F(NewInverter, StoresTheEfficienciesBothWaysAndThePictureBytes) {
    Tfrm_inverter_new dialog(*f.context, &f.window());
    fill(dialog, inverterTexts(QStringLiteral("KT9000-X")));
    loadPicture(dialog);
    dialog.newinverter_okClick();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(f.dialogs.messages.isEmpty());
    const QVariantList model{QStringLiteral("KT9000-X")};
    EXPECT_EQ(scalar(QStringLiteral(
                         "select xiaolv_max||'|'||xiaolv_ouzhou||'|'||xiaolv_zuida||'|'||xiaolv_erding||'|'||"
                         "power_DC_MAX||'|'||wire_type from inverter_info where inverter_type=?"),
                     model)
                  .toString(),
              QStringLiteral("94.7%|93.4%|0.947|0.934|3.3|MC4"));
    EXPECT_EQ(
        scalar(QStringLiteral("select pic from inverter_info where inverter_type=?"), model).toByteArray(),
        picture);
    // Listed last after the next start.
    EXPECT_EQ(f.catalog.catalog().inverterListQuery().last(), QStringLiteral("KT9000-X"));
}

TEST_F(NewInverter, AnExistingModelEmptiesTheWholeForm) {
    Tfrm_inverter_new dialog(*f.context, &f.window());
    fill(dialog, inverterTexts(QStringLiteral("KT5000-S")));
    loadPicture(dialog);
    dialog.newinverter_okClick();
    EXPECT_EQ(f.dialogs.messages,
              QStringList{QStringLiteral("Database has added this inverter information!")});
    for (int n = 1; n <= dialog.fieldCount(); ++n)
        EXPECT_TRUE(dialog.field(n)->text().isEmpty()) << n;
    EXPECT_FALSE(dialog.findChild<PictureBox*>(QStringLiteral("img1"))->hasPicture());
    EXPECT_EQ(dialog.focusWidget(), dialog.field(1));
}

TEST_F(NewInverter, NumericFieldsMustHoldNumbers) {
    Tfrm_inverter_new dialog(*f.context, &f.window());
    QStringList texts = inverterTexts(QStringLiteral("KT9000-X"));
    texts[9] = QStringLiteral("3kW");
    fill(dialog, texts);
    loadPicture(dialog);
    dialog.newinverter_okClick();
    EXPECT_EQ(f.dialogs.messages, QStringList{kFormatError});
    EXPECT_EQ(dialog.focusWidget(), dialog.field(10));
    EXPECT_EQ(
        scalar(QStringLiteral("select count(*) from inverter_info where inverter_type='KT9000-X'")).toInt(),
        0);
    EXPECT_EQ(dialog.field(10)->text(), QStringLiteral("3kW"));
}

// An efficiency typed as a percentage would multiply every yearly energy by about a hundred; a power,
// voltage or current of 0 or below makes nonsense of every check. Refused, focus on the field.
TEST_F(NewInverter, EfficienciesMustBeFractionsAndRatingsPositive) {
    const std::pair<int, const char*> refused[] = {{22, "94.7"}, {23, "0"}, {22, "1.0001"}, {9, "0"},
                                                   {10, "-3.3"}, {11, "0"}, {12, "-200"},   {14, "0"},
                                                   {16, "0"},    {17, "-1"}};
    for (const auto& [number, text] : refused) {
        f.dialogs.messages.clear();
        Tfrm_inverter_new dialog(*f.context, &f.window());
        QStringList texts = inverterTexts(QStringLiteral("KT9000-X"));
        texts[number - 1] = QString::fromLatin1(text);
        fill(dialog, texts);
        loadPicture(dialog);
        dialog.newinverter_okClick();
        EXPECT_EQ(f.dialogs.messages, QStringList{kFormatError}) << number << " " << text;
        EXPECT_EQ(dialog.focusWidget(), dialog.field(number)) << number << " " << text;
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_TRUE(f.catalog.catalog().inverterDuplicateCheck(QStringLiteral("KT9000-X")));

    // A whole efficiency of 1 is the highest there is.
    Tfrm_inverter_new dialog(*f.context, &f.window());
    QStringList texts = inverterTexts(QStringLiteral("KT9000-X"));
    texts[21] = QStringLiteral("1");
    fill(dialog, texts);
    loadPicture(dialog);
    dialog.newinverter_okClick();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(NewInverter, EnterInAFieldMeansOk) {
    Tfrm_inverter_new dialog(*f.context, &f.window());
    dialog.show();
    EXPECT_TRUE(dialog.findChild<QPushButton*>(QStringLiteral("newinverter_ok"))->isDefault());
    f.dialogs.pictureFile = QStringLiteral("/nonexistent/picture.jpg"); // an error if the picker ran
    QTest::keyClick(dialog.field(3), Qt::Key_Return);
    EXPECT_EQ(f.dialogs.messages, QStringList{kNotFilled});
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
}

TEST_F(NewInverter, AFailingPictureStoreLeavesNoRowBehind) {
    f.catalog.exec(QStringLiteral("create trigger no_pictures before update of pic on inverter_info "
                                  "begin select raise(abort, 'pictures are refused'); end"));
    Tfrm_inverter_new dialog(*f.context, &f.window());
    fill(dialog, inverterTexts(QStringLiteral("KT9000-X")));
    loadPicture(dialog);
    dialog.newinverter_okClick();
    EXPECT_EQ(f.dialogs.messages, QStringList{kFormatError});
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(
        scalar(QStringLiteral("select count(*) from inverter_info where inverter_type='KT9000-X'")).toInt(),
        0);
    EXPECT_EQ(dialog.field(1)->text(), QStringLiteral("KT9000-X"));
}

TEST_F(NewInverter, AFileThatIsNoJpegIsReportedAndKeepsThePicture) {
    Tfrm_inverter_new dialog(*f.context, &f.window());
    loadPicture(dialog);
    const QString path = dir.filePath(QStringLiteral("note.txt"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("not a picture");
    file.close();
    f.dialogs.pictureFile = path;
    dialog.findChild<QPushButton*>(QStringLiteral("inverter_picture_new"))->click();
    EXPECT_EQ(f.dialogs.errors.size(), 1);
    EXPECT_EQ(dialog.findChild<PictureBox*>(QStringLiteral("img1"))->jpegBytes(), picture);
}

TEST_F(CatalogDialogs, ModuleFieldsFilterTypedAndPastedCharacters) {
    Tfrm_panel_new dialog(*f.context, &f.window());
    QTest::keyClicks(dialog.field(3), QStringLiteral("1a-3.6"));
    EXPECT_EQ(dialog.field(3)->text(), QStringLiteral("13.6"));
    QTest::keyClicks(dialog.field(12), QStringLiteral("-0,33x"));
    EXPECT_EQ(dialog.field(12)->text(), QStringLiteral("-033"));
    QTest::keyClicks(dialog.field(1), QStringLiteral("Sun-Tech 1"));
    EXPECT_EQ(dialog.field(1)->text(), QStringLiteral("Sun-Tech 1"));
    QApplication::clipboard()->setText(QStringLiteral("2e5 W"));
    dialog.field(4)->paste();
    EXPECT_EQ(dialog.field(4)->text(), QStringLiteral("25"));
}

TEST_F(CatalogDialogs, AModuleIsAddedOnceAndListedForItsMaker) {
    Tfrm_panel_new dialog(*f.context, &f.window());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("NewPanel"));
    fill(dialog, test::samplePanelTexts(QStringLiteral("Alpha"), QStringLiteral("A-400")));
    dialog.newpanel_okClick();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    f.choose(QStringLiteral("ComboBox3"), QStringLiteral("Alpha"));
    EXPECT_EQ(f.find<QComboBox>(QStringLiteral("ComboBox4"))->findText(QStringLiteral("A-400")), 2);

    Tfrm_panel_new again(*f.context, &f.window());
    fill(again, test::samplePanelTexts(QStringLiteral("Alpha"), QStringLiteral("A-400")));
    again.newpanel_okClick();
    EXPECT_EQ(f.dialogs.messages, QStringList{QStringLiteral("Database has added this Solar panels!")});
    EXPECT_EQ(again.field(2)->text(), QStringLiteral("A-400"));
}

TEST_F(CatalogDialogs, AModuleNumberWithTwoPointsIsAFormatError) {
    Tfrm_panel_new dialog(*f.context, &f.window());
    dialog.newpanel_okClick();
    EXPECT_EQ(f.dialogs.messages, QStringList{kNotFilled});
    QStringList texts = test::samplePanelTexts(QStringLiteral("Gamma"), QStringLiteral("G-1"));
    texts[3] = QStringLiteral("30.0.0");
    fill(dialog, texts);
    dialog.newpanel_okClick();
    EXPECT_EQ(f.dialogs.messages.last(), kFormatError);
    EXPECT_TRUE(f.catalog.catalog().moduleDuplicateCheck(QStringLiteral("Gamma"), QStringLiteral("G-1")));
}

TEST_F(CatalogDialogs, AModuleNeedsPositivePowerVoltagesCurrentsAndArea) {
    for (int number : {3, 4, 5, 6, 7, 8, 10}) {
        f.dialogs.messages.clear();
        Tfrm_panel_new dialog(*f.context, &f.window());
        QStringList texts = test::samplePanelTexts(QStringLiteral("Gamma"), QStringLiteral("G-1"));
        texts[number - 1] = number == 5 ? QStringLiteral("0.0") : QStringLiteral("0");
        fill(dialog, texts);
        dialog.newpanel_okClick();
        EXPECT_EQ(f.dialogs.messages, QStringList{kFormatError}) << number;
        EXPECT_EQ(dialog.focusWidget(), dialog.field(number)) << number;
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_TRUE(f.catalog.catalog().moduleDuplicateCheck(QStringLiteral("Gamma"), QStringLiteral("G-1")));
}

QStringList locationTexts(const QString& country, const QString& city, const QString& latitude,
                          const QString& height) {
    QStringList texts{country, city, latitude, QStringLiteral("11.5"), height};
    for (int m = 0; m < 12; ++m)
        texts << QString::number(50 + 10 * m);
    texts << QStringLiteral("105");
    return texts;
}

TEST_F(CatalogDialogs, LocationFieldsFilterTheirCharacters) {
    Tfrm_location dialog(*f.context, &f.window());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("New Location Information"));
    QTest::keyClicks(dialog.field(3), QStringLiteral("-33.9S"));
    EXPECT_EQ(dialog.field(3)->text(), QStringLiteral("-33.9"));
    QTest::keyClicks(dialog.field(6), QStringLiteral("-120"));
    EXPECT_EQ(dialog.field(6)->text(), QStringLiteral("120"));
}

TEST_F(CatalogDialogs, ANewCityOfAKnownCountryIsListedAtTheNextChoice) {
    Tfrm_location dialog(*f.context, &f.window());
    fill(dialog, locationTexts(QStringLiteral("Germany"), QStringLiteral("Hamburg"), QStringLiteral("53.55"),
                               QStringLiteral("8")));
    dialog.newpanel_okClick();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
    EXPECT_GE(f.find<QComboBox>(QStringLiteral("ComboBox2"))->findText(QStringLiteral("Hamburg")), 0);
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Hamburg"));
    EXPECT_EQ(f.session().Height, 8);

    Tfrm_location again(*f.context, &f.window());
    fill(again, locationTexts(QStringLiteral("Germany"), QStringLiteral("Hamburg"), QStringLiteral("53.55"),
                              QStringLiteral("8")));
    again.newpanel_okClick();
    EXPECT_EQ(f.dialogs.messages, QStringList{QStringLiteral("Database has added this City Information!")});
}

TEST_F(CatalogDialogs, ALoneMinusOrAFractionalAltitudeIsAFormatError) {
    for (const auto& [latitude, height] : {std::pair{"-", "8"}, std::pair{"53.5", "12.5"}}) {
        f.dialogs.messages.clear();
        Tfrm_location dialog(*f.context, &f.window());
        fill(dialog, locationTexts(QStringLiteral("Germany"), QStringLiteral("Kiel"),
                                   QString::fromLatin1(latitude), QString::fromLatin1(height)));
        dialog.newpanel_okClick();
        EXPECT_EQ(f.dialogs.messages, QStringList{kFormatError}) << latitude << " " << height;
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_TRUE(
        f.catalog.catalog().locationDuplicateCheck(QStringLiteral("Germany"), QStringLiteral("Kiel")));
}

// A latitude of 200 gives yields of -781 kWh/kWp, an altitude of 3000000000 cannot be read back:
// values outside the earth's are refused with the focus on their field.
TEST_F(CatalogDialogs, LocationValuesOutsideTheirRangesAreRefused) {
    const std::pair<int, const char*> refused[] = {
        {3, "200"},        {3, "-90.01"}, {4, "180.5"}, {4, "-181"},  {5, "-501"},  {5, "9001"},
        {5, "3000000000"}, {6, "1500.1"}, {11, "2000"}, {17, "9999"}, {18, "1501"}, {3, "-"}};
    for (const auto& [number, text] : refused) {
        f.dialogs.messages.clear();
        Tfrm_location dialog(*f.context, &f.window());
        QStringList texts = locationTexts(QStringLiteral("Germany"), QStringLiteral("Kiel"),
                                          QStringLiteral("54.3"), QStringLiteral("5"));
        texts[number - 1] = QString::fromLatin1(text);
        fill(dialog, texts);
        dialog.newpanel_okClick();
        EXPECT_EQ(f.dialogs.messages, QStringList{kFormatError}) << number << " " << text;
        EXPECT_EQ(dialog.focusWidget(), dialog.field(number)) << number << " " << text;
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_TRUE(
        f.catalog.catalog().locationDuplicateCheck(QStringLiteral("Germany"), QStringLiteral("Kiel")));

    // The limits themselves pass.
    Tfrm_location dialog(*f.context, &f.window());
    QStringList texts = locationTexts(QStringLiteral("Limits"), QStringLiteral("Edge"), QStringLiteral("-90"),
                                      QStringLiteral("9000"));
    texts[3] = QStringLiteral("180");
    texts[5] = QStringLiteral("0");
    texts[17] = QStringLiteral("1500");
    fill(dialog, texts);
    dialog.newpanel_okClick();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// Another program that adds the same key at the same moment: it has written its row, not yet
// committed, when OK is pressed here, and commits a moment later.
class RivalWriter {
public:
    RivalWriter(const QString& catalog, const QString& insert) {
        m_thread = std::thread([this, catalog, insert] {
            {
                QSqlDatabase db =
                    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("rival"));
                db.setDatabaseName(catalog);
                db.open();
                QSqlQuery query(db);
                query.exec(QStringLiteral("begin immediate"));
                query.exec(insert);
                m_holding.set_value();
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
                query.exec(QStringLiteral("commit"));
            }
            QSqlDatabase::removeDatabase(QStringLiteral("rival"));
        });
        m_holding.get_future().wait();
    }
    ~RivalWriter() { m_thread.join(); }

private:
    std::promise<void> m_holding;
    std::thread m_thread;
};

// A dialog's duplicate check and its insert are one transaction: when another program adds the same
// module, city or inverter at the same moment, one of them stores it and the other is told it exists.
TEST_F(CatalogDialogs, TwoProgramsAddingTheSameKeyAtOnceStoreItOnce) {
    const QString path = f.catalog.path();
    {
        RivalWriter rival(path, QStringLiteral("insert into panel_info (product_name, strings_type, power) "
                                               "values ('Gamma', 'G-1', 200)"));
        Tfrm_panel_new dialog(*f.context, &f.window());
        fill(dialog, test::samplePanelTexts(QStringLiteral("Gamma"), QStringLiteral("G-1")));
        dialog.newpanel_okClick();
        EXPECT_EQ(f.dialogs.messages, QStringList{QStringLiteral("Database has added this Solar panels!")});
    }
    {
        RivalWriter rival(path, QStringLiteral("insert into country_info (country, city, height, latitude) "
                                               "values ('Germany', 'Kiel', 5, 54.3)"));
        Tfrm_location dialog(*f.context, &f.window());
        fill(dialog, locationTexts(QStringLiteral("Germany"), QStringLiteral("Kiel"), QStringLiteral("54.3"),
                                   QStringLiteral("5")));
        dialog.newpanel_okClick();
        EXPECT_EQ(f.dialogs.messages,
                  QStringList({QStringLiteral("Database has added this Solar panels!"),
                               QStringLiteral("Database has added this City Information!")}));
    }
    {
        RivalWriter rival(path,
                          QStringLiteral("insert into inverter_info (inverter_type) values ('KT9000-X')"));
        Tfrm_inverter_new dialog(*f.context, &f.window());
        fill(dialog, inverterTexts(QStringLiteral("KT9000-X")));
        const QString picture = f.catalog.dirPath() + QStringLiteral("/new.jpg");
        QFile file(picture);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(test::jpegOf(Qt::darkBlue, {30, 50}));
        file.close();
        f.dialogs.pictureFile = picture;
        dialog.findChild<QPushButton*>(QStringLiteral("inverter_picture_new"))->click();
        dialog.newinverter_okClick();
        EXPECT_EQ(f.dialogs.messages.value(2),
                  QStringLiteral("Database has added this inverter information!"));
    }
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from panel_info where strings_type='G-1'")).toInt(), 1);
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from country_info where city='Kiel'")).toInt(), 1);
    EXPECT_EQ(
        scalar(QStringLiteral("select count(*) from inverter_info where inverter_type='KT9000-X'")).toInt(),
        1);
}

TEST_F(CatalogDialogs, TheMenuOpensADialogThatIsGoneAfterClosing) {
    int seen = 0;
    QTimer::singleShot(0, [&seen] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<Tfrm_location*>(w); dialog && dialog->isVisible()) {
                ++seen;
                dialog->cancelClick();
            }
    });
    f.find<QAction>(QStringLiteral("NewLocation2"))->trigger();
    EXPECT_EQ(seen, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(f.window().findChildren<Tfrm_location*>().isEmpty());
}

} // namespace
} // namespace tarvel

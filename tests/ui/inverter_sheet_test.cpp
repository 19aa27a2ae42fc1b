#include "design/number_format.h"
#include "support/main_window_fixture.h"
#include "ui/display_widgets.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

using test::MainWindowFixture;
using test::TempCatalog;

// A model of the reset "2*" list only comes first; then a plain single-phase model, the selection
// form's raw AC model, one without picture and one whose picture is no JPEG.
void fillInverters(TempCatalog& temp) {
    test::fillSmallCatalog(temp);
    temp.exec(QStringLiteral("delete from inverter_info"));
    Catalog& c = temp.catalog();
    c.inverterInsert(test::sampleInverter("KT8000-T", "3.30", "5.0", "11"));
    c.inverterInsert(test::sampleInverter("KT5000-S", "6.20", "5.0", "18"));
    c.inverterInsert(test::sampleInverter("KT30000-TH", "37.5", "30.0", "30"));
    c.inverterInsert(test::sampleInverter("KT4000-T1", "4.8", "4.4", "12"));
    c.inverterInsert(test::sampleInverter("KT6000-T1", "7.2", "6.6", "12"));
    c.inverterPictureQuery(QStringLiteral("KT8000-T"), test::jpegOf(Qt::darkCyan, {40, 30}));
    c.inverterPictureQuery(QStringLiteral("KT5000-S"), test::jpegOf(Qt::gray, {40, 30}));
    c.inverterPictureQuery(QStringLiteral("KT30000-TH"), test::jpegOf(Qt::darkGray, {40, 30}));
    c.inverterPictureQuery(QStringLiteral("KT6000-T1"), QByteArray("\x89PNG not a jpeg", 15));
}

class InverterSheet : public testing::Test {
protected:
    explicit InverterSheet(const QString& ini = QStringLiteral("[LanguageOf]\nLanguage=1252\n"))
        : f(ini, fillInverters) {}
    void pick(const char* name) { f.choose(QStringLiteral("ComboBox17"), QString::fromLatin1(name)); }
    PictureBox* picture() { return f.find<PictureBox>(QStringLiteral("Image26")); }
    MainWindowFixture f;
};

TEST_F(InverterSheet, TheResetFormShowsTheFirstModelAsStored) {
    EXPECT_EQ(f.text(QStringLiteral("ComboBox17")), QStringLiteral("KT8000-T"));
    EXPECT_EQ(f.text(QStringLiteral("Label113")), QStringLiteral("3.30"));
    EXPECT_DOUBLE_EQ(f.session().InverterMaxDcPower, 3300);
    EXPECT_EQ(f.text(QStringLiteral("Label116")), QStringLiteral("2*11"));
    EXPECT_DOUBLE_EQ(f.session().InverterMaxCurrent, 11);
    EXPECT_EQ(f.text(QStringLiteral("Label47")), QStringLiteral("5"));
    EXPECT_EQ(f.text(QStringLiteral("Label93")), QStringLiteral("-25~+60C"));
    EXPECT_EQ(f.text(QStringLiteral("Label139")), QStringLiteral(">0.99"));
    EXPECT_EQ(f.text(QStringLiteral("Label150")), QStringLiteral("98.1%"));
    EXPECT_EQ(f.text(QStringLiteral("Label151")), QStringLiteral("97.6%"));
    EXPECT_DOUBLE_EQ(f.session().InverterMaxVoltage, 1000);
    EXPECT_DOUBLE_EQ(f.session().InverterMinMppVoltage, 200);
    EXPECT_DOUBLE_EQ(f.session().InverterMaxAcPower, 5.0);
    EXPECT_DOUBLE_EQ(f.session().InverterEuroEfficiency, 0.976);
    EXPECT_DOUBLE_EQ(f.session().InverterEfficiency, 0.981);
    EXPECT_EQ(f.session().Inverter.inverter_type, QStringLiteral("KT8000-T"));
    EXPECT_TRUE(picture()->hasPicture());
    EXPECT_EQ(picture()->geometry().size(), QSize(85, 80));
    EXPECT_EQ(picture()->y(), 370);
}

TEST_F(InverterSheet, TheSelectionFormReformatsNumbersAndUsesItsOwnLists) {
    pick("KT8000-T");
    EXPECT_EQ(f.text(QStringLiteral("Label113")), QStringLiteral("3.3"));
    EXPECT_DOUBLE_EQ(f.session().InverterMaxDcPower, 3300);
    EXPECT_EQ(f.text(QStringLiteral("Label116")), QStringLiteral("11"));
    EXPECT_EQ(picture()->geometry(), QRect(kPictureLeft, 365, 60, 80));

    // New Design goes back to the reset form, prefix included.
    f.window().N14Click();
    EXPECT_EQ(f.text(QStringLiteral("Label116")), QStringLiteral("2*11"));
    EXPECT_EQ(f.text(QStringLiteral("Label113")), QStringLiteral("3.30"));

    pick("KT30000-TH");
    EXPECT_EQ(f.text(QStringLiteral("Label47")), QStringLiteral("30.0"));
    EXPECT_EQ(f.text(QStringLiteral("Label116")), QStringLiteral("2*30"));
    EXPECT_EQ(f.text(QStringLiteral("Label113")), QStringLiteral("37.5"));
    pick("KT5000-S");
    EXPECT_EQ(f.text(QStringLiteral("Label47")), QStringLiteral("5"));
    EXPECT_EQ(f.text(QStringLiteral("Label113")), QStringLiteral("6.2"));
    EXPECT_EQ(picture()->geometry(), QRect(kPictureLeft, 370, 85, 80));
}

TEST_F(InverterSheet, SystemListAndResultPageRepeatTheMainValues) {
    pick("KT5000-S");
    EXPECT_EQ(f.text(QStringLiteral("Label66")), QStringLiteral("Module type:KT5000-S"));
    EXPECT_EQ(f.text(QStringLiteral("Label67")), QStringLiteral("Max. PV-generator power[KW]:6.2"));
    EXPECT_EQ(f.text(QStringLiteral("Label68")), QStringLiteral("Max.AC power[KW]:5"));
    EXPECT_EQ(f.text(QStringLiteral("Label69")), QStringLiteral("Euro efficiency (at nom) :97.6%"));
    EXPECT_EQ(f.text(QStringLiteral("Label70")), QStringLiteral("Max. efficiency :98.1%"));
    EXPECT_EQ(f.text(QStringLiteral("Label71")), QStringLiteral("Gride voltage[V]:320-460VAC"));
    EXPECT_EQ(f.text(QStringLiteral("Label72")), QStringLiteral("Grid frequency range[Hz]:50Hz"));
    EXPECT_EQ(f.text(QStringLiteral("Label48")), QStringLiteral("Protection Type:IP65"));
    EXPECT_EQ(f.text(QStringLiteral("DCMAX_Power")), QStringLiteral("6.2"));
    EXPECT_EQ(f.text(QStringLiteral("AVMAX_Power")), QStringLiteral("5"));
    EXPECT_EQ(f.text(QStringLiteral("Inverter_rate")), QStringLiteral("98.1%"));
}

TEST_F(InverterSheet, AMissingPictureLeavesTheBoxEmpty) {
    pick("KT4000-T1");
    EXPECT_FALSE(picture()->hasPicture());
    EXPECT_TRUE(picture()->pixmap().isNull());
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
    EXPECT_EQ(picture()->geometry(), QRect(kPictureLeft, 340, 69, 123));
}

TEST_F(InverterSheet, APictureThatIsNoJpegIsReportedAndTheLimitsStillChange) {
    pick("KT6000-T1");
    EXPECT_EQ(f.dialogs.errors, QStringList{QStringLiteral("The picture is not a valid JPEG image.")});
    EXPECT_FALSE(picture()->hasPicture());
    EXPECT_EQ(f.text(QStringLiteral("Label66")), QStringLiteral("Module type:KT6000-T1"));
    EXPECT_DOUBLE_EQ(f.session().InverterMaxDcPower, 7200);
}

TEST_F(InverterSheet, ANumberThatDoesNotConvertStopsTheFillWhereItIs) {
    f.catalog.exec(QStringLiteral("update inverter_info set max_v='high' where inverter_type='KT5000-S'"));
    pick("KT5000-S");
    ASSERT_EQ(f.dialogs.errors.size(), 1);
    EXPECT_EQ(f.dialogs.errors.first(), QStringLiteral("'high' is not a valid floating point value"));
    EXPECT_EQ(f.text(QStringLiteral("Label113")), QStringLiteral("6.2"));
    EXPECT_EQ(f.text(QStringLiteral("Label114")), QStringLiteral("high"));
    // Later labels keep the previous model's texts.
    EXPECT_EQ(f.text(QStringLiteral("Label116")), QStringLiteral("2*11"));
}

TEST(InverterSheetEmpty, AnEmptyInverterTableLeavesEverythingEmpty) {
    MainWindowFixture f(QStringLiteral("[LanguageOf]\nLanguage=1252\n"), [](TempCatalog& temp) {
        test::fillSmallCatalog(temp);
        temp.exec(QStringLiteral("delete from inverter_info"));
    });
    EXPECT_EQ(f.find<QComboBox>(QStringLiteral("ComboBox17"))->count(), 0);
    EXPECT_EQ(f.find<QComboBox>(QStringLiteral("ComboBox18"))->count(), 0);
    EXPECT_EQ(f.text(QStringLiteral("Label113")), QString());
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
    EXPECT_TRUE(f.dialogs.messages.isEmpty());
}

class PictureStore : public InverterSheet {
protected:
    PictureStore() : InverterSheet(QStringLiteral("[LanguageOf]\nLanguage=1252\nInsertVisNum=318\n")) {
        // The operator works on the Inverter Select page, which opens once a city is chosen.
        f.window().show();
        f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
        f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Berlin"));
    }
    QString writeFile(const char* name, const QByteArray& bytes) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }
    QByteArray storedPicture(const char* model) {
        return f.catalog
            .scalar(QStringLiteral("select pic from inverter_info where inverter_type=?"),
                    {QString::fromLatin1(model)})
            .toByteArray();
    }
    QTemporaryDir dir;
};

TEST_F(PictureStore, StoresTheExactBytesOfTheLoadedFile) {
    // Bytes a re-encoding would not reproduce: the file's own JPEG with a trailing comment.
    const QByteArray file = test::jpegOf(Qt::red, {40, 30}) + QByteArray("trailing bytes");
    f.dialogs.pictureFile = writeFile("new.jpg", file);
    f.find<QPushButton>(QStringLiteral("BitBtn1"))->click();
    EXPECT_EQ(picture()->jpegBytes(), file);

    f.choose(QStringLiteral("ComboBox18"), QStringLiteral("KT4000-T1"));
    EXPECT_EQ(f.dialogs.messages, QStringList{QStringLiteral("保存图片成功！")});
    EXPECT_EQ(storedPicture("KT4000-T1"), file);
}

// Typing a name stores nothing on the way, although "KT4000-T" is passed on the way to "KT4000-T1";
// only Enter on a complete name the list holds stores the picture, and Enter on any other text does
// nothing at all.
TEST_F(PictureStore, OnlyAPickedOrConfirmedNameStoresThePicture) {
    const QByteArray own = test::jpegOf(Qt::blue, {40, 30});
    f.catalog.catalog().inverterInsert(test::sampleInverter("KT4000-T", "4.8", "4.4", "12"));
    f.catalog.catalog().inverterPictureQuery(QStringLiteral("KT4000-T"), own);
    f.window().inverter_add();
    const QByteArray file = test::jpegOf(Qt::red, {40, 30});
    f.dialogs.pictureFile = writeFile("new.jpg", file);
    f.find<QPushButton>(QStringLiteral("BitBtn1"))->click();

    QLineEdit* edit = f.find<QComboBox>(QStringLiteral("ComboBox18"))->lineEdit();
    QTest::keyClicks(edit, QStringLiteral("KT4000-T1"));
    EXPECT_TRUE(f.dialogs.errors.isEmpty()) << f.dialogs.errors.join(u'\n').toStdString();
    EXPECT_TRUE(f.dialogs.messages.isEmpty());
    EXPECT_EQ(storedPicture("KT4000-T"), own);
    EXPECT_TRUE(storedPicture("KT4000-T1").isNull());

    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(f.dialogs.messages, QStringList{QStringLiteral("保存图片成功！")});
    EXPECT_EQ(storedPicture("KT4000-T1"), file);
    EXPECT_EQ(storedPicture("KT4000-T"), own);

    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("KT40"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(f.dialogs.messages.size(), 1);
    EXPECT_TRUE(f.dialogs.errors.isEmpty()) << f.dialogs.errors.join(u'\n').toStdString();
}

TEST_F(PictureStore, AFileThatIsNoJpegKeepsTheShownPicture) {
    const QByteArray shown = picture()->jpegBytes();
    f.dialogs.pictureFile = writeFile("drawing.png", QByteArray("\x89PNG\r\n", 6));
    f.find<QPushButton>(QStringLiteral("BitBtn1"))->click();
    EXPECT_EQ(f.dialogs.errors.size(), 1);
    EXPECT_EQ(picture()->jpegBytes(), shown);
    // Cancelling the file picker changes nothing.
    f.dialogs.pictureFile.clear();
    f.find<QPushButton>(QStringLiteral("BitBtn1"))->click();
    EXPECT_EQ(f.dialogs.errors.size(), 1);
}

TEST_F(PictureStore, AnEmptyPictureBoxIsNotStored) {
    pick("KT4000-T1");
    f.choose(QStringLiteral("ComboBox18"), QStringLiteral("KT5000-S"));
    EXPECT_EQ(f.dialogs.errors, QStringList{QStringLiteral("There is no picture to store.")});
    EXPECT_EQ(storedPicture("KT5000-S"), test::jpegOf(Qt::gray, {40, 30}));
}

} // namespace
} // namespace tarvel

namespace tarvel {
namespace {

TEST(ShippedInverters, EveryModelShowsACompleteDataSheetAndPicture) {
    test::MainWindowFixture f(QStringLiteral("[LanguageOf]\nLanguage=1252\n"), [](test::TempCatalog& temp) {
        QFile::remove(temp.path());
        QFile::copy(QStringLiteral(TARVEL_SHIPPED_CATALOG), temp.path());
        QFile::setPermissions(temp.path(), QFile::ReadOwner | QFile::WriteOwner);
    });
    auto* chooser = f.find<QComboBox>(QStringLiteral("ComboBox17"));
    ASSERT_EQ(chooser->count(), 40);
    const char* const values[] = {"Label93",  "Label94",  "Label95",  "Label96",  "Label97",
                                  "Label98",  "Label99",  "Label113", "Label114", "Label115",
                                  "Label116", "Label117", "Label47",  "Label135", "Label136",
                                  "Label137", "Label138", "Label139", "Label150", "Label151"};
    for (int i = 0; i < chooser->count(); ++i) {
        const QString model = chooser->itemText(i);
        f.choose(QStringLiteral("ComboBox17"), model);
        for (const char* label : values)
            EXPECT_FALSE(f.text(QString::fromLatin1(label)).isEmpty()) << model.toStdString() << " " << label;
        EXPECT_TRUE(f.find<PictureBox>(QStringLiteral("Image26"))->hasPicture()) << model.toStdString();
    }
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
}

} // namespace
} // namespace tarvel

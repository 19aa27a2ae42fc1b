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
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

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

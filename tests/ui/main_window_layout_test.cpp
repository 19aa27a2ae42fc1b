#include "support/main_window_fixture.h"
#include "ui/display_widgets.h"
#include "ui/spin_edit.h"
#include "ui/ui_builders.h"

#include <QAction>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QChart>
#include <QChartView>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTabWidget>
#include <QValueAxis>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

using test::MainWindowFixture;

TEST(MainWindowLayout, EveryComponentNameExists) {
    MainWindowFixture f;
    const char* const names[] = {
        "RzPageControl1", "RzPageControl2", "suiImagePanel3", "Page3", "Page4", "Page5", "Page6", "Page7",
        "img_page3", "img_page4", "img_page5", "img_page6", "img_page7", "suiMainMenu1", "N14", "N16",
        "NewLocation2", "New_inverter", "New_panel", "N21", "N22", "N24", "N25", "N26",
        // ProjectInfo
        "ComboBox1", "ComboBox2", "SpinEdit1", "SpinEdit2", "SpinEdit3", "RzEdit3", "qing_jiao", "pian_jiao",
        "RzLabel11", "RzLabel12", "SpinEdit4", "SpinEdit5", "Energy", "Memo2", "Chart1",
        // Inverter Select
        "Label27", "ComboBox17", "BitBtn1", "ComboBox18", "Label93", "Label94", "Label95", "Label96",
        "Label97", "Label98", "Label99", "Label113", "Label114", "Label115", "Label116", "Label117",
        "Label47", "Label135", "Label136", "Label137", "Label138", "Label139", "Label150", "Label151",
        "Label85", "Label127", "Label128", "Label147", "Label148", "Image26",
        // Multi-String
        "SumNum", "Power", "Area", "PowerRate", "Image23", "Label3", "Label4", "RzGroupBox2", "RzGroupBox3",
        "RzGroupBox4", "ComboBox3", "ComboBox4", "ComboBox5", "ComboBox6", "ComboBox7", "ComboBox8",
        "SpinEdit6", "SpinEdit7", "SpinEdit8", "SpinEdit9", "SpinEdit10", "SpinEdit11", "PowerA", "PowerB",
        "PowerC", "IA", "IB", "IC", "IAmax", "IBmax", "ICmax", "KailuA10", "KailuB10", "KailuC10", "KailuA25",
        "KailuB25", "KailuC25", "KailuAMax", "KailuBMax", "KailuCMax", "MPPAmin", "MPPBmin", "MPPCmin",
        "MPPA15", "MPPB15", "MPPC15", "MPPA50", "MPPB50", "MPPC50", "MPPA70", "MPPB70", "MPPC70", "Image5",
        "Image6", "Image7", "Image8", "Image9", "Image10", "Image11", "Image12", "Image13", "Image14",
        "Image15", "Image16", "Image17", "Image18", "Image19", "Image20", "Image21", "Image22",
        // Cabling
        "RzGroupBox5", "RzGroupBox6", "RzGroupBox7", "RzGroupBox8", "ComboBox9", "ComboBox10", "SpinEdit12",
        "ComboBox11", "ComboBox14", "SpinEdit14", "combobox15", "COMBOBOX16", "SPINEDIT15", "ComboBox12",
        "ComboBox13", "SpinEdit13", "DCA_zukang", "DCA_lineV", "DCA_powerloss", "DCA_powerlossrate",
        "DCB_zukang", "DCB_lineV", "DCB_powerloss", "DCB_powerlossrate", "DCC_zukang", "DCC_lineV",
        "DCC_powerloss", "DCC_powerlossrate", "AC_zukang", "AC_linev", "AC_powerloss", "AC_powerlossrate",
        "Image1", "Image2", "Image3", "Image4",
        // Result
        "Edit2", "Edit3", "Position", "Temp", "PV_Power", "PV_Num", "Pv_Area", "DCMAX_Power", "AVMAX_Power",
        "Power_Rate", "Inverter_rate", "Power_Year", "StringsA_Num", "StringsB_Num", "StringsC_Num",
        "StringA_Num", "StringB_Num", "StringC_Num", "Memo6", "Label40", "Label41", "Label42", "Label43",
        "Label44", "Label45", "Label49", "Label50", "Label51", "Label52", "Label53", "Label54",
        // Pane
        "Label56", "Label64", "Label58", "Label57", "Label60", "Label61", "Label62", "Label66", "Label67",
        "Label68", "Label69", "Label70", "Label71", "Label72", "Label48", "suiImagePanel1", "Page_info",
        "Memo1"};
    for (const char* name : names)
        EXPECT_NE(f.window().findChild<QObject*>(QString::fromLatin1(name)), nullptr) << name;
}

TEST(MainWindowLayout, PagesMenusAndCaptionsAreThoseOfTheDesign) {
    MainWindowFixture f;
    auto* pages = f.find<QTabWidget>(QStringLiteral("RzPageControl1"));
    QStringList titles;
    for (int i = 0; i < pages->count(); ++i)
        titles << pages->tabText(i);
    EXPECT_EQ(titles, (QStringList{QStringLiteral("ProjectInfo"), QStringLiteral("Inverter Select "),
                                   QStringLiteral("Multi-String"), QStringLiteral("Cabling"),
                                   QStringLiteral("Result")}));
    auto* pane = f.find<QTabWidget>(QStringLiteral("RzPageControl2"));
    EXPECT_EQ(pane->tabText(0), QStringLiteral("System List"));
    EXPECT_EQ(pane->tabText(1), QStringLiteral("Help Info"));

    QStringList menus;
    for (QAction* top : f.window().menuBar()->actions())
        menus << top->text();
    // The captions with their mnemonics ("&File" shows as File with the F underlined).
    EXPECT_EQ(menus, (QStringList{QStringLiteral("&File"), QStringLiteral("&Database Update"),
                                  QStringLiteral("&Language"), QStringLiteral("&Print"),
                                  QStringLiteral("&Information")}));
    EXPECT_EQ(f.find<QAction>(QStringLiteral("N25"))->text(), QStringLiteral("&User Guide"));

    EXPECT_EQ(f.find<QGroupBox>(QStringLiteral("RzGroupBox8"))->title(), QStringLiteral("String-A"));
    EXPECT_EQ(f.text(QStringLiteral("Label27")), QStringLiteral("Moudle type"));
    EXPECT_EQ(f.text(QStringLiteral("Label85")), QStringLiteral("Protection type"));
    EXPECT_EQ(f.text(QStringLiteral("Label4")), QStringLiteral("Mudules per string"));
    EXPECT_EQ(f.text(QStringLiteral("Label43")), QStringLiteral("Max. PV-generator power [KW] "));
    EXPECT_EQ(f.text(QStringLiteral("Label49")), QStringLiteral("Inverter  efficiency"));
    EXPECT_EQ(f.text(QStringLiteral("StringsB_Num")), QStringLiteral("parallel 0 group"));

    auto* chart = f.find<QChartView>(QStringLiteral("Chart1"))->chart();
    EXPECT_EQ(chart->title(), QStringLiteral("Sunshine distribution"));
    EXPECT_EQ(chart->axes(Qt::Horizontal).first()->titleText(), QStringLiteral("Month"));
    EXPECT_EQ(chart->axes(Qt::Vertical).first()->titleText(), QStringLiteral("KWh/KWp"));
    EXPECT_FALSE(chart->legend()->isVisible());
    ASSERT_EQ(chart->series().size(), 1);
    auto* series = qobject_cast<QBarSeries*>(chart->series().first());
    ASSERT_NE(series, nullptr);
    EXPECT_EQ(series->objectName(), QStringLiteral("Series1"));
    EXPECT_DOUBLE_EQ(series->barWidth(), 0.45);
}

TEST(MainWindowLayout, FieldsHaveTheirRangesAndDefaults) {
    MainWindowFixture f;
    struct Range {
        const char* name;
        int minimum, maximum;
        const char* text;
    };
    const Range ranges[] = {
        {"SpinEdit1", -10, 80, "70"}, {"SpinEdit2", -40, 20, "-10"}, {"SpinEdit3", 0, 70, "50"},
        {"SpinEdit4", 0, 89, "0"},    {"SpinEdit5", -91, 89, "0"},   {"SpinEdit6", 0, 600, "0"},
        {"SpinEdit11", 0, 200, "0"},  {"SpinEdit12", 1, 10000, "1"}, {"SPINEDIT15", 1, 10000, "1"}};
    for (const Range& r : ranges) {
        auto* spin = f.find<SpinEdit>(QString::fromLatin1(r.name));
        EXPECT_EQ(spin->minimum(), r.minimum) << r.name;
        EXPECT_EQ(spin->maximum(), r.maximum) << r.name;
        EXPECT_EQ(spin->text(), QString::fromLatin1(r.text)) << r.name;
    }
    auto* material = f.find<QComboBox>(QStringLiteral("combobox15"));
    EXPECT_EQ(material->count(), 2);
    EXPECT_EQ(material->currentText(), QStringLiteral("Cu"));
    auto* section = f.find<QComboBox>(QStringLiteral("ComboBox13"));
    ASSERT_EQ(section->count(), 18);
    EXPECT_EQ(section->itemText(17), QStringLiteral("500"));
    EXPECT_EQ(section->currentText(), QStringLiteral("1.5"));
}

TEST(MainWindowLayout, PageControlsShareTheWidthInProportion) {
    EXPECT_EQ(pageControlWidths(987).designPages, 745);
    EXPECT_EQ(pageControlWidths(987).pane, 242);
    EXPECT_EQ(pageControlWidths(1000).designPages, 755);
    EXPECT_EQ(pageControlWidths(1000).pane, 245);
    EXPECT_EQ(pageControlWidths(975).designPages, 736);
    EXPECT_EQ(pageControlWidths(975).pane, 239);
}

TEST(MainWindowLayout, TheWindowIsCentredOnTheScreen) {
    const QRect fullHd(0, 40, 1920, 1040); // a task bar across the top
    EXPECT_EQ(centredTopLeft(fullHd, QSize(1000, 700)), QPoint(460, 210));
    // Larger than the screen: the title bar and the menu stay on it.
    EXPECT_EQ(centredTopLeft(QRect(0, 0, 800, 600), QSize(977, 680)), QPoint(0, 0));
    EXPECT_EQ(centredTopLeft(QRect(100, 0, 800, 1000), QSize(977, 680)), QPoint(100, 160));

    MainWindowFixture f;
    f.window().move(123, 77);
    f.window().show();
    EXPECT_EQ(f.window().pos(),
              centredTopLeft(f.window().screen()->availableGeometry(), f.window().frameGeometry().size()));
}

TEST(MainWindowLayout, ClientAreaIsFixedAndThePageControlsFillIt) {
    MainWindowFixture f;
    f.window().show();
    QWidget* client = f.window().centralWidget();
    EXPECT_EQ(client->size(), QSize(975, 629));
    auto* pages = f.find<QTabWidget>(QStringLiteral("RzPageControl1"));
    auto* pane = f.find<QTabWidget>(QStringLiteral("RzPageControl2"));
    EXPECT_EQ(pages->width(), pageControlWidths(975).designPages);
    EXPECT_EQ(pane->geometry().right(), 974);
    auto* logo = f.find<QLabel>(QStringLiteral("suiImagePanel3"));
    EXPECT_EQ(logo->x(), pane->x() - 85);
    EXPECT_EQ(logo->width(), 80);
}

// Pictures of panes that start hidden are drawn when first shown, and are then the same picture.
TEST(MainWindowLayout, HiddenPanesGetTheirPictureWhenFirstShown) {
    MainWindowFixture f;
    f.window().show();
    auto* help = f.find<QLabel>(QStringLiteral("suiImagePanel1"));
    EXPECT_TRUE(help->pixmap().isNull());
    f.find<QTabWidget>(QStringLiteral("RzPageControl2"))->setCurrentIndex(1);
    EXPECT_EQ(help->pixmap().toImage(), QPixmap(QStringLiteral(":/ui/help_picture.svg")).toImage());

    QLabel alone;
    setPixmapWhenShown(&alone, QStringLiteral(":/ui/string_layout.svg"));
    EXPECT_TRUE(alone.pixmap().isNull());
    alone.show();
    EXPECT_EQ(alone.pixmap().toImage(), QPixmap(QStringLiteral(":/ui/string_layout.svg")).toImage());
}

// The status marks are drawn once and reused; each mark still shows its own picture, the same as
// drawing its file anew, however often it is set.
TEST(StatusIcons, EachMarkShowsItsOwnPictureEveryTime) {
    const char* const files[3] = {":/ui/icon_ok.svg", ":/ui/icon_warning.svg", ":/ui/icon_danger.svg"};
    const TCheckMark marks[3] = {cmOk, cmWarning, cmDanger};
    StatusIcon icon;
    QList<QImage> shown;
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 3; ++i) {
            icon.setMark(marks[i]);
            const QImage drawn = QIcon(QString::fromLatin1(files[i])).pixmap(16, 16).toImage();
            EXPECT_EQ(icon.pixmap().toImage(), drawn) << files[i];
            if (round == 0)
                shown << drawn;
        }
    }
    EXPECT_NE(shown[0], shown[1]);
    EXPECT_NE(shown[1], shown[2]);
    icon.setMark(cmNone);
    EXPECT_TRUE(icon.pixmap().isNull());
}

} // namespace
} // namespace tarvel

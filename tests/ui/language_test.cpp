#include "i18n/multi_dd.h"
#include "support/main_window_fixture.h"
#include "ui/display_widgets.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

using test::MainWindowFixture;

const QString kShippedDictionary = QStringLiteral(TARVEL_RUN_DIR "/chinatoEN.lng");

QString ini(int codePage) {
    return QStringLiteral("[LanguageOf]\nLanguage=%1\n").arg(codePage);
}

// The shipped dictionary's text for a key, as the program looks it up.
QString display(MainWindowFixture& f, const char* key, int codePage) {
    return f.dm->LangFile().TranslateWide(QString::fromUtf8(key), QString::number(codePage),
                                          QStringLiteral("0"));
}

TEST(Language, TheWindowSpeaksChineseWithCodePage936) {
    MainWindowFixture f(ini(936), test::fillSmallCatalog, kShippedDictionary);
    EXPECT_EQ(f.window().windowTitle(), QStringLiteral("Tarvel 逆变器选型软件"));
    EXPECT_EQ(f.find<QTabWidget>(QStringLiteral("RzPageControl1"))->tabText(0), QStringLiteral("项目信息"));
    // The menu carries its mnemonic letter after the Chinese text.
    EXPECT_EQ(f.window().menuBar()->actions().first()->text(), QStringLiteral("文件(&F)"));
    EXPECT_EQ(f.text(QStringLiteral("Label27")), display(f, "Moudle type", 936));
    EXPECT_EQ(f.find<QChartView>(QStringLiteral("Chart1"))->chart()->title(),
              display(f, "Sunshine distribution", 936));
    EXPECT_EQ(f.find<QComboBox>(QStringLiteral("ComboBox1"))->placeholderText(),
              display(f, "Choose Country !", 936));
    EXPECT_EQ(f.text(QStringLiteral("RzEdit3")), display(f, "fix", 936));
    EXPECT_NE(f.text(QStringLiteral("Label27")), QStringLiteral("Moudle type"));
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
}

TEST(Language, EnglishShowsTheCorrectedTexts) {
    MainWindowFixture f(ini(1252), test::fillSmallCatalog, kShippedDictionary);
    EXPECT_EQ(f.text(QStringLiteral("Label4")), display(f, "Mudules per string", 1252));
    EXPECT_EQ(f.text(QStringLiteral("Label4")), QStringLiteral("Modules per string"));
}

TEST(Language, TranslatedMaterialsAndMessagesKeepWorking) {
    MainWindowFixture f(ini(936), test::fillSmallCatalog, kShippedDictionary);
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Berlin"));
    f.choose(QStringLiteral("ComboBox3"), QStringLiteral("Alpha"));
    f.choose(QStringLiteral("ComboBox4"), QStringLiteral("A-250"));
    f.type(QStringLiteral("SpinEdit6"), QStringLiteral("1"));
    f.type(QStringLiteral("SpinEdit7"), QStringLiteral("30")); // over-voltage
    EXPECT_EQ(f.dialogs.messages.first(),
              display(f, "System in danger.Please check your dimensioning!", 936));
    // The copper entry is shown translated and still compares as copper.
    const QString copper = display(f, "Cu", 936);
    ASSERT_NE(copper, QStringLiteral("Cu"));
    f.choose(QStringLiteral("ComboBox9"), copper);
    f.type(QStringLiteral("SpinEdit12"), QStringLiteral("100"));
    f.choose(QStringLiteral("ComboBox10"), QStringLiteral("4"));
    EXPECT_EQ(f.text(QStringLiteral("DCA_zukang")), QStringLiteral("0.4250"));
    f.choose(QStringLiteral("ComboBox9"), display(f, "Al", 936));
    EXPECT_EQ(f.text(QStringLiteral("DCA_zukang")), QStringLiteral("0.6950"));
}

TEST(Language, ALanguageChangeReplacesTheWindowBeforeTheRestart) {
    MainWindowFixture f(ini(936), test::fillSmallCatalog, kShippedDictionary);
    f.window().show();
    f.find<QAction>(QStringLiteral("N22"))->trigger();
    EXPECT_TRUE(f.settings.RestartPending);
    EXPECT_EQ(f.window().menuBar()->actions().first()->text(), QStringLiteral("&File"));
    EXPECT_EQ(f.find<QTabWidget>(QStringLiteral("RzPageControl1"))->tabText(0),
              display(f, "ProjectInfo", 1252));
}

TEST(Language, AMissingDictionaryIsReportedOnceAndTheDesignTextsShow) {
    QTemporaryDir nowhere;
    MainWindowFixture f(ini(936), test::fillSmallCatalog, nowhere.filePath(QStringLiteral("missing.lng")));
    ASSERT_EQ(f.dialogs.errors.size(), 1);
    EXPECT_TRUE(f.dialogs.errors.first().startsWith(QStringLiteral("Cannot open file")));
    EXPECT_EQ(f.text(QStringLiteral("Label27")), QStringLiteral("Moudle type"));
    f.window().N14Click();
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
    EXPECT_EQ(f.dialogs.errors.size(), 1);
}

} // namespace
} // namespace tarvel

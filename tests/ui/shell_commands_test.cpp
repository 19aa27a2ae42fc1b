#include "app/product_info.h"
#include "support/main_window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTimer>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

using test::MainWindowFixture;

QString ini(int language, int insertVisNum = 0) {
    return QStringLiteral("[LanguageOf]\nLanguage=%1\nInsertVisNum=%2\n").arg(language).arg(insertVisNum);
}

int storedLanguage(const QString& path) {
    return QSettings(path, QSettings::IniFormat).value(QStringLiteral("LanguageOf/Language")).toInt();
}

TEST(ShellCommands, TheCurrentLanguageIsChecked) {
    struct Case {
        int codePage;
        bool chinese, english;
    };
    for (const Case c : {Case{936, true, false}, Case{1252, false, true}, Case{437, false, false}}) {
        MainWindowFixture f(ini(c.codePage));
        EXPECT_EQ(f.find<QAction>(QStringLiteral("N21"))->isChecked(), c.chinese) << c.codePage;
        EXPECT_EQ(f.find<QAction>(QStringLiteral("N22"))->isChecked(), c.english) << c.codePage;
    }
}

TEST(ShellCommands, ALanguageChangeStoresTheCodePageAndRestarts) {
    MainWindowFixture f(ini(1252));
    f.window().show();
    f.find<QAction>(QStringLiteral("N21"))->trigger();
    EXPECT_EQ(storedLanguage(f.iniPath), 936);
    EXPECT_TRUE(f.settings.RestartPending);
    EXPECT_EQ(f.settings.LanguageCodePage, 936);
    EXPECT_TRUE(f.find<QAction>(QStringLiteral("N21"))->isChecked());
    EXPECT_FALSE(f.find<QAction>(QStringLiteral("N22"))->isChecked());
    EXPECT_FALSE(f.window().isVisible());

    restartIfPending(f.settings, f.platform, QStringLiteral("/opt/tarvel/tarvel"));
    EXPECT_EQ(f.platform.started, QStringList{QStringLiteral("/opt/tarvel/tarvel")});
}

TEST(ShellCommands, ChoosingTheActiveLanguageRestartsToo) {
    MainWindowFixture f(ini(1252));
    f.find<QAction>(QStringLiteral("N22"))->trigger();
    EXPECT_TRUE(f.settings.RestartPending);
    EXPECT_EQ(storedLanguage(f.iniPath), 1252);
}

TEST(ShellCommands, CancelClosesWithoutRestart) {
    MainWindowFixture f(ini(1252));
    f.window().show();
    f.find<QAction>(QStringLiteral("N16"))->trigger();
    EXPECT_FALSE(f.window().isVisible());
    restartIfPending(f.settings, f.platform, QStringLiteral("/opt/tarvel/tarvel"));
    EXPECT_TRUE(f.platform.started.isEmpty());
}

TEST(ShellCommands, AnUnwritableSettingsFileStopsTheLanguageChange) {
    MainWindowFixture f(ini(1252));
    // A folder in the place of the file cannot be written, whoever runs the test.
    QFile::remove(f.iniPath);
    ASSERT_TRUE(QDir().mkpath(f.iniPath));
    f.window().show();
    f.find<QAction>(QStringLiteral("N21"))->trigger();
    EXPECT_EQ(f.dialogs.errors, QStringList{QStringLiteral("Unable to write to ") + f.iniPath});
    EXPECT_FALSE(f.settings.RestartPending);
    EXPECT_EQ(f.settings.LanguageCodePage, 1252);
    EXPECT_TRUE(f.find<QAction>(QStringLiteral("N22"))->isChecked());
    EXPECT_TRUE(f.window().isVisible());
}

TEST(ShellCommands, TheUserGuideFollowsTheLanguage) {
    const QString dir = QCoreApplication::applicationDirPath();
    {
        MainWindowFixture f(ini(936));
        f.find<QAction>(QStringLiteral("N25"))->trigger();
        EXPECT_EQ(f.platform.opened, QStringList{QDir(dir).filePath(QStringLiteral("201203121143cn1.pdf"))});
    }
    for (int other : {1252, 437}) {
        MainWindowFixture f(ini(other));
        f.find<QAction>(QStringLiteral("N25"))->trigger();
        EXPECT_EQ(f.platform.opened, QStringList{QDir(dir).filePath(QStringLiteral("201203121143cn2.pdf"))});
    }
}

TEST(ShellCommands, TheCaptionShowsTheVersionAndMaintenanceModeIsDecidedAtShow) {
    {
        MainWindowFixture f(ini(1252, kMaintenanceValue));
        f.window().show();
        EXPECT_EQ(f.window().windowTitle(), QStringLiteral("Inverter Selection Software of Tarvel V1.3.0"));
        EXPECT_EQ(f.settings.ProgramVersion, QStringLiteral("1.3.0"));
        EXPECT_TRUE(f.find<QAction>(QStringLiteral("New_inverter"))->isVisible());
        EXPECT_FALSE(f.find<QPushButton>(QStringLiteral("BitBtn1"))->isHidden());
        EXPECT_FALSE(f.find<QComboBox>(QStringLiteral("ComboBox18"))->isHidden());
    }
    MainWindowFixture f(ini(1252, kMaintenanceValue + 1));
    f.window().show();
    EXPECT_FALSE(f.find<QAction>(QStringLiteral("New_inverter"))->isVisible());
    EXPECT_TRUE(f.find<QPushButton>(QStringLiteral("BitBtn1"))->isHidden());
    EXPECT_TRUE(f.find<QComboBox>(QStringLiteral("ComboBox18"))->isHidden());
}

// Reads the About box while it is shown modally, then closes it.
struct AboutBoxSeen {
    QString description;
    QString version;
    QString title;
    int openBoxes = 0;
};

AboutBoxSeen openAboutBox(MainWindowFixture& f) {
    AboutBoxSeen seen;
    QTimer::singleShot(0, [&seen] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<Tfrm_ProductInfo*>(w);
            if (!box || !box->isVisible())
                continue;
            ++seen.openBoxes;
            seen.title = box->windowTitle();
            seen.description = box->findChild<QPlainTextEdit*>(QStringLiteral("Mo_info"))->toPlainText();
            seen.version = box->findChild<QLabel*>(QStringLiteral("Label1"))->text();
            box->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        }
    });
    f.find<QAction>(QStringLiteral("N26"))->trigger();
    return seen;
}

TEST(ShellCommands, TheAboutBoxDescribesTheProductInTheInterfaceLanguage) {
    {
        MainWindowFixture f(ini(1252));
        f.window().show();
        const AboutBoxSeen seen = openAboutBox(f);
        EXPECT_EQ(seen.openBoxes, 1);
        EXPECT_EQ(seen.title, QStringLiteral("Information"));
        EXPECT_TRUE(seen.description.startsWith(QStringLiteral("Tarvel PV Designer designs")));
        EXPECT_EQ(seen.version, QStringLiteral("version: V1.3.0"));
        EXPECT_TRUE(f.window().findChildren<Tfrm_ProductInfo*>().isEmpty());
    }
    MainWindowFixture f(ini(936));
    f.window().show();
    EXPECT_TRUE(openAboutBox(f).description.contains(QStringLiteral("光伏")));
}

} // namespace
} // namespace tarvel

#include "design/design_file.h"
#include "support/file_size_limit.h"
#include "support/main_window_fixture.h"
#include "ui/design_results.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

using test::MainWindowFixture;

// A design with all three inputs and cables that are not the defaults.
void designSomething(MainWindowFixture& f) {
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Munich"));
    f.type(QStringLiteral("SpinEdit3"), QStringLiteral("45"));
    f.type(QStringLiteral("SpinEdit4"), QStringLiteral("28"));
    f.type(QStringLiteral("SpinEdit5"), QStringLiteral("-20"));
    f.choose(QStringLiteral("ComboBox17"), QStringLiteral("KT3000-S"));
    const char* const inputs[3][4] = {{"ComboBox3", "ComboBox4", "SpinEdit6", "SpinEdit7"},
                                      {"ComboBox5", "ComboBox6", "SpinEdit8", "SpinEdit9"},
                                      {"ComboBox7", "ComboBox8", "SpinEdit10", "SpinEdit11"}};
    const char* const modules[3][2] = {{"Alpha", "A-250"}, {"Alpha", "A-300"}, {"Beta", "B-310"}};
    for (int i = 0; i < 3; ++i) {
        f.choose(QString::fromLatin1(inputs[i][0]), QString::fromLatin1(modules[i][0]));
        f.choose(QString::fromLatin1(inputs[i][1]), QString::fromLatin1(modules[i][1]));
        f.type(QString::fromLatin1(inputs[i][2]), QString::number(i + 1));
        f.type(QString::fromLatin1(inputs[i][3]), QString::number(8 + i));
    }
    f.choose(QStringLiteral("ComboBox9"), QStringLiteral("Al"));
    f.type(QStringLiteral("SpinEdit12"), QStringLiteral("40"));
    f.choose(QStringLiteral("ComboBox10"), QStringLiteral("6"));
    f.type(QStringLiteral("SpinEdit13"), QStringLiteral("25"));
    f.choose(QStringLiteral("ComboBox13"), QStringLiteral("10"));
    f.type(QStringLiteral("Edit2"), QStringLiteral("Sunny Roofs Ltd"));
    f.type(QStringLiteral("Edit3"), QStringLiteral("J. Smith"));
}

class DesignFiles : public testing::Test {
protected:
    QString path(const char* name) { return dir.filePath(QString::fromLatin1(name)); }
    QByteArray content(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }
    QTemporaryDir dir;
};

TEST_F(DesignFiles, SavingAndOpeningGivesTheSameInputsAndResults) {
    MainWindowFixture f;
    designSomething(f);
    const DesignFile inputs = f.window().captureDesign();
    const QJsonObject results = designResults(f.window());
    EXPECT_EQ(inputs.cables[0].material, QStringLiteral("Al"));
    EXPECT_EQ(inputs.inputs[2].modulesPerString, 10);
    f.dialogs.designFile = path("design.tpvd");
    f.find<QAction>(QStringLiteral("SaveDesign"))->trigger();

    f.window().N14Click();
    ASSERT_NE(designResults(f.window()), results);
    f.find<QAction>(QStringLiteral("OpenDesign"))->trigger();
    EXPECT_EQ(f.window().captureDesign(), inputs);
    EXPECT_EQ(designResults(f.window()), results);
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
}

TEST_F(DesignFiles, WhatTheCatalogLacksIsSkippedAndListedOnce) {
    MainWindowFixture f;
    designSomething(f);
    f.window().saveDesign(path("design.tpvd"));
    f.catalog.exec(QStringLiteral("delete from panel_info where strings_type='A-300'"));
    f.dialogs.messages.clear();
    f.dialogs.designFile = path("design.tpvd");
    f.find<QAction>(QStringLiteral("OpenDesign"))->trigger();
    ASSERT_EQ(f.dialogs.messages.size(), 1);
    EXPECT_EQ(
        f.dialogs.messages.first(),
        QStringLiteral("Some parts of the design are not in the catalog and were left out:\nModule type of "
                       "String-B: A-300"));
    // Everything else is back.
    EXPECT_EQ(f.text(QStringLiteral("PowerA")), QStringLiteral("2000"));
    EXPECT_EQ(f.text(QStringLiteral("PowerC")), QStringLiteral("9300"));
    EXPECT_EQ(f.text(QStringLiteral("Edit3")), QStringLiteral("J. Smith"));
    EXPECT_EQ(f.text(QStringLiteral("SpinEdit4")), QStringLiteral("28"));
}

TEST_F(DesignFiles, MessagesOfTheReplayAreShownTogetherAtTheEnd) {
    MainWindowFixture f;
    designSomething(f);
    f.type(QStringLiteral("SpinEdit7"), QStringLiteral("30")); // over-voltage: two danger boxes
    f.window().saveDesign(path("design.tpvd"));
    f.dialogs.messages.clear();
    const Tfrm_main::OpenResult result = f.window().openDesign(path("design.tpvd"));
    EXPECT_TRUE(f.dialogs.messages.isEmpty());
    EXPECT_EQ(result.messages,
              QStringList{QStringLiteral("System in danger.Please check your dimensioning!")});
    f.window().showOpenResult(result);
    EXPECT_EQ(f.dialogs.messages.size(), 1);
}

TEST_F(DesignFiles, AMalformedFileLeavesTheDesignUntouched) {
    MainWindowFixture f;
    designSomething(f);
    const QJsonObject results = designResults(f.window());
    QFile broken(path("broken.tpvd"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("{\"format\": \"tarvel-pv-design\", \"version\": 1}");
    broken.close();
    f.dialogs.designFile = broken.fileName();
    f.find<QAction>(QStringLiteral("OpenDesign"))->trigger();
    ASSERT_EQ(f.dialogs.errors.size(), 1);
    EXPECT_TRUE(f.dialogs.errors.first().startsWith(QStringLiteral("The design file is not valid")));
    EXPECT_EQ(designResults(f.window()), results);
}

TEST_F(DesignFiles, AChangeOfLanguageKeepsTheDesign) {
    DesignFile inputs;
    QJsonObject results;
    QString handedOver;
    {
        MainWindowFixture f;
        designSomething(f);
        inputs = f.window().captureDesign();
        results = designResults(f.window());
        f.find<QAction>(QStringLiteral("N22"))->trigger();
        f.platform.keepHandedOverDesigns = true;
        restartIfPending(f.settings, f.platform, QStringLiteral("/opt/tarvel/tarvel"));
        ASSERT_EQ(f.platform.startArguments.size(), 1);
        ASSERT_EQ(f.platform.startArguments.first().size(), 2);
        EXPECT_EQ(f.platform.startArguments.first().first(), QStringLiteral("--restart-design"));
        handedOver = f.platform.startArguments.first().last();
    }
    ASSERT_TRUE(QFileInfo::exists(handedOver));
    MainWindowFixture restarted;
    restarted.window().openDesignAfterRestart(handedOver);
    EXPECT_EQ(restarted.window().captureDesign(), inputs);
    EXPECT_EQ(designResults(restarted.window()), results);
    EXPECT_FALSE(QFileInfo::exists(handedOver));
}

// A full disk during "Save Design...": the earlier file of that name stays as it was, and the user is
// told.
TEST_F(DesignFiles, ASaveTheDiskDoesNotTakeKeepsTheEarlierFileAndSaysSo) {
    MainWindowFixture f;
    designSomething(f);
    f.window().saveDesign(path("design.tpvd"));
    const QByteArray earlier = content(path("design.tpvd"));
    f.type(QStringLiteral("Edit3"), QStringLiteral("Someone Else"));
    f.dialogs.designFile = path("design.tpvd");
    {
        test::FileSizeLimit fullAfter(256);
        f.find<QAction>(QStringLiteral("SaveDesign"))->trigger();
    }
    EXPECT_EQ(
        f.dialogs.errors,
        QStringList{
            QStringLiteral("The design could not be saved: %1: File too large").arg(path("design.tpvd"))});
    EXPECT_EQ(content(path("design.tpvd")), earlier);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("design.tpvd")});
}

// Opening a pipe or a device is refused at once (neither waits for a writer nor reads without end).
TEST_F(DesignFiles, APipeOrADeviceIsNoDesignFile) {
    MainWindowFixture f;
    designSomething(f);
    const QJsonObject results = designResults(f.window());
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.tpvd")).constData(), 0600), 0);
    for (const QString& file : {path("pipe.tpvd"), QStringLiteral("/dev/zero")}) {
        f.dialogs.errors.clear();
        f.dialogs.designFile = file;
        f.find<QAction>(QStringLiteral("OpenDesign"))->trigger();
        EXPECT_EQ(f.dialogs.errors, QStringList{file + QStringLiteral(": it is not a regular file")});
        EXPECT_EQ(designResults(f.window()), results);
    }
}

// "--open-design" opens a user's own file and leaves it alone; only the temporary file a change of
// language made is deleted after it was opened, and one a restart never opens is deleted too.
TEST_F(DesignFiles, OnlyTheRestartsOwnTemporaryDesignIsEverDeleted) {
    DesignFile inputs;
    {
        MainWindowFixture f;
        designSomething(f);
        inputs = f.window().captureDesign();
        f.window().saveDesign(path("mine.tpvd"));
    }
    const QByteArray mine = content(path("mine.tpvd"));
    // "tarvel mine.tpvd" is how the desktop entry opens a double-clicked file; an option the window
    // does not know is not taken for a file.
    for (const char* option : {"--open-design", "--restart-design", "-reverse"}) {
        MainWindowFixture started;
        started.window().openFromCommandLine(
            {QStringLiteral("tarvel"), QString::fromLatin1(option), path("mine.tpvd")});
        EXPECT_EQ(started.window().captureDesign(), inputs) << option;
        EXPECT_TRUE(started.dialogs.errors.isEmpty()) << option;
        EXPECT_EQ(content(path("mine.tpvd")), mine) << option;
        if (qstrcmp(option, "--restart-design") != 0) {
            EXPECT_EQ(started.window().designFilePath(), path("mine.tpvd")) << option; // Save goes there
        }
    }

    QString kept;
    {
        MainWindowFixture f;
        designSomething(f);
        f.find<QAction>(QStringLiteral("N22"))->trigger();
        kept = f.settings.RestartDesign;
        ASSERT_TRUE(QFileInfo::exists(kept));
        f.platform.startSucceeds = false;
        restartIfPending(f.settings, f.platform, QStringLiteral("/opt/tarvel/tarvel"));
        EXPECT_FALSE(QFileInfo::exists(kept)) << "a restart that failed to start left its design";
        EXPECT_TRUE(f.settings.RestartDesign.isEmpty());

        f.find<QAction>(QStringLiteral("N21"))->trigger();
        kept = f.settings.RestartDesign;
        ASSERT_TRUE(QFileInfo::exists(kept));
    }
    EXPECT_FALSE(QFileInfo::exists(kept)) << "a window that never restarted left its design";
}

} // namespace
} // namespace tarvel

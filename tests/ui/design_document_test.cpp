#include "app/app_settings.h"
#include "design/design_file.h"
#include "support/main_window_fixture.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

using test::MainWindowFixture;

const QString kCaption = QStringLiteral("Inverter Selection Software of Tarvel V1.3.0");

class DesignDocument : public testing::Test {
protected:
    DesignDocument() { f.window().show(); }
    QString path(const char* name) { return dir.filePath(QString::fromLatin1(name)); }
    void trigger(const char* action) { f.find<QAction>(QString::fromLatin1(action))->trigger(); }
    void startDesign() {
        f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
        f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Berlin"));
    }
    // Saves the design as `name` through "Save Design As...".
    void saveAs(const char* name) {
        f.dialogs.designFile = path(name);
        trigger("SaveDesignAs");
        f.dialogs.designFile.clear();
    }
    QString city(const QString& file) {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? readDesignFile(in.readAll()).city : QString();
    }

    QTemporaryDir dir;
    MainWindowFixture f;
};

TEST_F(DesignDocument, TheTitleMarksUnsavedChangesAndSaveNeedsNoQuestionAfterSaveAs) {
    EXPECT_EQ(f.window().windowTitle(), kCaption);
    startDesign();
    EXPECT_TRUE(f.window().isWindowModified());
    EXPECT_EQ(f.window().windowTitle(), kCaption + QStringLiteral("[*]"));
    // Without a file "Save Design" asks where, as "Save Design As..." does.
    f.dialogs.designFile = path("first.tpvd");
    trigger("SaveDesign");
    saveAs("berlin.tpvd");
    EXPECT_FALSE(f.window().isWindowModified());
    EXPECT_EQ(f.window().windowTitle(), QStringLiteral("berlin.tpvd[*] \u2014 ") + kCaption);

    // A value typed and typed back, or the same entry chosen again, is no change.
    f.type(QStringLiteral("SpinEdit1"), QStringLiteral("65"));
    EXPECT_TRUE(f.window().isWindowModified());
    f.type(QStringLiteral("SpinEdit1"), QStringLiteral("70"));
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Berlin"));
    EXPECT_FALSE(f.window().isWindowModified());

    f.dialogs.designFile = path("never.tpvd"); // what a file dialog would answer
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Munich"));
    trigger("SaveDesign");
    EXPECT_FALSE(QFileInfo::exists(path("never.tpvd")));
    EXPECT_EQ(city(path("berlin.tpvd")), QStringLiteral("Munich"));
    EXPECT_EQ(city(path("first.tpvd")), QStringLiteral("Berlin"));
    EXPECT_FALSE(f.window().isWindowModified());
    EXPECT_EQ(f.dialogs.saveQuestions, 0);
}

TEST_F(DesignDocument, NewAndOpenAskForAChangedDesignAndFollowTheAnswer) {
    trigger("N14"); // nothing changed: no question
    EXPECT_EQ(f.dialogs.saveQuestions, 0);
    startDesign();
    saveAs("berlin.tpvd");
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Munich"));
    f.dialogs.saveAnswer = SaveAnswer::Cancel;
    trigger("N14");
    trigger("OpenDesign");
    EXPECT_EQ(f.dialogs.saveQuestions, 2);
    EXPECT_EQ(f.text(QStringLiteral("ComboBox2")), QStringLiteral("Munich"));

    f.dialogs.saveAnswer = SaveAnswer::Save;
    trigger("N14");
    EXPECT_EQ(city(path("berlin.tpvd")), QStringLiteral("Munich"));
    EXPECT_EQ(f.text(QStringLiteral("ComboBox1")), QString());
    EXPECT_EQ(f.window().windowTitle(), kCaption);

    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("France"));
    f.dialogs.saveAnswer = SaveAnswer::Discard;
    f.dialogs.designFile = path("berlin.tpvd");
    trigger("OpenDesign");
    EXPECT_EQ(f.dialogs.saveQuestions, 4);
    EXPECT_EQ(f.text(QStringLiteral("ComboBox2")), QStringLiteral("Munich"));
    EXPECT_EQ(f.window().designFilePath(), path("berlin.tpvd"));
    EXPECT_FALSE(f.window().isWindowModified());

    // "Save" for a design without a file asks where; no answer there keeps the design.
    trigger("N14");
    startDesign();
    f.dialogs.saveAnswer = SaveAnswer::Save;
    f.dialogs.designFile.clear();
    trigger("N14");
    EXPECT_EQ(f.text(QStringLiteral("ComboBox2")), QStringLiteral("Berlin"));
    EXPECT_TRUE(f.window().isWindowModified());
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
}

TEST_F(DesignDocument, ClosingTheWindowAsksForAChangedDesign) {
    startDesign();
    f.dialogs.saveAnswer = SaveAnswer::Cancel;
    EXPECT_FALSE(f.window().close());
    f.dialogs.saveAnswer = SaveAnswer::Save;
    f.dialogs.designFile = path("closing.tpvd");
    EXPECT_TRUE(f.window().close());
    EXPECT_EQ(city(path("closing.tpvd")), QStringLiteral("Berlin"));

    f.window().show();
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Munich"));
    f.dialogs.saveAnswer = SaveAnswer::Discard;
    trigger("N16");
    EXPECT_FALSE(f.window().isVisible());
    EXPECT_EQ(city(path("closing.tpvd")), QStringLiteral("Berlin"));
    EXPECT_EQ(f.dialogs.saveQuestions, 3);
}

// Two windows never live at once here, as in the program: each has its data module and dictionary.
QString cityIn(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? readDesignFile(in.readAll()).city : QString();
}

// The arguments of the restart the fixture's program asked for, with the handed-over design copied
// aside: the fixture deletes its restart files when it goes, as a finished program would.
QStringList restartArguments(MainWindowFixture& f, const QTemporaryDir& dir) {
    restartIfPending(f.settings, f.platform, QStringLiteral("/opt/tarvel/tarvel"));
    if (f.platform.startArguments.size() != 1)
        return {};
    QStringList arguments = f.platform.startArguments.first();
    static int handedOver = 0;
    const QString copy = dir.filePath(QStringLiteral("handed-over-%1.tpvd").arg(++handedOver));
    if (arguments.size() < 2 || !QFile::copy(arguments[1], copy))
        return {};
    arguments[1] = copy;
    return arguments;
}

void chooseBerlin(MainWindowFixture& f) {
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Berlin"));
}

TEST(DesignDocumentRestart, ALanguageChangeAsksAndTheRestartedProgramGoesOnWithTheSameFile) {
    QTemporaryDir dir;
    const QString berlin = dir.filePath(QStringLiteral("berlin.tpvd"));
    QStringList arguments;
    {
        MainWindowFixture f;
        chooseBerlin(f);
        f.dialogs.designFile = berlin;
        f.find<QAction>(QStringLiteral("SaveDesignAs"))->trigger();
        f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Munich"));

        f.dialogs.saveAnswer = SaveAnswer::Cancel;
        f.find<QAction>(QStringLiteral("N21"))->trigger();
        EXPECT_FALSE(f.settings.RestartPending);
        EXPECT_EQ(LanguageIni(f.iniPath).readInteger(QStringLiteral("Language"), 0), 1252);

        // Discard: the file keeps what it had; the design goes to the new program, still marked.
        f.dialogs.saveAnswer = SaveAnswer::Discard;
        f.find<QAction>(QStringLiteral("N21"))->trigger();
        ASSERT_TRUE(f.settings.RestartPending);
        EXPECT_EQ(f.dialogs.saveQuestions, 2);
        EXPECT_EQ(cityIn(berlin), QStringLiteral("Berlin"));
        arguments = restartArguments(f, dir);
    }
    ASSERT_EQ(arguments.size(), 5);
    EXPECT_EQ(arguments.mid(2),
              (QStringList{QStringLiteral("--design-name"), berlin, QStringLiteral("--design-modified")}));
    {
        MainWindowFixture restarted;
        restarted.window().openFromCommandLine(QStringList{QStringLiteral("tarvel")} + arguments);
        EXPECT_EQ(restarted.text(QStringLiteral("ComboBox2")), QStringLiteral("Munich"));
        EXPECT_EQ(restarted.window().designFilePath(), berlin);
        EXPECT_TRUE(restarted.window().isWindowModified());
        EXPECT_TRUE(restarted.window().windowTitle().startsWith(QStringLiteral("berlin.tpvd[*] ")));

        // Save: the file takes the change first, and the next program starts without a mark.
        restarted.dialogs.saveAnswer = SaveAnswer::Save;
        restarted.find<QAction>(QStringLiteral("N22"))->trigger();
        EXPECT_EQ(cityIn(berlin), QStringLiteral("Munich"));
        arguments = restartArguments(restarted, dir);
    }
    ASSERT_EQ(arguments.size(), 4);
    EXPECT_EQ(arguments.mid(2), (QStringList{QStringLiteral("--design-name"), berlin}));
    MainWindowFixture again;
    again.window().openFromCommandLine(QStringList{QStringLiteral("tarvel")} + arguments);
    EXPECT_FALSE(again.window().isWindowModified());
    EXPECT_EQ(again.window().designFilePath(), berlin);
    EXPECT_EQ(again.text(QStringLiteral("ComboBox2")), QStringLiteral("Munich"));
    EXPECT_TRUE(again.dialogs.errors.isEmpty());
}

TEST(DesignDocumentRestart, RecentFilesAreKeptAcrossARestartAndPrunedOfMissingFiles) {
    QTemporaryDir dir;
    auto path = [&dir](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
    auto entries = [](MainWindowFixture& f) {
        auto* menu = f.find<QMenu>(QStringLiteral("menuRecent"));
        emit menu->aboutToShow();
        QStringList texts;
        for (QAction* entry : menu->actions())
            texts << entry->text();
        return texts;
    };
    QByteArray settings;
    {
        MainWindowFixture f;
        chooseBerlin(f);
        for (const char* name : {"a.tpvd", "b.tpvd", "c&d.tpvd"}) {
            f.dialogs.designFile = path(name);
            f.find<QAction>(QStringLiteral("SaveDesignAs"))->trigger();
        }
        EXPECT_EQ(entries(f), (QStringList{QStringLiteral("&1 c&&d.tpvd"), QStringLiteral("&2 b.tpvd"),
                                           QStringLiteral("&3 a.tpvd")}));
        QFile ini(f.iniPath);
        ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
        settings = ini.readAll();
    }
    ASSERT_TRUE(QFile::remove(path("b.tpvd")));

    MainWindowFixture next(QString::fromUtf8(settings));
    EXPECT_EQ(next.window().recentDesigns().paths(), (QStringList{path("c&d.tpvd"), path("a.tpvd")}));
    EXPECT_EQ(entries(next), (QStringList{QStringLiteral("&1 c&&d.tpvd"), QStringLiteral("&2 a.tpvd")}));

    // Choosing an entry opens that design, asking first for a changed one.
    next.choose(QStringLiteral("ComboBox1"), QStringLiteral("France"));
    next.find<QAction>(QStringLiteral("RecentDesign2"))->trigger();
    EXPECT_EQ(next.dialogs.saveQuestions, 1);
    EXPECT_EQ(next.window().designFilePath(), path("a.tpvd"));
    EXPECT_EQ(next.text(QStringLiteral("ComboBox2")), QStringLiteral("Berlin"));
    EXPECT_EQ(next.window().recentDesigns().paths().first(), path("a.tpvd"));

    // A file that went away after the menu was shown is reported and leaves the list.
    entries(next);
    ASSERT_TRUE(QFile::remove(path("c&d.tpvd")));
    next.find<QAction>(QStringLiteral("RecentDesign2"))->trigger();
    ASSERT_EQ(next.dialogs.errors.size(), 1) << next.dialogs.errors.join(u'|').toStdString();
    EXPECT_TRUE(next.dialogs.errors.first().startsWith(path("c&d.tpvd")));
    EXPECT_EQ(next.window().recentDesigns().paths(), QStringList{path("a.tpvd")});
    EXPECT_EQ(next.window().designFilePath(), path("a.tpvd"));
}

} // namespace
} // namespace tarvel

#include "app/app_settings.h"
#include "app/tdm.h"
#include "i18n/resource_strings.h"
#include "support/file_size_limit.h"
#include "support/main_window_fixture.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

using test::FakePlatform;
using test::RecordingDialogs;

class SettingsReading : public testing::Test {
protected:
    void TearDown() override { ResourceTranslator::instance().switchOff(); }

    void writeIni(const QString& text) {
        QFile file(iniPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }
    void createDataModule() {
        dm = std::make_unique<TDM>(settings, platform, dialogs, iniPath,
                                   dir.filePath(QStringLiteral("VurIvira")));
    }
    QVariant stored(const char* key) {
        return QSettings(iniPath, QSettings::IniFormat)
            .value(QStringLiteral("LanguageOf/") + QString::fromLatin1(key));
    }

    QTemporaryDir dir;
    QString iniPath = dir.filePath(QStringLiteral("Language.ini"));
    TAppSettings settings;
    FakePlatform platform;
    RecordingDialogs dialogs;
    std::unique_ptr<TDM> dm;
};

TEST_F(SettingsReading, AMissingFileGetsTheSystemLanguageWrittenBack) {
    platform.oem = 936;
    createDataModule();
    EXPECT_EQ(settings.LanguageCodePage, 936);
    EXPECT_EQ(settings.InsertVisNum, 0);
    EXPECT_EQ(stored("Language").toInt(), 936);
    EXPECT_TRUE(ResourceTranslator::instance().isOn());
    EXPECT_EQ(ResourceTranslator::instance().defaultReplaceOption().CodePage, QStringLiteral("936"));
    EXPECT_EQ(ResourceTranslator::instance().defaultReplaceOption().DDName, QStringLiteral("DD_Resource"));
    EXPECT_EQ(ResourceTranslator::instance().defaultReplaceOption().SeqNo, QStringLiteral("0"));
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(SettingsReading, StoredValuesAreUsedAsTheyStand) {
    writeIni(QStringLiteral("[LanguageOf]\nLanguage=437\nInsertVisNum=318\n"));
    createDataModule();
    EXPECT_EQ(settings.LanguageCodePage, 437);
    EXPECT_EQ(settings.InsertVisNum, 318);
    EXPECT_EQ(ResourceTranslator::instance().defaultReplaceOption().CodePage, QStringLiteral("437"));
}

TEST_F(SettingsReading, ALanguageThatIsNoNumberCountsAsMissing) {
    writeIni(QStringLiteral("[LanguageOf]\nLanguage=english\n"));
    platform.oem = 1252;
    createDataModule();
    EXPECT_EQ(settings.LanguageCodePage, 1252);
    EXPECT_EQ(stored("Language").toInt(), 1252);
}

// As the profile functions do, section and keys are found in any letter case, and a value is written
// where it stands instead of into a second section.
TEST_F(SettingsReading, SectionAndKeysAreFoundInAnyLetterCase) {
    writeIni(QStringLiteral("[languageof]\nlanguage=936\nINSERTVISNUM=318\n"));
    createDataModule();
    EXPECT_EQ(settings.LanguageCodePage, 936);
    EXPECT_EQ(settings.InsertVisNum, 318);

    LanguageIni(iniPath).writeInteger(QStringLiteral("Language"), 1252);
    EXPECT_EQ(LanguageIni(iniPath).readInteger(QStringLiteral("Language"), 0), 1252);
    QFile file(iniPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString written = QString::fromUtf8(file.readAll());
    EXPECT_EQ(written.count(u'['), 1) << written.toStdString();
    EXPECT_EQ(written.count(QStringLiteral("language="), Qt::CaseInsensitive), 1) << written.toStdString();
    EXPECT_TRUE(written.contains(QStringLiteral("INSERTVISNUM=318"))) << written.toStdString();
}

TEST_F(SettingsReading, AnUnwritableFileIsReportedAndResourceTextsStayUntranslated) {
    ASSERT_TRUE(QDir().mkpath(iniPath));
    platform.oem = 936;
    createDataModule();
    EXPECT_EQ(dialogs.errors, QStringList{QStringLiteral("Unable to write to ") + iniPath});
    EXPECT_EQ(settings.LanguageCodePage, 936);
    EXPECT_FALSE(ResourceTranslator::instance().isOn());
}

// Writing changes the one value and keeps every other line as it was.
TEST_F(SettingsReading, AWriteChangesTheValueAndKeepsTheRestOfTheFile) {
    writeIni(QStringLiteral("; kept by hand\r\n[Other]\r\nLanguage=7\r\n[LanguageOf]\r\nLanguage = 1252\r\n"
                            "InsertVisNum=318\r\n"));
    LanguageIni(iniPath).writeInteger(QStringLiteral("Language"), 936);
    QFile file(iniPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(),
              QByteArray("; kept by hand\r\n[Other]\r\nLanguage=7\r\n[LanguageOf]\r\nLanguage=936\r\n"
                         "InsertVisNum=318\r\n"));
    EXPECT_EQ(LanguageIni(iniPath).readInteger(QStringLiteral("Language"), 0), 936);
    EXPECT_EQ(LanguageIni(iniPath).readInteger(QStringLiteral("InsertVisNum"), 0), 318);
}

// A full disk: the settings file is either the whole new one or the old one, never half of one.
TEST_F(SettingsReading, AWriteTheDiskDoesNotTakeIsReportedAndKeepsTheOldFile) {
    const QString old = QStringLiteral("[LanguageOf]\nLanguage=1252\nInsertVisNum=318\n");
    writeIni(old);
    {
        test::FileSizeLimit fullAfter(16);
        EXPECT_THROW(LanguageIni(iniPath).writeInteger(QStringLiteral("Language"), 936), SettingsError);
    }
    QFile file(iniPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Language.ini")});
}

// A settings path that names a device, a socket or a pipe (here through a link) is reported as
// unwritable; the node stays what it was, and reading it neither hangs nor fails.
TEST_F(SettingsReading, ASettingsFileThatIsNoRegularFileIsNeverReplaced) {
    auto encoded = [](const QString& path) { return QFile::encodeName(path); };
    std::vector<std::pair<QString, mode_t>> nodes;
    // A second /dev/null; only root may make device nodes, so without root this case is left out.
    const QString devicePath = dir.filePath(QStringLiteral("device"));
    if (::mknod(encoded(devicePath).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        nodes.emplace_back(devicePath, S_IFCHR);
    const QString socketPath = dir.filePath(QStringLiteral("socket"));
    const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(listening, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(encoded(socketPath).size(), qsizetype(sizeof address.sun_path));
    std::memcpy(address.sun_path, encoded(socketPath).constData(),
                static_cast<std::size_t>(encoded(socketPath).size()));
    ASSERT_EQ(::bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    nodes.emplace_back(socketPath, S_IFSOCK);
    const QString fifoPath = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(encoded(fifoPath).constData(), 0600), 0);
    nodes.emplace_back(fifoPath, S_IFIFO);

    for (const auto& [node, kind] : nodes) {
        dm.reset();
        QFile::remove(iniPath);
        ASSERT_TRUE(QFile::link(node, iniPath));
        dialogs.errors.clear();
        platform.oem = 936;
        createDataModule();
        EXPECT_EQ(dialogs.errors, QStringList{QStringLiteral("Unable to write to ") + iniPath})
            << node.toStdString();
        EXPECT_EQ(settings.LanguageCodePage, 936);
        EXPECT_TRUE(QFileInfo(iniPath).isSymLink());
        struct stat status {};
        ASSERT_EQ(::lstat(encoded(node).constData(), &status), 0);
        EXPECT_EQ(status.st_mode & S_IFMT, kind) << node.toStdString() << " was replaced";
    }
    ::close(listening);
}

TEST(Version, ShowsThreeOfTheFourNumbers) {
    EXPECT_EQ(programVersionText(QStringLiteral("1.3.0.1")), QStringLiteral("1.3.0"));
    EXPECT_EQ(programVersionText(QStringLiteral("2.5.7.9")), QStringLiteral("2.5.7"));
    EXPECT_EQ(programVersionText(QString()), QString());
    EXPECT_EQ(programVersionText(QStringLiteral("1.x.0.1")), QString());
    EXPECT_EQ(getpvVersitionL(), QStringLiteral("1.3.0"));
}

TEST(Restart, NothingStartsWithoutAPendingRestart) {
    TAppSettings settings;
    FakePlatform platform;
    restartIfPending(settings, platform, QStringLiteral("/bin/tarvel"));
    EXPECT_TRUE(platform.started.isEmpty());
    settings.RestartPending = true;
    restartIfPending(settings, platform, QStringLiteral("/bin/tarvel"));
    EXPECT_EQ(platform.started, QStringList{QStringLiteral("/bin/tarvel")});
}

} // namespace
} // namespace tarvel

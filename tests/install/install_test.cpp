#include "catalog/catalog.h"
#include "support/pdf_text.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The program installed with cmake --install into a temporary prefix that is then made read-only,
// run with a home folder of its own, as a packaged program runs.
//
// The suite may run as root, whom file permissions do not stop: a program that wrote into its prefix
// would then succeed. So the prefix is also compared with what was installed, file by file (contents,
// times, permissions, and no file more or less), and the program must have chosen the user's folders
// because it runs from an installation, not because a write failed.

namespace tarvel {
namespace {

using test::pdfText;

const QString kAppId = QStringLiteral(TARVEL_APP_ID);

struct ProgramRun {
    int status = -1;
    QString output;
    QString errors;
};

QString describe(const ProgramRun& run) {
    return QStringLiteral("status %1\nstdout:\n%2\nstderr:\n%3").arg(run.status).arg(run.output, run.errors);
}

// What a file or folder of the prefix is: contents, modification time and permissions.
using Snapshot = QMap<QString, QString>;

Snapshot snapshot(const QString& root) {
    Snapshot files;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QString state =
            QStringLiteral("%1 %2").arg(info.lastModified().toMSecsSinceEpoch()).arg(info.permissions());
        if (info.isFile()) {
            QFile file(info.filePath());
            EXPECT_TRUE(file.open(QIODevice::ReadOnly));
            state += u' ' + QString::fromLatin1(
                                QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex());
        }
        files.insert(QDir(root).relativeFilePath(info.filePath()), state);
    }
    return files;
}

void setWritable(const QString& root, bool writable) {
    QProcess::execute(QStringLiteral("chmod"),
                      {QStringLiteral("-R"), QLatin1String(writable ? "u+w" : "a-w"), root});
}

class Installed : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(work.isValid());
        for (const char* folder : {"home/config", "home/data", "runtime", "tmp", "cwd"})
            ASSERT_TRUE(QDir().mkpath(at(folder)));
        ProgramRun install = run(QStringLiteral(TARVEL_CMAKE_COMMAND),
                                 {QStringLiteral("--install"), QStringLiteral(TARVEL_BINARY_DIR),
                                  QStringLiteral("--prefix"), prefix});
        ASSERT_EQ(install.status, 0) << qPrintable(describe(install));
        // Beside tarvel, the session program finds everything as the installed program does.
        ASSERT_TRUE(
            QFile::copy(QStringLiteral(TARVEL_INSTALLED_SESSION), at("prefix/bin/installed_session")));
        QFile::setPermissions(at("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        setWritable(prefix, false);
        installed = snapshot(prefix);
    }
    void TearDown() override { setWritable(prefix, true); }

    QString at(const char* relative) const { return work.filePath(QString::fromLatin1(relative)); }

    // A program of the prefix, in a home folder of the test's, on a Chinese system, in a current
    // directory that holds nothing of the program's.
    ProgramRun run(const QString& program, const QStringList& arguments,
                   const QMap<QString, QString>& variables = {}) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (auto it = variables.begin(); it != variables.end(); ++it)
            environment.insert(it.key(), it.value());
        environment.insert(QStringLiteral("HOME"), at("home"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), at("home/config"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), at("home/data"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), at("runtime"));
        environment.insert(QStringLiteral("TMPDIR"), at("tmp"));
        environment.insert(QStringLiteral("LANG"), QStringLiteral("zh_CN.UTF-8"));
        environment.remove(QStringLiteral("LC_ALL"));
        environment.remove(QStringLiteral("LANGUAGE"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(at("cwd"));
        process.start(program, arguments);
        ProgramRun result;
        if (!process.waitForFinished(120000)) {
            process.kill();
            process.waitForFinished();
            result.errors = QStringLiteral("(did not finish: %1) ").arg(process.errorString());
        } else if (process.exitStatus() == QProcess::NormalExit) {
            result.status = process.exitCode();
        }
        result.output = QString::fromUtf8(process.readAllStandardOutput());
        result.errors += QString::fromUtf8(process.readAllStandardError());
        return result;
    }
    ProgramRun program(const char* name, const QStringList& arguments,
                       const QMap<QString, QString>& variables = {}) {
        return run(prefix + QStringLiteral("/bin/") + QString::fromLatin1(name), arguments, variables);
    }

    QTemporaryDir work;
    QString prefix = work.filePath(QStringLiteral("prefix"));
    Snapshot installed;
};

TEST_F(Installed, TheBatchProgramDesignsTheExampleInBothLanguages) {
    const QString example = QStringLiteral(TARVEL_SOURCE_DIR "/data/examples/berlin_two_strings.tpvd");
    for (const auto& [language, caption] :
         {std::pair{"936", "光伏峰值功率"}, std::pair{"1252", "PV peak power"}}) {
        const QString pdf = at("report-") + QString::fromLatin1(language) + QStringLiteral(".pdf");
        const ProgramRun batch = program(
            "tarvel-batch", {example, QStringLiteral("--pdf"), pdf, QStringLiteral("--json"),
                             at("results.json"), QStringLiteral("--lang"), QString::fromLatin1(language)});
        ASSERT_EQ(batch.status, 0) << qPrintable(describe(batch));
        if (!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            const QString text = pdfText(pdf);
            EXPECT_TRUE(text.contains(QString::fromUtf8(caption))) << language << "\n" << qPrintable(text);
            EXPECT_TRUE(text.contains(QStringLiteral("10962.6"))) << language;
        }
    }
    // The user's copy of the catalog was made; the batch program never writes settings.
    EXPECT_TRUE(QFileInfo(at("home/data/tarvel/VurIvira")).isFile());
    EXPECT_FALSE(QFileInfo::exists(at("home/config/tarvel/Language.ini")));
    EXPECT_EQ(snapshot(prefix), installed);
}

TEST_F(Installed, TheProgramKeepsItsSettingsAndTheUsersLocationsInTheUsersFolders) {
    // The first start, for a double-clicked design: shown, then ended by the start-up probe. A message
    // box would never be closed here, and the program would not end.
    const QString design = at("cwd/berlin.tpvd");
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(TARVEL_SOURCE_DIR "/data/examples/berlin_two_strings.tpvd"), design));
    const Snapshot designBefore = snapshot(at("cwd"));
    const ProgramRun start =
        program("tarvel", {design}, {{QStringLiteral("TARVEL_STARTUP_PROBE"), QStringLiteral("1")}});
    ASSERT_EQ(start.status, 0) << qPrintable(describe(start));
    EXPECT_TRUE(start.errors.contains(QStringLiteral("tarvel-startup-probe"))) << qPrintable(describe(start));
    EXPECT_FALSE(start.errors.contains(QStringLiteral("Unable to write"))) << qPrintable(describe(start));
    EXPECT_EQ(snapshot(at("cwd")), designBefore);
    const QString ini = at("home/config/tarvel/Language.ini");
    EXPECT_EQ(QSettings(ini, QSettings::IniFormat).value(QStringLiteral("LanguageOf/Language")).toInt(), 936);

    // A user's session: the window in Chinese, a new location, then English.
    const ProgramRun session = program("installed_session", {});
    ASSERT_EQ(session.status, 0) << qPrintable(describe(session));
    EXPECT_FALSE(session.errors.contains(QStringLiteral("message:"))) << qPrintable(describe(session));
    EXPECT_TRUE(session.output.contains(QStringLiteral("caption: 新建设计")))
        << qPrintable(describe(session));
    EXPECT_TRUE(session.output.contains(QStringLiteral("restart: ") + prefix +
                                        QStringLiteral("/bin/installed_session")))
        << qPrintable(describe(session));
    EXPECT_EQ(QSettings(ini, QSettings::IniFormat).value(QStringLiteral("LanguageOf/Language")).toInt(),
              1252);

    // The location is in the user's copy; the shipped catalog, like all of the prefix, is as installed.
    Catalog user(at("home/data/tarvel/VurIvira"));
    EXPECT_TRUE(user.locationQuery(QStringLiteral("Testland"), QStringLiteral("Installville")).has_value());
    EXPECT_EQ(snapshot(prefix), installed);
}

TEST_F(Installed, TheDesktopFilesAreValidAndNameTheInstalledIconAndType) {
    const QString desktop =
        prefix + QStringLiteral("/share/applications/") + kAppId + QStringLiteral(".desktop");
    const QString metainfo =
        prefix + QStringLiteral("/share/metainfo/") + kAppId + QStringLiteral(".metainfo.xml");
    QFile entryFile(desktop);
    ASSERT_TRUE(entryFile.open(QIODevice::ReadOnly));
    const QByteArrayList entry = entryFile.readAll().split('\n');
    EXPECT_TRUE(entry.contains("Exec=tarvel %f"));
    EXPECT_TRUE(entry.contains("Icon=" + kAppId.toLatin1()));
    EXPECT_TRUE(entry.contains("MimeType=application/x-tarvel-design;"));

    EXPECT_TRUE(QFileInfo(prefix + QStringLiteral("/share/icons/hicolor/scalable/apps/") + kAppId +
                          QStringLiteral(".svg"))
                    .isFile());

    for (const auto& [tool, arguments] :
         {std::pair{"desktop-file-validate", QStringList{desktop}},
          std::pair{"appstreamcli",
                    QStringList{QStringLiteral("validate"), QStringLiteral("--no-net"), metainfo}}}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(tool));
        if (path.isEmpty()) {
            ADD_FAILURE() << tool << " is missing: scripts/setup.sh installs it";
            continue;
        }
        const ProgramRun check = run(path, arguments);
        EXPECT_EQ(check.status, 0) << tool << "\n" << qPrintable(describe(check));
        // Warnings fail too; hints and notes do not.
        for (const char* finding : {"warning:", "error:", "W:", "E:"})
            EXPECT_FALSE(check.output.contains(QString::fromLatin1(finding))) << tool << "\n"
                                                                              << qPrintable(describe(check));
    }

    // The type database built from the installed entry maps the file name to the type.
    const QString mime = at("mime");
    ASSERT_TRUE(QDir().mkpath(mime + QStringLiteral("/packages")));
    ASSERT_TRUE(
        QFile::copy(prefix + QStringLiteral("/share/mime/packages/") + kAppId + QStringLiteral(".xml"),
                    mime + QStringLiteral("/packages/") + kAppId + QStringLiteral(".xml")));
    const QString update = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    ASSERT_FALSE(update.isEmpty()) << "update-mime-database is missing: scripts/setup.sh installs it";
    const ProgramRun built = run(update, {mime});
    ASSERT_EQ(built.status, 0) << qPrintable(describe(built));
    QFile globs(mime + QStringLiteral("/globs2"));
    ASSERT_TRUE(globs.open(QIODevice::ReadOnly));
    EXPECT_TRUE(globs.readAll().contains(":application/x-tarvel-design:*.tpvd"));
}

TEST(DebianPackage, NamesTheLibrariesItNeedsAndHoldsTheInstalledFiles) {
    QTemporaryDir out;
    QProcess cpack;
    cpack.setWorkingDirectory(QStringLiteral(TARVEL_BINARY_DIR));
    cpack.start(QStringLiteral(TARVEL_CPACK_COMMAND),
                {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("-B"), out.path()});
    ASSERT_TRUE(cpack.waitForFinished(300000));
    ASSERT_EQ(cpack.exitCode(), 0) << cpack.readAll().toStdString()
                                   << "(dpkg-shlibdeps comes with dpkg-dev, which scripts/setup.sh installs)";
    const QStringList packages = QDir(out.path()).entryList({QStringLiteral("*.deb")}, QDir::Files);
    ASSERT_EQ(packages.size(), 1);
    const QString deb = out.filePath(packages.first());

    const auto dpkgDeb = [&](const char* option) {
        QProcess process;
        process.start(QStringLiteral("dpkg-deb"), {QString::fromLatin1(option), deb});
        process.waitForFinished(60000);
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    const QString info = dpkgDeb("--info");
    QString depends;
    for (const QString& line : info.split(u'\n'))
        if (line.trimmed().startsWith(QStringLiteral("Depends:")))
            depends = line;
    // Computed from the executables' libraries, with versions; the plugin's package looked up.
    for (const char* package : {"libqt6core6 (>=", "libqt6widgets6 (>=", "libqt6sql6 (>=",
                                "libqt6charts6 (>=", "libc6 (>=", "libqt6sql6-sqlite", "fonts-noto-cjk"})
        EXPECT_TRUE(depends.contains(QString::fromLatin1(package))) << package << "\n" << qPrintable(info);
    // No maintainer scripts: dpkg's triggers refresh the desktop, MIME and icon caches.
    for (const char* script : {"postinst", "prerm", "postrm", "preinst"})
        EXPECT_FALSE(info.contains(QString::fromLatin1(script))) << qPrintable(info);

    const QString contents = dpkgDeb("--contents");
    for (const char* file : {"./usr/bin/tarvel", "./usr/share/tarvel/VurIvira",
                             "./usr/share/applications/" TARVEL_APP_ID ".desktop"})
        EXPECT_TRUE(contents.contains(QString::fromLatin1(file))) << file << "\n" << qPrintable(contents);
}

} // namespace
} // namespace tarvel

#include "support/main_window_fixture.h"
#include "ui/design_results.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace tarvel {
namespace {

const QString kRunDir = QStringLiteral(TARVEL_RUN_DIR);
const QString kExample = QStringLiteral(TARVEL_SOURCE_DIR "/data/examples/berlin_two_strings.tpvd");

struct BatchRun {
    int status;
    QString errors;
    QByteArray output;
};

BatchRun batch(const QStringList& arguments) {
    QProcess process;
    process.setWorkingDirectory(kRunDir);
    process.start(kRunDir + QStringLiteral("/tarvel-batch"), arguments);
    process.waitForFinished(60000);
    const QString errors = QString::fromUtf8(process.readAllStandardError());
    return {process.exitCode(), errors, process.readAllStandardOutput()};
}

QString pdfText(const QString& pdf) {
    QProcess process;
    process.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")), {pdf, QStringLiteral("-")});
    process.waitForFinished(20000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

class Batch : public testing::Test {
protected:
    QString path(const char* name) { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

TEST_F(Batch, WritesTheReportAndTheResultsTheWindowShows) {
    const BatchRun run =
        batch({kExample, QStringLiteral("--pdf"), path("report.pdf"), QStringLiteral("--json"),
               path("results.json"), QStringLiteral("--lang"), QStringLiteral("1252")});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    QFile json(path("results.json"));
    ASSERT_TRUE(json.open(QIODevice::ReadOnly));
    const QJsonObject results = QJsonDocument::fromJson(json.readAll()).object();
    const QString yearly =
        results.value(QStringLiteral("labels")).toObject().value(QStringLiteral("Power_Year")).toString();

    // The same design in a window on the shipped catalog.
    test::MainWindowFixture f(QStringLiteral("[LanguageOf]\nLanguage=1252\n"), [](test::TempCatalog& temp) {
        QFile::remove(temp.path());
        QFile::copy(kRunDir + QStringLiteral("/VurIvira"), temp.path());
        QFile::setPermissions(temp.path(), QFile::ReadOwner | QFile::WriteOwner);
    });
    f.window().openDesign(kExample);
    EXPECT_EQ(yearly, f.text(QStringLiteral("Power_Year")));
    EXPECT_NE(yearly, QStringLiteral("0.0"));
    EXPECT_EQ(results.value(QStringLiteral("icons")).toObject().value(QStringLiteral("Image9")).toString(),
              QStringLiteral("warning"));
    if (!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        EXPECT_TRUE(pdfText(path("report.pdf")).contains(yearly));
    }
}

TEST_F(Batch, ABadDesignFileEndsWithStatusTwo) {
    QFile bad(path("bad.tpvd"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a design");
    bad.close();
    const BatchRun run = batch({bad.fileName(), QStringLiteral("--json"), path("results.json")});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("not valid")));
    EXPECT_FALSE(QFile::exists(path("results.json")));
}

TEST_F(Batch, SomethingMissingFromTheCatalogEndsWithStatusThreeAfterWriting) {
    QFile example(kExample);
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    QByteArray design = example.readAll();
    design.replace("\"KT8000-TL\"", "\"KT9999-X\"");
    QFile changed(path("changed.tpvd"));
    ASSERT_TRUE(changed.open(QIODevice::WriteOnly));
    changed.write(design);
    changed.close();
    const BatchRun run = batch({changed.fileName(), QStringLiteral("--json"), path("results.json")});
    EXPECT_EQ(run.status, 3);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("KT9999-X")));
    QFile json(path("results.json"));
    ASSERT_TRUE(json.open(QIODevice::ReadOnly));
    const QJsonObject results = QJsonDocument::fromJson(json.readAll()).object();
    EXPECT_FALSE(results.value(QStringLiteral("labels"))
                     .toObject()
                     .value(QStringLiteral("PowerA"))
                     .toString()
                     .isEmpty());
}

// A design whose plane faces away from the sun for part of the year opens as it is; the notice the
// window shows on its ProjectInfo page is among the run's messages, in the run's language.
TEST_F(Batch, ADesignOutsideTheSolarModelCarriesTheNotice) {
    QFile example(kExample);
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    QByteArray design = example.readAll();
    design.replace("\"azimuthDeg\": 0", "\"azimuthDeg\": -91")
        .replace("\"roofPitchDeg\": 42", "\"roofPitchDeg\": 89");
    QFile changed(path("steep_west.tpvd"));
    ASSERT_TRUE(changed.open(QIODevice::WriteOnly));
    changed.write(design);
    changed.close();
    const BatchRun run = batch({changed.fileName(), QStringLiteral("--json"), path("results.json"),
                                QStringLiteral("--lang"), QStringLiteral("936")});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    const QString notice = QStringLiteral("此朝向超出了太阳辐射模型的适用范围");
    EXPECT_TRUE(run.errors.contains(notice)) << run.errors.toStdString();
    QFile json(path("results.json"));
    ASSERT_TRUE(json.open(QIODevice::ReadOnly));
    const QJsonObject results = QJsonDocument::fromJson(json.readAll()).object();
    const QJsonArray messages = results.value(QStringLiteral("messages")).toArray();
    EXPECT_TRUE(std::any_of(messages.begin(), messages.end(),
                            [&](const QJsonValue& m) { return m.toString().startsWith(notice); }));
    EXPECT_EQ(results.value(QStringLiteral("labels")).toObject().value(QStringLiteral("Label58")).toString(),
              QStringLiteral("方位角：-91度"));
}

// A report the disk does not take ends the run with status 1 and the reason, never with success.
// /dev/full accepts the open and refuses every byte, as a full disk does.
TEST_F(Batch, AReportThatCannotBeWrittenEndsWithStatusOne) {
    if (!QFileInfo(QStringLiteral("/dev/full")).exists() || QFileInfo(QStringLiteral("/dev/full")).isFile())
        GTEST_SKIP() << "no /dev/full device";
    const BatchRun run = batch({kExample, QStringLiteral("--pdf"), QStringLiteral("/dev/full")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("Cannot write the PDF file /dev/full"))) << run.errors.toStdString();
    EXPECT_FALSE(QFileInfo(QStringLiteral("/dev/full")).isFile()) << "the device was replaced by a file";
}

// Results may go to standard output (or any other pipe or device): they are written into it, never
// by putting a new file in its place.
TEST_F(Batch, ResultsCanBeWrittenToStandardOutput) {
    const BatchRun run = batch({kExample, QStringLiteral("--json"), QStringLiteral("/dev/stdout"),
                                QStringLiteral("--lang"), QStringLiteral("1252")});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    const QJsonObject results = QJsonDocument::fromJson(run.output).object();
    EXPECT_FALSE(
        results.value(QStringLiteral("labels")).toObject().value(QStringLiteral("Power_Year")).toString().isEmpty())
        << run.output.left(200).toStdString();
}

} // namespace
} // namespace tarvel

#include "support/file_size_limit.h"
#include "support/main_window_fixture.h"
#include "support/pdf_text.h"
#include "ui/design_results.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace tarvel {
namespace {

using test::pdfText;

const QString kRunDir = QStringLiteral(TARVEL_RUN_DIR);
const QString kExample = QStringLiteral(TARVEL_SOURCE_DIR "/data/examples/berlin_two_strings.tpvd");

struct BatchRun {
    int status; // -1: still running after the time allowed, then killed
    QString errors;
    QByteArray output;
};

struct Where {
    QString workingDir = kRunDir; // the catalog is looked up here first
    QString program = kRunDir + QStringLiteral("/tarvel-batch");
    rlim_t fileSizeLimit = 0; // a full disk for the run (0: none)
};

BatchRun batch(const QStringList& arguments, const Where& where = {}) {
    QProcess process;
    process.setWorkingDirectory(where.workingDir);
    if (where.fileSizeLimit > 0)
        process.setChildProcessModifier(
            [limit = where.fileSizeLimit] { test::FileSizeLimit::applyInChild(limit); });
    process.start(where.program, arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {-1, QString::fromUtf8(process.readAllStandardError()), {}};
    }
    const QString errors = QString::fromUtf8(process.readAllStandardError());
    return {process.exitCode(), errors, process.readAllStandardOutput()};
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The example design with one of its texts replaced.
QByteArray exampleWith(const QByteArray& from, const QByteArray& to) {
    QByteArray design = contentOf(kExample);
    design.replace(from, to);
    return design;
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
    EXPECT_TRUE(run.errors.contains(QStringLiteral("Cannot write the PDF file /dev/full")))
        << run.errors.toStdString();
    EXPECT_FALSE(QFileInfo(QStringLiteral("/dev/full")).isFile()) << "the device was replaced by a file";
}

// Results may go to standard output (or any other pipe or device): they are written into it, never
// by putting a new file in its place.
TEST_F(Batch, ResultsCanBeWrittenToStandardOutput) {
    const BatchRun run = batch({kExample, QStringLiteral("--json"), QStringLiteral("/dev/stdout"),
                                QStringLiteral("--lang"), QStringLiteral("1252")});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    const QJsonObject results = QJsonDocument::fromJson(run.output).object();
    EXPECT_FALSE(results.value(QStringLiteral("labels"))
                     .toObject()
                     .value(QStringLiteral("Power_Year"))
                     .toString()
                     .isEmpty())
        << run.output.left(200).toStdString();
}

// A full disk (here a low file-size limit for the run): the earlier outputs stay as they were,
// nothing half-written is left beside them, and the run ends with status 1 and the reason.
TEST_F(Batch, AFullDiskKeepsTheEarlierOutputsAndEndsWithStatusOne) {
    put(path("report.pdf"), "old report");
    put(path("results.json"), "{\"old\": true}");
    const BatchRun report = batch({kExample, QStringLiteral("--pdf"), path("report.pdf"),
                                   QStringLiteral("--lang"), QStringLiteral("1252")},
                                  {.fileSizeLimit = 16384});
    EXPECT_EQ(report.status, 1);
    EXPECT_TRUE(report.errors.contains(
        QStringLiteral("Cannot write the PDF file %1: File too large").arg(path("report.pdf"))))
        << report.errors.toStdString();
    const BatchRun results = batch({kExample, QStringLiteral("--json"), path("results.json"),
                                    QStringLiteral("--lang"), QStringLiteral("1252")},
                                   {.fileSizeLimit = 1024});
    EXPECT_EQ(results.status, 1);
    EXPECT_TRUE(
        results.errors.contains(QStringLiteral("cannot write %1: File too large").arg(path("results.json"))))
        << results.errors.toStdString();
    EXPECT_EQ(contentOf(path("report.pdf")), QByteArray("old report"));
    EXPECT_EQ(contentOf(path("results.json")), QByteArray("{\"old\": true}"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({QStringLiteral("report.pdf"), QStringLiteral("results.json")}));
}

// Outputs that would overwrite the design or each other are refused before anything is written,
// whatever spelling or link names the same file.
TEST_F(Batch, OutputsThatNameTheDesignOrEachOtherAreRefusedBeforeWriting) {
    const QByteArray example = contentOf(kExample);
    put(path("design.tpvd"), example);
    ASSERT_TRUE(QFile::link(path("design.tpvd"), path("alias.tpvd")));
    const QList<QStringList> clashes = {
        {QStringLiteral("--pdf"), path("out"), QStringLiteral("--json"),
         dir.path() + QStringLiteral("/./out")},
        {QStringLiteral("--pdf"), path("design.tpvd")},
        {QStringLiteral("--json"), path("alias.tpvd")},
    };
    for (const QStringList& outputs : clashes) {
        const BatchRun run = batch(QStringList{path("design.tpvd")} + outputs);
        EXPECT_EQ(run.status, 1) << outputs.join(u' ').toStdString();
        EXPECT_TRUE(run.errors.contains(QStringLiteral("names the same file"))) << run.errors.toStdString();
        EXPECT_EQ(contentOf(path("design.tpvd")), example);
        EXPECT_FALSE(QFileInfo::exists(path("out")));
    }
}

// --csv is an output like the others: it may not name the design or another output.
TEST_F(Batch, ACsvOutputThatNamesTheDesignOrAnotherOutputIsRefused) {
    const QByteArray example = contentOf(kExample);
    put(path("design.tpvd"), example);
    for (const QStringList& outputs : QList<QStringList>{
             {QStringLiteral("--csv"), path("design.tpvd")},
             {QStringLiteral("--json"), path("out"), QStringLiteral("--csv"), path("out")}}) {
        const BatchRun run = batch(QStringList{path("design.tpvd")} + outputs);
        EXPECT_EQ(run.status, 1) << outputs.join(u' ').toStdString();
        EXPECT_TRUE(run.errors.contains(QStringLiteral("names the same file"))) << run.errors.toStdString();
        EXPECT_EQ(contentOf(path("design.tpvd")), example);
        EXPECT_FALSE(QFileInfo::exists(path("out")));
    }
}

// The CSV of the example design read back by Python's csv module: the same names and values as the
// JSON's "results", the yearly energy the window shows, and the months adding up to it.
TEST_F(Batch, TheCsvReadsBackAsTheJsonResults) {
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        GTEST_SKIP() << "python3 is not installed";
    const BatchRun run = batch({kExample, QStringLiteral("--csv"), path("results.csv"), QStringLiteral("--json"),
                                path("results.json"), QStringLiteral("--lang"), QStringLiteral("1252")});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    QProcess reader;
    reader.start(python, {QStringLiteral("-c"),
                          QStringLiteral("import csv,json,sys\n"
                                         "rows=list(csv.reader(open(sys.argv[1],encoding='utf-8-sig',newline='')))\n"
                                         "print(json.dumps(rows))"),
                          path("results.csv")});
    ASSERT_TRUE(reader.waitForFinished(20000));
    const QJsonArray rows = QJsonDocument::fromJson(reader.readAllStandardOutput()).array();
    ASSERT_GT(rows.size(), 50);
    EXPECT_EQ(rows.first().toArray(), (QJsonArray{QStringLiteral("field"), QStringLiteral("value"), QStringLiteral("unit")}));
    QFile json(path("results.json"));
    ASSERT_TRUE(json.open(QIODevice::ReadOnly));
    const QJsonObject root = QJsonDocument::fromJson(json.readAll()).object();
    const QJsonObject results = root.value(QStringLiteral("results")).toObject();
    EXPECT_EQ(results.size(), rows.size() - 1);
    // The batch program reads the design from a file: the figures name it, as the report's page 2 does.
    EXPECT_EQ(results.value(QStringLiteral("design_file")).toString(), QFileInfo(kExample).fileName());
    double months = 0;
    for (qsizetype i = 1; i < rows.size(); ++i) {
        const QJsonArray row = rows[i].toArray();
        ASSERT_EQ(row.size(), 3);
        const QString name = row[0].toString();
        ASSERT_TRUE(results.contains(name)) << name.toStdString();
        const QJsonValue value = results.value(name);
        if (value.isDouble()) {
            EXPECT_DOUBLE_EQ(value.toDouble(), row[1].toString().toDouble()) << name.toStdString();
        } else if (value.isString()) {
            EXPECT_EQ(value.toString(), row[1].toString()) << name.toStdString();
        }
        if (name.startsWith(QStringLiteral("month_")) && name.endsWith(QStringLiteral("_energy_kwh")))
            months += row[1].toString().toDouble();
    }
    const QString yearly =
        root.value(QStringLiteral("labels")).toObject().value(QStringLiteral("Power_Year")).toString();
    EXPECT_EQ(results.value(QStringLiteral("yearly_energy_kwh")).toDouble(), yearly.toDouble());
    // Twelve texts of one decimal each: the sum is off the year by at most their rounding.
    EXPECT_NEAR(months, yearly.toDouble(), 12 * 0.05);
    EXPECT_EQ(results.value(QStringLiteral("verdict")).toString(), QStringLiteral("warning"));
    EXPECT_EQ(results.value(QStringLiteral("check_input_a_current_verdict")).toString(), QStringLiteral("warning"));
}

// Page 2 of the report in both languages: the project, the months, the energies and the checks with
// their verdicts, and the page numbers.
TEST_F(Batch, TheReportsSecondPageStatesWhatWasChecked) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    struct Language {
        const char* code;
        QStringList expected;
    };
    const QList<Language> languages{
        {"1252",
         {QStringLiteral("Design details"), QStringLiteral("Energy by month"), QStringLiteral("Berlin"),
          QStringLiteral("Yearly energy after cable losses [kWh]"), QStringLiteral("String A: current 18.24 A > 11 A"),
          QStringLiteral("Warning"), QStringLiteral("Page 1 of 2"), QStringLiteral("Page 2 of 2")}},
        {"936",
         {QStringLiteral("设计详情"), QStringLiteral("逐月发电量"), QStringLiteral("扣除线损后的年发电量"),
          QStringLiteral("警告"), QStringLiteral("第1页，共2页"), QStringLiteral("第2页，共2页")}},
    };
    for (const Language& language : languages) {
        const BatchRun run = batch({kExample, QStringLiteral("--pdf"), path("report.pdf"), QStringLiteral("--lang"),
                                    QString::fromLatin1(language.code)});
        ASSERT_EQ(run.status, 0) << run.errors.toStdString();
        const QString text = pdfText(path("report.pdf"));
        for (const QString& expected : language.expected)
            EXPECT_TRUE(text.contains(expected)) << language.code << ": " << expected.toStdString();
        // The design's file is named on page 2 and, with the design company, is the PDF's title.
        EXPECT_TRUE(text.contains(QStringLiteral("berlin_two_strings.tpvd"))) << language.code;
        QProcess info;
        info.start(QStandardPaths::findExecutable(QStringLiteral("pdfinfo")), {path("report.pdf")});
        ASSERT_TRUE(info.waitForFinished(20000));
        EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput())
                        .contains(QStringLiteral("berlin_two_strings \u2014 Sunny Roofs Ltd")))
            << language.code;
    }
}

// Only a regular file is read as a design: a device without end or a pipe without writer is a bad
// design file at once, not a run that fills the memory or waits for ever.
TEST_F(Batch, ADeviceOrAPipeAsDesignIsABadDesignFile) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.tpvd")).constData(), 0600), 0);
    for (const QString& design : {QStringLiteral("/dev/zero"), path("pipe.tpvd")}) {
        const BatchRun run = batch({design, QStringLiteral("--json"), path("results.json")});
        EXPECT_EQ(run.status, 2) << design.toStdString();
        EXPECT_TRUE(run.errors.contains(QStringLiteral("it is not a regular file")))
            << run.errors.toStdString();
        EXPECT_FALSE(QFileInfo::exists(path("results.json")));
    }
}

// Names from a design or a catalog may hold anything: control characters reach the terminal as
// escapes, and a character 0 cuts nothing short.
TEST_F(Batch, ControlCharactersInNamesReachStderrEscapedAndWhole) {
    QByteArray design = exampleWith("\"Germany\"", "\"Ger\\u0000many\\u001b]0;title\\u0007\"");
    design.replace("\"KT8000-TL\"", "\"KT\\u001b[31m9\\nX\"");
    put(path("names.tpvd"), design);
    const BatchRun run = batch({path("names.tpvd"), QStringLiteral("--lang"), QStringLiteral("1252")});
    EXPECT_EQ(run.status, 3);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("Country: Ger\\x00many\\x1b]0;title\\x07")))
        << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(QStringLiteral("Inverter: KT\\x1b[31m9\\nX")))
        << run.errors.toStdString();
    for (const QChar control : {QChar(0), QChar(0x1b), QChar(0x07)})
        EXPECT_FALSE(run.errors.contains(control)) << int(control.unicode());
}

// A catalog or dictionary that cannot be used has its own status: the real error is on stderr, and
// no report or results built on it are written.
TEST_F(Batch, ACatalogOrDictionaryThatCannotBeUsedEndsWithStatusFourWritingNothing) {
    // The program alone in a folder, so that neither the catalog nor the dictionary beside the run
    // folder's program is found; a hard link on the same file system, a copy elsewhere.
    QTemporaryDir alone(kRunDir + QStringLiteral("/../batch-alone-XXXXXX"));
    ASSERT_TRUE(alone.isValid());
    const QString program = alone.filePath(QStringLiteral("tarvel-batch"));
    if (::link(QFile::encodeName(kRunDir + QStringLiteral("/tarvel-batch")).constData(),
               QFile::encodeName(program).constData()) != 0) {
        ASSERT_TRUE(QFile::copy(kRunDir + QStringLiteral("/tarvel-batch"), program));
    }
    const QString shipped = kRunDir + QStringLiteral("/VurIvira");
    auto copyShipped = [&](const QString& folder) {
        const QString catalog = folder + QStringLiteral("/VurIvira");
        EXPECT_TRUE(QFile::copy(shipped, catalog));
        EXPECT_TRUE(QFile::setPermissions(catalog, QFile::ReadOwner | QFile::WriteOwner));
        return catalog;
    };
    struct Case {
        const char* what;
        std::function<void(const QString& folder)> prepare;
        QString error; // on stderr
        QString lang = QStringLiteral("1252");
    };
    const std::vector<Case> cases = {
        {"missing", [](const QString&) {}, QStringLiteral("was not found")},
        {"empty", [](const QString& f) { put(f + QStringLiteral("/VurIvira"), {}); },
         QStringLiteral("no such table")},
        {"a folder", [](const QString& f) { QDir(f).mkdir(QStringLiteral("VurIvira")); },
         QStringLiteral("catalog")},
        {"no database", [](const QString& f) { put(f + QStringLiteral("/VurIvira"), QByteArray(8192, 'x')); },
         QStringLiteral("not a database")},
        {"cut short",
         [&](const QString& f) { put(f + QStringLiteral("/VurIvira"), contentOf(shipped).left(200 * 1024)); },
         QStringLiteral("malformed")},
        {"an altitude that is no int",
         [&](const QString& f) {
             const QString catalog = copyShipped(f);
             {
                 QSqlDatabase db =
                     QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("altitude"));
                 db.setDatabaseName(catalog);
                 ASSERT_TRUE(db.open());
                 QSqlQuery(db).exec(
                     QStringLiteral("update country_info set height=3000000000 where city='Berlin'"));
                 db.close();
             }
             QSqlDatabase::removeDatabase(QStringLiteral("altitude"));
         },
         QStringLiteral("'3000000000' is not a valid integer value")},
        {"no dictionary", [&](const QString& f) { copyShipped(f); }, QStringLiteral("chinatoEN.lng"),
         QStringLiteral("936")},
    };
    for (const Case& c : cases) {
        QTemporaryDir folder;
        c.prepare(folder.path());
        const QString results = folder.filePath(QStringLiteral("results.json"));
        const BatchRun run =
            batch({kExample, QStringLiteral("--json"), results, QStringLiteral("--lang"), c.lang},
                  {.workingDir = folder.path(), .program = program});
        EXPECT_EQ(run.status, 4) << c.what << ": " << run.errors.toStdString();
        EXPECT_TRUE(run.errors.contains(c.error)) << c.what << ": " << run.errors.toStdString();
        EXPECT_FALSE(QFileInfo::exists(results)) << c.what;
    }
}

// The selection assistant's result for the example design: CS6P-260P (Voc 37.5 V at -0.301 %/K, MPP
// 30.4 V at -140.8 mV/K, 9.12 A, 260.2 W), 44 modules, -10/70 C. On KT10000-TL (1000 V, MPP 200-850 V,
// 12.5 A, 12.5 kW DC, 10 kW rated AC, 98.1 %): Voc(-10) 41.450625 V gives 24 modules, Vmpp(70) 24.064 V
// at least 9, Vmpp(-10) 35.328 V at most 24, one 9.12 A string per input; 44 modules as 22 + 22.
TEST_F(Batch, ProposesLayoutsForTheDesignsModuleAndCount) {
    const BatchRun run = batch({kExample, QStringLiteral("--propose"), path("propose.json"),
                                QStringLiteral("--lang"), QStringLiteral("1252")});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    QFile file(path("propose.json"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonObject propose = QJsonDocument::fromJson(file.readAll()).object();
    EXPECT_EQ(propose.value(QStringLiteral("moduleType")).toString(), QStringLiteral("CS6P-260P"));
    EXPECT_EQ(propose.value(QStringLiteral("modules")).toInt(), 44);
    const QJsonArray inverters = propose.value(QStringLiteral("inverters")).toArray();
    ASSERT_EQ(inverters.size(), 40);

    const QJsonObject first = inverters.first().toObject();
    EXPECT_EQ(first.value(QStringLiteral("inverter")).toString(), QStringLiteral("KT10000-TL"));
    EXPECT_EQ(first.value(QStringLiteral("modulesPerStringMin")).toInt(), 9);
    EXPECT_EQ(first.value(QStringLiteral("modulesPerStringMax")).toInt(), 24);
    EXPECT_EQ(first.value(QStringLiteral("modulesPerStringMppMax")).toInt(), 24);
    EXPECT_EQ(first.value(QStringLiteral("maxStringsPerInput")).toInt(), 1);
    EXPECT_EQ(first.value(QStringLiteral("verdict")).toString(), QStringLiteral("recommended"));
    EXPECT_TRUE(first.value(QStringLiteral("reasons")).toArray().isEmpty());
    const QJsonObject best = first.value(QStringLiteral("layouts")).toArray().first().toObject();
    const QJsonArray inputs = best.value(QStringLiteral("inputs")).toArray();
    ASSERT_EQ(inputs.size(), 2);
    for (const QJsonValue in : inputs) {
        EXPECT_EQ(in.toObject().value(QStringLiteral("strings")).toInt(), 1);
        EXPECT_EQ(in.toObject().value(QStringLiteral("modulesPerString")).toInt(), 22);
    }
    EXPECT_EQ(best.value(QStringLiteral("modules")).toInt(), 44);
    EXPECT_NEAR(best.value(QStringLiteral("peakPowerKw")).toDouble(), 11.4488, 1e-9);
    EXPECT_NEAR(best.value(QStringLiteral("nominalPowerRatioPercent")).toDouble(), 12500 / 11448.8 * 100,
                1e-9);
    EXPECT_NEAR(best.value(QStringLiteral("dcAcRatio")).toDouble(), 1.14488, 1e-12);
    const double yield = propose.value(QStringLiteral("correctedYieldKwhPerKwp")).toDouble();
    EXPECT_NEAR(best.value(QStringLiteral("yearlyEnergyKwh")).toDouble(), 11.4488 * yield * 0.981, 1e-6);
    EXPECT_TRUE(best.value(QStringLiteral("valid")).toBool());
    EXPECT_TRUE(best.value(QStringLiteral("recommended")).toBool());

    // Berlin's yield at the design's 42 degrees with the module's coefficient, as the window has it.
    test::MainWindowFixture f(QStringLiteral("[LanguageOf]\nLanguage=1252\n"), [](test::TempCatalog& temp) {
        QFile::remove(temp.path());
        QFile::copy(kRunDir + QStringLiteral("/VurIvira"), temp.path());
        QFile::setPermissions(temp.path(), QFile::ReadOwner | QFile::WriteOwner);
    });
    f.window().openDesign(kExample);
    EXPECT_EQ(yield, f.session().CorrectedYield[0]);

    // Recommended, then valid, then the rest; the rest without layouts and with their reasons.
    const QStringList order{QStringLiteral("recommended"), QStringLiteral("valid"),
                            QStringLiteral("invalid")};
    int group = 0;
    for (const QJsonValue value : inverters) {
        const QJsonObject inverter = value.toObject();
        const int verdict =
            static_cast<int>(order.indexOf(inverter.value(QStringLiteral("verdict")).toString()));
        ASSERT_GE(verdict, group) << inverter.value(QStringLiteral("inverter")).toString().toStdString();
        group = verdict;
        EXPECT_EQ(inverter.value(QStringLiteral("layouts")).toArray().isEmpty(), verdict == 2);
        EXPECT_EQ(inverter.value(QStringLiteral("reasons")).toArray().isEmpty(), verdict == 0);
    }
}

TEST_F(Batch, ADesignWithoutModulesHasNothingToPropose) {
    QFile example(kExample);
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    QByteArray design = example.readAll();
    design.replace("\"strings\": 2", "\"strings\": 0").replace("\"strings\": 1", "\"strings\": 0");
    QFile changed(path("empty.tpvd"));
    ASSERT_TRUE(changed.open(QIODevice::WriteOnly));
    changed.write(design);
    changed.close();
    const BatchRun run = batch({changed.fileName(), QStringLiteral("--propose"), path("propose.json")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("no string input in use"))) << run.errors.toStdString();
    EXPECT_FALSE(QFile::exists(path("propose.json")));
}

} // namespace
} // namespace tarvel

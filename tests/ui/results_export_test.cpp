#include "support/main_window_fixture.h"
#include "ui/results_export.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QListWidget>
#include <QTabWidget>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

using test::MainWindowFixture;

// A design with a warning (a nominal power ratio of 124 %) and a name that needs quoting.
void design(MainWindowFixture& f, const QString& unit) {
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Berlin"));
    f.choose(QStringLiteral("ComboBox3"), QStringLiteral("Alpha"));
    f.choose(QStringLiteral("ComboBox4"), QStringLiteral("A-250"));
    f.type(QStringLiteral("SpinEdit6"), QStringLiteral("2"));
    f.type(QStringLiteral("SpinEdit7"), QStringLiteral("10"));
    f.type(QStringLiteral("Edit2"), unit);
}

// Rows of a CSV file as Python's csv module reads them (BOM dropped), or of an XLSX workbook as
// xlsx2csv converts it.
QJsonArray readBack(const QString& path, bool xlsx) {
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    QString script = QStringLiteral("import csv,io,json,sys\n");
    script += xlsx ? QStringLiteral("import subprocess\n"
                                    "text=subprocess.run(['xlsx2csv',sys.argv[1]],capture_output=True,check=True).stdout.decode()\n"
                                    "rows=list(csv.reader(io.StringIO(text)))\n")
                   : QStringLiteral("rows=list(csv.reader(open(sys.argv[1],encoding='utf-8-sig',newline='')))\n");
    script += QStringLiteral("print(json.dumps(rows))");
    QProcess process;
    process.start(python, {QStringLiteral("-c"), script, path});
    process.waitForFinished(20000);
    return QJsonDocument::fromJson(process.readAllStandardOutput()).array();
}

QString valueOf(const QJsonArray& rows, const QString& field) {
    for (const QJsonValue& row : rows)
        if (row.toArray().at(0).toString() == field)
            return row.toArray().at(1).toString();
    return QStringLiteral("<missing>");
}

TEST(ResultsExport, CsvAndWorkbookReadBackWithQuotesCommasAndChineseNames) {
    if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
        GTEST_SKIP() << "python3 is not installed";
    MainWindowFixture f;
    const QString unit = QStringLiteral("阳光 \"Roofs\", Ltd");
    design(f, unit);
    QTemporaryDir dir;
    f.dialogs.resultsFile = dir.filePath(QStringLiteral("results.csv"));
    f.window().ExportResultsClick();
    ASSERT_TRUE(f.dialogs.errors.isEmpty()) << f.dialogs.errors.join(u'\n').toStdString();
    const QJsonArray csv = readBack(f.dialogs.resultsFile, false);
    ASSERT_GT(csv.size(), 50);
    EXPECT_EQ(valueOf(csv, QStringLiteral("design_unit")), unit);
    EXPECT_EQ(valueOf(csv, QStringLiteral("city")), QStringLiteral("Berlin"));
    EXPECT_EQ(valueOf(csv, QStringLiteral("yearly_energy_kwh")), f.text(QStringLiteral("Power_Year")));
    EXPECT_EQ(valueOf(csv, QStringLiteral("verdict")), QStringLiteral("warning"));
    EXPECT_EQ(valueOf(csv, QStringLiteral("check_power_ratio_verdict")), QStringLiteral("warning"));
    EXPECT_EQ(valueOf(csv, QStringLiteral("check_power_ratio_value")), QStringLiteral("124.00"));

    if (QStandardPaths::findExecutable(QStringLiteral("xlsx2csv")).isEmpty())
        GTEST_SKIP() << "xlsx2csv is not installed";
    f.dialogs.resultsFile = dir.filePath(QStringLiteral("results.XLSX"));
    f.window().ExportResultsClick();
    ASSERT_TRUE(f.dialogs.errors.isEmpty()) << f.dialogs.errors.join(u'\n').toStdString();
    const QJsonArray xlsx = readBack(f.dialogs.resultsFile, true);
    ASSERT_EQ(xlsx.size(), csv.size());
    EXPECT_EQ(valueOf(xlsx, QStringLiteral("design_unit")), unit);
    EXPECT_DOUBLE_EQ(valueOf(xlsx, QStringLiteral("yearly_energy_kwh")).toDouble(),
                     f.text(QStringLiteral("Power_Year")).toDouble());
}

TEST(ResultsExport, AFileThatCannotBeWrittenIsAnErrorAndLeavesNothing) {
    MainWindowFixture f;
    design(f, QStringLiteral("Unit"));
    QTemporaryDir dir;
    f.dialogs.resultsFile = dir.filePath(QStringLiteral("missing/results.csv"));
    f.window().ExportResultsClick();
    ASSERT_EQ(f.dialogs.errors.size(), 1);
    EXPECT_TRUE(f.dialogs.errors.first().startsWith(QStringLiteral("The results could not be exported:")));
    EXPECT_FALSE(QFile::exists(f.dialogs.resultsFile));
}

TEST(ResultsExport, TheResultPageListsTheFailedChecksWithTheirNumbers) {
    MainWindowFixture f;
    design(f, QStringLiteral("Unit"));
    f.window().controls().RzPageControl1->setCurrentIndex(4);
    const QListWidget* box = f.window().controls().DesignCheck;
    ASSERT_EQ(box->count(), 1);
    EXPECT_EQ(box->item(0)->text(), QStringLiteral("PV-generator: nominal power ratio 124.00% > 110%"))
        << box->item(0)->text().toStdString();
}

// The advice of the Help pane is one click away from the Multi-String page.
TEST(ResultsExport, TheAdviceLinkBringsTheHelpPaneToTheFront) {
    MainWindowFixture f;
    design(f, QStringLiteral("Unit"));
    QTabWidget* pane = f.window().controls().RzPageControl2;
    pane->setCurrentIndex(0);
    f.window().controls().ShowAdvice->click();
    EXPECT_EQ(pane->tabText(pane->currentIndex()), QStringLiteral("Help Info"));
}

// A page that cannot be entered yet says in its tab's tooltip which step is missing.
TEST(ResultsExport, DisabledPagesSayWhatIsMissing) {
    MainWindowFixture f;
    QTabWidget* pages = f.window().controls().RzPageControl1;
    EXPECT_EQ(pages->tabToolTip(0), QString());
    EXPECT_EQ(pages->tabToolTip(4), QStringLiteral("Choose a country and a city on the ProjectInfo page first."));
    design(f, QStringLiteral("Unit"));
    for (int i = 0; i < pages->count(); ++i)
        EXPECT_EQ(pages->tabToolTip(i), pages->isTabEnabled(i) ? QString() : pages->tabToolTip(pages->count() - 1));
    EXPECT_TRUE(pages->isTabEnabled(4));
    EXPECT_EQ(pages->tabToolTip(4), QString());
}

} // namespace
} // namespace tarvel

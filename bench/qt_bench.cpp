// The Qt side of the program on the shipped run folder (catalog VurIvira, dictionary chinatoEN.lng,
// logo): building the dictionary, opening the catalog, creating the main window, recomputing a string
// input through the window, the selection assistant following a keystroke, and printing the report of
// a three-input design to PDF. Offscreen.
//
// The run folder is TARVEL_RUN_DIR (default: the build's run folder), the design TARVEL_BENCH_DESIGN
// (default: bench/three_input_plant.tpvd). Nothing in the run folder is written.

#include "app/app_context.h"
#include "app/app_settings.h"
#include "app/dialogs.h"
#include "app/platform.h"
#include "app/tdm.h"
#include "catalog/catalog.h"
#include "i18n/multi_dd.h"
#include "i18n/resource_strings.h"
#include "report/prepared_report.h"
#include "ui/look.h"
#include "ui/selection_assistant.h"
#include "ui/spin_edit.h"
#include "ui/tfrm_main.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSpinBox>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

QString g_runDir;
QString g_design;

QString runFile(const char* name) {
    return QDir(g_runDir).filePath(QString::fromLatin1(name));
}

class QuietPlatform : public tarvel::Platform {
public:
    bool startProcess(const QString&, const QStringList&) override { return true; }
    void openDocument(const QString&) override {}
    int oemCodePage() const override { return 1252; }
};

// The program's start-up objects on the shipped files, with a settings file of their own.
class Session {
public:
    explicit Session(int codePage) {
        const QString ini = m_settingsDir.filePath(QStringLiteral("Language.ini"));
        QFile file(ini);
        if (file.open(QIODevice::WriteOnly))
            file.write(QStringLiteral("[LanguageOf]\nLanguage=%1\n").arg(codePage).toLatin1());
        file.close();
        m_dm = std::make_unique<tarvel::TDM>(m_settings, m_platform, m_dialogs, ini, runFile("VurIvira"),
                                             runFile("chinatoEN.lng"));
        m_context = std::make_unique<tarvel::AppContext>(
            tarvel::AppContext{m_settings, *m_dm, m_dialogs, m_platform});
        m_window = std::make_unique<tarvel::Tfrm_main>(*m_context);
    }
    ~Session() {
        m_window.reset();
        tarvel::ResourceTranslator::instance().switchOff();
    }

    tarvel::Tfrm_main& window() { return *m_window; }
    tarvel::HeadlessDialogs& dialogs() { return m_dialogs; }

    // Opens the bench design; false (with the reason in `state`) when it does not open cleanly.
    bool openDesign(benchmark::State& state) {
        try {
            const tarvel::Tfrm_main::OpenResult result = m_window->openDesign(g_design);
            if (!result.skipped.isEmpty() || !result.messages.isEmpty() || !m_dialogs.texts.isEmpty()) {
                state.SkipWithError("the bench design does not open cleanly on this catalog");
                return false;
            }
        } catch (const std::exception& error) {
            state.SkipWithError(error.what());
            return false;
        }
        return true;
    }

private:
    QTemporaryDir m_settingsDir;
    tarvel::TAppSettings m_settings;
    QuietPlatform m_platform;
    tarvel::HeadlessDialogs m_dialogs;
    std::unique_ptr<tarvel::TDM> m_dm;
    std::unique_ptr<tarvel::AppContext> m_context;
    std::unique_ptr<tarvel::Tfrm_main> m_window;
};

// Reading the shipped dictionary into the store, as the first lookup of a run does.
void DictionaryBuild(benchmark::State& state) {
    tarvel::TAcroMultiFileDD dictionary;
    dictionary.setLoading(true);
    dictionary.setDDReaderID(QStringLiteral("AcroTextCSV"));
    dictionary.setFileName(runFile("chinatoEN.lng"));
    dictionary.setIsUnicode(false);
    dictionary.setLoading(false);
    for (auto _ : state)
        dictionary.BuildDD();
    state.counters["entries"] = dictionary.Entries().Count();
    state.SetBytesProcessed(state.iterations() * QFile(runFile("chinatoEN.lng")).size());
}
BENCHMARK(DictionaryBuild)->Unit(benchmark::kMicrosecond);

// Opening the shipped catalog and listing its countries, as the window's creation does.
void CatalogOpenAndCountries(benchmark::State& state) {
    qsizetype countries = 0;
    for (auto _ : state) {
        tarvel::Catalog catalog(runFile("VurIvira"));
        countries = catalog.countryListQuery().size();
    }
    state.counters["countries"] = static_cast<double>(countries);
}
BENCHMARK(CatalogOpenAndCountries)->Unit(benchmark::kMicrosecond);

// The data module and the main window as start-up creates them (settings, dictionary, catalog lists,
// every control, the texts in the chosen language), shown and painted once. Tearing down is not
// counted.
void MainWindowCreate(benchmark::State& state) {
    const int codePage = static_cast<int>(state.range(0));
    for (auto _ : state) {
        auto session = std::make_unique<Session>(codePage);
        session->window().show();
        QApplication::processEvents();
        state.PauseTiming();
        session.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(MainWindowCreate)->Arg(1252)->Arg(936)->Unit(benchmark::kMillisecond);

// One string input recomputed through the window: typing a count runs the input's recompute, its
// checks, the generator summary, its DC cable and the AC cable, the advice and the yearly energy.
void WindowStringInputRecompute(benchmark::State& state) {
    Session session(1252);
    if (!session.openDesign(state))
        return;
    auto* modulesPerString = session.window().findChild<tarvel::SpinEdit*>(QStringLiteral("SpinEdit7"));
    const QString counts[2] = {QStringLiteral("17"), QStringLiteral("18")};
    int next = 0;
    for (auto _ : state) {
        modulesPerString->setText(counts[next]);
        next ^= 1;
    }
}
BENCHMARK(WindowStringInputRecompute)->Unit(benchmark::kMicrosecond);

// The selection assistant following a keystroke in its module count: the sweep over the catalog's
// inverters and the table rebuilt (the rows of an inverter's other layouts are made when it is opened).
void AssistantKeystroke(benchmark::State& state) {
    Session session(static_cast<int>(state.range(0)));
    if (!session.openDesign(state))
        return;
    session.window().SelectionAssistantClick();
    auto* count = session.window().selectionAssistant()->findChild<QSpinBox*>(QStringLiteral("SpinModules"));
    const int counts[2] = {44, 45};
    int next = 0;
    for (auto _ : state) {
        count->setValue(counts[next]);
        next ^= 1;
    }
    session.window().selectionAssistant()->close();
}
BENCHMARK(AssistantKeystroke)->Arg(1252)->Arg(936)->Unit(benchmark::kMicrosecond);

// "Print" of a three-input design written as PDF: the report filled from the window, prepared and
// exported.
void ReportPdf(benchmark::State& state) {
    Session session(static_cast<int>(state.range(0)));
    if (!session.openDesign(state))
        return;
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("report.pdf"));
    for (auto _ : state) {
        session.window().InitReport();
        tarvel::report::PreparedReport::prepare(session.window().TarvelReport()).exportPdf(pdf);
    }
    state.counters["pdf_bytes"] = static_cast<double>(QFile(pdf).size());
}
BENCHMARK(ReportPdf)->Arg(1252)->Arg(936)->Unit(benchmark::kMillisecond);

// The offscreen platform warns at every window shown that it cannot pass size hints on; the warning
// says nothing about the program and would bury the results.
QtMessageHandler g_defaultHandler = nullptr;

void quietOffscreenWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QStringLiteral("does not support propagateSizeHints")))
        return;
    g_defaultHandler(type, context, message);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    g_defaultHandler = qInstallMessageHandler(quietOffscreenWarnings);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CTarvelDesign"));
    tarvel::applyLook(app);
    g_runDir = QDir(qEnvironmentVariableIsSet("TARVEL_RUN_DIR") ? qEnvironmentVariable("TARVEL_RUN_DIR")
                                                                : QStringLiteral(TARVEL_BENCH_RUN_DIR))
                   .absolutePath();
    g_design = QFileInfo(qEnvironmentVariableIsSet("TARVEL_BENCH_DESIGN")
                             ? qEnvironmentVariable("TARVEL_BENCH_DESIGN")
                             : QStringLiteral(TARVEL_BENCH_DESIGN))
                   .absoluteFilePath();
    for (const char* name : {"VurIvira", "chinatoEN.lng"}) {
        if (!QFile::exists(runFile(name))) {
            std::fprintf(stderr, "tarvel_qt_bench: %s is missing; build the run folder first\n",
                         qPrintable(runFile(name)));
            return 1;
        }
    }
    // The window reads its logo from the current directory, as the program started in its run folder.
    QDir::setCurrent(g_runDir);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

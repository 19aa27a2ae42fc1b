// The selection assistant's sweep: one module against every inverter of the shipped catalog, every
// valid layout over up to three string inputs, ranked. This is what the assistant recomputes at each
// keystroke, so it must stay well below what a user notices.

#include "catalog/catalog.h"
#include "design/energy.h"
#include "design/layout_search.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct ShippedCatalog {
    std::vector<tarvel::TPanelInfo> modules;
    std::vector<tarvel::site::InverterRating> inverters;
};

// Read once from a copy of the run folder's catalog (the benchmark never writes the real one).
const ShippedCatalog& shipped() {
    static const ShippedCatalog data = [] {
        ShippedCatalog d;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("VurIvira"));
        if (!QFile::copy(QStringLiteral(TARVEL_BENCH_RUN_DIR "/VurIvira"), path)) {
            std::fprintf(stderr, "no catalog in %s\n", TARVEL_BENCH_RUN_DIR);
            std::exit(1);
        }
        tarvel::Catalog catalog(path);
        for (const QString& maker : catalog.makerListQuery())
            for (const QString& type : catalog.moduleTypeListQuery(maker)) {
                tarvel::TPanelInfo m = *catalog.moduleRecordQuery(maker, type);
                m.panel_maxv = catalog.moduleSystemVoltageQuery(maker, type).value_or(0.0);
                d.modules.push_back(m);
            }
        for (const QString& model : catalog.inverterListQuery())
            d.inverters.push_back(tarvel::site::readInverter(*catalog.inverterRecordQuery(model)));
        return d;
    }();
    return data;
}

const tarvel::TPanelInfo& module(const char* type) {
    for (const tarvel::TPanelInfo& m : shipped().modules)
        if (m.strings_type == QLatin1String(type))
            return m;
    std::fprintf(stderr, "no module %s\n", type);
    std::exit(1);
}

// Monthly temperatures and yields of a central European site (the energy is a few multiplications
// per layout; its figures do not change the cost).
double berlinYield(const tarvel::TPanelInfo& m) {
    const tarvel::MonthTable temperatures{0.9, 1.9, 5.3, 9.6, 14.6, 17.6, 19.7, 19.3, 15.1, 10.4, 5.3, 2.2};
    const tarvel::MonthTable yields{29.7,  46.1,  74.5, 106.9, 124.4, 120.0,
                                    124.9, 114.6, 86.0, 57.5,  29.4,  21.2};
    return tarvel::energy::correctedYield(m.kailu_kx, temperatures, yields);
}

// One module (JAM60S10-340/MR, 7 to 22 modules per string on the 1000 V inverters) and the number
// of modules to place.
void SelectionSweep(benchmark::State& state) {
    tarvel::selection::Request request;
    request.module = module("JAM60S10-340/MR");
    request.modules = static_cast<int>(state.range(0));
    request.correctedYield = berlinYield(request.module);
    std::size_t layouts = 0;
    for (auto _ : state) {
        const auto results = tarvel::selection::sweep(request, shipped().inverters);
        layouts = 0;
        for (const auto& r : results)
            layouts += r.layouts.size();
        benchmark::DoNotOptimize(results.data());
    }
    state.counters["layouts"] = static_cast<double>(layouts);
}
BENCHMARK(SelectionSweep)->Arg(20)->Arg(40)->Arg(100)->Arg(150)->Arg(200)->Unit(benchmark::kMicrosecond);

// The costliest module of the catalog at 200 modules: the sweep for each of the 80 in turn, as the
// figure per module.
void SelectionSweepEveryModule(benchmark::State& state) {
    tarvel::selection::Request request;
    request.modules = static_cast<int>(state.range(0));
    for (auto _ : state) {
        for (const tarvel::TPanelInfo& m : shipped().modules) {
            request.module = m;
            request.correctedYield = berlinYield(m);
            const auto results = tarvel::selection::sweep(request, shipped().inverters);
            benchmark::DoNotOptimize(results.data());
        }
    }
    state.counters["modules"] = static_cast<double>(shipped().modules.size());
}
BENCHMARK(SelectionSweepEveryModule)->Arg(200)->Unit(benchmark::kMillisecond);

// The hardest request of the catalog: the module and count (1 to 200) whose sweep lists the most
// layouts, found once before timing.
void SelectionSweepMostLayouts(benchmark::State& state) {
    static const tarvel::selection::Request hardest = [] {
        tarvel::selection::Request best, r;
        std::size_t most = 0;
        for (const tarvel::TPanelInfo& m : shipped().modules) {
            r.module = m;
            r.correctedYield = berlinYield(m);
            for (r.modules = 1; r.modules <= 200; ++r.modules) {
                std::size_t layouts = 0;
                for (const auto& result : tarvel::selection::sweep(r, shipped().inverters))
                    layouts += result.layouts.size();
                if (layouts > most) {
                    most = layouts;
                    best = r;
                }
            }
        }
        return best;
    }();
    std::size_t layouts = 0;
    for (auto _ : state) {
        const auto results = tarvel::selection::sweep(hardest, shipped().inverters);
        layouts = 0;
        for (const auto& r : results)
            layouts += r.layouts.size();
        benchmark::DoNotOptimize(results.data());
    }
    state.SetLabel(hardest.module.strings_type.toStdString() + ", " + std::to_string(hardest.modules) +
                   " modules");
    state.counters["layouts"] = static_cast<double>(layouts);
}
BENCHMARK(SelectionSweepMostLayouts)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

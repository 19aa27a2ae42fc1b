// One string input recomputed as the window does after a change of its counts: the string values,
// the six checks, the advice, the generator summary, the input's DC cable and the AC cable, and the
// yearly energy. Engine only; the window's share (labels, texts) is measured in tarvel_qt_bench.

#include "design/cable_losses.h"
#include "design/energy.h"
#include "design/string_sizing.h"

#include <benchmark/benchmark.h>

namespace {

// Canadian Solar CS6X-300M and JA Solar JAM72S10-400/MR of the shipped catalog on a KT15000-TL.
tarvel::TPanelInfo moduleA() {
    tarvel::TPanelInfo m;
    m.power = 300;
    m.MPP_V = 36.5;
    m.mpp_i = 8.22;
    m.kailu_V = 45.0;
    m.duanlu_i = 8.74;
    m.area = 1.94;
    m.kailu_kx = -0.34;
    m.mpp_mx = -182.5;
    return m;
}

tarvel::TPanelInfo moduleB() {
    tarvel::TPanelInfo m;
    m.power = 399.8;
    m.MPP_V = 41.3;
    m.mpp_i = 9.68;
    m.kailu_V = 49.6;
    m.duanlu_i = 10.33;
    m.area = 1.99;
    m.kailu_kx = -0.27;
    m.mpp_mx = -117.0;
    return m;
}

void StringInputRecompute(benchmark::State& state) {
    tarvel::TPanelInfo module = moduleA();
    const tarvel::TPanelInfo other = moduleB();
    tarvel::sizing::InverterLimits limits{16, 1000, 250, 18500};
    double acMaxW = 16500, euroEfficiency = 0.977, efficiency = 0.983;
    int strings = 1, perString = 18;
    double lengthM = 35, crossSectionMm2 = 4, acLengthM = 20, acCrossSectionMm2 = 10;
    const tarvel::MonthTable temperatures{4.6, 6.3, 9.6, 13.6, 17.5, 20.8, 22.4, 21.7, 18.8, 14.7, 10.5, 6.8};
    const tarvel::MonthTable yields{128.2, 170.8, 178.1, 196.0, 193.2, 203.5, 217.3, 217.9, 190.7, 166.9,
                                    133.5, 116.8};
    for (auto _ : state) {
        benchmark::DoNotOptimize(module);
        benchmark::DoNotOptimize(strings);
        benchmark::DoNotOptimize(perString);
        const tarvel::sizing::StringValues v = tarvel::sizing::stringValues(module, strings, perString);
        const auto checks = tarvel::sizing::checkString(v, strings, module.duanlu_i, limits);
        const tarvel::sizing::Advice advice = tarvel::sizing::adviceFor(v, strings, module.duanlu_i, limits);
        const tarvel::sizing::GeneratorSummary summary = tarvel::sizing::summarize(
            {{{v.moduleCount, module.power, module.area}, {15, other.power, other.area}, {0, 0, 0}}},
            limits.maxDcPowerW);
        const double acPowerSum = v.acShare + 15 * other.MPP_V * other.duanlu_i;

        const double dcResistance =
            tarvel::cable::resistance(tarvel::cable::resistivity(true), lengthM, crossSectionMm2);
        const tarvel::cable::RunResult dc = tarvel::cable::loadedRun(
            dcResistance, tarvel::cable::dcCurrent(v.stringPower, v.mpp70), limits.maxDcPowerW);
        const double acResistance =
            tarvel::cable::resistance(tarvel::cable::resistivity(true), acLengthM, acCrossSectionMm2);
        const tarvel::cable::RunResult ac = tarvel::cable::loadedRun(
            acResistance, tarvel::cable::acCurrent(acPowerSum, euroEfficiency), acMaxW * 1000);

        const double corrected = tarvel::energy::correctedYield(module.kailu_kx, temperatures, yields);
        const double energy = tarvel::energy::yearlyEnergy(
            {tarvel::energy::inputEnergy(v.stringPower, corrected), 0, 0}, efficiency);
        benchmark::DoNotOptimize(checks);
        benchmark::DoNotOptimize(advice);
        benchmark::DoNotOptimize(summary);
        benchmark::DoNotOptimize(dc);
        benchmark::DoNotOptimize(ac);
        benchmark::DoNotOptimize(energy);
    }
}
BENCHMARK(StringInputRecompute);

} // namespace

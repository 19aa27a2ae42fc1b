#include "design/cable_losses.h"

#include <algorithm>
#include <cmath>

namespace tarvel::cable {
namespace {

// mm2 to m2 in the resistance formula.
constexpr double kSquareMillimetresPerSquareMetre = 1000000;
constexpr double kGridVoltage = 230;

} // namespace

double resistivity(bool copper) {
    return copper ? kCopperResistivityOhmM : kAluminiumResistivityOhmM;
}

double resistance(double resistivityOhmM, double lengthM, double crossSectionMm2) {
    return resistivityOhmM * lengthM / crossSectionMm2 * kSquareMillimetresPerSquareMetre;
}

TCheckMark rateMark(double powerLossRatePercent) {
    if (powerLossRatePercent <= 0)
        return cmNone;
    if (powerLossRatePercent < kWarningRatePercent)
        return cmOk;
    if (powerLossRatePercent < kDangerRatePercent)
        return cmWarning;
    return cmDanger;
}

RunResult loadedRun(double zukangOhm, double currentA, double referencePowerW) {
    RunResult r;
    r.zukang = zukangOhm;
    r.current = currentA;
    r.lineV = currentA * zukangOhm;
    r.powerLoss = currentA * currentA * zukangOhm;
    if (referencePowerW != 0) {
        r.powerLossRate = r.powerLoss / referencePowerW * 100;
        r.rateDefined = std::isfinite(r.powerLossRate);
    }
    r.mark = r.rateDefined ? rateMark(r.powerLossRate) : cmNone;
    return r;
}

double dcCurrent(double stringPowerW, double mpp70V) {
    return stringPowerW / mpp70V;
}

double acCurrent(double acPowerSumW, double euroEfficiency) {
    return acPowerSumW * euroEfficiency / kGridVoltage;
}

double acCarriedPower(double currentA) {
    return currentA * kGridVoltage;
}

double lossShare(const RunLoad& run) {
    if (!(run.carriedPowerW > 0) || !(run.powerLossW > 0))
        return 0;
    return std::min(run.powerLossW / run.carriedPowerW, 1.0);
}

EnergyAfterLosses afterCableLosses(double yearlyEnergyKWh, const std::array<RunLoad, 3>& dcRuns,
                                   const RunLoad& acRun) {
    EnergyAfterLosses e;
    double weighted = 0;
    double dcPower = 0;
    for (const RunLoad& run : dcRuns) {
        if (!(run.carriedPowerW > 0))
            continue;
        weighted += lossShare(run) * run.carriedPowerW;
        dcPower += run.carriedPowerW;
    }
    e.dcShare = dcPower > 0 ? weighted / dcPower : 0;
    e.acShare = lossShare(acRun);
    e.energyBeforeKWh = yearlyEnergyKWh;
    e.energyAfterKWh = yearlyEnergyKWh * (1 - e.dcShare) * (1 - e.acShare);
    e.lossKWh = yearlyEnergyKWh - e.energyAfterKWh;
    e.lossPercent = yearlyEnergyKWh != 0 ? e.lossKWh / yearlyEnergyKWh * 100 : 0;
    return e;
}

} // namespace tarvel::cable

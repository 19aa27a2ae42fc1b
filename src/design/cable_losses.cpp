#include "design/cable_losses.h"

#include <cmath>

namespace tarvel::cable {
namespace {

// mm2 to m2 in the resistance formula.
constexpr double kSquareMillimetresPerSquareMetre = 1000000;
constexpr double kGridVoltage = 230;
constexpr double kWarningRate = 1.0;
constexpr double kDangerRate = 1.5;

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
    if (powerLossRatePercent < kWarningRate)
        return cmOk;
    if (powerLossRatePercent < kDangerRate)
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

} // namespace tarvel::cable

#pragma once

#include "design/design_records.h"

#include <array>

namespace tarvel::cable {

// Loss rates (% of the reference power) from which a run is a warning and a danger.
inline constexpr double kWarningRatePercent = 1.0;
inline constexpr double kDangerRatePercent = 1.5;

// The resistivity of the conductor: copper, or aluminium for any other material.
double resistivity(bool copper);

// Resistance of one conductor of the given length, ohm.
double resistance(double resistivityOhmM, double lengthM, double crossSectionMm2);

struct RunResult {
    double zukang = 0.0;        // ohm
    double current = 0.0;       // A
    double lineV = 0.0;         // V
    double powerLoss = 0.0;     // W
    bool rateDefined = false;   // false when the reference power is 0
    double powerLossRate = 0.0; // % of the reference power
    TCheckMark mark = cmNone;   // check mark below 1 %, warning from 1 %, red cross from 1.5 %
};

// A run that carries `currentA` through a cable of resistance `zukangOhm`, judged against
// `referencePowerW`.
RunResult loadedRun(double zukangOhm, double currentA, double referencePowerW);

// The mark of a loss rate: none at or below 0.
TCheckMark rateMark(double powerLossRatePercent);

// DC current of a string input at its MPP voltage at 70 C.
double dcCurrent(double stringPowerW, double mpp70V);
// AC current of the inverter's output at the grid voltage of 230 V.
double acCurrent(double acPowerSumW, double euroEfficiency);
// The power an AC run carries at a current: the current at the grid voltage of 230 V, W.
double acCarriedPower(double currentA);

// A run's power loss at the current the cable model gives it, and the power it carries there (a DC
// run: its input's power; the AC run: acCarriedPower of its current). A run that carries nothing
// counts with 0 and 0.
struct RunLoad {
    double powerLossW = 0.0;
    double carriedPowerW = 0.0;
};

// The yearly energy after the cable losses, taken at full power: each run loses the same share of
// its energy over the year that it loses of its power at the computed current. Since a cable's loss
// grows with the square of the current and a plant mostly runs below full power, this overstates the
// loss; it is a bound for the design, not a forecast.
struct EnergyAfterLosses {
    double dcShare = 0.0;         // fraction: the DC runs' shares weighted by their power
    double acShare = 0.0;         // fraction: the AC run's loss / the power it carries
    double energyBeforeKWh = 0.0; // the yearly energy the losses are taken from
    double energyAfterKWh = 0.0;  // energyBefore x (1 - dcShare) x (1 - acShare)
    double lossKWh = 0.0;         // energyBefore - energyAfter
    double lossPercent = 0.0;     // lossKWh in percent of energyBefore; 0 when that is 0
};

// A run's share of loss: its loss / the power it carries, 0 when it carries nothing, and at most 1
// (a run cannot lose more than it carries; a cable that would is far outside what the model means).
double lossShare(const RunLoad& run);

EnergyAfterLosses afterCableLosses(double yearlyEnergyKWh, const std::array<RunLoad, 3>& dcRuns,
                                   const RunLoad& acRun);

} // namespace tarvel::cable

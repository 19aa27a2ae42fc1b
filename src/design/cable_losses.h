#pragma once

#include "design/design_records.h"

namespace tarvel::cable {

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

} // namespace tarvel::cable

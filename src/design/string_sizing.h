#pragma once

#include "design/catalog_records.h"
#include "design/design_records.h"

#include <array>

namespace tarvel::sizing {

// The nominal power ratio with no loss of yield, percent.
inline constexpr double kRatioLowPercent = 80;
inline constexpr double kRatioHighPercent = 110;

// The values of one string input: `strings` in parallel, each of `modulesPerString` modules.
struct StringValues {
    int moduleCount = 0;      // strings x modules per string
    double stringPower = 0.0; // W
    double maxCurrent = 0.0;  // A, strings x short-circuit current
    double kailu25 = 0.0;     // V, open-circuit voltage of a string at 25 C
    double kailu10 = 0.0;     // V, at -10 C
    double mpp25 = 0.0;       // V, MPP voltage of a string at 25 C
    double mpp70 = 0.0;       // V, at 70 C
    double mpp50 = 0.0;       // V, at 50 C
    double mpp15 = 0.0;       // V, at 15 C
    double acShare = 0.0;     // W, Mpp70 x short-circuit current x strings
};

// strings x modules per string. Throws std::out_of_range for a count outside 0..kMaxStrings or
// 0..kMaxModulesPerString: such a product could overflow and means nothing for a plant.
int moduleCount(int strings, int modulesPerString);

// The open-circuit voltage rises by |kailu_kx| % per kelvin below 25 C whatever the catalog's sign;
// the MPP voltage moves by mpp_mx mV per kelvin and module, with its sign.
StringValues stringValues(const TPanelInfo& module, int strings, int modulesPerString);

// The values last computed for an input, as the session holds them.
StringValues storedValues(const TStringInput& input);

// The inverter limits a string input is judged against.
struct InverterLimits {
    double maxCurrentA = 0.0; // limit of one input
    double maxVoltageV = 0.0;
    double minMppVoltageV = 0.0;
    double maxDcPowerW = 0.0;
};

// The help texts a check can lead to.
enum class Advice { General, OverVoltage, OverCurrent, LowMpp };

// One of the six checks of a string input, in the order they run: string current, open-circuit voltage
// at 25 C and at -10 C, MPP voltage at 15 C, 50 C and 70 C. Equality always passes.
struct Check {
    bool failed = false;
    TCheckMark mark = cmOk;          // warning for a loss of yield, red cross when the inverter is in danger
    Advice advice = Advice::General; // the text of a failure (General when passed)
    bool danger = false;             // the failure puts the inverter in danger
};

std::array<Check, 6> checkString(const StringValues& values, int strings, double shortCircuitCurrentA,
                                 const InverterLimits& limits);

// The help text of an input: the first condition that holds, in the order voltage, current, MPP.
Advice adviceFor(const StringValues& values, int strings, double shortCircuitCurrentA,
                 const InverterLimits& limits);

// What one input adds to the generator.
struct InputContribution {
    int moduleCount = 0;
    double modulePowerW = 0.0;
    double moduleAreaM2 = 0.0;
};

struct GeneratorSummary {
    int totalModules = 0;
    double totalPowerW = 0.0;
    double totalAreaM2 = 0.0;
    bool ratioDefined = false; // false while the modules have no power
    double powerRatio = 0.0;   // %, maximum DC power of the inverter in percent of the generator's
    TCheckMark ratioMark = cmNone;
};

// The nominal power ratio is the quotient taken first, then multiplied by 100; 80 % to 110 % is fine.
// Throws std::out_of_range for a module count no input can have.
GeneratorSummary summarize(const std::array<InputContribution, 3>& inputs, double inverterMaxDcPowerW);

} // namespace tarvel::sizing

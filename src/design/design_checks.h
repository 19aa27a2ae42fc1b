#pragma once

#include "design/cable_losses.h"
#include "design/design_records.h"
#include "design/design_session.h"
#include "design/site_checks.h"
#include "design/string_sizing.h"

#include <array>
#include <optional>
#include <vector>

// Every check of a design in one list, each with the input or cable run it concerns and the numbers
// behind its verdict: the six checks of each string input, the site checks that judge something those
// six do not, the nominal power ratio and the loss rate of each cable run. Plain values in and out;
// ui/check_texts.h phrases them.

namespace tarvel::checks {

// What a check judges, and the unit of its value and limit.
enum class Kind {
    StringCurrent, // strings x short-circuit current (A) against the inverter's current of one input
    OpenCircuit,   // open-circuit voltage of a string (V) at temperatureC against the maximum DC voltage
    MppVoltage,    // MPP voltage of a string (V) at temperatureC against the minimum MPP voltage
    Site,          // a site check at the design's PV temperatures (siteRule; V, or A for the current)
    PowerRatio,    // the inverter's maximum DC power in % of the generator's power, best 80 to 110 (%)
    CableLoss,     // a cable run's loss in % of its reference power: warning from 1, danger from 1.5
};

struct Item {
    Kind kind = Kind::StringCurrent;
    std::optional<InputId> input; // the string input of an input's check
    int cableRun = -1;            // CableLoss: 0, 1, 2 the DC runs of inputs A, B, C; 3 the AC run
    int pageCheck = -1;           // 0 .. 5: which of the six checks of the Multi-String page
    site::Rule siteRule = site::Rule::InverterVoltage; // for Site
    // False when nothing could be judged: the catalog gives no such limit (site checks), the
    // generator has no power (ratio), the run has no reference power (cable).
    bool checked = true;
    TCheckMark mark = cmOk; // cmOk, cmWarning (loss of yield) or cmDanger; cmNone when not checked
    int temperatureC = 25;  // for voltages
    double value = 0.0;
    // The bound the value is judged against. `upper`: the check passes while value <= limit
    // (value < limit for CableLoss); otherwise while value >= limit. PowerRatio gives the bound it
    // broke, or 110 (upper) when it passed.
    double limit = 0.0;
    bool upper = true;

    bool passed() const { return checked && mark == cmOk; }
};

// One of the six checks of a string input (0: current, 1: open-circuit voltage at 25 C, 2: at -10 C,
// 3 to 5: MPP voltage at 15, 50 and 70 C), with the verdict the Multi-String page's icon shows.
Item pageCheck(std::size_t check, InputId input, const sizing::StringValues& values, int strings,
               double shortCircuitCurrentA, const sizing::InverterLimits& limits);

// A site check of an input.
Item siteCheck(InputId input, const site::Check& check);

// Whether a site check compares the very value with the very limit that one of the six checks
// already does (the current always, the open-circuit voltage at -10 C, the MPP voltage at 15, 50 or
// 70 C); listing it again would say the same thing twice.
bool coveredByPageChecks(const site::Check& check);

// What the list is made from.
struct InputCase {
    bool judged = false; // the input has modules and a module type, so its checks ran
    sizing::StringValues values;
    int strings = 0;
    double shortCircuitCurrentA = 0.0;
    std::optional<std::array<site::Check, 5>> site; // none: not available (no PV temperatures)
};

struct CableCase {
    bool carriesPower = false;
    double zukangOhm = 0.0;
    double currentA = 0.0;
    double referencePowerW = 0.0;
};

struct DesignCase {
    std::array<InputCase, 3> inputs;
    sizing::InverterLimits limits;
    sizing::GeneratorSummary summary; // its ratio is judged while the generator has modules
    std::array<CableCase, 4> cables;  // DC A, DC B, DC C, AC
};

// Every check in the order of the pages: each judged input's six checks and its further site checks,
// the nominal power ratio, then each cable run that carries power.
std::vector<Item> designChecks(const DesignCase& design);

// The checks that are not OK (checked and failed), in list order.
std::vector<Item> failing(const std::vector<Item>& items);

// The worst verdict of the list: cmDanger, cmWarning, cmOk; cmNone for an empty list.
TCheckMark worstMark(const std::vector<Item>& items);

} // namespace tarvel::checks

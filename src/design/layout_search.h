#pragma once

#include "design/catalog_records.h"
#include "design/site_checks.h"

#include <array>
#include <optional>
#include <vector>

// The selection assistant's engine: for one module type and a number of modules, every inverter of
// the catalog with its site limits and every valid string layout over up to three string inputs,
// ranked. Plain values in, plain values out (docs/SELECTION.md gives the formulas and the ranking).

namespace tarvel::selection {

inline constexpr int kMaxInputs = 3;
// More modules than any catalog inverter takes; bounds the search for odd catalog rows.
inline constexpr int kMaxModulesToPlace = 10000;
// Layouts listed per inverter; the rest are counted as not listed.
inline constexpr std::size_t kMaxListedLayouts = 1000;

// One string input of a layout: `strings` in parallel of `modulesPerString` modules each.
struct InputLayout {
    int strings = 0;
    int modulesPerString = 0;
    int modules() const { return strings * modulesPerString; }
};

struct Layout {
    std::array<InputLayout, kMaxInputs> inputs{}; // A, B, C; an input not used is 0 x 0
    int inputCount = 0;
    int modules = 0;
    double peakPowerW = 0.0; // the generator's nominal power, as the Multi-String page sums it
    // The nominal power ratio of the Multi-String page: maximum DC power / peak power, then x 100.
    bool ratioDefined = false;
    double powerRatioPercent = 0.0;
    // Peak power in kW / the inverter's rated AC power in kW; none without a rated AC power.
    std::optional<double> dcAcRatio;
    // The Result page's yearly energy for this layout; none before a location is chosen.
    std::optional<double> yearlyEnergyKWh;
    bool valid = true;        // every input passes every site check (all listed layouts do)
    bool recommended = false; // valid, and the ratio's icon would be a check mark (80 % .. 110 %)
};

enum class Verdict { Recommended, Valid, Invalid };

// Why an inverter is not recommended, or what its layouts could not do.
enum class Finding {
    UnreadableColumn, // a numeric column of its catalog row does not hold a number
    NoStringLength,   // no number of modules per string passes every voltage check
    CurrentTooHigh,   // one string's short-circuit current is above the input's limit
    TooFewModules,    // fewer modules than the shortest allowed string
    FewerPlaced,      // the count asked for cannot be placed; the closest count below it is
    RatioOutside,     // nominal power ratio outside 80 % .. 110 %
    RatioUndefined,   // a module without power has no ratio
};

struct InverterResult {
    int catalogIndex = 0; // place in the inverter list
    site::InverterRating inverter;
    site::Limits limits;
    Verdict verdict = Verdict::Invalid;
    std::vector<Finding> findings;
    int modulesAsked = 0;
    int modulesPlaced = 0;       // by every layout; 0 without a layout
    std::vector<Layout> layouts; // every valid layout placing modulesPlaced, best first
    bool moreLayouts = false;    // more exist than kMaxListedLayouts
    const Layout* best() const { return layouts.empty() ? nullptr : &layouts.front(); }
};

struct Request {
    TPanelInfo module;
    int modules = 0; // to place; at most kMaxModulesToPlace are considered
    site::Temperatures temperatures;
    // The design's temperature-corrected specific yield (kWh/kWp) with this module's coefficient;
    // none while no location is chosen.
    std::optional<double> correctedYield;
};

// The largest number of modules whose peak power is not above the target (10 kWp of 250 W modules
// are 40, not 39, although 10000 / 250 may lie a hair below 40 in floating point). 0 for a module
// without power.
int modulesForPeakPower(double peakPowerKw, double modulePowerW);

// Every inverter, recommended first, then valid, then the rest; within a group by the best layout's
// yearly energy (its peak power times its efficiency while there is no location), then in catalog
// order.
std::vector<InverterResult> sweep(const Request& request, const std::vector<site::InverterRating>& inverters);

// One inverter, unsorted context: its limits, findings and ranked layouts.
InverterResult evaluate(const Request& request, const site::InverterRating& inverter, int catalogIndex);

} // namespace tarvel::selection

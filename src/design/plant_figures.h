#pragma once

#include "design/cable_losses.h"
#include "design/catalog_records.h"
#include "design/design_checks.h"
#include "design/design_session.h"
#include "design/site_checks.h"

#include <array>
#include <optional>
#include <vector>

// The figures a user takes away beside the yearly energy: the months, the energy after the cable
// losses and every check with its verdict, computed from the design session by the same functions
// as the pages' own values. Units are in the field comments; docs/RESULTS.md lists them for export.

namespace tarvel::figures {

struct PlantFigures {
    bool hasLocation = false;             // a city is chosen: the months have values
    MonthTable specificYield{};           // kWh/kWp of each month on the plane (the chart's bars)
    double specificYieldYear = 0.0;       // kWh/kWp, the year on the plane (the "Energy" field)
    MonthTable plantEnergy{};             // kWh of each month after the inverter
    double yearlyEnergy = 0.0;            // kWh after the inverter, before the cable losses
    double peakPowerW = 0.0;              // W, the generator's nominal power
    std::optional<double> plantYield;     // kWh/kWp: yearlyEnergy / peak power; none without power
    std::array<bool, 3> inputJudged{};    // A, B, C: the input is in use and its checks ran
    std::array<cable::RunLoad, 4> runs{}; // DC A, DC B, DC C, AC; a run carrying nothing is 0 and 0
    std::array<bool, 4> runCarriesPower{};
    cable::EnergyAfterLosses losses;      // the yearly energy after the cable losses, at full power
    std::vector<checks::Item> checks;     // every check, in the order of the pages
};

// What the window knows beyond the session: which inputs have modules and a chosen module type
// (their checks ran), and their site checks where the PV temperatures are numbers.
struct InputFacts {
    std::array<bool, 3> judged{};
    std::array<std::optional<std::array<site::Check, 5>>, 3> site{};
};

PlantFigures plantFigures(const TDesignSession& session, bool hasLocation, const InputFacts& facts);

} // namespace tarvel::figures

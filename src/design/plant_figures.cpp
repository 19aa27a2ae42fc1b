#include "design/plant_figures.h"

#include "design/energy.h"
#include "design/string_sizing.h"

namespace tarvel::figures {
namespace {

const TCableRun& dcRun(const TDesignSession& s, std::size_t i) {
    return i == 0 ? s.DcCableA : i == 1 ? s.DcCableB : s.DcCableC;
}

} // namespace

PlantFigures plantFigures(const TDesignSession& s, bool hasLocation, const InputFacts& facts) {
    PlantFigures f;
    f.hasLocation = hasLocation;
    if (hasLocation) {
        f.specificYield = s.MonthlyYield;
        f.specificYieldYear = s.SpecificYield;
    }

    // The yearly energy as the Result page computes it, from the inputs' energies as they stand.
    f.yearlyEnergy = energy::yearlyEnergy(s.InputEnergy, s.InverterEfficiency);
    std::array<energy::InputRating, 3> ratings{};
    for (InputId id : kAllInputs) {
        const TStringInput& in = s.input(id);
        ratings[static_cast<std::size_t>(id)] = {in.StringPower, in.YieldCoefficient};
    }
    f.plantEnergy = energy::monthlyEnergy(ratings, s.MonthlyTemperature, s.MonthlyYield, s.InverterEfficiency);

    std::array<sizing::InputContribution, 3> contributions{};
    checks::DesignCase design;
    design.limits = {s.InverterMaxCurrent, s.InverterMaxVoltage, s.InverterMinMppVoltage, s.InverterMaxDcPower};
    for (InputId id : kAllInputs) {
        const std::size_t i = static_cast<std::size_t>(id);
        const TStringInput& in = s.input(id);
        contributions[i] = {in.ModuleCount, in.Module.power, in.Module.area};
        checks::InputCase& c = design.inputs[i];
        c.judged = facts.judged[i] && in.ModuleCount > 0;
        f.inputJudged[i] = c.judged;
        c.values = sizing::storedValues(in);
        c.strings = in.Strings;
        c.shortCircuitCurrentA = in.Module.duanlu_i;
        c.site = facts.site[i];

        // A DC run carries power while its input is judged and has an MPP voltage at 70 C.
        const TCableRun& run = dcRun(s, i);
        f.runCarriesPower[i] = c.judged && in.Mpp70 != 0;
        if (f.runCarriesPower[i])
            f.runs[i] = {run.PowerLoss, in.StringPower};
        design.cables[i] = {f.runCarriesPower[i], run.Zukang, run.Current, s.InverterMaxDcPower};
    }
    design.summary = sizing::summarize(contributions, s.InverterMaxDcPower);
    f.peakPowerW = design.summary.totalPowerW;
    f.plantYield = energy::plantSpecificYield(f.yearlyEnergy, f.peakPowerW);

    const bool anyJudged = facts.judged[0] || facts.judged[1] || facts.judged[2];
    f.runCarriesPower[3] = anyJudged && s.AcPowerSum != 0;
    if (f.runCarriesPower[3])
        f.runs[3] = {s.AcCable.PowerLoss, cable::acCarriedPower(s.AcCable.Current)};
    design.cables[3] = {f.runCarriesPower[3], s.AcCable.Zukang, s.AcCable.Current, s.InverterMaxAcPower * 1000};

    f.losses = cable::afterCableLosses(f.yearlyEnergy, {f.runs[0], f.runs[1], f.runs[2]}, f.runs[3]);
    f.checks = checks::designChecks(design);
    return f;
}

} // namespace tarvel::figures

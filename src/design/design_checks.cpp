#include "design/design_checks.h"

#include <cmath>

namespace tarvel::checks {
namespace {

// The temperatures of the six checks of a string input, in check order (the current has none).
constexpr std::array<int, 6> kPageTemperatures{25, 25, -10, 15, 50, 70};

Item ratioCheck(const sizing::GeneratorSummary& summary) {
    Item item;
    item.kind = Kind::PowerRatio;
    item.checked = summary.ratioDefined;
    item.mark = summary.ratioDefined ? summary.ratioMark : cmNone;
    item.value = summary.powerRatio;
    const bool low = summary.ratioDefined && summary.powerRatio < sizing::kRatioLowPercent;
    item.upper = !low;
    item.limit = low ? sizing::kRatioLowPercent : sizing::kRatioHighPercent;
    return item;
}

Item cableCheck(int run, const CableCase& cable) {
    const cable::RunResult result = cable::loadedRun(cable.zukangOhm, cable.currentA, cable.referencePowerW);
    Item item;
    item.kind = Kind::CableLoss;
    item.cableRun = run;
    item.checked = result.rateDefined;
    // A rate of 0 (a cable without resistance) has no icon on the page, yet nothing is lost: OK.
    item.mark = !result.rateDefined ? cmNone : result.mark == cmNone ? cmOk : result.mark;
    item.value = result.powerLossRate;
    item.limit = item.mark == cmDanger ? cable::kDangerRatePercent : cable::kWarningRatePercent;
    item.upper = true;
    return item;
}

} // namespace

Item pageCheck(std::size_t check, InputId input, const sizing::StringValues& values, int strings,
               double shortCircuitCurrentA, const sizing::InverterLimits& limits) {
    const std::array<sizing::Check, 6> verdicts =
        sizing::checkString(values, strings, shortCircuitCurrentA, limits);
    Item item;
    item.input = input;
    item.pageCheck = static_cast<int>(check);
    item.mark = verdicts[check].mark;
    item.temperatureC = kPageTemperatures[check];
    switch (check) {
    case 0:
        item.kind = Kind::StringCurrent;
        item.value = strings * shortCircuitCurrentA; // as the check compares it
        item.limit = limits.maxCurrentA;
        break;
    case 1:
    case 2:
        item.kind = Kind::OpenCircuit;
        item.value = check == 1 ? values.kailu25 : values.kailu10;
        item.limit = limits.maxVoltageV;
        break;
    default:
        item.kind = Kind::MppVoltage;
        item.value = check == 3 ? values.mpp15 : check == 4 ? values.mpp50 : values.mpp70;
        item.limit = limits.minMppVoltageV;
        item.upper = false;
        break;
    }
    return item;
}

Item siteCheck(InputId input, const site::Check& check) {
    Item item;
    item.kind = Kind::Site;
    item.input = input;
    item.siteRule = check.rule;
    item.checked = check.applies;
    item.mark = !check.applies ? cmNone : check.passed ? cmOk : site::failureMark(check.rule);
    item.temperatureC = check.temperatureC;
    item.value = check.value;
    item.limit = check.limit;
    item.upper = check.rule != site::Rule::MppMinimum;
    return item;
}

bool coveredByPageChecks(const site::Check& check) {
    switch (check.rule) {
    case site::Rule::InputCurrent:
        return true;
    case site::Rule::InverterVoltage:
        return check.temperatureC == -10 || check.temperatureC == 25;
    case site::Rule::MppMinimum:
        return check.temperatureC == 15 || check.temperatureC == 50 || check.temperatureC == 70;
    case site::Rule::ModuleVoltage:
    case site::Rule::MppMaximum:
        break;
    }
    return false;
}

std::vector<Item> designChecks(const DesignCase& design) {
    std::vector<Item> items;
    bool anyJudged = false;
    for (InputId id : kAllInputs) {
        const InputCase& in = design.inputs[static_cast<std::size_t>(id)];
        if (!in.judged)
            continue;
        anyJudged = true;
        for (std::size_t check = 0; check < 6; ++check)
            items.push_back(pageCheck(check, id, in.values, in.strings, in.shortCircuitCurrentA, design.limits));
        if (!in.site)
            continue;
        for (const site::Check& check : *in.site)
            if (!coveredByPageChecks(check))
                items.push_back(siteCheck(id, check));
    }
    if (anyJudged)
        items.push_back(ratioCheck(design.summary));
    for (std::size_t run = 0; run < design.cables.size(); ++run)
        if (design.cables[run].carriesPower)
            items.push_back(cableCheck(static_cast<int>(run), design.cables[run]));
    return items;
}

std::vector<Item> failing(const std::vector<Item>& items) {
    std::vector<Item> failed;
    for (const Item& item : items)
        if (item.checked && item.mark != cmOk)
            failed.push_back(item);
    return failed;
}

TCheckMark worstMark(const std::vector<Item>& items) {
    TCheckMark worst = cmNone;
    for (const Item& item : items) {
        if (!item.checked)
            continue;
        if (item.mark == cmDanger)
            return cmDanger;
        if (item.mark == cmWarning)
            worst = cmWarning;
        else if (worst == cmNone)
            worst = cmOk;
    }
    return worst;
}

} // namespace tarvel::checks

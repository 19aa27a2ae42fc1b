#include "design/string_sizing.h"

#include <cmath>
#include <stdexcept>

namespace tarvel::sizing {
namespace {

// Temperature steps from the 25 C of the data sheet.
constexpr double kKelvinTo70 = 45;
constexpr double kKelvinTo50 = 25;
constexpr double kKelvinTo15 = 10;
constexpr double kKelvinToMinus10 = 35;

} // namespace

int moduleCount(int strings, int modulesPerString) {
    if (strings < 0 || strings > kMaxStrings || modulesPerString < 0 ||
        modulesPerString > kMaxModulesPerString)
        throw std::out_of_range("a string input holds 0 to 600 strings of 0 to 200 modules");
    return strings * modulesPerString;
}

StringValues stringValues(const TPanelInfo& module, int strings, int modulesPerString) {
    StringValues v;
    v.moduleCount = moduleCount(strings, modulesPerString);
    v.stringPower = v.moduleCount * module.power;
    v.maxCurrent = strings * module.duanlu_i;
    v.kailu25 = modulesPerString * module.kailu_V;
    v.kailu10 = v.kailu25 + std::fabs(module.kailu_kx) * v.kailu25 / 100 * kKelvinToMinus10;
    v.mpp25 = modulesPerString * module.MPP_V;
    v.mpp70 = module.mpp_mx / 1000 * kKelvinTo70 * modulesPerString + v.mpp25;
    v.acShare = v.mpp70 * module.duanlu_i * strings;
    v.mpp50 = module.mpp_mx / 1000 * kKelvinTo50 * modulesPerString + v.mpp25;
    v.mpp15 = v.mpp25 - module.mpp_mx / 1000 * kKelvinTo15 * modulesPerString;
    return v;
}

StringValues storedValues(const TStringInput& in) {
    StringValues v;
    v.moduleCount = in.ModuleCount;
    v.stringPower = in.StringPower;
    v.maxCurrent = in.MaxCurrent;
    v.kailu25 = in.Kailu25;
    v.kailu10 = in.Kailu10;
    v.mpp25 = in.Mpp25;
    v.mpp70 = in.Mpp70;
    v.mpp50 = in.Mpp50;
    v.mpp15 = in.Mpp15;
    v.acShare = in.AcShare;
    return v;
}

std::array<Check, 6> checkString(const StringValues& values, int strings, double shortCircuitCurrentA,
                                 const InverterLimits& limits) {
    const auto lossOfYield = [](bool failed, Advice advice) {
        return Check{failed, failed ? cmWarning : cmOk, failed ? advice : Advice::General, false};
    };
    const auto danger = [](bool failed) {
        return Check{failed, failed ? cmDanger : cmOk, failed ? Advice::OverVoltage : Advice::General,
                     failed};
    };
    return {lossOfYield(strings * shortCircuitCurrentA > limits.maxCurrentA, Advice::OverCurrent),
            danger(values.kailu25 > limits.maxVoltageV),
            danger(values.kailu10 > limits.maxVoltageV),
            lossOfYield(values.mpp15 < limits.minMppVoltageV, Advice::LowMpp),
            lossOfYield(values.mpp50 < limits.minMppVoltageV, Advice::LowMpp),
            lossOfYield(values.mpp70 < limits.minMppVoltageV, Advice::LowMpp)};
}

Advice adviceFor(const StringValues& values, int strings, double shortCircuitCurrentA,
                 const InverterLimits& limits) {
    if (values.kailu25 > limits.maxVoltageV || values.kailu10 > limits.maxVoltageV)
        return Advice::OverVoltage;
    if (strings * shortCircuitCurrentA > limits.maxCurrentA)
        return Advice::OverCurrent;
    if (values.mpp15 < limits.minMppVoltageV || values.mpp50 < limits.minMppVoltageV ||
        values.mpp70 < limits.minMppVoltageV)
        return Advice::LowMpp;
    return Advice::General;
}

GeneratorSummary summarize(const std::array<InputContribution, 3>& inputs, double inverterMaxDcPowerW) {
    GeneratorSummary s;
    for (const InputContribution& input : inputs) {
        if (input.moduleCount < 0 || input.moduleCount > kMaxStrings * kMaxModulesPerString)
            throw std::out_of_range("a string input holds at most 120000 modules");
        s.totalModules += input.moduleCount;
        s.totalPowerW += input.moduleCount * input.modulePowerW;
        s.totalAreaM2 += input.moduleCount * input.moduleAreaM2;
    }
    if (s.totalPowerW == 0)
        return s; // no ratio without power: it is shown as "-"
    const double quotient = inverterMaxDcPowerW / s.totalPowerW;
    s.ratioDefined = std::isfinite(quotient);
    s.powerRatio = quotient * 100;
    s.ratioMark =
        s.ratioDefined && s.powerRatio >= kRatioLowPercent && s.powerRatio <= kRatioHighPercent ? cmOk : cmWarning;
    if (!s.ratioDefined)
        s.ratioMark = cmNone;
    return s;
}

} // namespace tarvel::sizing

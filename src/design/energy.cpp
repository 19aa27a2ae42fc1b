#include "design/energy.h"

namespace tarvel::energy {

namespace {

// One month's corrected yield, computed as the yearly sum computes its terms.
double correctedMonth(double coefficientPercentPerK, double temperatureC, double yield) {
    double factor = coefficientPercentPerK / 100 * temperatureC + 1;
    factor = factor * yield;
    return factor;
}

} // namespace

double correctedYield(double coefficientPercentPerK, const MonthTable& temperatureC,
                      const MonthTable& yield) {
    double sum = 0;
    for (std::size_t m = 0; m < 12; ++m)
        sum += correctedMonth(coefficientPercentPerK, temperatureC[m], yield[m]);
    return sum;
}

double inputEnergy(double stringPowerW, double correctedYieldKWhPerKWp) {
    return stringPowerW * correctedYieldKWhPerKWp / 1000;
}

double yearlyEnergy(const std::array<double, 3>& inputEnergiesKWh, double inverterEfficiency) {
    return (inputEnergiesKWh[0] + inputEnergiesKWh[1] + inputEnergiesKWh[2]) * inverterEfficiency;
}

MonthTable correctedMonthlyYield(double coefficientPercentPerK, const MonthTable& temperatureC,
                                 const MonthTable& yield) {
    MonthTable months{};
    for (std::size_t m = 0; m < 12; ++m)
        months[m] = correctedMonth(coefficientPercentPerK, temperatureC[m], yield[m]);
    return months;
}

MonthTable monthlyEnergy(const std::array<InputRating, 3>& inputs, const MonthTable& temperatureC,
                         const MonthTable& yield, double inverterEfficiency) {
    // Each term is the one the yearly energy sums (per input: power x corrected month / 1000), so
    // the months differ from the year only in the order of the additions.
    std::array<MonthTable, 3> perInput{};
    for (std::size_t i = 0; i < 3; ++i) {
        const MonthTable corrected =
            correctedMonthlyYield(inputs[i].coefficientPercentPerK, temperatureC, yield);
        for (std::size_t m = 0; m < 12; ++m)
            perInput[i][m] = inputEnergy(inputs[i].stringPowerW, corrected[m]);
    }
    MonthTable months{};
    for (std::size_t m = 0; m < 12; ++m)
        months[m] = yearlyEnergy({perInput[0][m], perInput[1][m], perInput[2][m]}, inverterEfficiency);
    return months;
}

double sumOfMonths(const MonthTable& months) {
    double sum = 0;
    for (double month : months)
        sum += month;
    return sum;
}

std::optional<double> plantSpecificYield(double yearlyEnergyKWh, double peakPowerW) {
    if (!(peakPowerW > 0))
        return std::nullopt;
    return yearlyEnergyKWh / (peakPowerW / 1000);
}

} // namespace tarvel::energy

#include "design/energy.h"

namespace tarvel::energy {

double correctedYield(double coefficientPercentPerK, const MonthTable& temperatureC,
                      const MonthTable& yield) {
    double sum = 0;
    for (std::size_t m = 0; m < 12; ++m) {
        double factor = coefficientPercentPerK / 100 * temperatureC[m] + 1;
        factor = factor * yield[m];
        sum += factor;
    }
    return sum;
}

double inputEnergy(double stringPowerW, double correctedYieldKWhPerKWp) {
    return stringPowerW * correctedYieldKWhPerKWp / 1000;
}

double yearlyEnergy(const std::array<double, 3>& inputEnergiesKWh, double inverterEfficiency) {
    return (inputEnergiesKWh[0] + inputEnergiesKWh[1] + inputEnergiesKWh[2]) * inverterEfficiency;
}

} // namespace tarvel::energy

#pragma once

#include "design/catalog_records.h"

#include <array>
#include <optional>

namespace tarvel::energy {

// The temperature-corrected specific yield of one string input (kWh per kWp and year): each month's
// yield scaled by (coefficient / 100 * temperature + 1), summed in month order. The temperature enters
// as it is, not as a difference to a reference temperature.
double correctedYield(double coefficientPercentPerK, const MonthTable& temperatureC, const MonthTable& yield);

// Yearly energy of one input before the inverter, kWh.
double inputEnergy(double stringPowerW, double correctedYieldKWhPerKWp);

// Yearly energy of the design after the inverter, kWh: the inputs' energies times its efficiency.
double yearlyEnergy(const std::array<double, 3>& inputEnergiesKWh, double inverterEfficiency);

// The twelve terms that correctedYield sums: each month's corrected yield, kWh per kWp.
MonthTable correctedMonthlyYield(double coefficientPercentPerK, const MonthTable& temperatureC,
                                 const MonthTable& yield);

// What one string input brings to the plant's energy: its power and the coefficient its yield is
// rated with (0 for an input not in use, as the yearly energy takes it).
struct InputRating {
    double stringPowerW = 0.0;
    double coefficientPercentPerK = 0.0;
};

// The plant's energy of each month after the inverter, kWh: for every month, the inputs' energies of
// that month (power x corrected monthly yield / 1000) summed and times the inverter's efficiency.
// The twelve add up to yearlyEnergy of the same inputs, up to the last bits of a double.
MonthTable monthlyEnergy(const std::array<InputRating, 3>& inputs, const MonthTable& temperatureC,
                         const MonthTable& yield, double inverterEfficiency);

// The months' sum in month order, starting from 0.
double sumOfMonths(const MonthTable& months);

// Yearly energy per kWp of peak power (kWh/kWp); none without peak power.
std::optional<double> plantSpecificYield(double yearlyEnergyKWh, double peakPowerW);

} // namespace tarvel::energy

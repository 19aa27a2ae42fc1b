#pragma once

#include "design/catalog_records.h"

#include <array>

namespace tarvel::energy {

// The temperature-corrected specific yield of one string input (kWh per kWp and year): each month's
// yield scaled by (coefficient / 100 * temperature + 1), summed in month order. The temperature enters
// as it is, not as a difference to a reference temperature.
double correctedYield(double coefficientPercentPerK, const MonthTable& temperatureC, const MonthTable& yield);

// Yearly energy of one input before the inverter, kWh.
double inputEnergy(double stringPowerW, double correctedYieldKWhPerKWp);

// Yearly energy of the design after the inverter, kWh: the inputs' energies times its efficiency.
double yearlyEnergy(const std::array<double, 3>& inputEnergiesKWh, double inverterEfficiency);

} // namespace tarvel::energy

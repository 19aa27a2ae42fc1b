#include "design/energy.h"
#include "design/number_format.h"

#include <gtest/gtest.h>

namespace tarvel::energy {
namespace {

const MonthTable kYield{20, 35, 65, 100, 130, 145, 140, 120, 85, 45, 20, 15};
const MonthTable kTemperature{-8.5, -5.5, -0.2, 5.9, 11.2, 14.2, 14.2, 11.2, 5.9, -0.2, -5.5, -8.5};

TEST(CorrectedYield, ACoefficientOfZeroGivesTheSpecificYield) {
    double specific = 0;
    for (double y : kYield)
        specific += y;
    EXPECT_DOUBLE_EQ(correctedYield(0, kTemperature, kYield), specific);
}

TEST(CorrectedYield, TemperaturesEnterAsTheyAre) {
    // One month of 100 kWh/kWp at 25 C with -0.4 %/K: 100 * (1 - 0.1) = 90.
    MonthTable yield{};
    MonthTable temperature{};
    yield[6] = 100;
    temperature[6] = 25;
    EXPECT_DOUBLE_EQ(correctedYield(-0.4, temperature, yield), 90);
    // A negative coefficient raises a month below 0 C.
    temperature[6] = -10;
    EXPECT_DOUBLE_EQ(correctedYield(-0.4, temperature, yield), 104);
    EXPECT_LT(correctedYield(-0.34, kTemperature, kYield), correctedYield(0, kTemperature, kYield));
}

TEST(YearlyEnergy, SumsTheInputsAndAppliesTheInverterEfficiency) {
    const double energyA = inputEnergy(2000, 1000);
    EXPECT_DOUBLE_EQ(energyA, 2000);
    EXPECT_EQ(formatPattern(yearlyEnergy({energyA, 0, 0}, 0.95), 1), QStringLiteral("1900.0"));
    EXPECT_DOUBLE_EQ(yearlyEnergy({1000, 500, 250}, 0.5), 875);
    EXPECT_EQ(formatPattern(yearlyEnergy({0, 0, 0}, 0.965), 1), QStringLiteral("0.0"));
}

} // namespace
} // namespace tarvel::energy

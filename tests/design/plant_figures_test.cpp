#include "design/cable_losses.h"
#include "design/design_checks.h"
#include "design/energy.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

const MonthTable kTemperature{-1, 0, 4, 9, 14, 17, 19, 18, 15, 10, 5, 1};
const MonthTable kYield{16.4, 33.3, 66.6, 103.7, 134.1, 146.7, 139.2, 121.1, 87.3, 43.9, 19.1, 12.0};

TEST(MonthlyEnergy, TheMonthsAddUpToTheYearlyEnergyOfTheSameInputs) {
    const std::array<energy::InputRating, 3> inputs{{{5400, -0.45}, {3120, -0.38}, {0, 0}}};
    const double efficiency = 0.962;
    std::array<double, 3> yearly{};
    for (std::size_t i = 0; i < 3; ++i)
        yearly[i] = energy::inputEnergy(inputs[i].stringPowerW,
                                        energy::correctedYield(inputs[i].coefficientPercentPerK, kTemperature, kYield));
    const MonthTable months = energy::monthlyEnergy(inputs, kTemperature, kYield, efficiency);
    EXPECT_NEAR(energy::sumOfMonths(months), energy::yearlyEnergy(yearly, efficiency), 1e-9);
    // July by hand: each input's power x corrected yield / 1000, times the efficiency.
    const double july = (5400 * (1 - 0.0045 * 19) * 139.2 + 3120 * (1 - 0.0038 * 19) * 139.2) / 1000 * efficiency;
    EXPECT_NEAR(months[6], july, 1e-9);
    EXPECT_EQ(energy::plantSpecificYield(1000, 0), std::nullopt);
    EXPECT_DOUBLE_EQ(*energy::plantSpecificYield(8500, 8520), 8500 / 8.52);
}

TEST(AfterCableLosses, MatchesAHandCalculation) {
    // DC A loses 50 W of 5400 W, DC B 20 W of 3120 W, C carries nothing; AC loses 90 W of 18 A x 230 V.
    const std::array<cable::RunLoad, 3> dc{{{50, 5400}, {20, 3120}, {0, 0}}};
    const cable::RunLoad ac{90, cable::acCarriedPower(18)};
    const cable::EnergyAfterLosses e = cable::afterCableLosses(10000, dc, ac);
    const double dcShare = (50.0 + 20.0) / (5400 + 3120); // shares weighted by power
    const double acShare = 90.0 / (18 * 230);
    EXPECT_NEAR(e.dcShare, dcShare, 1e-12);
    EXPECT_NEAR(e.acShare, acShare, 1e-12);
    EXPECT_NEAR(e.energyAfterKWh, 10000 * (1 - dcShare) * (1 - acShare), 1e-9);
    EXPECT_NEAR(e.lossKWh + e.energyAfterKWh, 10000, 1e-9);
    EXPECT_NEAR(e.lossPercent, e.lossKWh / 100, 1e-12);
    // A run cannot lose more than it carries; nothing carried, nothing lost.
    EXPECT_DOUBLE_EQ(cable::lossShare({500, 100}), 1.0);
    EXPECT_DOUBLE_EQ(cable::afterCableLosses(0, dc, ac).lossPercent, 0.0);
}

TEST(DesignChecks, ADangerAndAWarningAreListedWithTheirNumbers) {
    checks::DesignCase design;
    design.limits = {11, 1000, 200, 9000};
    checks::InputCase& a = design.inputs[0];
    a.judged = true;
    a.strings = 2;
    a.shortCircuitCurrentA = 9.12; // 18.24 A > 11 A: loss of yield, a warning
    a.values.kailu25 = 600;
    a.values.kailu10 = 663.21;
    a.values.mpp15 = 508.93;
    a.values.mpp50 = 430.08;
    a.values.mpp70 = 385.02;
    checks::InputCase& b = design.inputs[1];
    b.judged = true;
    b.strings = 1;
    b.shortCircuitCurrentA = 9;
    b.values.kailu25 = 990;
    b.values.kailu10 = 1088.9; // over the maximum DC voltage: a danger
    b.values.mpp15 = 800;
    b.values.mpp50 = 700;
    b.values.mpp70 = 650;
    design.summary.ratioDefined = true;
    design.summary.powerRatio = 100;
    design.summary.ratioMark = cmOk;
    const std::vector<checks::Item> items = checks::designChecks(design);
    ASSERT_EQ(items.size(), 13u); // six a judged input, then the ratio
    const std::vector<checks::Item> failed = checks::failing(items);
    ASSERT_EQ(failed.size(), 2u);
    EXPECT_EQ(failed[0].kind, checks::Kind::StringCurrent);
    EXPECT_EQ(failed[0].mark, cmWarning);
    EXPECT_DOUBLE_EQ(failed[0].value, 18.24);
    EXPECT_EQ(failed[1].kind, checks::Kind::OpenCircuit);
    EXPECT_EQ(failed[1].input, InputId::B);
    EXPECT_EQ(failed[1].temperatureC, -10);
    EXPECT_EQ(failed[1].mark, cmDanger);
    EXPECT_DOUBLE_EQ(failed[1].value, 1088.9);
    EXPECT_DOUBLE_EQ(failed[1].limit, 1000);
    EXPECT_EQ(checks::worstMark(items), cmDanger);
    EXPECT_EQ(checks::worstMark({}), cmNone);
}

} // namespace
} // namespace tarvel

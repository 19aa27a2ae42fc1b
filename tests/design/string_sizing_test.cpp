#include "design/number_format.h"
#include "design/string_sizing.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tarvel::sizing {
namespace {

TPanelInfo exampleModule(double kx = -0.34, double mppMx = -150) {
    TPanelInfo m;
    m.power = 250;
    m.duanlu_i = 8.5;
    m.kailu_V = 37.5;
    m.MPP_V = 30.5;
    m.kailu_kx = kx;
    m.mpp_mx = mppMx;
    m.area = 1.6;
    return m;
}

InverterLimits limits(double maxCurrent, double maxVoltage, double minMpp) {
    return {maxCurrent, maxVoltage, minMpp, 5000};
}

TEST(StringValues, TheWorkedExampleOfTwoStringsOfTen) {
    const StringValues v = stringValues(exampleModule(), 2, 10);
    EXPECT_EQ(v.moduleCount, 20);
    EXPECT_EQ(formatGeneral(v.stringPower), QStringLiteral("5000"));
    EXPECT_EQ(formatGeneral(v.maxCurrent), QStringLiteral("17"));
    EXPECT_EQ(formatGeneral(v.kailu25), QStringLiteral("375"));
    EXPECT_EQ(formatPatternOnGeneral(v.kailu10, 2), QStringLiteral("419.63"));
    EXPECT_EQ(formatPatternOnGeneral(v.mpp70, 2), QStringLiteral("237.50"));
    EXPECT_EQ(formatPatternOnGeneral(v.mpp50, 2), QStringLiteral("267.50"));
    EXPECT_EQ(formatPatternOnGeneral(v.mpp15, 2), QStringLiteral("320.00"));
    EXPECT_NEAR(v.acShare, 4037.5, 1e-9);
    EXPECT_DOUBLE_EQ(v.mpp25, 305);
}

TEST(StringValues, TheOpenCircuitCoefficientCountsWithoutItsSign) {
    EXPECT_EQ(stringValues(exampleModule(0.34), 2, 10).kailu10,
              stringValues(exampleModule(-0.34), 2, 10).kailu10);
    EXPECT_GE(stringValues(exampleModule(0.34), 2, 10).kailu10,
              stringValues(exampleModule(0.34), 2, 10).kailu25);
}

TEST(StringValues, TheMppCoefficientKeepsItsSign) {
    const StringValues usual = stringValues(exampleModule(-0.34, -150), 1, 10);
    EXPECT_LT(usual.mpp70, usual.mpp50);
    EXPECT_LT(usual.mpp50, usual.mpp25);
    EXPECT_LT(usual.mpp25, usual.mpp15);
    const StringValues positive = stringValues(exampleModule(-0.34, 120), 1, 10);
    EXPECT_GT(positive.mpp70, positive.mpp25);
    EXPECT_LT(positive.mpp15, positive.mpp25);
}

TEST(StringValues, TheLargestGeneratorFitsAnInteger) {
    const StringValues v = stringValues(exampleModule(), 600, 200);
    EXPECT_EQ(v.moduleCount, 120000);
    EXPECT_DOUBLE_EQ(v.stringPower, 30000000);
    // Counts no input can have are refused, never multiplied or summed past the integer.
    EXPECT_THROW(stringValues(exampleModule(), 2147483647, 200), std::out_of_range);
    EXPECT_THROW(stringValues(exampleModule(), 601, 1), std::out_of_range);
    EXPECT_THROW(stringValues(exampleModule(), 1, -1), std::out_of_range);
    EXPECT_THROW(
        summarize({InputContribution{2147483647, 250, 1.6}, InputContribution{1, 250, 1.6}, {}}, 6000),
        std::out_of_range);
}

TEST(Checks, EqualityAlwaysPasses) {
    const StringValues v = stringValues(exampleModule(), 2, 10); // current 17, Voc25 375, Mpp70 237.5
    const auto checks = checkString(v, 2, 8.5, limits(17, v.kailu10, v.mpp70));
    for (const Check& c : checks) {
        EXPECT_FALSE(c.failed);
        EXPECT_EQ(c.mark, cmOk);
    }
    EXPECT_EQ(adviceFor(v, 2, 8.5, limits(17, v.kailu10, v.mpp70)), Advice::General);
    // Open-circuit voltage at 25 C equal to the limit passes check 2 (check 3 still sees -10 C).
    EXPECT_FALSE(checkString(v, 2, 8.5, limits(17, v.kailu25, 0))[1].failed);
    // Without an MPP coefficient the string's MPP voltage is 10 x 30.5 = 305 V at 15, 50 and 70 C
    // alike: checks 4 to 6 meet the inverter's minimum of 305 V at once and pass, and fail together
    // one step above it.
    const StringValues flat = stringValues(exampleModule(-0.34, 0), 2, 10);
    ASSERT_EQ(flat.mpp15, 305.0);
    ASSERT_EQ(flat.mpp50, 305.0);
    ASSERT_EQ(flat.mpp70, 305.0);
    for (const Check& c : checkString(flat, 2, 8.5, limits(17, 1000, 305)))
        EXPECT_FALSE(c.failed);
    EXPECT_EQ(adviceFor(flat, 2, 8.5, limits(17, 1000, 305)), Advice::General);
    const auto above = checkString(flat, 2, 8.5, limits(17, 1000, std::nextafter(305.0, 400.0)));
    for (std::size_t i = 3; i < 6; ++i)
        EXPECT_EQ(above[i].mark, cmWarning) << "check " << i + 1;
}

TEST(Checks, AnOverVoltageAt25FailsBothVoltageChecksAsDanger) {
    TPanelInfo m = exampleModule();
    m.kailu_V = 61; // 10 modules: 610 V
    const StringValues v = stringValues(m, 1, 10);
    const auto checks = checkString(v, 1, 8.5, limits(20, 600, 100));
    EXPECT_EQ(checks[1].mark, cmDanger);
    EXPECT_EQ(checks[2].mark, cmDanger);
    EXPECT_TRUE(checks[1].danger && checks[2].danger);
    EXPECT_EQ(checks[1].advice, Advice::OverVoltage);
    EXPECT_EQ(adviceFor(v, 1, 8.5, limits(20, 600, 100)), Advice::OverVoltage);
}

TEST(Checks, OnlyTheColdVoltageAboveTheLimitIsOneDanger) {
    const StringValues v = stringValues(exampleModule(), 1, 10); // 375 V and 419.625 V
    const auto checks = checkString(v, 1, 8.5, limits(20, 400, 100));
    EXPECT_FALSE(checks[1].danger);
    EXPECT_TRUE(checks[2].danger);
    EXPECT_EQ(adviceFor(v, 1, 8.5, limits(20, 400, 100)), Advice::OverVoltage);
}

TEST(Checks, TheEarlierConditionWinsTheAdvice) {
    const StringValues v = stringValues(exampleModule(), 3, 10); // 25.5 A, Mpp70 237.5 V
    const InverterLimits tight = limits(20, 1000, 250);
    const auto checks = checkString(v, 3, 8.5, tight);
    EXPECT_EQ(checks[0].mark, cmWarning);
    EXPECT_EQ(checks[0].advice, Advice::OverCurrent);
    EXPECT_EQ(checks[5].mark, cmWarning);
    EXPECT_EQ(checks[5].advice, Advice::LowMpp);
    EXPECT_FALSE(checks[0].danger);
    EXPECT_EQ(adviceFor(v, 3, 8.5, tight), Advice::OverCurrent);
    EXPECT_EQ(adviceFor(v, 1, 8.5, tight), Advice::LowMpp);
}

struct RatioCase {
    double maxDcPower;
    double totalPower;
    const char* text;
    TCheckMark mark;
};

class PowerRatio : public testing::TestWithParam<RatioCase> {};

TEST_P(PowerRatio, IsTheQuotientTimesAHundred) {
    const RatioCase& c = GetParam();
    // One input of the given power in modules of 100 W.
    const int modules = static_cast<int>(c.totalPower / 100);
    const GeneratorSummary s = summarize({InputContribution{modules, 100, 1.5}, {}, {}}, c.maxDcPower);
    ASSERT_TRUE(s.ratioDefined);
    EXPECT_EQ((formatPatternOnGeneral(s.powerRatio, 2) + u'%').toStdString(), c.text);
    EXPECT_EQ(s.ratioMark, c.mark);
}

void PrintTo(const RatioCase& c, std::ostream* os) {
    *os << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, PowerRatio,
    testing::Values(RatioCase{5400, 5000, "108.00%", cmOk}, RatioCase{5600, 5000, "112.00%", cmWarning},
                    RatioCase{3900, 5000, "78.00%", cmWarning},
                    // 5500 / 5000 lies just above 1.1 as a double: 110.00% with a warning.
                    RatioCase{5500, 5000, "110.00%", cmWarning}, RatioCase{4000, 5000, "80.00%", cmOk}));

TEST(GeneratorSummary, SumsTheInputsInUse) {
    const GeneratorSummary s = summarize(
        {InputContribution{20, 250, 1.6}, InputContribution{10, 300, 1.7}, InputContribution{0, 400, 2}},
        9000);
    EXPECT_EQ(s.totalModules, 30);
    EXPECT_EQ(formatGeneral(s.totalPowerW), QStringLiteral("8000"));
    EXPECT_EQ(formatPattern(s.totalAreaM2, 2), QStringLiteral("49.00"));
}

TEST(GeneratorSummary, ModulesWithoutPowerGiveNoRatio) {
    const GeneratorSummary s = summarize({InputContribution{10, 0, 1.6}, {}, {}}, 5000);
    EXPECT_FALSE(s.ratioDefined);
    EXPECT_EQ(s.ratioMark, cmNone);
}

} // namespace
} // namespace tarvel::sizing

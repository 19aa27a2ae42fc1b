#include "design/cable_losses.h"
#include "design/number_format.h"

#include <gtest/gtest.h>

namespace tarvel::cable {
namespace {

QString four(double value) {
    return formatPattern(value, 4);
}

TEST(CableResistance, CopperAndAluminium) {
    EXPECT_EQ(four(resistance(resistivity(true), 100, 4)), QStringLiteral("0.4250"));
    EXPECT_EQ(four(resistance(resistivity(false), 100, 4)), QStringLiteral("0.6950"));
    EXPECT_EQ(resistance(resistivity(true), 0, 4), 0.0);
}

TEST(CableRun, TheDcExample) {
    const double current = dcCurrent(5000, 250);
    EXPECT_DOUBLE_EQ(current, 20);
    const RunResult r = loadedRun(resistance(resistivity(true), 50, 6), current, 5000);
    EXPECT_EQ(four(r.zukang), QStringLiteral("0.1417"));
    EXPECT_EQ(four(r.lineV), QStringLiteral("2.8333"));
    EXPECT_EQ(four(r.powerLoss), QStringLiteral("56.6667"));
    ASSERT_TRUE(r.rateDefined);
    EXPECT_EQ(four(r.powerLossRate) + u'%', QStringLiteral("1.1333%"));
    EXPECT_EQ(r.mark, cmWarning);
}

TEST(CableRun, TheAcExample) {
    const double current = acCurrent(4600, 0.95);
    EXPECT_NEAR(current, 19, 1e-12);
    const RunResult r = loadedRun(resistance(resistivity(true), 20, 2.5), current, 5 * 1000);
    EXPECT_EQ(four(r.zukang), QStringLiteral("0.1360"));
    EXPECT_EQ(four(r.lineV), QStringLiteral("2.5840"));
    EXPECT_EQ(four(r.powerLoss), QStringLiteral("49.0960"));
    EXPECT_EQ(four(r.powerLossRate) + u'%', QStringLiteral("0.9819%"));
    EXPECT_EQ(r.mark, cmOk);
}

TEST(CableRun, TheMarkFollowsTheRateNotItsText) {
    EXPECT_EQ(rateMark(0), cmNone);
    EXPECT_EQ(rateMark(0.99999), cmOk);
    EXPECT_EQ(rateMark(1.0), cmWarning);
    EXPECT_EQ(rateMark(1.49999), cmWarning);
    EXPECT_EQ(rateMark(1.5), cmDanger);
    // 0.99999 shows as 1.0000% and still earns a check mark.
    EXPECT_EQ(four(0.99999), QStringLiteral("1.0000"));
}

TEST(CableRun, WithoutAReferencePowerTheRateHasNoValue) {
    const RunResult r = loadedRun(0.2, 10, 0);
    EXPECT_FALSE(r.rateDefined);
    EXPECT_EQ(r.mark, cmNone);
    EXPECT_DOUBLE_EQ(r.powerLoss, 20);
}

} // namespace
} // namespace tarvel::cable

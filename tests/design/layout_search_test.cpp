#include "design/layout_search.h"

#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

namespace tarvel::selection {
namespace {

TPanelInfo jam60s10() { // JA Solar JAM60S10-340/MR of the shipped catalog
    TPanelInfo m;
    m.product_name = QStringLiteral("JA Solar");
    m.strings_type = QStringLiteral("JAM60S10-340/MR");
    m.power = 339.7;
    m.MPP_V = 34.7;
    m.kailu_V = 41.6;
    m.duanlu_i = 10.46;
    m.panel_maxv = 1000;
    m.area = 1.69;
    m.kailu_kx = -0.259;
    m.mpp_mx = -129.1;
    return m;
}

site::InverterRating rating(const char* model, double dcKw, double maxV, double mppMin, double mppUpper,
                            double maxI, double efficiency = 0.981, double ratedAcKw = 10) {
    site::InverterRating r;
    r.model = QString::fromLatin1(model);
    r.maxDcPowerW = dcKw * 1000 * 1;
    r.maxVoltageV = maxV;
    r.minMppVoltageV = mppMin;
    r.mppUpperV = mppUpper;
    r.maxCurrentA = maxI;
    r.efficiency = efficiency;
    r.ratedAcPowerKw = ratedAcKw;
    return r;
}

// A module whose string values are exact: n modules have n x 50 V open circuit, n x 25 V at the MPP.
TPanelInfo plainModule(double power = 250) {
    TPanelInfo m;
    m.power = power;
    m.kailu_V = 50;
    m.MPP_V = 25;
    m.duanlu_i = 6;
    m.area = 1.6;
    return m;
}

Request request(const TPanelInfo& m, int modules, std::optional<double> yield = std::nullopt) {
    Request r;
    r.module = m;
    r.modules = modules;
    r.correctedYield = yield;
    return r;
}

using Key = std::vector<std::pair<int, int>>; // (modules per string, strings) of each input

Key keyOf(const Layout& l) {
    Key k;
    for (int i = 0; i < l.inputCount; ++i)
        k.emplace_back(l.inputs[static_cast<std::size_t>(i)].modulesPerString,
                       l.inputs[static_cast<std::size_t>(i)].strings);
    return k;
}

// Every way of wiring exactly `total` modules into one to three inputs of lengths lo..hi and 1..S
// strings, each multiset once, by plain enumeration.
std::set<Key> bruteForce(int lo, int hi, int strings, int total) {
    std::vector<std::pair<int, int>> options;
    for (int n = lo; n <= hi; ++n)
        for (int s = 1; s <= strings; ++s)
            options.emplace_back(n, s);
    std::set<Key> all;
    const auto modules = [](std::pair<int, int> o) { return o.first * o.second; };
    for (auto a : options) {
        if (modules(a) == total)
            all.insert({a});
        for (auto b : options) {
            if (modules(a) + modules(b) == total) {
                Key k{a, b};
                std::sort(k.rbegin(), k.rend());
                all.insert(k);
            }
            for (auto c : options)
                if (modules(a) + modules(b) + modules(c) == total) {
                    Key k{a, b, c};
                    std::sort(k.rbegin(), k.rend());
                    all.insert(k);
                }
        }
    }
    return all;
}

// JAM60S10-340/MR on KT10000-TL at -10/70 C: 7 to 21 modules per string (the MPP range's 850 V
// stops it at 21 before the 1000 V at 22), one string per input (12.5 A / 10.46 A).
TEST(LayoutSearch, FortyModulesOnTheTenKilowattInverter) {
    const InverterResult r =
        evaluate(request(jam60s10(), 40, 1000.0), rating("KT10000-TL", 12.5, 1000, 200, 850, 12.5), 0);
    EXPECT_EQ(r.limits.nMin(), 7);
    EXPECT_EQ(r.limits.nUpper(), 21);
    EXPECT_EQ(r.limits.sMax(), 1);
    EXPECT_EQ(r.modulesPlaced, 40);
    // Two inputs: 20 + 20 and 21 + 19; three inputs: the 31 partitions of 40 into 7..21.
    ASSERT_EQ(r.layouts.size(), 33u);
    const Layout& best = r.layouts.front();
    EXPECT_EQ(keyOf(best), (Key{{20, 1}, {20, 1}}));
    EXPECT_EQ(keyOf(r.layouts[1]), (Key{{21, 1}, {19, 1}}));
    EXPECT_EQ(best.modules, 40);
    EXPECT_NEAR(best.peakPowerW, 13588, 1e-9);              // 40 x 339.7 W
    EXPECT_NEAR(best.powerRatioPercent, 91.99293494, 1e-6); // 12500 / 13588 x 100
    EXPECT_NEAR(*best.dcAcRatio, 1.3588, 1e-12);            // 13.588 kWp / 10 kW
    EXPECT_NEAR(*best.yearlyEnergyKWh, 13329.828, 1e-9);    // 13.588 kWp x 1000 kWh/kWp x 0.981
    EXPECT_TRUE(best.recommended);
    EXPECT_EQ(r.verdict, Verdict::Recommended);
    EXPECT_TRUE(r.findings.empty());
    for (const Layout& l : r.layouts)
        EXPECT_EQ(l.inputCount, &l == &r.layouts[0] || &l == &r.layouts[1] ? 2 : 3);
}

TEST(LayoutSearch, EveryLayoutOnceAndNoneMissing) {
    struct Case {
        double maxI;
        int modules;
    };
    // 6 A strings: one, two or three of them per input.
    for (const Case c : {Case{6, 30}, Case{12, 45}, Case{18, 61}, Case{18, 17}}) {
        SCOPED_TRACE(c.modules);
        // plainModule: 20 modules make 1000 V, 8 make 200 V, 30 make 750 V.
        const InverterResult r =
            evaluate(request(plainModule(), c.modules), rating("X", 10, 1000, 200, 750, c.maxI), 0);
        const int strings = static_cast<int>(c.maxI / 6);
        ASSERT_EQ(r.limits.nMin(), 8);
        ASSERT_EQ(r.limits.nUpper(), 20);
        ASSERT_EQ(r.limits.sMax(), strings);
        std::set<Key> found;
        for (const Layout& l : r.layouts) {
            EXPECT_EQ(l.modules, r.modulesPlaced);
            EXPECT_TRUE(found.insert(keyOf(l)).second) << "listed twice";
            const Key k = keyOf(l);
            EXPECT_TRUE(std::is_sorted(k.rbegin(), k.rend())) << "inputs not in canonical order";
        }
        EXPECT_EQ(found, bruteForce(8, 20, strings, r.modulesPlaced));
        // The ranking: fewer inputs, then equal lengths, then fewer strings.
        for (std::size_t i = 1; i < r.layouts.size(); ++i)
            EXPECT_LE(r.layouts[i - 1].inputCount, r.layouts[i].inputCount);
    }
}

TEST(LayoutSearch, TheClosestCountBelowWhenTheAskedOneCannotBePlaced) {
    // Only 10-module strings (MPP from 250 V, 10 x 50 V = 500 V maximum), one per input: 10, 20, 30.
    const site::InverterRating only10 = rating("Ten", 5, 500, 250, 500, 6);
    const InverterResult r = evaluate(request(plainModule(), 25), only10, 0);
    EXPECT_EQ(r.modulesAsked, 25);
    EXPECT_EQ(r.modulesPlaced, 20);
    ASSERT_EQ(r.layouts.size(), 1u);
    EXPECT_EQ(keyOf(r.layouts[0]), (Key{{10, 1}, {10, 1}}));
    EXPECT_NE(std::find(r.findings.begin(), r.findings.end(), Finding::FewerPlaced), r.findings.end());
    // More than three inputs can take: all three full.
    const InverterResult many = evaluate(request(plainModule(), 200), only10, 0);
    EXPECT_EQ(many.modulesPlaced, 30);
    // Fewer than one string: no layout.
    const InverterResult few = evaluate(request(plainModule(), 9), only10, 0);
    EXPECT_EQ(few.verdict, Verdict::Invalid);
    EXPECT_TRUE(few.layouts.empty());
    EXPECT_EQ(few.findings, std::vector<Finding>{Finding::TooFewModules});
}

TEST(LayoutSearch, InvalidInvertersGiveTheirReasonsAndNoLayout) {
    const auto findings = [](const site::InverterRating& inverter) {
        const InverterResult r = evaluate(request(plainModule(), 40), inverter, 0);
        EXPECT_TRUE(r.layouts.empty());
        EXPECT_EQ(r.verdict, Verdict::Invalid);
        return r.findings;
    };
    // MPP from 500 V needs 20 modules; 450 V allows 9.
    EXPECT_EQ(findings(rating("Narrow", 5, 450, 500, 800, 20)),
              std::vector<Finding>{Finding::NoStringLength});
    EXPECT_EQ(findings(rating("Weak", 5, 1000, 200, 800, 5)), std::vector<Finding>{Finding::CurrentTooHigh});
    site::InverterRating unreadable = rating("Broken", 5, 1000, 200, 800, 20);
    unreadable.unreadableColumn = QStringLiteral("max_v");
    EXPECT_EQ(findings(unreadable), std::vector<Finding>{Finding::UnreadableColumn});
}

TEST(LayoutSearch, RatioDecidesRecommendedNotValid) {
    // 40 x 250 W = 10 kW: 12 kW of DC power is 120 %, 9 kW is 90 %, 7.9 kW is 79 %.
    for (auto [dcKw, verdict] : {std::pair{12.0, Verdict::Valid}, std::pair{9.0, Verdict::Recommended},
                                 std::pair{7.9, Verdict::Valid}}) {
        const InverterResult r =
            evaluate(request(plainModule(), 40), rating("R", dcKw, 1000, 200, 800, 20), 0);
        EXPECT_EQ(r.verdict, verdict) << dcKw;
        EXPECT_EQ(r.layouts.empty(), false);
        if (verdict == Verdict::Valid) {
            EXPECT_EQ(r.findings, std::vector<Finding>{Finding::RatioOutside});
        }
    }
    const InverterResult powerless =
        evaluate(request(plainModule(0), 40), rating("R", 9, 1000, 200, 800, 20), 0);
    EXPECT_EQ(powerless.verdict, Verdict::Valid);
    EXPECT_EQ(powerless.findings, std::vector<Finding>{Finding::RatioUndefined});
}

TEST(LayoutSearch, TheSweepRanksRecommendedThenValidThenTheRest) {
    const std::vector<site::InverterRating> inverters{
        rating("Invalid", 5, 450, 500, 800, 20),                // no string length
        rating("ValidHighRatio", 12, 1000, 200, 800, 20, 0.99), // 120 %
        rating("RecommendedLow", 9, 1000, 200, 800, 20, 0.95),  // 90 %, lower efficiency
        rating("RecommendedHigh", 9, 1000, 200, 800, 20, 0.98),
        rating("AlsoInvalid", 5, 1000, 200, 800, 5), // current
    };
    const auto order = [&](std::optional<double> yield) {
        QStringList models;
        for (const InverterResult& r : sweep(request(plainModule(), 40, yield), inverters))
            models << r.inverter.model;
        return models.join(u' ');
    };
    const QString expected =
        QStringLiteral("RecommendedHigh RecommendedLow ValidHighRatio Invalid AlsoInvalid");
    EXPECT_EQ(order(1100.0), expected);
    EXPECT_EQ(order(std::nullopt), expected); // by peak power x efficiency without a location
    const std::vector<InverterResult> noCity = sweep(request(plainModule(), 40), inverters);
    EXPECT_FALSE(noCity.front().best()->yearlyEnergyKWh);
}

TEST(LayoutSearch, TargetPeakPowerBecomesAModuleCount) {
    EXPECT_EQ(modulesForPeakPower(10, 250), 40);
    EXPECT_EQ(modulesForPeakPower(9.99, 250), 39);
    EXPECT_EQ(modulesForPeakPower(10.5307, 339.7), 31); // 10530.7 / 339.7 lies a hair below 31
    EXPECT_EQ(modulesForPeakPower(0.3203, 320.3), 1);
    EXPECT_EQ(modulesForPeakPower(0.2, 250), 0);
    EXPECT_EQ(modulesForPeakPower(10, 0), 0);
    EXPECT_EQ(modulesForPeakPower(1e9, 250), kMaxModulesToPlace);
}

TEST(LayoutSearch, OddRowsStayBounded) {
    // Hundreds of amperes per input and every length allowed: thousands of layouts, listed up to the
    // cap, and the search still ends.
    const InverterResult r =
        evaluate(request(plainModule(), 5000), rating("Huge", 2000, 1e6, 0, 1e6, 1e5), 0);
    EXPECT_EQ(r.modulesPlaced, 5000);
    EXPECT_EQ(r.layouts.size(), kMaxListedLayouts);
    EXPECT_TRUE(r.moreLayouts);
    EXPECT_EQ(r.best()->inputCount, 1);
}

} // namespace
} // namespace tarvel::selection

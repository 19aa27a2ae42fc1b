#include "catalog/catalog.h"
#include "design/site_checks.h"
#include "design/string_sizing.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tarvel::site {
namespace {

// Data-sheet values of shipped catalog rows (data/catalog/*.csv).
TPanelInfo jam60s10() { // JA Solar JAM60S10-340/MR
    TPanelInfo m;
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

TPanelInfo lr4_72() { // LONGi LR4-72HPH-440M, a 1500 V module
    TPanelInfo m;
    m.power = 440.2;
    m.MPP_V = 41.1;
    m.kailu_V = 48.9;
    m.duanlu_i = 11.46;
    m.panel_maxv = 1500;
    m.area = 2.2;
    m.kailu_kx = -0.265;
    m.mpp_mx = -154.1;
    return m;
}

TInverterInfo inverterRow(const char* name, const char* dcKw, const char* maxV, const char* mppMin,
                          const char* range, const char* maxI) {
    TInverterInfo r;
    r.inverter_type = QString::fromLatin1(name);
    r.power_DC_MAX = QString::fromLatin1(dcKw);
    r.max_v = QString::fromLatin1(maxV);
    r.MPP_min = QString::fromLatin1(mppMin);
    r.mpp_range = QString::fromLatin1(range);
    r.input_maxI = QString::fromLatin1(maxI);
    r.output_ACpower = QStringLiteral("10.0");
    r.output_ACpower_max = QStringLiteral("11.0");
    r.xiaolv_erding = QStringLiteral("0.975");
    r.xiaolv_zuida = QStringLiteral("0.981");
    return r;
}

InverterRating kt10000tl() {
    return readInverter(inverterRow("KT10000-TL", "12.5", "1000", "200", "200-850", "12.5"));
}
InverterRating kt10000tx() {
    return readInverter(inverterRow("KT10000-TX", "12.9", "1100", "160", "160-950", "13"));
}

struct Expected {
    const char* name;
    TPanelInfo module;
    InverterRating inverter;
    Temperatures t;
    int nMin, nMax, nMppMax, sMax;
    Rule binding;        // what decides nMax
    double vocAtNMax;    // string Voc at the cold end with nMax modules, by hand
    double mppLowAtNMin; // string MPP voltage at the hot end with nMin modules, by hand
};

// Hand calculations: Voc(T) = kailu_V (1 + |kx|/100 (25 - T)), Vmpp(T) = MPP_V + mpp_mx/1000 (T - 25).
// JAM60S10: Voc(-10) 45.37104, Voc(-25) 46.9872, Vmpp(70) 28.8905, Vmpp(75) 28.245,
//           Vmpp(-10) 39.2185, Vmpp(-25) 41.155.
// LR4-72:   Voc(-10) 53.435475, Voc(-25) 55.37925, Vmpp(70) 34.1655, Vmpp(75) 33.395,
//           Vmpp(-10) 46.4935, Vmpp(-25) 48.805.
TEST(SiteLimits, HandCalculatedForShippedModulesAndInverters) {
    const Expected cases[] = {
        // 1000 / 45.37104 = 22.04; 200 / 28.8905 = 6.92; 850 / 39.2185 = 21.67; 12.5 / 10.46 = 1.2.
        {"JAM60S10 on KT10000-TL, -10/70",
         jam60s10(),
         kt10000tl(),
         {-10, 70},
         7,
         22,
         21,
         1,
         Rule::InverterVoltage,
         22 * 45.37104,
         7 * 28.8905},
        // 1000 / 46.9872 = 21.28; 200 / 28.245 = 7.08; 850 / 41.155 = 20.65.
        {"JAM60S10 on KT10000-TL, -25/75",
         jam60s10(),
         kt10000tl(),
         {-25, 75},
         8,
         21,
         20,
         1,
         Rule::InverterVoltage,
         21 * 46.9872,
         8 * 28.245},
        // The module's 1000 V binds below the inverter's 1100 V (1100 / 45.37104 = 24.2).
        {"JAM60S10 on KT10000-TX, -10/70",
         jam60s10(),
         kt10000tx(),
         {-10, 70},
         6,
         22,
         24,
         1,
         Rule::ModuleVoltage,
         22 * 45.37104,
         6 * 28.8905},
        {"JAM60S10 on KT10000-TX, -25/75",
         jam60s10(),
         kt10000tx(),
         {-25, 75},
         6,
         21,
         23,
         1,
         Rule::ModuleVoltage,
         21 * 46.9872,
         6 * 28.245},
        // A 1500 V module: the inverter's 1000 V binds (1500 / 53.435475 = 28.07).
        {"LR4-72 on KT10000-TL, -10/70",
         lr4_72(),
         kt10000tl(),
         {-10, 70},
         6,
         18,
         18,
         1,
         Rule::InverterVoltage,
         18 * 53.435475,
         6 * 34.1655},
        {"LR4-72 on KT10000-TL, -25/75",
         lr4_72(),
         kt10000tl(),
         {-25, 75},
         6,
         18,
         17,
         1,
         Rule::InverterVoltage,
         18 * 55.37925,
         6 * 33.395},
    };
    for (const Expected& e : cases) {
        SCOPED_TRACE(e.name);
        const Limits l = limits(e.module, e.inverter, e.t);
        EXPECT_EQ(l.nMin(), e.nMin);
        EXPECT_EQ(l.nMax(), e.nMax);
        ASSERT_TRUE(l.nMppMax());
        EXPECT_EQ(*l.nMppMax(), e.nMppMax);
        EXPECT_EQ(l.sMax(), e.sMax);
        EXPECT_EQ(l.nUpper(), std::min(e.nMax, e.nMppMax));
        const CountLimit& binding = e.binding == Rule::ModuleVoltage ? l.moduleVoltage : l.inverterVoltage;
        EXPECT_EQ(binding.count, e.nMax);
        EXPECT_EQ(binding.temperatureC, e.t.minC);
        EXPECT_NEAR(binding.valueAtCount, e.vocAtNMax, 1e-9);
        EXPECT_GT(binding.valueBeyond, binding.limit);
        EXPECT_EQ(l.mppMinimum.temperatureC, e.t.maxC);
        EXPECT_NEAR(l.mppMinimum.valueAtCount, e.mppLowAtNMin, 1e-9);
        EXPECT_LT(l.mppMinimum.valueBeyond, l.mppMinimum.limit);
        EXPECT_EQ(l.mppMaximum.temperatureC, e.t.minC);
        EXPECT_TRUE(l.allowsAString());
    }
}

TEST(SiteLimits, EqualityPassesAsOnTheMultiStringPage) {
    TPanelInfo m; // coefficients of 0: every string value is an exact product
    m.kailu_V = 50;
    m.MPP_V = 25;
    m.duanlu_i = 6.25;
    InverterRating inverter = kt10000tl(); // 1000 V, MPP from 200 V up to 850 V, 12.5 A
    inverter.mppUpperV = 850;
    const Limits l = limits(m, inverter, {-10, 70});
    EXPECT_EQ(l.nMax(), 20);               // 20 x 50 V = 1000 V
    EXPECT_EQ(l.nMin(), 8);                // 8 x 25 V = 200 V
    EXPECT_EQ(*l.nMppMax(), 34);           // 34 x 25 V = 850 V
    EXPECT_EQ(l.sMax(), 2);                // 2 x 6.25 A = 12.5 A
    EXPECT_FALSE(l.moduleVoltage.applies); // no maximum system voltage in the row
    const auto checks = checkInput(m, 2, 20, inverter, {-10, 70});
    EXPECT_TRUE(allPassed(checks));
    EXPECT_FALSE(allPassed(checkInput(m, 3, 20, inverter, {-10, 70})));
}

TEST(SiteLimits, APositiveMppCoefficientIsJudgedLowWhenCold) {
    TPanelInfo m = jam60s10();
    m.mpp_mx = +129.1; // a user's row: the MPP voltage rises with the temperature
    const Temperatures t{-10, 70};
    EXPECT_EQ(lowMppTemperature(m, t), -10);
    EXPECT_EQ(highMppTemperature(m, t), 70);
    const Limits l = limits(m, kt10000tl(), t);
    // Vmpp(-10) = 34.7 - 4.5185 = 30.1815: 200 / 30.1815 = 6.63; Vmpp(70) = 40.5095: 850 / 40.5095 = 20.98.
    EXPECT_EQ(l.nMin(), 7);
    EXPECT_EQ(l.mppMinimum.temperatureC, -10);
    EXPECT_EQ(*l.nMppMax(), 20);
    EXPECT_EQ(l.mppMaximum.temperatureC, 70);
}

TEST(SiteLimits, NoLimitWhereTheCatalogGivesNone) {
    for (const char* range : {"", "200~850", "850-200", "200-850-900", "low-high", "-850"}) {
        SCOPED_TRACE(range);
        EXPECT_FALSE(mppRangeUpper(QString::fromLatin1(range)));
    }
    EXPECT_EQ(mppRangeUpper(QStringLiteral(" 160 - 950 ")), 950.0);
    EXPECT_EQ(mppRangeUpper(QStringLiteral("100-400")), 400.0);

    InverterRating inverter = readInverter(inverterRow("X", "5", "600", "150", "150 to 550", "20"));
    EXPECT_TRUE(inverter.unreadableColumn.isEmpty());
    const Limits l = limits(jam60s10(), inverter, {-10, 70});
    EXPECT_FALSE(l.nMppMax());
    EXPECT_EQ(l.nUpper(), l.nMax()); // 600 / 45.37104 = 13.2
    EXPECT_EQ(l.nMax(), 13);
    const auto checks = checkInput(jam60s10(), 1, 13, inverter, {-10, 70});
    EXPECT_FALSE(checks[3].applies);
    EXPECT_TRUE(allPassed(checks));
}

TEST(SiteLimits, OneStringTooStrongOrNoLengthAllowsNoString) {
    // KT1000-S: 450 V, MPP from 100 V, 10 A per input; 10.46 A strings do not fit.
    const InverterRating small = readInverter(inverterRow("KT1000-S", "1.20", "450", "100", "100-400", "10"));
    const Limits l = limits(jam60s10(), small, {-10, 70});
    EXPECT_EQ(l.sMax(), 0);
    EXPECT_NEAR(l.inputCurrent.valueBeyond, 10.46, 1e-12);
    EXPECT_FALSE(l.allowsAString());

    // An MPP minimum above the maximum voltage: no length fits between them.
    const InverterRating odd = readInverter(inverterRow("Odd", "5", "400", "380", "380-400", "20"));
    const Limits none = limits(jam60s10(), odd, {-10, 70});
    EXPECT_EQ(none.nMax(), 8);  // 400 / 45.37104 = 8.8
    EXPECT_EQ(none.nMin(), 14); // 380 / 28.8905 = 13.2
    EXPECT_FALSE(none.allowsAString());
}

TEST(InverterRating, ReadsTheNumbersTheDataSheetReads) {
    const InverterRating r = kt10000tl();
    EXPECT_EQ(r.maxDcPowerW, 12500);
    EXPECT_EQ(r.maxVoltageV, 1000);
    EXPECT_EQ(r.minMppVoltageV, 200);
    EXPECT_EQ(r.maxCurrentA, 12.5);
    EXPECT_EQ(r.efficiency, 0.981);
    EXPECT_EQ(r.ratedAcPowerKw, 10.0);
    EXPECT_EQ(r.mppUpperV, 850.0);

    TInverterInfo row = inverterRow("Bad", "12.5", "1000", "200", "200-850", "12,5");
    row.output_ACpower = QStringLiteral("ten");
    const InverterRating bad = readInverter(row);
    EXPECT_EQ(bad.unreadableColumn, QStringLiteral("input_maxI"));
    EXPECT_EQ(bad.unreadableText, QStringLiteral("12,5"));
    EXPECT_FALSE(bad.ratedAcPowerKw);
}

// The shipped catalog, copied so that no test can change the one the run folder gets.
class ShippedCatalogSite : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::copy(QStringLiteral(TARVEL_SHIPPED_CATALOG), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        for (const QString& maker : catalog.makerListQuery())
            for (const QString& type : catalog.moduleTypeListQuery(maker)) {
                TPanelInfo m = *catalog.moduleRecordQuery(maker, type);
                m.panel_maxv = *catalog.moduleSystemVoltageQuery(maker, type);
                modules.push_back(m);
            }
        for (const QString& model : catalog.inverterListQuery())
            inverters.push_back(readInverter(*catalog.inverterRecordQuery(model)));
        ASSERT_EQ(modules.size(), 80u);
        ASSERT_EQ(inverters.size(), 40u);
    }
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("VurIvira"));
    Catalog catalog{path};
    std::vector<TPanelInfo> modules;
    std::vector<InverterRating> inverters;
};

// The site voltages at the page's temperatures are the page's values, bit for bit, so that equality
// cases agree.
TEST_F(ShippedCatalogSite, StringVoltagesAreThePageValuesAtItsTemperatures) {
    for (const TPanelInfo& m : modules) {
        SCOPED_TRACE(m.strings_type.toStdString());
        for (int n = 1; n <= kMaxModulesPerString; ++n) {
            const sizing::StringValues v = sizing::stringValues(m, 1, n);
            ASSERT_EQ(stringOpenCircuitVoltage(m, n, 25), v.kailu25);
            ASSERT_EQ(stringOpenCircuitVoltage(m, n, -10), v.kailu10);
            ASSERT_EQ(stringMppVoltage(m, n, 15), v.mpp15);
            ASSERT_EQ(stringMppVoltage(m, n, 50), v.mpp50);
            ASSERT_EQ(stringMppVoltage(m, n, 70), v.mpp70);
        }
    }
}

// At -10/70 C every length and string count within the site limits passes the page's six checks
// (no danger, no current or MPP warning), and one module more than nMax is in danger.
TEST_F(ShippedCatalogSite, TheLimitsAgreeWithTheSixChecksForEveryPair) {
    int pairsWithAString = 0, moduleBinds = 0;
    for (const InverterRating& inverter : inverters) {
        const sizing::InverterLimits page{inverter.maxCurrentA, inverter.maxVoltageV, inverter.minMppVoltageV,
                                          inverter.maxDcPowerW};
        for (const TPanelInfo& m : modules) {
            SCOPED_TRACE((inverter.model + u' ' + m.strings_type).toStdString());
            const Limits l = limits(m, inverter, {-10, 70});
            for (int n = l.nMin(); n <= l.nUpper(); ++n)
                for (int s = 1; s <= l.sMax(); ++s) {
                    const auto checks =
                        sizing::checkString(sizing::stringValues(m, s, n), s, m.duanlu_i, page);
                    for (const sizing::Check& c : checks)
                        ASSERT_FALSE(c.failed) << n << " modules, " << s << " strings";
                    ASSERT_TRUE(allPassed(checkInput(m, s, n, inverter, {-10, 70})));
                }
            if (l.allowsAString())
                ++pairsWithAString;
            if (l.moduleVoltage.applies && l.moduleVoltage.count < l.inverterVoltage.count)
                ++moduleBinds;
            if (l.inverterVoltage.count < kMaxModulesPerString) {
                const int above = l.inverterVoltage.count + 1;
                const auto checks =
                    sizing::checkString(sizing::stringValues(m, 1, above), 1, m.duanlu_i, page);
                EXPECT_TRUE(checks[2].danger);
            }
            if (l.nMin() > 1) {
                const auto checks =
                    sizing::checkString(sizing::stringValues(m, 1, l.nMin() - 1), 1, m.duanlu_i, page);
                EXPECT_TRUE(checks[3].failed || checks[4].failed || checks[5].failed);
            }
        }
    }
    EXPECT_GT(pairsWithAString, 1000); // most pairs fit; the test looks at real layouts
    EXPECT_GT(moduleBinds, 100);       // 1000 V modules on the 1100 V inverters
}

} // namespace
} // namespace tarvel::site

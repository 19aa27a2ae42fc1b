#include "design/energy.h"
#include "design/number_format.h"
#include "support/main_window_fixture.h"
#include "ui/display_widgets.h"
#include "ui/spin_edit.h"

#include <QFile>
#include <QGroupBox>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

using test::MainWindowFixture;

const QString kCrLf = QStringLiteral("\r\n");
const QString kOverVoltageText =
    QStringLiteral("The inverter is in danger.") + kCrLf +
    QStringLiteral(
        "The open-circuit voltage of the PV-modules in the string is larger than the maximum input voltage "
        "of the inverter.") +
    kCrLf + kCrLf + QStringLiteral("Solution options:") + kCrLf +
    QStringLiteral(
        "Reduce the number of PV-modules in the strings,Select other modules;select another inverter.");
const QString kDanger = QStringLiteral("System in danger.Please check your dimensioning!");

struct InputNames {
    const char* maker;
    const char* type;
    const char* strings;
    const char* perString;
};
constexpr InputNames kA{"ComboBox3", "ComboBox4", "SpinEdit6", "SpinEdit7"};
constexpr InputNames kB{"ComboBox5", "ComboBox6", "SpinEdit8", "SpinEdit9"};
constexpr InputNames kC{"ComboBox7", "ComboBox8", "SpinEdit10", "SpinEdit11"};

class StringInputs : public testing::Test {
protected:
    StringInputs() {
        f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
        f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Berlin"));
    }
    void size(const InputNames& in, const char* maker, const char* type, int strings, int perString) {
        f.choose(QString::fromLatin1(in.maker), QString::fromLatin1(maker));
        f.choose(QString::fromLatin1(in.type), QString::fromLatin1(type));
        f.type(QString::fromLatin1(in.strings), QString::number(strings));
        f.type(QString::fromLatin1(in.perString), QString::number(perString));
    }
    TCheckMark mark(const char* icon) { return f.find<StatusIcon>(QString::fromLatin1(icon))->mark(); }
    bool boxEnabled(const char* box) { return f.find<QGroupBox>(QString::fromLatin1(box))->isEnabled(); }
    MainWindowFixture f;
};

TEST_F(StringInputs, ATypeUnlocksTheCountsAndASizedInputShowsItsValues) {
    f.choose(QStringLiteral("ComboBox3"), QStringLiteral("Alpha"));
    EXPECT_TRUE(f.find<SpinEdit>(QStringLiteral("SpinEdit6"))->isReadOnly());
    f.choose(QStringLiteral("ComboBox4"), QStringLiteral("A-250"));
    EXPECT_FALSE(f.find<SpinEdit>(QStringLiteral("SpinEdit6"))->isReadOnly());
    f.type(QStringLiteral("SpinEdit6"), QStringLiteral("2"));
    f.type(QStringLiteral("SpinEdit7"), QStringLiteral("10"));

    EXPECT_EQ(f.text(QStringLiteral("PowerA")), QStringLiteral("5000"));
    EXPECT_EQ(f.text(QStringLiteral("IA")), QStringLiteral("17"));
    EXPECT_EQ(f.text(QStringLiteral("KailuA25")), QStringLiteral("375"));
    EXPECT_EQ(f.text(QStringLiteral("KailuA10")), QStringLiteral("419.63"));
    EXPECT_EQ(f.text(QStringLiteral("MPPA70")), QStringLiteral("237.50"));
    EXPECT_EQ(f.text(QStringLiteral("MPPA50")), QStringLiteral("267.50"));
    EXPECT_EQ(f.text(QStringLiteral("MPPA15")), QStringLiteral("320.00"));
    EXPECT_EQ(f.text(QStringLiteral("MPPAmin")), QStringLiteral("200"));
    EXPECT_EQ(f.text(QStringLiteral("KailuAMax")), QStringLiteral("1000"));
    EXPECT_EQ(f.text(QStringLiteral("IAmax")), QStringLiteral("18"));
    for (const char* icon : {"Image9", "Image22", "Image8", "Image5", "Image6", "Image7"})
        EXPECT_EQ(mark(icon), cmOk) << icon;
    EXPECT_EQ(f.text(QStringLiteral("SumNum")), QStringLiteral("20"));
    EXPECT_EQ(f.text(QStringLiteral("Power")), QStringLiteral("5000"));
    EXPECT_EQ(f.text(QStringLiteral("Area")), QStringLiteral("32.00"));
    EXPECT_EQ(f.text(QStringLiteral("PowerRate")), QStringLiteral("124.00%"));
    EXPECT_EQ(mark("Image23"), cmWarning);
    EXPECT_EQ(f.text(QStringLiteral("Label60")),
              QStringLiteral("String-A:Alpha\r          A-250\r  MPP-current:8.2A;\r"
                             "  MPP-voltage:30.5V;\r  MPP-Power:250W"));
    EXPECT_DOUBLE_EQ(f.session().InputA.YieldCoefficient, -0.34);
    // With the AC cable computed every page opens and the Result page holds the copies.
    EXPECT_EQ(f.enabledPages(), (QList<bool>{true, true, true, true, true}));
    EXPECT_EQ(f.text(QStringLiteral("PV_Power")), QStringLiteral("5.000"));
    EXPECT_EQ(f.text(QStringLiteral("PV_Num")), QStringLiteral("20"));
    EXPECT_EQ(f.text(QStringLiteral("Power_Rate")), QStringLiteral("124.00%"));
}

TEST_F(StringInputs, AnOverVoltageBringsTwoBoxesWithTheAdviceAlreadyShown) {
    QStringList memoDuringBoxes;
    f.dialogs.onMessage = [&](const QString&) { memoDuringBoxes << f.text(QStringLiteral("Memo1")); };
    size(kA, "Alpha", "A-250", 1, 30); // 1125 V open-circuit against 1000 V
    EXPECT_EQ(f.dialogs.messages, (QStringList{kDanger, kDanger}));
    // Below the specified text each box names the input and the voltage against the limit.
    ASSERT_EQ(f.dialogs.details.size(), 2);
    EXPECT_TRUE(f.dialogs.details[0].startsWith(QStringLiteral("String-A: open-circuit voltage at 25 °C ")));
    EXPECT_TRUE(f.dialogs.details[0].endsWith(QStringLiteral(" V > 1000 V"))) << f.dialogs.details[0].toStdString();
    EXPECT_TRUE(f.dialogs.details[1].startsWith(QStringLiteral("String-A: open-circuit voltage at −10 °C ")))
        << f.dialogs.details[1].toStdString();
    EXPECT_TRUE(f.dialogs.details[1].endsWith(QStringLiteral(" V > 1000 V")));
    EXPECT_EQ(memoDuringBoxes, (QStringList{kOverVoltageText, kOverVoltageText}));
    EXPECT_EQ(mark("Image22"), cmDanger);
    EXPECT_EQ(mark("Image8"), cmDanger);
    EXPECT_EQ(f.text(QStringLiteral("Memo1")), kOverVoltageText);
}

TEST_F(StringInputs, TwoInputsAddUpInTheSummary) {
    size(kA, "Alpha", "A-250", 2, 10);
    size(kB, "Alpha", "A-300", 1, 10);
    EXPECT_EQ(f.text(QStringLiteral("SumNum")), QStringLiteral("30"));
    EXPECT_EQ(f.text(QStringLiteral("Power")), QStringLiteral("8000"));
    EXPECT_EQ(f.text(QStringLiteral("PV_Power")), QStringLiteral("8.000"));
}

TEST_F(StringInputs, TakingAnInputOutRecomputesTheOthersInOrder) {
    size(kA, "Alpha", "A-250", 1, 10);
    size(kB, "Alpha", "A-300", 3, 30); // over-voltage: a danger box at every recompute
    size(kC, "Beta", "B-310", 1, 5);   // low MPP voltage: its advice is written last
    const qsizetype boxes = f.dialogs.messages.size();
    f.type(QStringLiteral("SpinEdit6"), QStringLiteral("0"));
    // B came first (its boxes again), C second (the memo holds C's advice).
    EXPECT_EQ(f.dialogs.messages.size(), boxes + 2);
    EXPECT_TRUE(f.text(QStringLiteral("Memo1")).startsWith(QStringLiteral("The MPP-voltage")));
    EXPECT_EQ(f.text(QStringLiteral("PowerA")), QString());
    EXPECT_EQ(f.text(QStringLiteral("Label60")), QStringLiteral("String-A:\r\r        Not select."));
    EXPECT_FALSE(boxEnabled("RzGroupBox5"));
    EXPECT_EQ(f.text(QStringLiteral("DCA_zukang")), QStringLiteral("0.0000"));
    EXPECT_EQ(f.text(QStringLiteral("DCA_powerlossrate")), QStringLiteral("0.0000%"));
    EXPECT_EQ(f.text(QStringLiteral("SumNum")), QStringLiteral("95"));
}

TEST_F(StringInputs, TheLastInputOutOfUseClearsTheDesign) {
    size(kA, "Alpha", "A-250", 2, 10);
    f.type(QStringLiteral("SpinEdit6"), QStringLiteral("0"));
    for (const char* label : {"SumNum", "Power", "Area", "PowerRate", "PV_Power", "PV_Num", "Position"})
        EXPECT_EQ(f.text(QString::fromLatin1(label)), QString()) << label;
    EXPECT_EQ(mark("Image23"), cmNone);
    EXPECT_EQ(mark("Image9"), cmNone);
    for (const char* box : {"RzGroupBox5", "RzGroupBox6", "RzGroupBox7", "RzGroupBox8"})
        EXPECT_FALSE(boxEnabled(box)) << box;
    EXPECT_EQ(f.enabledPages(), (QList<bool>{true, true, true, false, false}));
    EXPECT_EQ(f.text(QStringLiteral("Power_Year")), QStringLiteral("0.0"));
    EXPECT_EQ(f.text(QStringLiteral("AC_powerlossrate")), QString());
}

TEST_F(StringInputs, AnEmptyCountFieldChangesNothing) {
    size(kA, "Alpha", "A-250", 2, 10);
    const TDesignSession before = f.session();
    f.type(QStringLiteral("SpinEdit7"), QString());
    EXPECT_EQ(f.session().InputA.ModuleCount, before.InputA.ModuleCount);
    EXPECT_EQ(f.text(QStringLiteral("PowerA")), QStringLiteral("5000"));
    EXPECT_EQ(f.text(QStringLiteral("StringA_Num")), QStringLiteral("Series 10 Block"));
    // A later type change fails at the empty field and is swallowed.
    f.choose(QStringLiteral("ComboBox4"), QStringLiteral("A-300"));
    EXPECT_EQ(f.text(QStringLiteral("PowerA")), QStringLiteral("5000"));
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
}

// A count beyond its field's range, or a lone sign, is no count yet while it is typed: as with an
// empty field nothing is recomputed with it, not even after a type change, and the pages stay shut.
TEST_F(StringInputs, ACountOutsideItsRangeIsNotUsedWhileBeingTyped) {
    size(kA, "Alpha", "A-250", 2, 10);
    const QList<bool> pages = f.enabledPages();
    const char* const typed[][2] = {{"SpinEdit6", "601"}, {"SpinEdit6", "2147483647"}, {"SpinEdit6", "-2"},
                                    {"SpinEdit6", "-"},   {"SpinEdit7", "201"},        {"SpinEdit7", "+"}};
    for (const auto& [field, text] : typed) {
        f.type(QString::fromLatin1(field), QString::fromLatin1(text));
        f.choose(QStringLiteral("ComboBox4"), QStringLiteral("A-250"));
        EXPECT_EQ(f.session().InputA.ModuleCount, 20) << field << " " << text;
        EXPECT_EQ(f.text(QStringLiteral("PowerA")), QStringLiteral("5000")) << text;
        EXPECT_EQ(f.text(QStringLiteral("SumNum")), QStringLiteral("20")) << text;
        EXPECT_EQ(f.text(QStringLiteral("StringsA_Num")), QStringLiteral("Parallel 2 Group")) << text;
        EXPECT_EQ(f.text(QStringLiteral("StringA_Num")), QStringLiteral("Series 10 Block")) << text;
        EXPECT_EQ(f.enabledPages(), pages) << text;
        f.type(QString::fromLatin1(field),
               QString::fromLatin1(field == QLatin1String("SpinEdit6") ? "2" : "10"));
    }
    // The edges themselves are counts.
    f.type(QStringLiteral("SpinEdit6"), QStringLiteral("600"));
    f.type(QStringLiteral("SpinEdit7"), QStringLiteral("200"));
    EXPECT_EQ(f.text(QStringLiteral("SumNum")), QStringLiteral("120000"));
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
}

TEST_F(StringInputs, TheYearlyEnergyIsTheEnginesForTheSizedInputs) {
    size(kA, "Alpha", "A-250", 2, 10);
    size(kB, "Beta", "B-310", 1, 8);
    const TDesignSession& s = f.session();
    const double a =
        energy::inputEnergy(5000, energy::correctedYield(-0.34, s.MonthlyTemperature, s.MonthlyYield));
    const double b =
        energy::inputEnergy(8 * 310, energy::correctedYield(-0.34, s.MonthlyTemperature, s.MonthlyYield));
    EXPECT_EQ(f.text(QStringLiteral("Power_Year")), formatPattern(energy::yearlyEnergy({a, b, 0}, 0.981), 1));
    EXPECT_NE(f.text(QStringLiteral("Power_Year")), QStringLiteral("0.0"));
}

TEST_F(StringInputs, AnotherInverterRechecksEverySizedInputAndTheEnergy) {
    size(kA, "Alpha", "A-250", 2, 10); // 17 A
    size(kB, "Alpha", "A-300", 1, 10);
    EXPECT_EQ(mark("Image9"), cmOk);
    const QString energyBefore = f.text(QStringLiteral("Power_Year"));
    f.catalog.exec(
        QStringLiteral("update inverter_info set xiaolv_zuida='0.5' where inverter_type='KT3000-S'"));
    f.choose(QStringLiteral("ComboBox17"), QStringLiteral("KT3000-S")); // 12 A per input
    EXPECT_EQ(mark("Image9"), cmWarning);
    EXPECT_EQ(mark("Image15"), cmOk);
    EXPECT_EQ(f.text(QStringLiteral("IAmax")), QStringLiteral("12"));
    EXPECT_EQ(f.text(QStringLiteral("IBmax")), QStringLiteral("12"));
    const double before = textToDouble(energyBefore);
    EXPECT_NEAR(textToDouble(f.text(QStringLiteral("Power_Year"))), before / 0.981 * 0.5, 0.1);
}

TEST_F(StringInputs, CableRunsFollowTheirInputs) {
    size(kA, "Alpha", "A-250", 2, 10);
    // DC B without modules: empty and disabled once its run is recomputed.
    f.choose(QStringLiteral("ComboBox11"), QStringLiteral("Al"));
    for (const char* label : {"DCB_zukang", "DCB_lineV", "DCB_powerloss", "DCB_powerlossrate"})
        EXPECT_EQ(f.text(QString::fromLatin1(label)), QString()) << label;
    EXPECT_FALSE(boxEnabled("RzGroupBox6"));
    EXPECT_EQ(mark("Image2"), cmNone);

    // DC A: 5000 W at 237.5 V through copper of 50 m and 6 mm2.
    f.type(QStringLiteral("SpinEdit12"), QStringLiteral("50"));
    f.choose(QStringLiteral("ComboBox10"), QStringLiteral("6"));
    const double current = 5000 / 237.5;
    const double zukang = 1.7e-8 * 50 / 6 * 1000000;
    EXPECT_EQ(f.text(QStringLiteral("DCA_zukang")), QStringLiteral("0.1417"));
    EXPECT_EQ(f.text(QStringLiteral("DCA_lineV")), formatPattern(current * zukang, 4));
    EXPECT_EQ(f.text(QStringLiteral("DCA_powerlossrate")),
              formatPattern(current * current * zukang / 6200 * 100, 4) + u'%');
    EXPECT_EQ(mark("Image1"), cmWarning); // 1.0126 %
    f.choose(QStringLiteral("ComboBox10"), QStringLiteral("10"));
    EXPECT_EQ(mark("Image1"), cmOk);
    // A long aluminium cable puts the yield in danger.
    f.choose(QStringLiteral("ComboBox9"), QStringLiteral("Al"));
    f.type(QStringLiteral("SpinEdit12"), QStringLiteral("300"));
    EXPECT_EQ(mark("Image1"), cmDanger);
    // An empty length is ignored until it holds a number.
    const QString rate = f.text(QStringLiteral("DCA_powerlossrate"));
    f.type(QStringLiteral("SpinEdit12"), QString());
    EXPECT_EQ(f.text(QStringLiteral("DCA_powerlossrate")), rate);
    EXPECT_FALSE(f.text(QStringLiteral("AC_powerlossrate")).isEmpty());
}

// A module without power still gives its strings a voltage: the DC run is live (box enabled, the
// cable's resistance shown, nothing lost). A module without MPP voltage or coefficient gives none: the
// run stays idle, DC A showing zeros in a disabled box.
TEST_F(StringInputs, TheDcRunGoesLiveWithTheStringsVoltageNotItsPower) {
    f.catalog.exec(QStringLiteral("update panel_info set power=0 where strings_type='A-250'"));
    f.catalog.exec(QStringLiteral("update panel_info set MPP_V=0, mpp_mx=0 where strings_type='A-300'"));
    size(kA, "Alpha", "A-250", 2, 10);
    EXPECT_TRUE(boxEnabled("RzGroupBox5"));
    EXPECT_EQ(f.text(QStringLiteral("DCA_zukang")), QStringLiteral("0.0113")); // 1.7e-8 x 1 m / 1.5 mm2
    EXPECT_EQ(f.text(QStringLiteral("DCA_powerloss")), QStringLiteral("0.0000"));
    EXPECT_EQ(f.text(QStringLiteral("DCA_powerlossrate")), QStringLiteral("0.0000%"));
    EXPECT_EQ(mark("Image1"), cmNone);

    f.choose(QStringLiteral("ComboBox4"), QStringLiteral("A-300"));
    EXPECT_FALSE(boxEnabled("RzGroupBox5"));
    EXPECT_EQ(f.text(QStringLiteral("DCA_zukang")), QStringLiteral("0.0000"));
    EXPECT_EQ(f.text(QStringLiteral("DCA_lineV")), QStringLiteral("0.0000"));
    EXPECT_EQ(f.text(QStringLiteral("DCA_powerlossrate")), QStringLiteral("0.0000%"));
    EXPECT_EQ(mark("Image1"), cmNone);
}

TEST_F(StringInputs, MissingReferencePowersShowADash) {
    f.catalog.exec(QStringLiteral("update inverter_info set power_DC_MAX='0', output_ACpower_max='0'"));
    f.choose(QStringLiteral("ComboBox17"), QStringLiteral("KT5000-S"));
    size(kA, "Alpha", "A-250", 2, 10);
    EXPECT_EQ(f.text(QStringLiteral("DCA_powerlossrate")), QStringLiteral("-"));
    EXPECT_EQ(f.text(QStringLiteral("AC_powerlossrate")), QStringLiteral("-"));
    EXPECT_EQ(mark("Image1"), cmNone);
    EXPECT_EQ(f.text(QStringLiteral("PowerRate")), QStringLiteral("0.00%"));
    // The Result page still opens.
    EXPECT_TRUE(f.enabledPages().last());
}

TEST_F(StringInputs, ModulesWithoutPowerGiveNoRatio) {
    f.catalog.exec(QStringLiteral("update panel_info set power=0 where strings_type='A-250'"));
    size(kA, "Alpha", "A-250", 2, 10);
    EXPECT_EQ(f.text(QStringLiteral("PowerRate")), QStringLiteral("-"));
    EXPECT_EQ(mark("Image23"), cmNone);
    for (const char* label : {"PowerRate", "Power", "PV_Power", "DCA_powerlossrate", "AC_powerlossrate"})
        EXPECT_FALSE(f.text(QString::fromLatin1(label)).contains(QStringLiteral("NAN"))) << label;
}

// The example design on the shipped catalog: Berlin, KT8000-TL; A 2 x 16 CS6P-260P, B 1 x 12
// JAM60S10-340/MR; copper DC runs of 25 m and 30 m at 4 mm2, AC 15 m at 6 mm2. By hand:
//   A: Mpp70 = 16 x 30.4 - 0.1408 x 45 x 16 = 385.024 V, 8326.4 W, so 21.626 A through 0.10625 ohm;
//   B: Mpp70 = 12 x 34.7 - 0.1291 x 45 x 12 = 346.686 V, 4076.4 W, so 11.758 A through 0.1275 ohm;
//   DC rates of 9600 W: 49.6899 W = 0.5176 %, 17.6275 W = 0.1836 %;
//   AC: (385.024 x 9.12 x 2 + 346.686 x 10.46) x 0.974 / 230 = 45.097 A through 0.0425 ohm loses
//   86.4337 W, 0.9822 % of 8.8 kW (just below the warning).
TEST(CableRuns, ARealisticDesignShowsEveryRunsLossAndMark) {
    MainWindowFixture f(QStringLiteral("[LanguageOf]\nLanguage=1252\n"), [](test::TempCatalog& temp) {
        QFile::remove(temp.path());
        QFile::copy(QStringLiteral(TARVEL_SHIPPED_CATALOG), temp.path());
        QFile::setPermissions(temp.path(), QFile::ReadOwner | QFile::WriteOwner);
    });
    const Tfrm_main::OpenResult opened =
        f.window().openDesign(QStringLiteral(TARVEL_SOURCE_DIR "/data/examples/berlin_two_strings.tpvd"));
    ASSERT_TRUE(opened.skipped.isEmpty());
    const struct {
        const char* zukang;
        const char* lineV;
        const char* loss;
        const char* rate;
        const char* icon;
        const char* texts[4];
    } runs[] = {
        {"DCA_zukang",
         "DCA_lineV",
         "DCA_powerloss",
         "DCA_powerlossrate",
         "Image1",
         {"0.1062", "2.2977", "49.6899", "0.5176%"}},
        {"DCB_zukang",
         "DCB_lineV",
         "DCB_powerloss",
         "DCB_powerlossrate",
         "Image2",
         {"0.1275", "1.4992", "17.6275", "0.1836%"}},
        {"AC_zukang",
         "AC_linev",
         "AC_powerloss",
         "AC_powerlossrate",
         "Image4",
         {"0.0425", "1.9166", "86.4337", "0.9822%"}},
    };
    for (const auto& run : runs) {
        const char* const labels[4] = {run.zukang, run.lineV, run.loss, run.rate};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(f.text(QString::fromLatin1(labels[i])).toStdString(), run.texts[i]) << labels[i];
        EXPECT_EQ(f.find<StatusIcon>(QString::fromLatin1(run.icon))->mark(), cmOk) << run.icon;
    }
    EXPECT_EQ(f.text(QStringLiteral("DCC_powerlossrate")), QString());
    EXPECT_EQ(f.find<StatusIcon>(QStringLiteral("Image3"))->mark(), cmNone);
}

} // namespace
} // namespace tarvel

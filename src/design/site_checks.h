#pragma once

#include "design/catalog_records.h"
#include "design/design_records.h"

#include <QString>

#include <array>
#include <optional>

// Checks of a string layout at the site's own temperatures: the design's minimum and maximum PV
// temperature instead of the fixed -10 C .. 70 C of the six checks of the Multi-String page. Plain
// values in, plain values out; the texts that phrase them live with the windows (ui/site_texts.h).

namespace tarvel::site {

// The counts the design's fields allow.
inline constexpr int kMaxModulesPerString = 200;
inline constexpr int kMaxStringsPerInput = 600;

// The design's temperature range, degrees C.
struct Temperatures {
    int minC = -10; // "Minimum PV temperature"
    int maxC = 70;  // "Maximum PV temperature"
};

// The inverter values the site checks use, read from a catalog row the way the data sheet reads them.
struct InverterRating {
    QString model;
    double maxDcPowerW = 0.0;             // power_DC_MAX x 1000
    double maxVoltageV = 0.0;             // max_v
    double minMppVoltageV = 0.0;          // MPP_min
    double maxCurrentA = 0.0;             // input_maxI, the limit of one input
    QString mppRange;                     // mpp_range as the catalog writes it ("200-850")
    std::optional<double> mppUpperV;      // its upper number; none when it does not read as "low-high"
    std::optional<double> ratedAcPowerKw; // output_ACpower; none when it is not a number
    double efficiency = 0.0;              // xiaolv_zuida, the fraction the yearly energy uses
    // The first numeric column that does not hold a number, and its text; empty when all do. An
    // inverter with such a column is never proposed.
    QString unreadableColumn;
    QString unreadableText;
};

// Converts the columns with the data sheet's conversions (so the limits are the numbers the six
// checks compare with); a column that does not convert is named in unreadableColumn.
InverterRating readInverter(const TInverterInfo& row);

// The upper number of an MPP range written "low-high" (blanks allowed around the numbers); none for
// any other text.
std::optional<double> mppRangeUpper(const QString& text);

// String voltages of `modulesPerString` modules at temperature T, computed in the order of the
// Multi-String page's string values, so that at -10, 15, 50 and 70 C they are the same doubles:
//   open circuit:  Voc25 + |kailu_kx| x Voc25 / 100 x (25 - T),  Voc25 = n x kailu_V
//   MPP:           mpp_mx / 1000 x (T - 25) x n + n x MPP_V
// The open-circuit voltage uses the coefficient's absolute value whatever its catalog sign; the MPP
// voltage moves with the coefficient's sign (so a positive coefficient makes it lowest when cold).
double stringOpenCircuitVoltage(const TPanelInfo& module, int modulesPerString, int temperatureC);
double stringMppVoltage(const TPanelInfo& module, int modulesPerString, int temperatureC);

// Of the two site temperatures, the one where the MPP voltage is lowest and the one where it is
// highest (the cold end for the usual negative coefficient is the high one).
int lowMppTemperature(const TPanelInfo& module, Temperatures t);
int highMppTemperature(const TPanelInfo& module, Temperatures t);
// The one where the open-circuit voltage is highest: the colder.
int highVocTemperature(Temperatures t);

// What a limit protects.
enum class Rule {
    InverterVoltage, // open-circuit voltage at the cold end <= the inverter's maximum DC voltage
    ModuleVoltage,   // open-circuit voltage at the cold end <= the module's maximum system voltage
    MppMinimum,      // MPP voltage at its lowest >= the inverter's minimum MPP voltage
    MppMaximum,      // MPP voltage at its highest <= the upper end of the MPP range
    InputCurrent,    // strings x short-circuit current <= the inverter's current of one input
};

// A failing voltage check over the maximum puts the inverter in danger; the others lose yield.
TCheckMark failureMark(Rule rule);

// One bound on the modules per string (or, for InputCurrent, on the strings per input) and the
// numbers that produced it.
struct CountLimit {
    Rule rule = Rule::InverterVoltage;
    // False when the catalog gives no such limit: a module without its maximum system voltage, an
    // MPP range that does not read as "low-high". The bound then limits nothing.
    bool applies = true;
    // Upper rules: the largest count that passes (0 when even one fails). MppMinimum: the smallest
    // count from which on every count passes (kMaxModulesPerString + 1 when none does).
    int count = 0;
    int temperatureC = 25; // where the voltage is judged (not used for InputCurrent)
    double limit = 0.0;    // V, or A for InputCurrent
    // The string's value (V, or the input's current in A) at `count` and at the first count beyond
    // it (count + 1 for upper rules, count - 1 for MppMinimum), where that count lies within 1 and
    // the field's maximum.
    bool hasValueAtCount = false;
    double valueAtCount = 0.0;
    bool hasValueBeyond = false;
    double valueBeyond = 0.0;
};

// The site's limits for one module on one inverter.
struct Limits {
    CountLimit inverterVoltage;
    CountLimit moduleVoltage;
    CountLimit mppMinimum;
    CountLimit mppMaximum;
    CountLimit inputCurrent;

    int nMin() const { return mppMinimum.count; }
    // The voltage bound: the lower of the inverter's and the module's.
    int nMax() const;
    // The MPP range's bound; none when the range does not read.
    std::optional<int> nMppMax() const;
    int sMax() const { return inputCurrent.count; }
    // The longest string every check allows: min(nMax, nMppMax).
    int nUpper() const;
    // The limit that decides nUpper (the inverter's voltage where several agree).
    const CountLimit& upperBound() const;
    // Some string length passes every check, and one string of it fits the input's current.
    bool allowsAString() const { return nMin() <= nUpper() && sMax() >= 1; }
};

Limits limits(const TPanelInfo& module, const InverterRating& inverter, Temperatures t);

// One site check of one string input.
struct Check {
    Rule rule = Rule::InverterVoltage;
    bool applies = true; // false: skipped, the catalog gives no such limit
    bool passed = true;
    int temperatureC = 25;
    double value = 0.0; // the string's voltage (V) or the input's current (A)
    double limit = 0.0;
};

// The five site checks of an input of `strings` strings of `modulesPerString` modules, in the order
// of Rule. Equality passes, as in the six checks of the page.
std::array<Check, 5> checkInput(const TPanelInfo& module, int strings, int modulesPerString,
                                const InverterRating& inverter, Temperatures t);

inline bool allPassed(const std::array<Check, 5>& checks) {
    for (const Check& c : checks)
        if (c.applies && !c.passed)
            return false;
    return true;
}

} // namespace tarvel::site

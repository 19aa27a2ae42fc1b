#include "design/site_checks.h"

#include "design/number_format.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace tarvel::site {
namespace {

constexpr int kDataSheetC = 25;

// Reads one numeric column as the data sheet does; the first one that fails is remembered.
double number(const QString& text, const char* column, InverterRating& rating) {
    try {
        const double value = textToDouble(text);
        if (std::isfinite(value))
            return value;
    } catch (const ConversionError&) {
    }
    if (rating.unreadableColumn.isEmpty()) {
        rating.unreadableColumn = QString::fromLatin1(column);
        rating.unreadableText = text;
    }
    return 0.0;
}

// The largest count in [0, maximum] such that `passes` holds for every count from 1 up to it.
template <typename Passes> int largestPassing(int maximum, Passes passes) {
    int n = 0;
    while (n < maximum && passes(n + 1))
        ++n;
    return n;
}

// The smallest count in [1, maximum + 1] such that `passes` holds for every count from it up to
// the maximum.
template <typename Passes> int smallestPassing(int maximum, Passes passes) {
    int n = maximum + 1;
    while (n > 1 && passes(n - 1))
        --n;
    return n;
}

// Fills the values at the bound and just beyond it.
template <typename Value> void withValues(CountLimit& limit, int maximum, int beyond, Value value) {
    limit.hasValueAtCount = limit.count >= 1 && limit.count <= maximum;
    if (limit.hasValueAtCount)
        limit.valueAtCount = value(limit.count);
    limit.hasValueBeyond = beyond >= 1 && beyond <= maximum;
    if (limit.hasValueBeyond)
        limit.valueBeyond = value(beyond);
}

template <typename Voltage>
CountLimit upperVoltageLimit(Rule rule, double limitV, int temperatureC, Voltage voltage) {
    CountLimit l;
    l.rule = rule;
    l.limit = limitV;
    l.temperatureC = temperatureC;
    l.count = largestPassing(kMaxModulesPerString, [&](int n) { return voltage(n) <= limitV; });
    withValues(l, kMaxModulesPerString, l.count + 1, voltage);
    return l;
}

} // namespace

InverterRating readInverter(const TInverterInfo& row) {
    InverterRating r;
    r.model = row.inverter_type;
    // The order and the arithmetic of the data sheet, which sets the limits of the six checks.
    r.maxDcPowerW = number(row.power_DC_MAX, "power_DC_MAX", r) * 1000 * 1;
    r.maxVoltageV = number(row.max_v, "max_v", r);
    r.minMppVoltageV = number(row.MPP_min, "MPP_min", r);
    r.maxCurrentA = number(row.input_maxI, "input_maxI", r);
    number(row.output_ACpower_max, "output_ACpower_max", r);
    number(row.xiaolv_erding, "xiaolv_erding", r);
    r.efficiency = number(row.xiaolv_zuida, "xiaolv_zuida", r);
    if (!std::isfinite(r.maxDcPowerW) && r.unreadableColumn.isEmpty()) {
        r.unreadableColumn = QStringLiteral("power_DC_MAX");
        r.unreadableText = row.power_DC_MAX;
    }
    r.mppRange = row.mpp_range;
    r.mppUpperV = mppRangeUpper(row.mpp_range);
    try {
        const double rated = textToDouble(row.output_ACpower);
        if (rated > 0)
            r.ratedAcPowerKw = rated;
    } catch (const ConversionError&) {
    }
    return r;
}

std::optional<double> mppRangeUpper(const QString& text) {
    const QStringList parts = text.split(u'-');
    if (parts.size() != 2)
        return std::nullopt;
    try {
        const double low = textToDouble(parts[0]);
        const double high = textToDouble(parts[1]);
        if (low < 0 || high < low)
            return std::nullopt;
        return high;
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

double stringOpenCircuitVoltage(const TPanelInfo& module, int modulesPerString, int temperatureC) {
    const double voc25 = modulesPerString * module.kailu_V;
    return voc25 + std::fabs(module.kailu_kx) * voc25 / 100 * static_cast<double>(kDataSheetC - temperatureC);
}

double stringMppVoltage(const TPanelInfo& module, int modulesPerString, int temperatureC) {
    const double mpp25 = modulesPerString * module.MPP_V;
    return module.mpp_mx / 1000 * static_cast<double>(temperatureC - kDataSheetC) * modulesPerString + mpp25;
}

int lowMppTemperature(const TPanelInfo& module, Temperatures t) {
    // The step per module decides for every string length alike.
    const double atMin = module.mpp_mx / 1000 * static_cast<double>(t.minC - kDataSheetC);
    const double atMax = module.mpp_mx / 1000 * static_cast<double>(t.maxC - kDataSheetC);
    return atMax <= atMin ? t.maxC : t.minC;
}

int highMppTemperature(const TPanelInfo& module, Temperatures t) {
    return lowMppTemperature(module, t) == t.maxC ? t.minC : t.maxC;
}

int highVocTemperature(Temperatures t) {
    return std::min(t.minC, t.maxC);
}

TCheckMark failureMark(Rule rule) {
    return rule == Rule::InverterVoltage || rule == Rule::ModuleVoltage ? cmDanger : cmWarning;
}

int Limits::nMax() const {
    return moduleVoltage.applies ? std::min(inverterVoltage.count, moduleVoltage.count)
                                 : inverterVoltage.count;
}

std::optional<int> Limits::nMppMax() const {
    if (!mppMaximum.applies)
        return std::nullopt;
    return mppMaximum.count;
}

int Limits::nUpper() const {
    const std::optional<int> mpp = nMppMax();
    return mpp ? std::min(nMax(), *mpp) : nMax();
}

const CountLimit& Limits::upperBound() const {
    if (inverterVoltage.count == nUpper())
        return inverterVoltage;
    if (moduleVoltage.applies && moduleVoltage.count == nUpper())
        return moduleVoltage;
    return mppMaximum;
}

Limits limits(const TPanelInfo& module, const InverterRating& inverter, Temperatures t) {
    const int cold = highVocTemperature(t);
    const int low = lowMppTemperature(module, t);
    const int high = highMppTemperature(module, t);
    const auto voc = [&](int n) { return stringOpenCircuitVoltage(module, n, cold); };
    const auto mppLow = [&](int n) { return stringMppVoltage(module, n, low); };
    const auto mppHigh = [&](int n) { return stringMppVoltage(module, n, high); };

    Limits l;
    l.inverterVoltage = upperVoltageLimit(Rule::InverterVoltage, inverter.maxVoltageV, cold, voc);
    // A module without its maximum system voltage (0 in the catalog) limits nothing.
    l.moduleVoltage = upperVoltageLimit(Rule::ModuleVoltage, module.panel_maxv, cold, voc);
    l.moduleVoltage.applies = module.panel_maxv > 0;
    if (inverter.mppUpperV) {
        l.mppMaximum = upperVoltageLimit(Rule::MppMaximum, *inverter.mppUpperV, high, mppHigh);
    } else {
        l.mppMaximum.rule = Rule::MppMaximum;
        l.mppMaximum.applies = false;
        l.mppMaximum.count = kMaxModulesPerString;
        l.mppMaximum.temperatureC = high;
    }

    CountLimit& minimum = l.mppMinimum;
    minimum.rule = Rule::MppMinimum;
    minimum.limit = inverter.minMppVoltageV;
    minimum.temperatureC = low;
    minimum.count = smallestPassing(kMaxModulesPerString, [&](int n) { return mppLow(n) >= minimum.limit; });
    withValues(minimum, kMaxModulesPerString, minimum.count - 1, mppLow);

    // The current grows with each string, so the bound is found from the quotient and confirmed with
    // the check's own product.
    CountLimit& current = l.inputCurrent;
    current.rule = Rule::InputCurrent;
    current.limit = inverter.maxCurrentA;
    const double isc = module.duanlu_i;
    const auto fits = [&](int s) { return s * isc <= current.limit; };
    int s = kMaxStringsPerInput;
    if (isc > 0) {
        const double quotient = current.limit / isc;
        s = quotient <= 0                     ? 0
            : quotient >= kMaxStringsPerInput ? kMaxStringsPerInput
                                              : static_cast<int>(quotient);
        while (s < kMaxStringsPerInput && fits(s + 1))
            ++s;
        while (s > 0 && !fits(s))
            --s;
    } else if (!fits(1)) {
        s = 0;
    }
    current.count = s;
    withValues(current, kMaxStringsPerInput, s + 1, [&](int k) { return k * isc; });
    return l;
}

std::array<Check, 5> checkInput(const TPanelInfo& module, int strings, int modulesPerString,
                                const InverterRating& inverter, Temperatures t) {
    const int cold = highVocTemperature(t);
    const int low = lowMppTemperature(module, t);
    const int high = highMppTemperature(module, t);
    const double voc = stringOpenCircuitVoltage(module, modulesPerString, cold);
    const double mppLow = stringMppVoltage(module, modulesPerString, low);
    const double mppHigh = stringMppVoltage(module, modulesPerString, high);
    const double current = strings * module.duanlu_i;

    std::array<Check, 5> c;
    c[0] = {Rule::InverterVoltage, true, voc <= inverter.maxVoltageV, cold, voc, inverter.maxVoltageV};
    c[1] = {Rule::ModuleVoltage, module.panel_maxv > 0, voc <= module.panel_maxv, cold, voc,
            module.panel_maxv};
    c[2] = {Rule::MppMinimum, true, mppLow >= inverter.minMppVoltageV, low, mppLow, inverter.minMppVoltageV};
    const double upper = inverter.mppUpperV.value_or(0.0);
    c[3] = {Rule::MppMaximum, inverter.mppUpperV.has_value(), mppHigh <= upper, high, mppHigh, upper};
    c[4] = {Rule::InputCurrent, true,    current <= inverter.maxCurrentA,
            kDataSheetC,        current, inverter.maxCurrentA};
    return c;
}

} // namespace tarvel::site

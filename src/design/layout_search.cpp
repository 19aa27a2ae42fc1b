#include "design/layout_search.h"

#include "design/energy.h"
#include "design/string_sizing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tarvel::selection {
namespace {

// Stops a search that finds few layouts in very many combinations (only odd catalog rows, such as
// an input current of hundreds of amperes, come near it).
constexpr long kSearchSteps = 4'000'000;

// A set of module totals 0..size-1.
class Totals {
public:
    void reset(int size) {
        m_size = size;
        m_words.assign(static_cast<std::size_t>((size + 63) / 64), 0);
    }
    void set(int t) { m_words[static_cast<std::size_t>(t >> 6)] |= std::uint64_t{1} << (t & 63); }
    bool has(int t) const { return (m_words[static_cast<std::size_t>(t >> 6)] >> (t & 63)) & 1U; }
    // this |= other shifted up by `shift`, cut at the size.
    void addShifted(const Totals& other, int shift) {
        const std::size_t words = m_words.size();
        const std::size_t wordShift = static_cast<std::size_t>(shift >> 6);
        const int bitShift = shift & 63;
        for (std::size_t i = words; i-- > wordShift;) {
            const std::size_t from = i - wordShift;
            std::uint64_t w = other.m_words[from] << bitShift;
            if (bitShift != 0 && from > 0)
                w |= other.m_words[from - 1] >> (64 - bitShift);
            m_words[i] |= w;
        }
        trim();
    }
    // Every total of one element of `a` plus one of `b`.
    void sumOf(const Totals& a, const Totals& b) {
        reset(a.m_size);
        for (int t = 1; t < a.m_size; ++t)
            if (b.has(t))
                addShifted(a, t);
    }
    void unite(const Totals& other) {
        for (std::size_t i = 0; i < m_words.size(); ++i)
            m_words[i] |= other.m_words[i];
    }
    // The largest total in the set, -1 for none.
    int highest() const {
        for (std::size_t i = m_words.size(); i-- > 0;)
            if (m_words[i] != 0)
                return static_cast<int>(i * 64) + 63 - __builtin_clzll(m_words[i]);
        return -1;
    }

private:
    void trim() {
        const int spare = static_cast<int>(m_words.size()) * 64 - m_size;
        if (spare > 0 && !m_words.empty())
            m_words.back() &= ~std::uint64_t{0} >> spare;
    }
    int m_size = 0;
    std::vector<std::uint64_t> m_words;
};

// One way to wire one input.
struct Option {
    int modulesPerString;
    int strings;
    int modules;
};

// Buffers kept across the inverters of one sweep.
struct Workspace {
    Totals one, two, three, any;
    std::vector<Option> options;   // longest strings first, then most strings
    std::vector<int> byTotalStart; // options with modules == t: byTotal[byTotalStart[t] .. [t+1])
    std::vector<int> byTotal;      // option indices, in option order
};

struct Search {
    const Request& request;
    const site::InverterRating& inverter;
    InverterResult& result;
    long steps = 0;

    bool full() {
        if (result.layouts.size() >= kMaxListedLayouts || steps > kSearchSteps) {
            result.moreLayouts = true;
            return true;
        }
        return false;
    }

    void add(std::initializer_list<const Option*> used) {
        Layout l;
        std::size_t i = 0;
        for (const Option* o : used)
            l.inputs[i++] = {o->strings, o->modulesPerString};
        l.inputCount = static_cast<int>(used.size());
        // The Multi-String page's generator summary and the Result page's yearly energy, input by
        // input in the order A, B, C, so that applying the layout shows these very numbers.
        std::array<sizing::InputContribution, 3> contributions{};
        std::array<double, 3> energies{};
        for (std::size_t k = 0; k < 3; ++k) {
            const int count = l.inputs[k].modules();
            contributions[k] = {count, request.module.power, request.module.area};
            if (request.correctedYield)
                energies[k] = energy::inputEnergy(count * request.module.power, *request.correctedYield);
        }
        const sizing::GeneratorSummary summary = sizing::summarize(contributions, inverter.maxDcPowerW);
        l.modules = summary.totalModules;
        l.peakPowerW = summary.totalPowerW;
        l.ratioDefined = summary.ratioDefined;
        l.powerRatioPercent = summary.powerRatio;
        l.recommended = summary.ratioMark == cmOk;
        if (inverter.ratedAcPowerKw)
            l.dcAcRatio = l.peakPowerW / 1000 / *inverter.ratedAcPowerKw;
        if (request.correctedYield)
            l.yearlyEnergyKWh = energy::yearlyEnergy(energies, inverter.efficiency);
        result.layouts.push_back(l);
    }
};

// Fewer inputs first, then inputs of equal string length, then fewer strings (longer strings:
// fewer connections, higher voltage), then the longest strings on input A.
bool ranksBefore(const Layout& a, const Layout& b) {
    if (a.inputCount != b.inputCount)
        return a.inputCount < b.inputCount;
    const auto spread = [](const Layout& l) {
        int lo = site::kMaxModulesPerString, hi = 0, strings = 0;
        for (int i = 0; i < l.inputCount; ++i) {
            lo = std::min(lo, l.inputs[static_cast<std::size_t>(i)].modulesPerString);
            hi = std::max(hi, l.inputs[static_cast<std::size_t>(i)].modulesPerString);
            strings += l.inputs[static_cast<std::size_t>(i)].strings;
        }
        return std::pair{hi - lo, strings};
    };
    const auto ka = spread(a), kb = spread(b);
    if (ka != kb)
        return ka < kb;
    for (std::size_t i = 0; i < static_cast<std::size_t>(a.inputCount); ++i) {
        if (a.inputs[i].modulesPerString != b.inputs[i].modulesPerString)
            return a.inputs[i].modulesPerString > b.inputs[i].modulesPerString;
        if (a.inputs[i].strings != b.inputs[i].strings)
            return a.inputs[i].strings > b.inputs[i].strings;
    }
    return false;
}

// Every total one input can take, and the largest total of up to three inputs not above the cap.
int largestReachable(Workspace& w, int lo, int hi, int strings, int cap) {
    w.one.reset(cap + 1);
    for (int n = lo; n <= hi && n <= cap; ++n)
        for (int s = 1; s <= strings && s * n <= cap; ++s)
            w.one.set(s * n);
    w.two.sumOf(w.one, w.one);
    w.three.sumOf(w.two, w.one);
    w.any = w.one;
    w.any.unite(w.two);
    w.any.unite(w.three);
    return w.any.highest();
}

void listLayouts(Workspace& w, Search& search, int lo, int hi, int strings, int total) {
    w.options.clear();
    for (int n = hi; n >= lo; --n)
        for (int s = std::min(strings, total / n); s >= 1; --s)
            w.options.push_back({n, s, s * n});
    // Options by their module total, each list in option order.
    w.byTotalStart.assign(static_cast<std::size_t>(total) + 2, 0);
    for (const Option& o : w.options)
        ++w.byTotalStart[static_cast<std::size_t>(o.modules) + 1];
    for (std::size_t t = 1; t < w.byTotalStart.size(); ++t)
        w.byTotalStart[t] += w.byTotalStart[t - 1];
    w.byTotal.assign(w.options.size(), 0);
    std::vector<int> fill(w.byTotalStart.begin(), w.byTotalStart.end() - 1);
    for (std::size_t i = 0; i < w.options.size(); ++i)
        w.byTotal[static_cast<std::size_t>(fill[static_cast<std::size_t>(w.options[i].modules)]++)] =
            static_cast<int>(i);
    // Calls `take(index)` for each option placing exactly `modules`, from option `first` on.
    const auto eachPlacing = [&](int modules, std::size_t first, auto take) {
        const auto begin = static_cast<std::size_t>(w.byTotalStart[static_cast<std::size_t>(modules)]);
        const auto end = static_cast<std::size_t>(w.byTotalStart[static_cast<std::size_t>(modules) + 1]);
        for (std::size_t k = begin; k < end; ++k) {
            const auto index = static_cast<std::size_t>(w.byTotal[k]);
            if (index >= first && !take(index))
                return false;
        }
        return true;
    };

    // Each layout once: its inputs in option order (A takes the longest strings).
    const std::size_t count = w.options.size();
    eachPlacing(total, 0, [&](std::size_t a) {
        if (search.full())
            return false;
        search.add({&w.options[a]});
        return true;
    });
    for (std::size_t a = 0; a < count && !search.full(); ++a) {
        const int rest = total - w.options[a].modules;
        if (rest <= 0)
            continue;
        ++search.steps;
        eachPlacing(rest, a, [&](std::size_t b) {
            if (search.full())
                return false;
            search.add({&w.options[a], &w.options[b]});
            return true;
        });
    }
    for (std::size_t a = 0; a < count && !search.full(); ++a) {
        const int afterA = total - w.options[a].modules;
        if (afterA < 2 * lo)
            continue;
        for (std::size_t b = a; b < count && !search.full(); ++b) {
            ++search.steps;
            const int rest = afterA - w.options[b].modules;
            if (rest < lo)
                continue;
            eachPlacing(rest, b, [&](std::size_t c) {
                if (search.full())
                    return false;
                search.add({&w.options[a], &w.options[b], &w.options[c]});
                return true;
            });
        }
    }
}

InverterResult evaluateWith(Workspace& w, const Request& request, const site::InverterRating& inverter,
                            int catalogIndex) {
    InverterResult r;
    r.catalogIndex = catalogIndex;
    r.inverter = inverter;
    r.modulesAsked = request.modules;
    r.limits = site::limits(request.module, inverter, request.temperatures);
    if (!inverter.unreadableColumn.isEmpty()) {
        r.findings.push_back(Finding::UnreadableColumn);
        return r;
    }
    const int lo = std::max(1, r.limits.nMin());
    const int hi = std::min(r.limits.nUpper(), site::kMaxModulesPerString);
    const int strings = std::min(r.limits.sMax(), site::kMaxStringsPerInput);
    if (lo > hi)
        r.findings.push_back(Finding::NoStringLength);
    if (strings < 1)
        r.findings.push_back(Finding::CurrentTooHigh);
    if (!r.findings.empty())
        return r;
    const int asked = std::clamp(request.modules, 0, kMaxModulesToPlace);
    if (asked < lo) {
        r.findings.push_back(Finding::TooFewModules);
        return r;
    }
    const int cap = std::min(asked, kMaxInputs * strings * hi);
    const int total = largestReachable(w, lo, hi, strings, cap);
    r.modulesPlaced = total;
    if (total < request.modules)
        r.findings.push_back(Finding::FewerPlaced);

    Search search{request, inverter, r};
    r.layouts.reserve(64);
    listLayouts(w, search, lo, hi, strings, total);
    std::sort(r.layouts.begin(), r.layouts.end(), ranksBefore);
    const Layout& best = r.layouts.front();
    r.verdict = best.recommended ? Verdict::Recommended : Verdict::Valid;
    if (!best.ratioDefined)
        r.findings.push_back(Finding::RatioUndefined);
    else if (!best.recommended)
        r.findings.push_back(Finding::RatioOutside);
    return r;
}

// What orders the inverters of one group: the best layout's energy, or while there is no location
// its peak power times the efficiency (the same order, as every layout has the same specific yield).
double rankingValue(const InverterResult& r) {
    const Layout* best = r.best();
    if (!best)
        return 0.0;
    if (best->yearlyEnergyKWh)
        return *best->yearlyEnergyKWh;
    return best->peakPowerW * r.inverter.efficiency;
}

} // namespace

int modulesForPeakPower(double peakPowerKw, double modulePowerW) {
    if (!(modulePowerW > 0) || !(peakPowerKw > 0))
        return 0;
    const double quotient = peakPowerKw * 1000 / modulePowerW;
    if (quotient >= kMaxModulesToPlace)
        return kMaxModulesToPlace;
    // A relative billionth absorbs the rounding of the division, never a real module.
    return static_cast<int>(std::floor(quotient * (1 + 1e-9)));
}

InverterResult evaluate(const Request& request, const site::InverterRating& inverter, int catalogIndex) {
    Workspace w;
    return evaluateWith(w, request, inverter, catalogIndex);
}

std::vector<InverterResult> sweep(const Request& request,
                                  const std::vector<site::InverterRating>& inverters) {
    Workspace w;
    std::vector<InverterResult> results;
    results.reserve(inverters.size());
    for (std::size_t i = 0; i < inverters.size(); ++i)
        results.push_back(evaluateWith(w, request, inverters[i], static_cast<int>(i)));
    std::stable_sort(results.begin(), results.end(), [](const InverterResult& a, const InverterResult& b) {
        if (a.verdict != b.verdict)
            return a.verdict < b.verdict;
        return rankingValue(a) > rankingValue(b);
    });
    return results;
}

} // namespace tarvel::selection

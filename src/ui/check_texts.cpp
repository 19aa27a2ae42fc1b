#include "ui/check_texts.h"

#include "design/number_format.h"
#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"

#include <QStringList>

namespace tarvel::texts {
namespace {

// Comparison signs are the same in every language; they are put into the texts, not translated.
const QString kAtMost = QStringLiteral("\u2264");
const QString kAtLeast = QStringLiteral("\u2265");
const QString kAbove = QStringLiteral(">");
const QString kBelow = QStringLiteral("<");
const QString kTimes = QStringLiteral("\u00d7");

// Voltages as the Multi-String page shows its string voltages; limits as the catalog's numbers.
QString volts(double v) {
    return formatPatternOnGeneral(v, 2);
}

bool isUpperRule(site::Rule rule) {
    return rule != site::Rule::MppMinimum;
}

// The short reason text of a value against a limit under a rule, whichever way it came out.
QString shortText(site::Rule rule, int temperatureC, double value, double limit) {
    const QString t = temperature(temperatureC);
    switch (rule) {
    case site::Rule::InverterVoltage:
        return res(rs::ShortVoc).arg(t, volts(value), formatGeneral(limit));
    case site::Rule::ModuleVoltage:
        return res(rs::ShortVocModule).arg(t, volts(value), formatGeneral(limit));
    case site::Rule::MppMinimum:
        return res(rs::ShortMppLow).arg(t, volts(value), formatGeneral(limit));
    case site::Rule::MppMaximum:
        return res(rs::ShortMppHigh).arg(t, volts(value), formatGeneral(limit));
    case site::Rule::InputCurrent:
        break;
    }
    return res(rs::ShortCurrent).arg(formatGeneral(value), formatGeneral(limit));
}

QString boundText(const site::CountLimit& l) {
    const bool upper = isUpperRule(l.rule);
    if (!l.hasValueBeyond) {
        if (l.rule == site::Rule::InputCurrent)
            return res(rs::LimitStringsPlain).arg(l.count);
        return res(upper ? rs::LimitAtMostPlain : rs::LimitAtLeastPlain).arg(l.count);
    }
    const int beyond = upper ? l.count + 1 : l.count - 1;
    const char* text = l.rule == site::Rule::InputCurrent ? rs::LimitStrings
                       : upper                            ? rs::LimitAtMost
                                                          : rs::LimitAtLeast;
    return res(text).arg(QString::number(l.count), QString::number(beyond),
                         shortText(l.rule, l.temperatureC, l.valueBeyond, l.limit));
}

} // namespace

QString temperature(int celsius) {
    return celsius < 0 ? QStringLiteral("\u2212") + QString::number(-static_cast<long long>(celsius))
                       : QString::number(celsius);
}

QString countRange(int low, int high) {
    return QStringLiteral("%1\u2013%2").arg(low).arg(high);
}

QString siteCheckLine(const site::Check& c, const site::InverterRating& inverter) {
    if (!c.applies) {
        if (c.rule == site::Rule::MppMaximum)
            return res(rs::SiteMppRangeUnread).arg(inverter.mppRange);
        return res(rs::SiteNoModuleMaximum);
    }
    const QString sign = isUpperRule(c.rule) ? (c.passed ? kAtMost : kAbove) : (c.passed ? kAtLeast : kBelow);
    const QString t = temperature(c.temperatureC);
    switch (c.rule) {
    case site::Rule::InverterVoltage:
        return res(rs::SiteVocInverter).arg(t, volts(c.value), sign, formatGeneral(c.limit));
    case site::Rule::ModuleVoltage:
        return res(rs::SiteVocModule).arg(t, volts(c.value), sign, formatGeneral(c.limit));
    case site::Rule::MppMinimum:
        return res(rs::SiteMppMinimum).arg(t, volts(c.value), sign, formatGeneral(c.limit));
    case site::Rule::MppMaximum:
        return res(rs::SiteMppMaximum).arg(t, volts(c.value), sign, formatGeneral(c.limit));
    case site::Rule::InputCurrent:
        break;
    }
    return res(rs::SiteCurrent).arg(formatGeneral(c.value), sign, formatGeneral(c.limit));
}

QString siteCheckReason(const site::Check& c) {
    return shortText(c.rule, c.temperatureC, c.value, c.limit);
}

QString limitsRange(const site::Limits& l) {
    if (l.nMin() > l.nUpper())
        return res(rs::NoStringLength);
    const QString range = countRange(l.nMin(), l.nMax());
    const std::optional<int> mpp = l.nMppMax();
    return mpp ? res(rs::LimitsRange).arg(range, QString::number(*mpp)) : range;
}

QString limitsDetails(const site::Limits& l) {
    QStringList lines;
    lines << boundText(l.mppMinimum) << boundText(l.inverterVoltage);
    if (l.moduleVoltage.applies)
        lines << boundText(l.moduleVoltage);
    else
        lines << res(rs::SiteNoModuleMaximum);
    if (l.mppMaximum.applies)
        lines << boundText(l.mppMaximum);
    lines << boundText(l.inputCurrent);
    return lines.join(u'\n');
}

QString layoutText(const selection::Layout& layout) {
    QStringList inputs;
    for (int i = 0; i < layout.inputCount; ++i) {
        const selection::InputLayout& in = layout.inputs[static_cast<std::size_t>(i)];
        inputs << QStringLiteral("%1 %2 %3 %4")
                      .arg(QChar(u'A' + i))
                      .arg(in.strings)
                      .arg(kTimes)
                      .arg(in.modulesPerString);
    }
    return inputs.join(QStringLiteral(", "));
}

QString verdictText(selection::Verdict verdict) {
    switch (verdict) {
    case selection::Verdict::Recommended:
        return res(rs::VerdictRecommended);
    case selection::Verdict::Valid:
        return res(rs::VerdictValid);
    case selection::Verdict::Invalid:
        break;
    }
    return res(rs::VerdictInvalid);
}

QString findingText(selection::Finding finding, const selection::InverterResult& r) {
    const site::Limits& l = r.limits;
    switch (finding) {
    case selection::Finding::UnreadableColumn:
        return res(rs::FindingUnreadable).arg(r.inverter.unreadableColumn, r.inverter.unreadableText);
    case selection::Finding::NoStringLength:
        // The shortest string that reaches the MPP minimum is longer than the longest the voltage
        // limits allow: both bounds with the numbers that set them.
        return res(rs::ListJoin).arg(boundText(l.mppMinimum), boundText(l.upperBound()));
    case selection::Finding::CurrentTooHigh:
        return shortText(site::Rule::InputCurrent, 25, l.inputCurrent.valueBeyond, l.inputCurrent.limit);
    case selection::Finding::TooFewModules:
        return res(rs::FindingTooFew).arg(r.modulesAsked).arg(l.nMin());
    case selection::Finding::FewerPlaced:
        return res(rs::FindingFewerPlaced).arg(r.modulesPlaced).arg(r.modulesAsked);
    case selection::Finding::RatioOutside:
        return res(rs::FindingRatio).arg(formatPatternOnGeneral(r.best()->powerRatioPercent, 2) + u'%');
    case selection::Finding::RatioUndefined:
        break;
    }
    return res(rs::FindingNoRatio);
}

QString joined(const QStringList& parts) {
    QString text;
    for (const QString& part : parts)
        text = text.isEmpty() ? part : res(rs::ListJoin).arg(text, part);
    return text;
}

QString verdictLine(const selection::InverterResult& r) {
    QStringList reasons;
    for (selection::Finding f : r.findings)
        reasons << findingText(f, r);
    const QString verdict = verdictText(r.verdict);
    return reasons.isEmpty() ? verdict : res(rs::NamedText).arg(verdict, joined(reasons));
}

QString pageCheckTip(std::size_t check, const sizing::StringValues& v, int strings, double isc,
                     const sizing::InverterLimits& limits) {
    switch (check) {
    case 0: {
        const bool failed = strings * isc > limits.maxCurrentA;
        return res(rs::TipCurrent)
            .arg(QString::number(strings), kTimes, formatGeneral(isc), formatGeneral(v.maxCurrent),
                 failed ? kAbove : kAtMost, formatGeneral(limits.maxCurrentA));
    }
    case 1:
    case 2: {
        const double voc = check == 1 ? v.kailu25 : v.kailu10;
        const QString shown = check == 1 ? formatGeneral(voc) : volts(voc);
        return res(rs::TipVoc)
            .arg(temperature(check == 1 ? 25 : -10), shown, voc > limits.maxVoltageV ? kAbove : kAtMost,
                 formatGeneral(limits.maxVoltageV));
    }
    default:
        break;
    }
    const double mpp = check == 3 ? v.mpp15 : check == 4 ? v.mpp50 : v.mpp70;
    const int t = check == 3 ? 15 : check == 4 ? 50 : 70;
    return res(rs::TipMpp)
        .arg(temperature(t), volts(mpp), mpp < limits.minMppVoltageV ? kBelow : kAtLeast,
             formatGeneral(limits.minMppVoltageV));
}

QString ratioTip(double maxDcPowerW, const sizing::GeneratorSummary& s) {
    return res(rs::TipRatio)
        .arg(formatGeneral(maxDcPowerW), formatGeneral(s.totalPowerW),
             formatPatternOnGeneral(s.powerRatio, 2) + u'%');
}

QString cableTip(const cable::RunResult& run, double referencePowerW) {
    return res(rs::TipCable)
        .arg(formatPattern(run.powerLoss, 4), formatPattern(run.powerLossRate, 4) + u'%',
             formatGeneral(referencePowerW));
}

namespace {

QString percent(const QString& number) {
    return number + u'%';
}

QString inputName(InputId id) {
    return res(id == InputId::A ? rs::SubjectInputA : id == InputId::B ? rs::SubjectInputB : rs::SubjectInputC);
}

// The sign between value and limit for the outcome: a failing upper bound shows ">", a passing one
// "≤"; a lower bound the other way round.
QString outcomeSign(const checks::Item& item) {
    const bool passed = item.mark == cmOk;
    return item.upper ? (passed ? kAtMost : kAbove) : (passed ? kAtLeast : kBelow);
}

} // namespace

QString checkSubject(const checks::Item& item) {
    switch (item.kind) {
    case checks::Kind::PowerRatio:
        return res(rs::SubjectGenerator);
    case checks::Kind::CableLoss:
        if (item.cableRun >= 0 && item.cableRun < 3)
            return res(rs::SubjectDcCable).arg(QChar(u'A' + item.cableRun));
        return res(rs::SubjectAcCable);
    default:
        break;
    }
    return item.input ? inputName(*item.input) : QString();
}

QString checkLine(const checks::Item& item) {
    const QString sign = outcomeSign(item);
    const QString t = temperature(item.temperatureC);
    switch (item.kind) {
    case checks::Kind::StringCurrent:
        return res(rs::CheckCurrent).arg(formatGeneral(item.value), sign, formatGeneral(item.limit));
    case checks::Kind::OpenCircuit:
        // At 25 C the page shows the voltage in the general format, at -10 C with two decimals.
        return res(rs::CheckVoc).arg(t, item.pageCheck == 1 ? formatGeneral(item.value) : volts(item.value),
                                     sign, formatGeneral(item.limit));
    case checks::Kind::MppVoltage:
        return res(rs::CheckMpp).arg(t, volts(item.value), sign, formatGeneral(item.limit));
    case checks::Kind::Site:
        switch (item.siteRule) {
        case site::Rule::InverterVoltage:
            return res(rs::CheckVoc).arg(t, volts(item.value), sign, formatGeneral(item.limit));
        case site::Rule::ModuleVoltage:
            if (!item.checked)
                return res(rs::CheckModuleMaximumMissing);
            return res(rs::CheckVocModule).arg(t, volts(item.value), sign, formatGeneral(item.limit));
        case site::Rule::MppMinimum:
            return res(rs::CheckMpp).arg(t, volts(item.value), sign, formatGeneral(item.limit));
        case site::Rule::MppMaximum:
            if (!item.checked)
                return res(rs::CheckMppRangeUnread);
            return res(rs::CheckMppHigh).arg(t, volts(item.value), sign, formatGeneral(item.limit));
        case site::Rule::InputCurrent:
            break;
        }
        return res(rs::CheckCurrent).arg(formatGeneral(item.value), sign, formatGeneral(item.limit));
    case checks::Kind::PowerRatio: {
        if (!item.checked)
            return res(rs::CheckRatioUndefined);
        const QString ratio = percent(formatPatternOnGeneral(item.value, 2));
        if (item.mark == cmOk)
            return res(rs::CheckRatioInside).arg(ratio);
        return res(rs::CheckRatio).arg(ratio, sign, percent(formatGeneral(item.limit)));
    }
    case checks::Kind::CableLoss:
        break;
    }
    if (!item.checked)
        return res(rs::CheckCableNoReference);
    // A rate at a bound is already over it: from 1 % a warning, from 1.5 % a danger.
    const QString cableSign = item.mark == cmOk ? kBelow : kAtLeast;
    return res(rs::CheckCable).arg(percent(formatPattern(item.value, 4)), cableSign,
                                   percent(formatGeneral(item.limit)));
}

QString checkReason(const checks::Item& item) {
    return res(rs::NamedText).arg(checkSubject(item), checkLine(item));
}

QString checkVerdict(const checks::Item& item) {
    if (!item.checked)
        return res(rs::VerdictNotChecked);
    switch (item.mark) {
    case cmWarning:
        return res(rs::VerdictWarning);
    case cmDanger:
        return res(rs::VerdictDanger);
    case cmOk:
    case cmNone:
        break;
    }
    return res(rs::SitePassed);
}

QString lossText(const cable::EnergyAfterLosses& losses) {
    return QStringLiteral("%1 (%2)").arg(formatPattern(losses.lossKWh, 1), percent(formatPattern(losses.lossPercent, 2)));
}

} // namespace tarvel::texts

// The selection assistant's side of the main window: the design's temperatures and the chosen
// inverter's limits for the site checks, the site rows of the Multi-String page, and applying a
// layout the way a user would enter it.

#include "ui/tfrm_main.h"

#include "app/dialogs.h"
#include "app/tdm.h"
#include "design/energy.h"
#include "design/number_format.h"
#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"
#include "ui/check_texts.h"
#include "ui/display_widgets.h"
#include "ui/selection_assistant.h"
#include "ui/spin_edit.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QStyle>
#include <QTabWidget>
#include <QToolTip>

namespace tarvel {
namespace {

constexpr int kMultiStringPage = 2;
// Marks the controls whose tooltips Tfrm_main::explain writes.
constexpr char kExplained[] = "explainedByWindow";

// Picks an entry as a user would; false when the chooser does not list it.
bool pickEntry(QComboBox* chooser, const QString& entry) {
    const int index = chooser->findText(entry, Qt::MatchExactly);
    if (index < 0)
        return false;
    chooser->setCurrentIndex(index);
    return true;
}

void setState(QLabel* label, const char* state) {
    if (label->property("state").toString() == QLatin1String(state))
        return;
    label->setProperty("state", QString::fromLatin1(state));
    label->style()->unpolish(label);
    label->style()->polish(label);
}

} // namespace

std::optional<site::Temperatures> Tfrm_main::siteTemperatures() const {
    const std::optional<int> minC = parseInt(ui.SpinEdit2->text());
    const std::optional<int> maxC = parseInt(ui.SpinEdit1->text());
    if (!minC || !maxC)
        return std::nullopt;
    return site::Temperatures{*minC, *maxC};
}

site::InverterRating Tfrm_main::inverterRating() const {
    site::InverterRating r;
    r.model = m_session.Inverter.inverter_type;
    r.maxDcPowerW = m_session.InverterMaxDcPower;
    r.maxVoltageV = m_session.InverterMaxVoltage;
    r.minMppVoltageV = m_session.InverterMinMppVoltage;
    r.maxCurrentA = m_session.InverterMaxCurrent;
    r.mppRange = m_session.Inverter.mpp_range;
    r.mppUpperV = site::mppRangeUpper(r.mppRange);
    r.efficiency = m_session.InverterEfficiency;
    return r;
}

std::optional<Tfrm_main::InputSiteCheck> Tfrm_main::siteCheck(InputId id) const {
    const TStringInput& in = m_session.input(id);
    const std::optional<site::Temperatures> t = siteTemperatures();
    if (in.ModuleCount == 0 || noTypeChosen(id) || !t)
        return std::nullopt;
    // The module record of the input leaves out the module's own voltage limit.
    TPanelInfo module = in.Module;
    try {
        module.panel_maxv =
            m_ctx.dm.catalog().moduleSystemVoltageQuery(in.Maker, in.ModuleType).value_or(0.0);
    } catch (const std::exception&) {
        module.panel_maxv = 0; // unreadable: the site checks say that it was not checked
    }
    const site::InverterRating inverter = inverterRating();
    return InputSiteCheck{*t, site::limits(module, inverter, *t),
                          site::checkInput(module, in.Strings, in.ModulesPerString, inverter, *t)};
}

// The site rows of one input: the allowed modules per string, and the first failing site check (a
// danger before a loss of yield) or that all passed. The tooltips hold every number.
void Tfrm_main::showSiteChecks(InputId id) {
    StringInputUi& controls = inputUi(id);
    const std::optional<InputSiteCheck> check = siteCheck(id);
    if (!check) {
        controls.siteRange->clear();
        controls.siteCheck->clear();
        return;
    }
    showSiteCaptions();
    controls.siteRange->setText(texts::limitsRange(check->limits));
    const site::Check* failing = nullptr;
    for (const site::Check& c : check->checks) {
        if (!c.applies || c.passed)
            continue;
        if (!failing ||
            (site::failureMark(c.rule) == cmDanger && site::failureMark(failing->rule) != cmDanger))
            failing = &c;
    }
    controls.siteCheck->setText(failing ? texts::siteCheckReason(*failing) : res(rs::SitePassed));
    setState(controls.siteCheck, !failing                                       ? "ok"
                                 : site::failureMark(failing->rule) == cmDanger ? "danger"
                                                                                : "warning");
}

void Tfrm_main::watchExplainedControls() {
    QList<QWidget*> controls{ui.Image23};
    for (const StringInputUi& in : ui.inputs) {
        for (StatusIcon* icon : in.marks)
            controls << icon;
        controls << in.siteRange << in.siteCheck;
    }
    for (const CableRunUi& run : ui.cables)
        controls << run.mark;
    for (QWidget* control : controls) {
        control->setProperty(kExplained, true);
        control->installEventFilter(this);
    }
}

bool Tfrm_main::showExplanation(QObject* watched, QEvent* event) {
    auto* control = qobject_cast<QWidget*>(watched);
    if (!control || !control->property(kExplained).toBool())
        return false;
    const QString text = explain(control);
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text, control);
    }
    return true;
}

QString Tfrm_main::explain(const QWidget* control) const {
    for (InputId id : kAllInputs) {
        const StringInputUi& in = inputUi(id);
        const TStringInput& input = m_session.input(id);
        for (std::size_t k = 0; k < in.marks.size(); ++k)
            if (control == in.marks[k])
                return in.marks[k]->mark() == cmNone
                           ? QString()
                           : texts::pageCheckTip(k, sessionValues(id), input.Strings, input.Module.duanlu_i,
                                                 inverterLimits());
        if (control != in.siteRange && control != in.siteCheck)
            continue;
        const std::optional<InputSiteCheck> check = siteCheck(id);
        if (!check || in.siteRange->text().isEmpty())
            return {};
        if (control == in.siteRange)
            return texts::limitsDetails(check->limits);
        const site::InverterRating inverter = inverterRating();
        QStringList lines;
        for (const site::Check& c : check->checks)
            lines << texts::siteCheckLine(c, inverter);
        return lines.join(u'\n');
    }
    if (control == ui.Image23) {
        if (ui.Image23->mark() == cmNone)
            return {};
        sizing::GeneratorSummary summary;
        summary.totalPowerW = m_session.TotalPower;
        summary.powerRatio = m_session.PowerRatio;
        return texts::ratioTip(m_session.InverterMaxDcPower, summary);
    }
    for (int run = kCableDcA; run <= kCableAc; ++run) {
        const CableRunUi& controls = ui.cables[static_cast<std::size_t>(run)];
        if (control != controls.mark)
            continue;
        if (controls.mark->mark() == cmNone)
            return {};
        const TCableRun& cable = run == kCableAc    ? m_session.AcCable
                                 : run == kCableDcA ? m_session.DcCableA
                                 : run == kCableDcB ? m_session.DcCableB
                                                    : m_session.DcCableC;
        cable::RunResult result;
        result.powerLoss = cable.PowerLoss;
        result.powerLossRate = cable.PowerLossRate;
        // The rate is taken of the inverter's maximum DC power on the DC side, of its AC power on the AC
        // side.
        const double reference =
            run == kCableAc ? m_session.InverterMaxAcPower * 1000 : m_session.InverterMaxDcPower;
        return texts::cableTip(result, reference);
    }
    return {};
}

void Tfrm_main::showSiteCaptions() {
    const std::optional<site::Temperatures> t = siteTemperatures();
    if (!t)
        return;
    const QString low = texts::temperature(t->minC), high = texts::temperature(t->maxC);
    ui.capSiteRange->setText(res(rs::SiteRangeCaption).arg(low, high));
    ui.capSiteCheck->setText(res(rs::SiteCheckCaption).arg(low, high));
}

selection::Request Tfrm_main::selectionRequest(const TPanelInfo& module, int modules) const {
    selection::Request r;
    r.module = module;
    r.modules = modules;
    if (const std::optional<site::Temperatures> t = siteTemperatures())
        r.temperatures = *t;
    // Before a city is chosen the month tables are empty and the yield would read as 0.
    if (!nothingChosen(ui.ComboBox2->currentText(), res(rs::ChooseCity)))
        r.correctedYield =
            energy::correctedYield(module.kailu_kx, m_session.MonthlyTemperature, m_session.MonthlyYield);
    return r;
}

// First every input goes out of use, so that the old inputs are never judged against the new
// inverter (their boxes would be about a design that is being replaced, so they are dropped); then
// the inverter, unless it is the one chosen; then each input of the layout: maker (unless chosen),
// type, strings, modules per string. An input the layout does not use is left at 0 strings of 0.
Tfrm_main::OpenResult Tfrm_main::applyLayout(const QString& inverter, const QString& maker,
                                             const QString& moduleType, const selection::Layout& layout) {
    OpenResult result;
    CollectingDialogs dropped(m_ctx.dialogs);
    CollectingDialogs collector(m_ctx.dialogs);
    struct Restore {
        Dialogs*& slot;
        ~Restore() { slot = nullptr; }
    } restore{m_collector};

    m_collector = &dropped;
    for (InputId id : {InputId::C, InputId::B, InputId::A})
        inputUi(id).strings->setText(QStringLiteral("0"));
    for (InputId id : {InputId::C, InputId::B, InputId::A})
        inputUi(id).modulesPerString->setText(QStringLiteral("0"));

    m_collector = &collector;
    if (ui.ComboBox17->currentText() != inverter || m_session.Inverter.inverter_type != inverter) {
        if (pickEntry(ui.ComboBox17, inverter))
            reportErrors(dialogs(), this, [this] { ComboBox17Change(); });
        else
            result.skipped << res(rs::SkippedInverter) + u' ' + inverter;
    }
    for (int i = 0; i < layout.inputCount && i < 3; ++i) {
        const auto id = static_cast<InputId>(i);
        StringInputUi& controls = inputUi(id);
        const selection::InputLayout& in = layout.inputs[static_cast<std::size_t>(i)];
        const QString input = controls.group->title();
        const bool makerChosen = controls.maker->currentText() == maker && controls.type->count() > 0;
        if (!makerChosen) {
            if (!pickEntry(controls.maker, maker)) {
                result.skipped << QStringLiteral("%1 %2: %3").arg(res(rs::SkippedMaker), input, maker);
                continue;
            }
            reportErrors(dialogs(), this, [this, id] { makerChanged(id); });
        }
        if (!pickEntry(controls.type, moduleType)) {
            result.skipped << QStringLiteral("%1 %2: %3").arg(res(rs::SkippedModule), input, moduleType);
            continue;
        }
        typeChanged(id);
        controls.strings->setText(QString::number(in.strings));
        controls.modulesPerString->setText(QString::number(in.modulesPerString));
    }
    result.messages = collector.texts();
    if (ui.RzPageControl1->isTabEnabled(kMultiStringPage))
        ui.RzPageControl1->setCurrentIndex(kMultiStringPage);
    return result;
}

// Non-modal and one at a time: a second command brings the open assistant to the front.
void Tfrm_main::SelectionAssistantClick() {
    if (!m_assistant) {
        m_assistant = new SelectionAssistant(m_ctx, *this);
        m_assistant->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_assistant->show();
    m_assistant->raise();
    m_assistant->activateWindow();
}

SelectionAssistant* Tfrm_main::selectionAssistant() const {
    return m_assistant;
}

} // namespace tarvel

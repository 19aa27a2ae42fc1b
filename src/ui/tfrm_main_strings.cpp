// String inputs A, B and C: maker, module type and the two counts of each input, the recompute of an
// input, its checks and the generator summary.

#include "ui/tfrm_main.h"

#include "app/dialogs.h"
#include "app/tdm.h"
#include "design/number_format.h"
#include "design/string_sizing.h"
#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"
#include "ui/check_texts.h"
#include "ui/display_widgets.h"
#include "ui/spin_edit.h"
#include "ui/ui_builders.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

namespace tarvel {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

const char* stringPrefix(InputId id) {
    return id == InputId::A ? rs::StringA : id == InputId::B ? rs::StringB : rs::StringC;
}

QString adviceText(sizing::Advice advice) {
    switch (advice) {
    case sizing::Advice::OverVoltage:
        return res(rs::AdviceDangerTitle) + kCrLf + res(rs::AdviceOverVoltage) + kCrLf + kCrLf +
               res(rs::HelpSolutionOptions) + kCrLf + res(rs::AdviceOverVoltageOptions);
    case sizing::Advice::OverCurrent:
        return res(rs::AdvicePowerLoss) + kCrLf + res(rs::AdviceOverCurrent) + kCrLf + kCrLf +
               res(rs::HelpSolutionOptions) + kCrLf + res(rs::AdviceOverCurrentOptions);
    case sizing::Advice::LowMpp:
        return res(rs::AdviceLowMpp) + kCrLf + kCrLf + res(rs::HelpSolutionOptions) + kCrLf +
               res(rs::AdviceLowMppOptions);
    case sizing::Advice::General:
        break;
    }
    return res(rs::HelpModuleSelect) + kCrLf + kCrLf + res(rs::HelpCompatible) + kCrLf +
           res(rs::HelpBestRatio) + kCrLf + kCrLf + res(rs::HelpOptimal);
}

// A count field's number; a text that is none yet fails as a text that is no integer does.
int countOf(const SpinEdit* field) {
    if (const std::optional<int> count = field->number())
        return *count;
    throw ConversionError(
        QStringLiteral("'%1' is not a valid integer value").arg(field->text()).toStdString());
}

} // namespace

// "String-A:", an empty line and an indented "Not select.", lines split by a lone CR.
void Tfrm_main::writeNotSelected(InputId id) {
    inputUi(id).systemList->setText(res(stringPrefix(id)) + QStringLiteral("\r\r        ") +
                                    res(rs::NotSelect));
}

void Tfrm_main::writeModuleLines(InputId id) {
    const TStringInput& in = m_session.input(id);
    const QString cr = QStringLiteral("\r");
    inputUi(id).systemList->setText(
        res(stringPrefix(id)) + in.Maker + cr + QStringLiteral("          ") + in.ModuleType + cr +
        QStringLiteral("  ") + res(rs::MppCurrentPrefix) + formatGeneral(in.Module.mpp_i) +
        QStringLiteral("A;") + cr + QStringLiteral("  ") + res(rs::MppVoltagePrefix) +
        formatGeneral(in.Module.MPP_V) + QStringLiteral("V;") + cr + QStringLiteral("  ") +
        res(rs::MppPowerPrefix) + formatGeneral(in.Module.power) + QStringLiteral("W"));
}

bool Tfrm_main::noTypeChosen(InputId id) const {
    return nothingChosen(inputUi(id).type->currentText(), res(rs::ChoosePvModules));
}

void Tfrm_main::makerChanged(InputId id) {
    StringInputUi& in = inputUi(id);
    in.type->clear();
    showPrompt(in.type, res(rs::ChoosePvModules));
    in.strings->setText(QStringLiteral("0"));
    in.modulesPerString->setText(QStringLiteral("0"));
    // Waiting for a type: the counts are locked also when they held "0" already (their handlers, which
    // lock them, run only when the text changes).
    in.strings->setReadOnly(true);
    in.modulesPerString->setReadOnly(true);
    in.type->addItems(m_ctx.dm.catalog().moduleTypeListQuery(in.maker->currentText()));
    updateInputEnergy(id, updateInput(id));
    chose_select();
}

void Tfrm_main::typeChanged(InputId id) {
    try {
        updateInputEnergy(id, updateInput(id));
    } catch (...) {
        // The type handler shows no message; what the recompute wrote stays.
    }
    inputUi(id).strings->setReadOnly(false);
    inputUi(id).modulesPerString->setReadOnly(false);
    chose_select();
}

void Tfrm_main::countChanged(InputId id, Count which) {
    StringInputUi& in = inputUi(id);
    SpinEdit* field = which == Count::Strings ? in.strings : in.modulesPerString;
    if (noTypeChosen(id)) {
        field->setReadOnly(true);
        field->setText(QStringLiteral("0"));
        return;
    }
    field->setReadOnly(false);
    // A count still being typed (empty, a lone sign, beyond the field's range until the field brings
    // it back on leaving) is no count yet: nothing is recomputed with it.
    if (!field->number())
        return;
    if (which == Count::Strings)
        in.stringsNum->setText(res(rs::Parallel) + u' ' + field->text() + u' ' + res(rs::Group));
    else
        in.stringNum->setText(res(rs::Series) + u' ' + field->text() + u' ' + res(rs::Block));
    try {
        updateInputEnergy(id, updateInput(id));
    } catch (...) {
        // The count handlers show no message; what the recompute wrote stays.
    }
    chose_select();
}

// The recompute of one input (updata_A, updata_B, updata_C). Returns the coefficient that rates the
// input's yield: the module's, or 0 when the input has no modules or no type.
double Tfrm_main::updateInput(InputId id) {
    TStringInput& in = m_session.input(id);
    StringInputUi& controls = inputUi(id);
    Transparent_A();
    in.Maker = controls.maker->currentText();
    in.ModuleType = controls.type->currentText();
    in.Strings = countOf(controls.strings);
    in.ModulesPerString = countOf(controls.modulesPerString);
    in.ModuleCount = sizing::moduleCount(in.Strings, in.ModulesPerString);
    m_session.TotalModules =
        m_session.InputA.ModuleCount + m_session.InputB.ModuleCount + m_session.InputC.ModuleCount;

    if (m_session.TotalModules == 0) {
        for (const CableRunUi& run : ui.cables)
            run.group->setEnabled(false);
        writeNotSelected(id);
        SUM_CLEAR();
        result_clear();
    }
    if (in.ModuleCount == 0) {
        takeOutOfUse(id);
        return 0;
    }
    if (noTypeChosen(id)) {
        writeNotSelected(id);
        clearInput(id);
        return 0;
    }
    if (const auto module = m_ctx.dm.catalog().moduleRecordQuery(in.Maker, in.ModuleType)) {
        in.Module = *module;
        writeModuleLines(id);
    }
    in.YieldCoefficient = in.Module.kailu_kx;
    showStringValues(id);
    check_string(id);
    in.StringPower = in.ModuleCount * in.Module.power;
    SUM_UPDATE();
    m_session.AcPowerSum = m_session.InputA.AcShare + m_session.InputB.AcShare + m_session.InputC.AcShare;
    controls.dcCableGroup->setEnabled(true);
    ui.cables[kCableAc].group->setEnabled(true);
    cableRun(static_cast<int>(id));
    xiansun_AC();
    advice_string(id);
    showSiteChecks(id);
    return in.YieldCoefficient;
}

// An input without modules leaves the summary, its cable and the AC power; the inputs still in use
// are recomputed without it.
void Tfrm_main::takeOutOfUse(InputId id) {
    TStringInput& in = m_session.input(id);
    in.StringPower = 0;
    in.Mpp70 = 0;
    in.AcShare = 0;
    m_session.AcPowerSum = m_session.InputA.AcShare + m_session.InputB.AcShare + m_session.InputC.AcShare;
    writeNotSelected(id);
    clearInput(id);
    inputUi(id).dcCableGroup->setEnabled(false);
    for (InputId other : kAllInputs)
        if (other != id && m_session.input(other).ModuleCount > 0)
            updateInput(other);
    cableRun(static_cast<int>(id));
    xiansun_AC();
}

void Tfrm_main::showStringValues(InputId id) {
    TStringInput& in = m_session.input(id);
    StringInputUi& controls = inputUi(id);
    const sizing::StringValues v = sizing::stringValues(in.Module, in.Strings, in.ModulesPerString);
    controls.power->setText(formatGeneral(in.ModuleCount * in.Module.power));
    in.MaxCurrent = v.maxCurrent;
    controls.current->setText(formatGeneral(in.MaxCurrent));
    in.Kailu25 = v.kailu25;
    controls.kailu25->setText(formatGeneral(in.Kailu25));
    in.Kailu10 = v.kailu10;
    controls.kailu10->setText(formatPatternOnGeneral(in.Kailu10, 2));
    in.Mpp25 = v.mpp25;
    in.Mpp70 = v.mpp70;
    in.AcShare = v.acShare;
    controls.mpp70->setText(formatPatternOnGeneral(in.Mpp70, 2));
    in.Mpp50 = v.mpp50;
    controls.mpp50->setText(formatPatternOnGeneral(in.Mpp50, 2));
    in.Mpp15 = v.mpp15;
    controls.mpp15->setText(formatPatternOnGeneral(in.Mpp15, 2));
    controls.mppMin->setText(formatGeneral(m_session.InverterMinMppVoltage));
    controls.kailuMax->setText(formatGeneral(m_session.InverterMaxVoltage));
    controls.currentMax->setText(formatGeneral(m_session.InverterMaxCurrent));
}

sizing::StringValues Tfrm_main::sessionValues(InputId id) const {
    return sizing::storedValues(m_session.input(id));
}

sizing::InverterLimits Tfrm_main::inverterLimits() const {
    return {m_session.InverterMaxCurrent, m_session.InverterMaxVoltage, m_session.InverterMinMppVoltage,
            m_session.InverterMaxDcPower};
}

// The six checks in order. Each sets its icon; for input A the help memo follows every check, and a
// danger brings up its message box only after icon and memo are in place.
void Tfrm_main::check_string(InputId id) {
    TStringInput& in = m_session.input(id);
    const sizing::StringValues values = sessionValues(id);
    const auto checks = sizing::checkString(values, in.Strings, in.Module.duanlu_i, inverterLimits());
    for (std::size_t i = 0; i < checks.size(); ++i) {
        in.Marks[i] = checks[i].mark;
        inputUi(id).marks[i]->setMark(checks[i].mark);
        if (id == InputId::A)
            ui.Memo1->setText(adviceText(checks[i].advice));
        // The specified text, and below it which input failed and by how much.
        if (checks[i].danger)
            dialogs().messageWithDetail(
                this, res(rs::SystemInDanger),
                texts::checkReason(checks::pageCheck(i, id, values, in.Strings, in.Module.duanlu_i, inverterLimits())));
    }
}

void Tfrm_main::advice_string(InputId id) {
    const TStringInput& in = m_session.input(id);
    ui.Memo1->setText(
        adviceText(sizing::adviceFor(sessionValues(id), in.Strings, in.Module.duanlu_i, inverterLimits())));
}

void Tfrm_main::SUM_UPDATE() {
    std::array<sizing::InputContribution, 3> inputs{};
    for (InputId id : kAllInputs) {
        const TStringInput& in = m_session.input(id);
        inputs[static_cast<std::size_t>(id)] = {in.ModuleCount, in.Module.power, in.Module.area};
    }
    const sizing::GeneratorSummary summary = sizing::summarize(inputs, m_session.InverterMaxDcPower);
    ui.SumNum->setText(QString::number(summary.totalModules));
    m_session.TotalPower = summary.totalPowerW;
    ui.Power->setText(formatGeneral(m_session.TotalPower));
    m_session.TotalArea = summary.totalAreaM2;
    ui.Area->setText(formatPattern(m_session.TotalArea, 2));
    m_session.PowerRatio = summary.powerRatio;
    ui.Image23->setMark(summary.ratioMark);
    Transparent_B();
    ui.PowerRate->setText(summary.ratioDefined ? formatPatternOnGeneral(m_session.PowerRatio, 2) + u'%'
                                               : QStringLiteral("-"));
    ui.PV_Power->setText(formatPattern(textToDouble(ui.Power->text()) / 1000, 3));
    ui.PV_Num->setText(ui.SumNum->text());
    ui.Pv_Area->setText(ui.Area->text());
    ui.Power_Rate->setText(ui.PowerRate->text());
}

// Qt draws the icons with their transparency as they are; the two halves of the icon drawing have
// nothing left to prepare.
void Tfrm_main::Transparent_A() {}
void Tfrm_main::Transparent_B() {}

} // namespace tarvel

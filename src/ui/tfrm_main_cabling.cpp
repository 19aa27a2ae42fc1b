// Cable runs: the DC cable of each string input and the AC cable.

#include "ui/tfrm_main.h"

#include "design/cable_losses.h"
#include "design/number_format.h"
#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"
#include "ui/display_widgets.h"
#include "ui/spin_edit.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

namespace tarvel {
namespace {

constexpr int kFourDecimals = 4;

} // namespace

TCableRun& Tfrm_main::cableSession(int run) {
    switch (run) {
    case kCableDcA:
        return m_session.DcCableA;
    case kCableDcB:
        return m_session.DcCableB;
    case kCableDcC:
        return m_session.DcCableC;
    default:
        return m_session.AcCable;
    }
}

// xiansun_DCA, xiansun_DCB, xiansun_DCC and xiansun_AC: resistance from the run's controls, and the
// drop, loss and loss rate when the run carries power.
void Tfrm_main::cableRun(int run) {
    const CableRunUi& controls = ui.cables[static_cast<std::size_t>(run)];
    TCableRun& cable = cableSession(run);
    Transparent_A();
    cable.Material = controls.material->currentText();
    cable.Resistivity = cable::resistivity(cable.Material == res(rs::Copper));
    cable.Length = textToDouble(controls.length->text());
    cable.CrossSection = textToDouble(controls.crossSection->currentText());
    cable.Zukang = cable::resistance(cable.Resistivity, cable.Length, cable.CrossSection);
    controls.zukang->setText(formatPattern(cable.Zukang, kFourDecimals));

    bool carriesPower = false;
    double referencePower = 0;
    if (run == kCableAc) {
        carriesPower = m_session.AcPowerSum != 0;
        if (carriesPower)
            cable.Current = cable::acCurrent(m_session.AcPowerSum, m_session.InverterEuroEfficiency);
        referencePower = m_session.InverterMaxAcPower * 1000;
    } else {
        const TStringInput& input = m_session.input(static_cast<InputId>(run));
        carriesPower = input.Mpp70 != 0;
        if (carriesPower)
            cable.Current = cable::dcCurrent(input.StringPower, input.Mpp70);
        referencePower = m_session.InverterMaxDcPower;
    }
    if (!carriesPower) {
        showIdleCable(run);
        return;
    }
    const cable::RunResult result = cable::loadedRun(cable.Zukang, cable.Current, referencePower);
    cable.LineV = result.lineV;
    controls.lineV->setText(formatPattern(cable.LineV, kFourDecimals));
    cable.PowerLoss = result.powerLoss;
    controls.powerLoss->setText(formatPattern(cable.PowerLoss, kFourDecimals));
    cable.PowerLossRate = result.powerLossRate;
    // Without a reference power (an inverter without its maximum power) the rate has no value.
    controls.powerLossRate->setText(
        result.rateDefined ? formatPattern(cable.PowerLossRate, kFourDecimals) + u'%' : QStringLiteral("-"));
    cable.Mark = result.mark;
    controls.mark->setMark(cable.Mark);
    Transparent_B();
}

// A run without power: DC A shows zeros, the other runs nothing; its box is disabled until its input
// is sized again.
void Tfrm_main::showIdleCable(int run) {
    const CableRunUi& controls = ui.cables[static_cast<std::size_t>(run)];
    if (run == kCableDcA) {
        const QString zero = formatPattern(0, kFourDecimals);
        controls.zukang->setText(zero);
        controls.lineV->setText(zero);
        controls.powerLoss->setText(zero);
        controls.powerLossRate->setText(zero + u'%');
    } else {
        for (QLabel* label : {controls.zukang, controls.lineV, controls.powerLoss, controls.powerLossRate})
            label->clear();
    }
    controls.group->setEnabled(false);
    cableSession(run).Mark = cmNone;
    controls.mark->setMark(cmNone);
}

void Tfrm_main::cableControlChanged(int run) {
    try {
        cableRun(run);
    } catch (...) {
        // The cable handlers show no message; the labels keep what was written before.
    }
}

} // namespace tarvel

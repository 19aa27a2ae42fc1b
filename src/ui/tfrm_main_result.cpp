// The Result page and the yearly energy of the design.

#include "ui/tfrm_main.h"

#include "design/energy.h"
#include "design/number_format.h"
#include "ui/spin_edit.h"

#include <QComboBox>
#include <QLabel>
#include <QTabWidget>

namespace tarvel {

void Tfrm_main::updata_result() {
    ui.Position->setText(ui.ComboBox2->currentText() + u';' + ui.ComboBox1->currentText());
    ui.Temp->setText(ui.SpinEdit3->text());
    try {
        ui.PV_Power->setText(formatPattern(textToDouble(ui.Power->text()) / 1000, 3));
    } catch (const ConversionError&) {
        ui.PV_Power->clear();
    }
    ui.PV_Num->setText(ui.SumNum->text());
    ui.Pv_Area->setText(ui.Area->text());
    ui.Power_Rate->setText(ui.PowerRate->text());
    ui.DCMAX_Power->setText(ui.Label113->text());
    ui.AVMAX_Power->setText(ui.Label47->text());
    ui.Inverter_rate->setText(ui.Label150->text());
    // Only while the page is shown: otherwise they are written when it is next looked at.
    if (ui.RzPageControl1->currentIndex() == ui.RzPageControl1->indexOf(ui.pages[4]))
        showPlantFigures();
}

void Tfrm_main::result_clear() {
    for (QLabel* label : {ui.Position, ui.Temp, ui.PV_Power, ui.PV_Num, ui.Pv_Area, ui.DCMAX_Power,
                          ui.AVMAX_Power, ui.Power_Rate, ui.Inverter_rate, ui.Power_Year})
        label->clear();
    ui.Power_Year->setText(formatPattern(m_session.YearlyEnergy, 1));
    clearPlantFigures();
}

void Tfrm_main::correctYield(InputId id) {
    const std::size_t i = static_cast<std::size_t>(id);
    m_session.CorrectedYield[i] = energy::correctedYield(
        m_session.input(id).YieldCoefficient, m_session.MonthlyTemperature, m_session.MonthlyYield);
    m_session.InputEnergy[i] =
        energy::inputEnergy(m_session.input(id).StringPower, m_session.CorrectedYield[i]);
}

void Tfrm_main::showYearlyEnergy() {
    m_session.YearlyEnergy = energy::yearlyEnergy(m_session.InputEnergy, m_session.InverterEfficiency);
    ui.Power_Year->setText(formatPattern(m_session.YearlyEnergy, 1));
}

// After one input was recomputed: its coefficient, corrected yield and energy, then the year's total.
void Tfrm_main::updateInputEnergy(InputId id, double yieldCoefficient) {
    m_session.input(id).YieldCoefficient = yieldCoefficient;
    correctYield(id);
    showYearlyEnergy();
}

// Every input re-rated with the coefficient it holds, after a change of location, orientation or
// inverter.
void Tfrm_main::energy_sum_page3_page4() {
    KKKA();
    KKKB();
    KKKC();
    showYearlyEnergy();
    chose_select();
}

} // namespace tarvel

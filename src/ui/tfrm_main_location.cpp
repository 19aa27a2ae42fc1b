// Location and orientation: the country and city choosers, roof pitch and azimuth.

#include "ui/tfrm_main.h"

#include "app/tdm.h"
#include "catalog/radiation_references.h"
#include "design/number_format.h"
#include "design/solar_model.h"
#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"
#include "ui/display_widgets.h"
#include "ui/spin_edit.h"
#include "ui/ui_builders.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QToolTip>
#include <QValueAxis>

namespace tarvel {

void Tfrm_main::ComboBox1Change() {
    ui.ComboBox2->clear();
    showPrompt(ui.ComboBox2, res(rs::ChooseCity));
    m_session.Country = ui.ComboBox1->currentText();
    ui.ComboBox2->addItems(m_ctx.dm.catalog().cityListQuery(m_session.Country));
    ui.SpinEdit4->setReadOnly(true);
    ui.SpinEdit5->setReadOnly(true);
    chose_select();
}

void Tfrm_main::ComboBox2Change() {
    m_session.Country = ui.ComboBox1->currentText();
    m_session.City = ui.ComboBox2->currentText();
    const auto reference = radiationReference(m_session.Country, m_session.City);
    if (reference)
        ui.Memo2->setText(res(rs::ReferenceNote) + u' ' + reference->referenceCity + u'.');
    if (const auto row = m_ctx.dm.catalog().locationQuery(m_session.Country, m_session.City))
        loadLocation(*row);
    ui.Memo2->setVisible(reference.has_value());
    ui.SpinEdit4->setReadOnly(false);
    ui.SpinEdit5->setReadOnly(false);
    chose_select();
    energy_sum_page3_page4();
    ui.Position->setText(m_session.City + u';' + m_session.Country);
    ui.Label56->setText(res(rs::CountryPrefix) + m_session.Country);
    ui.Label64->setText(res(rs::CityPrefix) + m_session.City);
    ui.Label57->setText(res(rs::TiltAnglePrefix) + ui.qing_jiao->text() + res(rs::DegreeSuffix));
    ui.Label58->setText(res(rs::AzimuthPrefix) + ui.pian_jiao->text() + res(rs::DegreeSuffix));
}

// The location's climate and the yields at its optimal tilt. Tilt and azimuth are set before the
// orientation fields are written, so the fields' own handlers find them in place.
void Tfrm_main::loadLocation(const TLocationRow& row) {
    m_session.Height = row.height;
    m_session.Latitude = row.latitude;
    m_session.MonthlyRadiation = row.radiation;
    m_session.MonthlyTemperature = solar::month_temp_cha(m_session.Latitude, m_session.Height);
    m_session.OptimalTilt = solar::maxsun(m_session.Latitude, m_session.MonthlyRadiation);
    m_session.Tilt = m_session.OptimalTilt;
    m_session.Azimuth = 0;
    m_session.MonthlyYield = month_solar();
    ui.qing_jiao->setText(QString::number(m_session.OptimalTilt));
    ui.pian_jiao->setText(QStringLiteral("0"));
    ui.SpinEdit4->setText(QString::number(m_session.OptimalTilt));
    ui.SpinEdit5->setText(QStringLiteral("0"));
    ui.Temp->setText(ui.SpinEdit3->text());
}

void Tfrm_main::SpinEdit4Change() {
    orientationChanged(ui.SpinEdit4, m_session.Tilt, ui.Label57, rs::TiltAnglePrefix);
}

void Tfrm_main::SpinEdit5Change() {
    orientationChanged(ui.SpinEdit5, m_session.Azimuth, ui.Label58, rs::AzimuthPrefix);
}

// Roof pitch and azimuth: without a city the field is locked at "0"; otherwise a whole number
// becomes the session's angle and the yields follow.
void Tfrm_main::orientationChanged(SpinEdit* field, int& angle, QLabel* systemListLine, const char* prefix) {
    if (nothingChosen(ui.ComboBox2->currentText(), res(rs::ChooseCity))) {
        field->setReadOnly(true);
        field->setText(QStringLiteral("0"));
        return;
    }
    field->setReadOnly(false);
    if (field->text().isEmpty())
        return;
    try {
        angle = textToInt(field->text());
        m_session.MonthlyYield = month_solar();
        energy_sum_page3_page4();
        systemListLine->setText(res(prefix) + field->text() + res(rs::DegreeSuffix));
    } catch (const ConversionError&) {
        // A partly typed number (a lone minus sign) is ignored until it is a number.
    }
}

// The monthly yields for the session's location and orientation; writes the specific yield and the
// chart on the way.
MonthTable Tfrm_main::month_solar() {
    const solar::MonthlyYields result =
        solar::month_solar(m_session.Latitude, m_session.MonthlyRadiation, m_session.Tilt, m_session.Azimuth);
    m_session.SpecificYield = result.total;
    ui.Energy->setText(formatPattern(result.total, 2));
    showMonthlyBars(result.yields);
    showMonthTable(result.yields);
    showModelNotice(solar::outsideModel(result.yields));
    return result.yields;
}

void Tfrm_main::showMonthlyBars(const MonthTable& yields) {
    ui.Series1->clear();
    auto* bars = new QBarSet(QString(), ui.Series1);
    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setColorAt(0, QColor(0xe5, 0x39, 0x35));
    gradient.setColorAt(1, QColor(0x9b, 0x1c, 0x1c));
    bars->setBrush(gradient);
    bars->setPen(Qt::NoPen);
    double highest = 0;
    double lowest = 0;
    for (double value : yields) {
        bars->append(value);
        highest = std::max(highest, value);
        lowest = std::min(lowest, value);
    }
    ui.Series1->append(bars);
    // A bar tells its value while the pointer rests on it.
    connect(bars, &QBarSet::hovered, this, [this, bars](bool entered, int index) {
        if (entered && index >= 0 && index < bars->count())
            QToolTip::showText(QCursor::pos(),
                               res(rs::MonthBarTip).arg(index + 1).arg(formatPattern(bars->at(index), 2)),
                               ui.Chart1);
        else
            QToolTip::hideText();
    });
    // The axis reaches down to the smallest month, so a negative month is drawn like any other.
    if (auto* axis = qobject_cast<QValueAxis*>(ui.Series1->attachedAxes().value(1))) {
        axis->setRange(lowest * 1.1, highest > 0 ? highest * 1.1 : (lowest < 0 ? 0 : 1));
        axis->applyNiceNumbers();
    }
}

void Tfrm_main::showModelNotice(bool shown) {
    if (shown)
        ui.ModelNotice->setText(res(rs::OutsideModelNotice));
    ui.ModelNotice->setVisible(shown);
}

} // namespace tarvel

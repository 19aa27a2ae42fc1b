// Location and orientation: the country and city choosers, roof pitch and azimuth.

#include "ui/tfrm_main.h"

#include "app/tdm.h"
#include "design/number_format.h"
#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"
#include "ui/display_widgets.h"
#include "ui/spin_edit.h"
#include "ui/ui_builders.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace tarvel {
namespace {

// Cities whose monthly radiation is that of a reference city, with the reference named in the note.
bool referenceNote(const QString& country, const QString& city, QString& reference) {
    static const QStringList kIrishReferenced = {
        QStringLiteral("London"),     QStringLiteral("Birmingham"),  QStringLiteral("Bristol"),
        QStringLiteral("Manchester"), QStringLiteral("Newcastle"),   QStringLiteral("Leeds"),
        QStringLiteral("Liverpool"),  QStringLiteral("Nottingham "), QStringLiteral("Sheffield"),
        QStringLiteral("Cambridge"),  QStringLiteral("Oxford")};
    if (country == QStringLiteral("Australia") && city == QStringLiteral("Sydney")) {
        reference = QStringLiteral("canberra.");
        return true;
    }
    if (country == QStringLiteral("Irland") && kIrishReferenced.contains(city)) {
        reference = QStringLiteral("Dubin.");
        return true;
    }
    return false;
}

} // namespace

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
    QString reference;
    const bool noted = referenceNote(m_session.Country, m_session.City, reference);
    if (noted)
        ui.Memo2->setText(res(rs::ReferenceNote) + u' ' + reference);
    ui.Memo2->setVisible(noted);
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

void Tfrm_main::SpinEdit4Change() { orientationChanged(ui.SpinEdit4, m_session.Tilt, ui.Label57, rs::TiltAnglePrefix); }

void Tfrm_main::SpinEdit5Change() { orientationChanged(ui.SpinEdit5, m_session.Azimuth, ui.Label58, rs::AzimuthPrefix); }

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
        energy_sum_page3_page4();
        systemListLine->setText(res(prefix) + field->text() + res(rs::DegreeSuffix));
    } catch (const ConversionError&) {
        // A partly typed number (a lone minus sign) is ignored until it is a number.
    }
}

// The yearly energy of all inputs; the energy model arrives with the solar resource model.
void Tfrm_main::energy_sum_page3_page4() {
    chose_select();
}

} // namespace tarvel

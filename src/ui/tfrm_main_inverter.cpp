// The inverter chooser, its data sheet and the maintenance picture store.

#include "ui/tfrm_main.h"

#include "app/dialogs.h"
#include "app/tdm.h"
#include "catalog/inverter_model_tables.h"
#include "design/number_format.h"
#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"
#include "ui/display_widgets.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>

namespace tarvel {

void Tfrm_main::inverter_add() {
    ui.ComboBox17->clear();
    ui.ComboBox18->clear();
    try {
        for (const QString& name : m_ctx.dm.catalog().inverterListQuery()) {
            ui.ComboBox17->addItem(name);
            ui.ComboBox18->addItem(name);
        }
    } catch (const std::exception&) {
        dialogs().message(this, QStringLiteral("0:") + res(rs::DatabaseReviewError));
    }
    ui.ComboBox18->setCurrentIndex(-1);
}

// The reset form: the first inverter of the list. A failing fill is reported and the caller goes on,
// so a bad catalog row cannot stop the window from being built or a new design from starting.
void Tfrm_main::inverter_init() {
    if (ui.ComboBox17->count() > 0)
        ui.ComboBox17->setCurrentIndex(0);
    reportErrors(dialogs(), this, [this] { fillDataSheet(SheetForm::Reset); });
}

void Tfrm_main::ComboBox17Change() {
    fillDataSheet(SheetForm::Selection);
}

// The data sheet of the model in the inverter chooser, and everything that depends on its limits.
void Tfrm_main::fillDataSheet(SheetForm form) {
    const QString model = ui.ComboBox17->currentText();
    const InverterModelTables& tables = inverterModelTables();
    const PictureGeometry geometry = pictureGeometry(tables, form, model);
    ui.Image26->setGeometry(kPictureLeft, geometry.top, geometry.width, geometry.height);

    // With no inverter in the chooser there is nothing to look up.
    if (!model.isEmpty()) {
        if (const auto row = m_ctx.dm.catalog().inverterRecordQuery(model))
            showInverterRecord(*row, form);
    }

    for (InputId id : kAllInputs) {
        if (m_session.input(id).ModuleCount > 0) {
            updateInput(id);
            cableRun(static_cast<int>(id));
            xiansun_AC();
        }
    }
    if (form == SheetForm::Selection)
        chose_select();
    ui.DCMAX_Power->setText(ui.Label113->text());
    ui.AVMAX_Power->setText(ui.Label47->text());
    ui.Power_Rate->setText(ui.PowerRate->text());
    ui.Inverter_rate->setText(ui.Label150->text());
    writeInverterSystemList();
    if (form == SheetForm::Selection)
        energy_sum_page3_page4();
}

// Writes the labels in their order and takes the session's limits alongside; a number that does not
// convert stops here, leaving what was written so far.
void Tfrm_main::showInverterRecord(const TInverterInfo& row, SheetForm form) {
    const InverterModelTables& tables = inverterModelTables();
    m_session.Inverter = row;
    ui.Label93->setText(row.work_temp);
    ui.Label94->setText(row.protect_grade);
    ui.Label95->setText(row.noise_grade);
    ui.Label96->setText(row.pinterface);
    ui.Label97->setText(row.geli_type);
    ui.Label98->setText(row.ssize);
    ui.Label99->setText(row.weight);
    ui.Label113->setText(row.power_DC_MAX);
    m_session.InverterMaxDcPower = textToDouble(ui.Label113->text()) * 1000 * 1;
    if (form == SheetForm::Selection)
        ui.Label113->setText(formatGeneral(m_session.InverterMaxDcPower / 1000));
    ui.Label114->setText(row.max_v);
    m_session.InverterMaxVoltage = textToDouble(row.max_v);
    m_session.InverterMinMppVoltage = textToDouble(row.MPP_min);
    ui.Label115->setText(row.mpp_range);
    ui.Label116->setText(showsDoubleCurrent(tables, form, ui.ComboBox17->currentText())
                             ? QStringLiteral("2*") + row.input_maxI
                             : row.input_maxI);
    m_session.InverterMaxCurrent = textToDouble(row.input_maxI);
    ui.Label117->setText(row.wire_type);
    ui.Label135->setText(row.output_ACpower);
    m_session.InverterMaxAcPower = textToDouble(row.output_ACpower_max);
    ui.Label47->setText(showsRawAcPower(tables, form, ui.ComboBox17->currentText())
                            ? row.output_ACpower_max
                            : formatGeneral(m_session.InverterMaxAcPower));
    ui.Label136->setText(row.range_v);
    ui.Label137->setText(row.range_hz);
    ui.Label138->setText(row.zongxiebo);
    ui.Label139->setText(row.factor_power);
    ui.Label150->setText(row.xiaolv_max);
    ui.Label151->setText(row.xiaolv_ouzhou);
    m_session.InverterEuroEfficiency = textToDouble(row.xiaolv_erding);
    m_session.InverterEfficiency = textToDouble(row.xiaolv_zuida);

    ui.Image26->clearPicture();
    if (!row.pic.isNull()) {
        ui.Image26->setVisible(true);
        // A damaged picture is reported, but the new inverter's limits still reach the design.
        reportErrors(dialogs(), this, [this, &row] { ui.Image26->setJpeg(row.pic); });
    }
}

void Tfrm_main::writeInverterSystemList() {
    ui.Label66->setText(res(rs::InverterModelPrefix) + ui.ComboBox17->currentText());
    ui.Label67->setText(res(rs::MaxDcPowerPrefix) + ui.Label113->text());
    ui.Label68->setText(res(rs::MaxAcPowerPrefix) + ui.Label47->text());
    ui.Label69->setText(res(rs::EuroEfficiencyPrefix) + ui.Label151->text());
    ui.Label70->setText(res(rs::MaxEfficiencyPrefix) + ui.Label150->text());
    ui.Label71->setText(res(rs::GridVoltagePrefix) + ui.Label136->text());
    ui.Label72->setText(res(rs::GridFrequencyPrefix) + ui.Label137->text());
    ui.Label48->setText(res(rs::ProtectionTypePrefix) + ui.Label94->text());
}

// Maintenance: shows a picture file in the data sheet; nothing is stored yet.
void Tfrm_main::BitBtn1Click() {
    const QString path = dialogs().openPictureFile(this);
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw PictureError(QStringLiteral("Cannot open %1: %2").arg(path, file.errorString()).toStdString());
    ui.Image26->setJpeg(file.readAll());
}

// Maintenance: stores the picture shown, byte for byte, as the picture of the inverter named in the
// maintenance chooser.
void Tfrm_main::ComboBox18Change() {
    if (!ui.Image26->hasPicture())
        throw PictureError(res(rs::NoPictureToStore).toStdString());
    m_ctx.dm.catalog().inverterPictureQuery(ui.ComboBox18->currentText(), ui.Image26->jpegBytes());
    dialogs().message(this, res(rs::PictureStored));
}

} // namespace tarvel

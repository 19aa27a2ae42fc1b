// The design report: filling the template from the window and showing the preview.

#include "ui/tfrm_main.h"

#include "app/app_settings.h"
#include "design/number_format.h"
#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"
#include "i18n/text_replacer.h"
#include "report/report_preview.h"
#include "ui/display_widgets.h"
#include "ui/spin_edit.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace tarvel {
namespace {

// The thirteen report fields of one string input, as the report names them.
struct InputFields {
    const char* line;
    const char* name;
    const char* info;
    const char* voltageCaption;
    const char* voltage;
    const char* currentCaption;
    const char* current;
    const char* powerCaption;
    const char* power;
    const char* stringsCaption;
    const char* strings;
    const char* perStringCaption;
    const char* perString;
};

constexpr InputFields kInputFields[3] = {
    {"A_LINE", "pvm_a_name", "pvm_a_info", "MPPT_A_V", "pvm_a_v", "MPPT_A_I", "pvm_a_i", "MPPT_A_KW",
     "pvm_a_kw", "A_String", "A_String_v", "A_Shunt", "A_Shunt_V"},
    {"B_LINE", "pvm_b_name", "pvm_b_info", "MPPT_B_V", "pvm_b_v", "MPPT_B_I", "pvm_b_i", "MPPT_B_KW",
     "pvm_b_kw", "B_String", "B_String_v", "B_Shunt", "B_Shunt_V"},
    {"C_LINE", "pvm_c_name", "pvm_c_info", "MPPT_C_V", "pvm_c_v", "MPPT_C_I", "pvm_c_i", "MPPT_C_KW",
     "pvm_c_kw", "C_String", "C_String_v", "C_Shunt", "C_Shunt_V"},
};

QString name(const char* text) {
    return QString::fromLatin1(text);
}

} // namespace

report::ReportPreview* Tfrm_main::reportPreview() const {
    return m_preview.data();
}

report::ReportTemplate& Tfrm_main::reportTemplate() const {
    if (!m_report)
        m_report = report::ReportTemplate::load(QStringLiteral(":/report/TarvelReport.json"));
    return *m_report;
}

void Tfrm_main::setReportText(const char* field, const QString& text) {
    reportTemplate().setText(name(field), text);
}

void Tfrm_main::InitReport() {
    setReportText("PRO_DES_UNIT", ui.Label51->text());
    setReportText("PRO_DES_UNIT_Val", ui.Edit2->text());
    setReportText("PRO_DES_PER", ui.Label52->text());
    setReportText("PRO_DES_PER_Val", ui.Edit3->text());
    setReportText("PRO_DES", ui.Label53->text());
    setReportText("PRO_DES_Val", ui.Position->text());
    setReportText("PRO_TEMPER", ui.Label54->text());
    setReportText("PRO_TEMPER_Val", ui.SpinEdit3->text());
    setReportText("Tilt_Angle", ui.RzLabel11->text());
    setReportText("Tilt_Val", ui.SpinEdit4->text());
    setReportText("Azimuth_Angle", ui.RzLabel12->text());
    setReportText("Azimuth_Val", ui.SpinEdit5->text());

    setReportText("PV_KW", ui.Label40->text());
    setReportText("KW_Val", ui.PV_Power->text());
    setReportText("PV_NUM", ui.Label41->text());
    setReportText("NUM_Val", ui.PV_Num->text());
    setReportText("PV_M2", ui.Label42->text());
    setReportText("M2_Val", ui.Pv_Area->text());

    reportTemplate().setPicture(QStringLiteral("PICTURE4"), ui.Image26->image());

    for (InputId id : kAllInputs)
        fillReportInput(id);

    setReportText("IVT_KIND", ui.Label27->text() + QStringLiteral(": ") + ui.ComboBox17->currentText());
    setReportText("ivt_kind_v", QString());
    setReportText("IVT_MDCKW", ui.Label43->text());
    setReportText("ivt_mdc_v", ui.DCMAX_Power->text());
    setReportText("IVT_MACKW", ui.Label44->text());
    setReportText("ivt_mac_v", ui.AVMAX_Power->text());
    setReportText("IVT_Rated", ui.Label45->text());
    setReportText("ivt_rated_v", ui.Power_Rate->text());
    setReportText("IVT_Efficiency", ui.Label49->text());
    setReportText("ivt_e_v", ui.Inverter_rate->text());
    setReportText("IVT_YEARKW", ui.Label50->text());
    setReportText("ivt_yearkw_v", ui.Power_Year->text());

    setReportText("IVT_EU_Efficiency", ui.Label148->text());
    setReportText("ivt_e_e_v", ui.Label151->text());
    setReportText("IVT_MAX_Efficiency", ui.Label147->text());
    setReportText("ivt_m_e_v", ui.Label150->text());
    setReportText("IVT_NET_V", ui.Label127->text());
    setReportText("ivt_v_v", ui.Label136->text());
    setReportText("IVT_NET_HZ", ui.Label128->text());
    setReportText("ivt_hz_v", ui.Label137->text());
    setReportText("IVT_IPV", ui.Label85->text());
    setReportText("ivt_ipv_v", ui.Label94->text());

    setReportText("Infomation", ui.Memo6->text());
    setReportText("Design_Temp",
                  ui.SpinEdit2->text() + QStringLiteral("C~~~") + ui.SpinEdit1->text() + QStringLiteral("C"));
}

// An input's block prints when both of its counts differ from "0" (an empty field counts as
// different); otherwise all thirteen fields are hidden and keep their texts.
void Tfrm_main::fillReportInput(InputId id) {
    const InputFields& f = kInputFields[static_cast<std::size_t>(id)];
    const StringInputUi& in = inputUi(id);
    const bool printed =
        in.strings->text() != QStringLiteral("0") && in.modulesPerString->text() != QStringLiteral("0");
    for (const char* field :
         {f.line, f.name, f.info, f.voltageCaption, f.voltage, f.currentCaption, f.current, f.powerCaption,
          f.power, f.stringsCaption, f.strings, f.perStringCaption, f.perString})
        reportTemplate().setVisible(name(field), printed);
    if (!printed)
        return;
    const TPanelInfo& module = m_session.input(id).Module;
    setReportText(f.line, in.group->title());
    setReportText(f.name, in.maker->currentText());
    setReportText(f.info, in.type->currentText());
    setReportText(f.voltageCaption, res(rs::MppVoltagePrefix));
    setReportText(f.voltage, formatGeneral(module.MPP_V) + u'V');
    setReportText(f.currentCaption, res(rs::MppCurrentPrefix));
    setReportText(f.current, formatGeneral(module.mpp_i) + u'A');
    setReportText(f.powerCaption, res(rs::MppPowerPrefix));
    setReportText(f.power, formatGeneral(module.power) + u'W');
    setReportText(f.stringsCaption, ui.Label3->text());
    setReportText(f.strings, in.strings->text());
    setReportText(f.perStringCaption, ui.Label4->text());
    setReportText(f.perString, in.modulesPerString->text());
}

// Menu "Print": fills the report and shows it, discarding the pages prepared before.
void Tfrm_main::N24Click() {
    const report::PreparedReport prepared = preparedReport();
    if (!m_preview) {
        m_preview = new report::ReportPreview(this);
        m_preview->setAttribute(Qt::WA_DeleteOnClose);
        // The preview speaks the interface language like every other window.
        auto* replacer = new TAcroMultiReplacer(m_preview);
        useStoredFormOptions(*replacer);
        replacer->Replace();
        replacer->OwnerOption().setCodePage(QString::number(m_ctx.settings.LanguageCodePage));
        replacer->Replace();
    }
    m_preview->showReport(prepared);
    m_preview->show();
    m_preview->raise();
}

} // namespace tarvel

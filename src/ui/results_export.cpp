#include "ui/results_export.h"

#include "design/number_format.h"
#include "design/plant_figures.h"
#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"
#include "io/file_io.h"
#include "ui/check_texts.h"
#include "ui/tfrm_main.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonValue>
#include <QStringList>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <memory>

namespace tarvel {
namespace {

const char* const kInputKeys[3] = {"a", "b", "c"};
const char* const kRunKeys[4] = {"dc_a", "dc_b", "dc_c", "ac"};

// Collects the fields in order.
class Fields {
public:
    void text(const QString& name, const QString& value, const QString& unit = QString()) {
        m_fields.append({name, ResultField::Kind::Text, value, unit});
    }
    void number(const QString& name, const QString& value, const QString& unit) {
        m_fields.append({name, ResultField::Kind::Number, value, unit});
    }
    // A number that exists only `when` it does; empty otherwise.
    void numberIf(bool when, const QString& name, const QString& value, const QString& unit) {
        number(name, when ? value : QString(), unit);
    }
    QList<ResultField> list() const { return m_fields; }

private:
    QList<ResultField> m_fields;
};

QString name(const char* pattern, const char* key) {
    return QString::fromLatin1(pattern).arg(QLatin1String(key));
}

QString monthName(const char* pattern, std::size_t month) {
    return QString::fromLatin1(pattern).arg(month + 1, 2, 10, QLatin1Char('0'));
}

QString verdictCode(const checks::Item& item) {
    if (!item.checked)
        return QStringLiteral("not_checked");
    return item.mark == cmDanger ? QStringLiteral("danger")
           : item.mark == cmWarning ? QStringLiteral("warning")
                                    : QStringLiteral("ok");
}

// The stable name of a check: what it judges and where.
QString checkId(const checks::Item& item) {
    const QString input = item.input ? QStringLiteral("input_%1_").arg(QLatin1String(kInputKeys[static_cast<int>(*item.input)]))
                                     : QString();
    switch (item.kind) {
    case checks::Kind::StringCurrent:
        return input + QStringLiteral("current");
    case checks::Kind::OpenCircuit:
        return input + (item.pageCheck == 1 ? QStringLiteral("voc_25c") : QStringLiteral("voc_minus10c"));
    case checks::Kind::MppVoltage:
        return input + QStringLiteral("mpp_%1c").arg(item.temperatureC);
    case checks::Kind::Site:
        switch (item.siteRule) {
        case site::Rule::InverterVoltage:
            return input + QStringLiteral("site_voc_inverter");
        case site::Rule::ModuleVoltage:
            return input + QStringLiteral("site_voc_module");
        case site::Rule::MppMinimum:
            return input + QStringLiteral("site_mpp_minimum");
        case site::Rule::MppMaximum:
            return input + QStringLiteral("site_mpp_maximum");
        case site::Rule::InputCurrent:
            break;
        }
        return input + QStringLiteral("site_current");
    case checks::Kind::PowerRatio:
        return QStringLiteral("power_ratio");
    case checks::Kind::CableLoss:
        break;
    }
    return QStringLiteral("cable_%1_loss_rate").arg(QLatin1String(kRunKeys[item.cableRun]));
}

QString checkUnit(const checks::Item& item) {
    switch (item.kind) {
    case checks::Kind::StringCurrent:
        return QStringLiteral("A");
    case checks::Kind::Site:
        return item.siteRule == site::Rule::InputCurrent ? QStringLiteral("A") : QStringLiteral("V");
    case checks::Kind::PowerRatio:
    case checks::Kind::CableLoss:
        return QStringLiteral("%");
    default:
        break;
    }
    return QStringLiteral("V");
}

// The value as the check's line writes it, so export and window agree.
QString checkValue(const checks::Item& item) {
    switch (item.kind) {
    case checks::Kind::StringCurrent:
        return formatGeneral(item.value);
    case checks::Kind::OpenCircuit:
        return item.pageCheck == 1 ? formatGeneral(item.value) : formatPatternOnGeneral(item.value, 2);
    case checks::Kind::PowerRatio:
        return formatPatternOnGeneral(item.value, 2);
    case checks::Kind::CableLoss:
        return formatPattern(item.value, 4);
    case checks::Kind::Site:
        if (item.siteRule == site::Rule::InputCurrent)
            return formatGeneral(item.value);
        break;
    case checks::Kind::MppVoltage:
        break;
    }
    return formatPatternOnGeneral(item.value, 2);
}

void addChecks(Fields& f, const figures::PlantFigures& figures) {
    const std::vector<checks::Item> failing = checks::failing(figures.checks);
    const TCheckMark worst = checks::worstMark(figures.checks);
    f.text(QStringLiteral("verdict"), worst == cmDanger    ? QStringLiteral("danger")
                                      : worst == cmWarning ? QStringLiteral("warning")
                                      : worst == cmOk      ? QStringLiteral("ok")
                                                           : QString());
    f.number(QStringLiteral("checks_not_ok"), QString::number(failing.size()), QString());
    QStringList reasons;
    for (const checks::Item& item : failing)
        reasons << texts::checkReason(item);
    f.text(QStringLiteral("design_check"),
           figures.checks.empty() ? QString() : failing.empty() ? res(rs::AllChecksPassed) : texts::joined(reasons));
    for (const checks::Item& item : figures.checks) {
        const QString id = QStringLiteral("check_") + checkId(item);
        f.text(id + QStringLiteral("_verdict"), verdictCode(item));
        f.numberIf(item.checked, id + QStringLiteral("_value"), checkValue(item), checkUnit(item));
        f.numberIf(item.checked, id + QStringLiteral("_limit"), formatGeneral(item.limit), checkUnit(item));
        if (item.kind == checks::Kind::Site && item.siteRule != site::Rule::InputCurrent)
            f.numberIf(item.checked, id + QStringLiteral("_temperature_c"), QString::number(item.temperatureC),
                       QStringLiteral("°C"));
    }
}

// Quoted when it holds a separator, a quote or a line break, or would be read with its blanks cut.
QString csvCell(QString cell, bool text) {
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    if (text && !cell.isEmpty() && formulaStarts.contains(cell.front()))
        cell.prepend(u'\'');
    const bool quote = cell.contains(u',') || cell.contains(u'"') || cell.contains(u'\n') || cell.contains(u'\r') ||
                       (!cell.isEmpty() && (cell.front().isSpace() || cell.back().isSpace()));
    if (!quote)
        return cell;
    cell.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + cell + u'"';
}

struct WorkbookCloser {
    void operator()(lxw_workbook* workbook) const { workbook_close(workbook); }
};

void check(lxw_error error, const char* what) {
    if (error != LXW_NO_ERROR)
        throw ResultsExportError(QStringLiteral("%1: %2")
                                     .arg(QString::fromLatin1(what), QString::fromUtf8(lxw_strerror(error)))
                                     .toStdString());
}

} // namespace

QList<ResultField> resultFields(const Tfrm_main& window) {
    const DesignFile design = window.captureDesign();
    const TDesignSession& s = window.session();
    const figures::PlantFigures figures = window.plantFigures();
    const bool hasLocation = figures.hasLocation;
    const bool hasInverter = !design.inverter.isEmpty();
    Fields f;

    // What the user entered.
    f.text(QStringLiteral("design_unit"), design.designUnit);
    f.text(QStringLiteral("designer"), design.designer);
    f.text(QStringLiteral("design_file"), QFileInfo(window.designFilePath()).fileName());
    f.text(QStringLiteral("country"), design.country);
    f.text(QStringLiteral("city"), design.city);
    f.numberIf(hasLocation, QStringLiteral("latitude_deg"), formatGeneral(s.Latitude), QStringLiteral("°"));
    f.numberIf(hasLocation, QStringLiteral("altitude_m"), QString::number(s.Height), QStringLiteral("m"));
    f.number(QStringLiteral("max_pv_temperature_c"), QString::number(design.maxModuleTemp), QStringLiteral("°C"));
    f.number(QStringLiteral("min_pv_temperature_c"), QString::number(design.minModuleTemp), QStringLiteral("°C"));
    f.number(QStringLiteral("design_temperature_c"), QString::number(design.designTemp), QStringLiteral("°C"));
    f.number(QStringLiteral("roof_pitch_deg"), QString::number(design.roofPitch), QStringLiteral("°"));
    f.number(QStringLiteral("azimuth_deg"), QString::number(design.azimuth), QStringLiteral("°"));
    f.text(QStringLiteral("inverter"), design.inverter);
    for (std::size_t i = 0; i < 3; ++i) {
        const DesignFile::StringInput& in = design.inputs[i];
        f.text(name("input_%1_maker", kInputKeys[i]), in.maker);
        f.text(name("input_%1_module_type", kInputKeys[i]), in.moduleType);
        f.number(name("input_%1_strings", kInputKeys[i]), QString::number(in.strings), QString());
        f.number(name("input_%1_modules_per_string", kInputKeys[i]), QString::number(in.modulesPerString),
                 QString());
    }
    for (std::size_t run = 0; run < 4; ++run) {
        const DesignFile::Cable& c = design.cables[run];
        f.text(name("cable_%1_material", kRunKeys[run]), c.material);
        f.number(name("cable_%1_length_m", kRunKeys[run]), QString::number(c.lengthM), QStringLiteral("m"));
        f.number(name("cable_%1_cross_section_mm2", kRunKeys[run]), c.crossSection, QStringLiteral("mm²"));
    }

    // The site.
    f.numberIf(hasLocation, QStringLiteral("optimal_tilt_deg"), QString::number(s.OptimalTilt), QStringLiteral("°"));
    f.numberIf(hasLocation, QStringLiteral("site_specific_yield_kwh_per_kwp"), formatPattern(s.SpecificYield, 2),
               QStringLiteral("kWh/kWp"));
    for (std::size_t m = 0; m < 12; ++m)
        f.numberIf(hasLocation, monthName("month_%1_site_yield_kwh_per_kwp", m),
                   formatPattern(figures.specificYield[m], 2), QStringLiteral("kWh/kWp"));

    // The inverter.
    f.numberIf(hasInverter, QStringLiteral("inverter_max_dc_power_kw"), formatGeneral(s.InverterMaxDcPower / 1000),
               QStringLiteral("kW"));
    f.numberIf(hasInverter, QStringLiteral("inverter_max_ac_power_kw"), formatGeneral(s.InverterMaxAcPower),
               QStringLiteral("kW"));
    f.numberIf(hasInverter, QStringLiteral("inverter_max_efficiency_percent"),
               formatPatternOnGeneral(s.InverterEfficiency * 100, 2), QStringLiteral("%"));
    f.numberIf(hasInverter, QStringLiteral("inverter_euro_efficiency_percent"),
               formatPatternOnGeneral(s.InverterEuroEfficiency * 100, 2), QStringLiteral("%"));
    f.numberIf(hasInverter, QStringLiteral("inverter_max_dc_voltage_v"), formatGeneral(s.InverterMaxVoltage),
               QStringLiteral("V"));
    f.numberIf(hasInverter, QStringLiteral("inverter_min_mpp_voltage_v"), formatGeneral(s.InverterMinMppVoltage),
               QStringLiteral("V"));
    f.numberIf(hasInverter, QStringLiteral("inverter_max_input_current_a"), formatGeneral(s.InverterMaxCurrent),
               QStringLiteral("A"));

    // The generator and its inputs.
    const bool hasModules = figures.peakPowerW > 0 || s.TotalModules > 0;
    f.number(QStringLiteral("total_modules"), QString::number(s.TotalModules), QString());
    f.numberIf(hasModules, QStringLiteral("peak_power_kwp"), formatPattern(figures.peakPowerW / 1000, 3),
               QStringLiteral("kWp"));
    f.numberIf(hasModules, QStringLiteral("area_m2"), formatPattern(s.TotalArea, 2), QStringLiteral("m²"));
    const bool ratio = hasModules && figures.peakPowerW > 0;
    f.numberIf(ratio, QStringLiteral("nominal_power_ratio_percent"), formatPatternOnGeneral(s.PowerRatio, 2),
               QStringLiteral("%"));
    for (InputId id : kAllInputs) {
        const std::size_t i = static_cast<std::size_t>(id);
        const TStringInput& in = s.input(id);
        const bool used = figures.inputJudged[i];
        const char* key = kInputKeys[i];
        f.numberIf(used, name("input_%1_power_w", key), formatGeneral(in.StringPower), QStringLiteral("W"));
        f.numberIf(used, name("input_%1_max_current_a", key), formatGeneral(in.MaxCurrent), QStringLiteral("A"));
        f.numberIf(used, name("input_%1_voc_25c_v", key), formatGeneral(in.Kailu25), QStringLiteral("V"));
        f.numberIf(used, name("input_%1_voc_minus10c_v", key), formatPatternOnGeneral(in.Kailu10, 2),
                   QStringLiteral("V"));
        f.numberIf(used, name("input_%1_mpp_15c_v", key), formatPatternOnGeneral(in.Mpp15, 2), QStringLiteral("V"));
        f.numberIf(used, name("input_%1_mpp_50c_v", key), formatPatternOnGeneral(in.Mpp50, 2), QStringLiteral("V"));
        f.numberIf(used, name("input_%1_mpp_70c_v", key), formatPatternOnGeneral(in.Mpp70, 2), QStringLiteral("V"));
        f.numberIf(used && hasLocation, name("input_%1_corrected_yield_kwh_per_kwp", key),
                   formatPattern(s.CorrectedYield[i], 2), QStringLiteral("kWh/kWp"));
        f.numberIf(used && hasLocation, name("input_%1_energy_kwh", key), formatPattern(s.InputEnergy[i], 1),
                   QStringLiteral("kWh"));
    }

    // The energy.
    f.number(QStringLiteral("yearly_energy_kwh"), formatPattern(figures.yearlyEnergy, 1), QStringLiteral("kWh"));
    f.numberIf(figures.plantYield.has_value(), QStringLiteral("plant_specific_yield_kwh_per_kwp"),
               figures.plantYield ? formatPattern(*figures.plantYield, 1) : QString(), QStringLiteral("kWh/kWp"));
    for (std::size_t m = 0; m < 12; ++m)
        f.number(monthName("month_%1_energy_kwh", m), formatPattern(figures.plantEnergy[m], 1), QStringLiteral("kWh"));

    // The cable runs and what they lose.
    const std::array<const TCableRun*, 4> runs{&s.DcCableA, &s.DcCableB, &s.DcCableC, &s.AcCable};
    for (std::size_t run = 0; run < 4; ++run) {
        const bool carries = figures.runCarriesPower[run];
        const TCableRun& c = *runs[run];
        const char* key = kRunKeys[run];
        f.number(name("cable_%1_resistance_ohm", key), formatPattern(c.Zukang, 4), QStringLiteral("Ω"));
        f.numberIf(carries, name("cable_%1_current_a", key), formatPattern(c.Current, 4), QStringLiteral("A"));
        f.numberIf(carries, name("cable_%1_voltage_drop_v", key), formatPattern(c.LineV, 4), QStringLiteral("V"));
        f.numberIf(carries, name("cable_%1_power_loss_w", key), formatPattern(c.PowerLoss, 4), QStringLiteral("W"));
        f.numberIf(carries, name("cable_%1_loss_share_percent", key),
                   formatPattern(cable::lossShare(figures.runs[run]) * 100, 4), QStringLiteral("%"));
    }
    f.number(QStringLiteral("dc_loss_share_percent"), formatPattern(figures.losses.dcShare * 100, 4),
             QStringLiteral("%"));
    f.number(QStringLiteral("ac_loss_share_percent"), formatPattern(figures.losses.acShare * 100, 4),
             QStringLiteral("%"));
    f.number(QStringLiteral("yearly_energy_after_cable_losses_kwh"), formatPattern(figures.losses.energyAfterKWh, 1),
             QStringLiteral("kWh"));
    f.number(QStringLiteral("cable_loss_kwh"), formatPattern(figures.losses.lossKWh, 1), QStringLiteral("kWh"));
    f.number(QStringLiteral("cable_loss_percent"), formatPattern(figures.losses.lossPercent, 2), QStringLiteral("%"));

    addChecks(f, figures);
    return f.list();
}

QByteArray resultsCsv(const QList<ResultField>& fields) {
    QString text = QStringLiteral("field,value,unit\r\n");
    for (const ResultField& field : fields)
        text += field.name + u',' + csvCell(field.value, field.kind == ResultField::Kind::Text) + u',' +
                csvCell(field.unit, false) + QStringLiteral("\r\n");
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QJsonObject resultsJson(const QList<ResultField>& fields) {
    QJsonObject json;
    for (const ResultField& field : fields) {
        if (field.value.isEmpty())
            json.insert(field.name, QJsonValue::Null);
        else if (field.kind == ResultField::Kind::Number)
            json.insert(field.name, textToDouble(field.value));
        else
            json.insert(field.name, field.value);
    }
    return json;
}

QByteArray resultsXlsx(const QList<ResultField>& fields) {
    // The library writes only to a named file: it is made in a private folder and read back, and
    // only the caller writes the user's file.
    QTemporaryDir folder;
    if (!folder.isValid())
        throw ResultsExportError(
            QStringLiteral("cannot make a temporary folder: %1").arg(folder.errorString()).toStdString());
    const QByteArray path = QFile::encodeName(folder.filePath(QStringLiteral("results.xlsx")));
    QByteArray tmpdir = QFile::encodeName(folder.path());
    lxw_workbook_options options{};
    options.tmpdir = tmpdir.data();
    std::unique_ptr<lxw_workbook, WorkbookCloser> workbook(workbook_new_opt(path.constData(), &options));
    if (!workbook)
        throw ResultsExportError("cannot create the workbook");
    lxw_worksheet* sheet = workbook_add_worksheet(workbook.get(), "Results");
    lxw_format* header = workbook_add_format(workbook.get());
    if (!sheet || !header)
        throw ResultsExportError("cannot create the workbook");
    format_set_bold(header);
    check(worksheet_set_column(sheet, 0, 0, 44, nullptr), "column");
    check(worksheet_set_column(sheet, 1, 1, 60, nullptr), "column");
    check(worksheet_set_column(sheet, 2, 2, 10, nullptr), "column");
    check(worksheet_write_string(sheet, 0, 0, "field", header), "header");
    check(worksheet_write_string(sheet, 0, 1, "value", header), "header");
    check(worksheet_write_string(sheet, 0, 2, "unit", header), "header");
    lxw_row_t row = 1;
    for (const ResultField& field : fields) {
        check(worksheet_write_string(sheet, row, 0, field.name.toUtf8().constData(), nullptr), "field");
        // An empty value stays an empty cell.
        if (!field.value.isEmpty() && field.kind == ResultField::Kind::Number)
            check(worksheet_write_number(sheet, row, 1, textToDouble(field.value), nullptr), "value");
        else if (!field.value.isEmpty())
            check(worksheet_write_string(sheet, row, 1, field.value.toUtf8().constData(), nullptr), "value");
        if (!field.unit.isEmpty())
            check(worksheet_write_string(sheet, row, 2, field.unit.toUtf8().constData(), nullptr), "unit");
        ++row;
    }
    check(workbook_close(workbook.release()), "cannot write the workbook");
    QFile file(QFile::decodeName(path));
    if (!file.open(QIODevice::ReadOnly))
        throw ResultsExportError(
            QStringLiteral("cannot read the workbook back: %1").arg(file.errorString()).toStdString());
    return file.readAll();
}

void writeResults(const Tfrm_main& window, const QString& path) {
    const QList<ResultField> fields = resultFields(window);
    const bool xlsx = path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive);
    const QByteArray bytes = xlsx ? resultsXlsx(fields) : resultsCsv(fields);
    try {
        io::writeFileReplacing(path, bytes);
    } catch (const io::FileError& error) {
        throw ResultsExportError(QStringLiteral("%1: %2").arg(path, QString::fromUtf8(error.what())).toStdString());
    }
}

} // namespace tarvel

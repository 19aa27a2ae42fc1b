#include "catalog/inverter_model_tables.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tarvel {
namespace {

[[noreturn]] void fail(const QString& what) {
    throw ModelTablesError(QStringLiteral("Inverter model tables: %1").arg(what).toStdString());
}

QStringList names(const QJsonObject& object, const QString& key) {
    const QJsonValue value = object.value(key);
    if (!value.isArray())
        fail(QStringLiteral("\"%1\" is not a list of names").arg(key));
    QStringList result;
    for (const QJsonValue& entry : value.toArray()) {
        if (!entry.isString() || entry.toString().isEmpty())
            fail(QStringLiteral("\"%1\" holds an entry that is not a name").arg(key));
        result.append(entry.toString());
    }
    return result;
}

QString name(const QJsonObject& object, const QString& key) {
    const QJsonValue value = object.value(key);
    if (!value.isString() || value.toString().isEmpty())
        fail(QStringLiteral("\"%1\" is not a name").arg(key));
    return value.toString();
}

} // namespace

InverterModelTables parseInverterModelTables(const QByteArray& json) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        fail(QStringLiteral("not a JSON object (%1)").arg(error.errorString()));
    const QJsonObject root = document.object();
    const QJsonValue rows = root.value(QStringLiteral("pictureGeometryRows"));
    if (!rows.isObject())
        fail(QStringLiteral("\"pictureGeometryRows\" is missing"));

    InverterModelTables tables;
    for (std::size_t row = 0; row < tables.geometryRows.size(); ++row)
        tables.geometryRows[row] = names(rows.toObject(), QStringLiteral("row%1").arg(row + 1));
    tables.doubleCurrentReset = names(root, QStringLiteral("doubleCurrentReset"));
    tables.doubleCurrentSelection = names(root, QStringLiteral("doubleCurrentSelection"));
    tables.rawAcPowerReset = name(root, QStringLiteral("rawAcPowerReset"));
    tables.rawAcPowerSelection = name(root, QStringLiteral("rawAcPowerSelection"));
    return tables;
}

PictureGeometry pictureGeometry(const InverterModelTables& tables, SheetForm form, const QString& model) {
    constexpr PictureGeometry kResetForm{370, 80, 85};
    if (form == SheetForm::Reset)
        return kResetForm;
    constexpr PictureGeometry kOutsideFirstRow{340, 123, 69};
    constexpr PictureGeometry kRows[6] = {{370, 80, 85}, {340, 120, 70}, {345, 120, 85},
                                          {365, 80, 60}, {365, 90, 70},  {365, 90, 78}};
    PictureGeometry geometry = tables.geometryRows[0].contains(model) ? kRows[0] : kOutsideFirstRow;
    for (std::size_t row = 1; row < tables.geometryRows.size(); ++row)
        if (tables.geometryRows[row].contains(model))
            geometry = kRows[row];
    return geometry;
}

bool showsDoubleCurrent(const InverterModelTables& tables, SheetForm form, const QString& model) {
    return (form == SheetForm::Reset ? tables.doubleCurrentReset : tables.doubleCurrentSelection)
        .contains(model);
}

bool showsRawAcPower(const InverterModelTables& tables, SheetForm form, const QString& model) {
    return model == (form == SheetForm::Reset ? tables.rawAcPowerReset : tables.rawAcPowerSelection);
}

const InverterModelTables& inverterModelTables() {
    static const InverterModelTables tables = [] {
        QFile file(QStringLiteral(":/catalog/inverter_groups.json"));
        if (!file.open(QIODevice::ReadOnly))
            fail(QStringLiteral("the shipped tables cannot be read"));
        return parseInverterModelTables(file.readAll());
    }();
    return tables;
}

} // namespace tarvel

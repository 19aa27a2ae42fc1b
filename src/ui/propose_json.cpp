#include "ui/propose_json.h"

#include "catalog/catalog.h"
#include "design/layout_search.h"
#include "ui/check_texts.h"
#include "ui/selection_assistant.h"
#include "ui/tfrm_main.h"

#include <QJsonArray>

namespace tarvel {
namespace {

QJsonValue optionalNumber(const std::optional<double>& value) {
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

const char* verdictName(selection::Verdict verdict) {
    switch (verdict) {
    case selection::Verdict::Recommended:
        return "recommended";
    case selection::Verdict::Valid:
        return "valid";
    case selection::Verdict::Invalid:
        break;
    }
    return "invalid";
}

QJsonObject layoutJson(const selection::Layout& l) {
    QJsonArray inputs;
    for (int i = 0; i < l.inputCount; ++i) {
        const selection::InputLayout& in = l.inputs[static_cast<std::size_t>(i)];
        inputs.append(QJsonObject{{QStringLiteral("strings"), in.strings},
                                  {QStringLiteral("modulesPerString"), in.modulesPerString}});
    }
    return QJsonObject{
        {QStringLiteral("inputs"), inputs},
        {QStringLiteral("modules"), l.modules},
        {QStringLiteral("peakPowerKw"), l.peakPowerW / 1000},
        {QStringLiteral("nominalPowerRatioPercent"),
         optionalNumber(l.ratioDefined ? std::optional<double>(l.powerRatioPercent) : std::nullopt)},
        {QStringLiteral("dcAcRatio"), optionalNumber(l.dcAcRatio)},
        {QStringLiteral("yearlyEnergyKwh"), optionalNumber(l.yearlyEnergyKWh)},
        {QStringLiteral("valid"), l.valid},
        {QStringLiteral("recommended"), l.recommended},
    };
}

QJsonObject inverterJson(const selection::InverterResult& r) {
    QJsonArray reasons;
    for (selection::Finding f : r.findings)
        reasons.append(texts::findingText(f, r));
    QJsonArray layouts;
    for (const selection::Layout& l : r.layouts)
        layouts.append(layoutJson(l));
    const bool read = r.inverter.unreadableColumn.isEmpty();
    const std::optional<int> mppMax = r.limits.nMppMax();
    return QJsonObject{
        {QStringLiteral("inverter"), r.inverter.model},
        {QStringLiteral("modulesPerStringMin"), read ? QJsonValue(r.limits.nMin()) : QJsonValue()},
        {QStringLiteral("modulesPerStringMax"), read ? QJsonValue(r.limits.nMax()) : QJsonValue()},
        {QStringLiteral("modulesPerStringMppMax"), read && mppMax ? QJsonValue(*mppMax) : QJsonValue()},
        {QStringLiteral("maxStringsPerInput"), read ? QJsonValue(r.limits.sMax()) : QJsonValue()},
        {QStringLiteral("verdict"), QString::fromLatin1(verdictName(r.verdict))},
        {QStringLiteral("reasons"), reasons},
        {QStringLiteral("modulesPlaced"), r.modulesPlaced},
        {QStringLiteral("layouts"), layouts},
        {QStringLiteral("moreLayouts"), r.moreLayouts},
    };
}

} // namespace

QJsonObject proposeJson(const Tfrm_main& window, Catalog& catalog) {
    const TDesignSession& session = window.session();
    const TStringInput* first = nullptr;
    for (InputId id : kAllInputs)
        if (session.input(id).ModuleCount > 0) {
            first = &session.input(id);
            break;
        }
    if (!first)
        throw ProposeError("the design has no string input in use");
    const std::optional<TPanelInfo> module = readCatalogModule(catalog, first->Maker, first->ModuleType);
    if (!module)
        throw ProposeError(QStringLiteral("the module %1 %2 is not in the catalog")
                               .arg(first->Maker, first->ModuleType)
                               .toStdString());
    const selection::Request request = window.selectionRequest(*module, session.TotalModules);
    QJsonArray inverters;
    for (const selection::InverterResult& r : selection::sweep(request, readCatalogInverters(catalog)))
        inverters.append(inverterJson(r));
    return QJsonObject{
        {QStringLiteral("maker"), module->product_name},
        {QStringLiteral("moduleType"), module->strings_type},
        {QStringLiteral("modules"), session.TotalModules},
        {QStringLiteral("minPvTemperatureC"), request.temperatures.minC},
        {QStringLiteral("maxPvTemperatureC"), request.temperatures.maxC},
        {QStringLiteral("correctedYieldKwhPerKwp"), optionalNumber(request.correctedYield)},
        {QStringLiteral("inverters"), inverters},
    };
}

} // namespace tarvel

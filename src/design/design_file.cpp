#include "design/design_file.h"

#include "design/design_records.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace tarvel {
namespace {

const QString kFormat = QStringLiteral("tarvel-pv-design");
const char* const kInputKeys[3] = {"A", "B", "C"};
const char* const kCableKeys[4] = {"dcA", "dcB", "dcC", "ac"};

[[noreturn]] void fail(const QString& what) {
    throw DesignFileError(QStringLiteral("The design file is not valid: %1.").arg(what).toStdString());
}

// A value as the file writes it ("1" for a text, 1.0000000001 for a number), cut short if long.
QString asWritten(const QJsonValue& value) {
    const QString array = QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact));
    const QString written = array.mid(1, array.size() - 2);
    return written.size() <= 40 ? written : written.left(40) + QStringLiteral("...");
}

QJsonObject object(const QJsonObject& parent, const QString& key) {
    const QJsonValue value = parent.value(key);
    if (!value.isObject())
        fail(QStringLiteral("\"%1\" is missing or is not an object").arg(key));
    return value.toObject();
}

QString text(const QJsonObject& parent, const QString& key, const QString& where) {
    const QJsonValue value = parent.value(key);
    if (value.isUndefined() || value.isNull())
        return {};
    if (!value.isString())
        fail(QStringLiteral("%1 \"%2\" is not a text").arg(where, key));
    return value.toString();
}

int integer(const QJsonObject& parent, const QString& key, int minimum, int maximum, const QString& where) {
    const QJsonValue value = parent.value(key);
    const double number = value.toDouble();
    // The range is checked on the double first: converting a huge or fractional value to an integer
    // type is not defined, and a file may hold anything.
    if (!value.isDouble() || !(number >= minimum && number <= maximum) || number != std::trunc(number))
        fail(QStringLiteral("%1 \"%2\" must be a whole number from %3 to %4")
                 .arg(where, key)
                 .arg(minimum)
                 .arg(maximum));
    return static_cast<int>(number);
}

DesignFile::StringInput readInput(const QJsonObject& inputs, const char* key) {
    const QString where = QStringLiteral("string input %1:").arg(QString::fromLatin1(key));
    const QJsonObject in = object(inputs, QString::fromLatin1(key));
    return {text(in, QStringLiteral("maker"), where), text(in, QStringLiteral("moduleType"), where),
            integer(in, QStringLiteral("strings"), 0, kMaxStrings, where),
            integer(in, QStringLiteral("modulesPerString"), 0, kMaxModulesPerString, where)};
}

DesignFile::Cable readCable(const QJsonObject& cables, const char* key) {
    const QString where = QStringLiteral("cable %1:").arg(QString::fromLatin1(key));
    const QJsonObject c = object(cables, QString::fromLatin1(key));
    DesignFile::Cable cable;
    cable.material = text(c, QStringLiteral("material"), where);
    if (cable.material != QStringLiteral("Cu") && cable.material != QStringLiteral("Al"))
        fail(QStringLiteral("%1 \"material\" must be \"Cu\" or \"Al\"").arg(where));
    cable.lengthM = integer(c, QStringLiteral("lengthM"), 1, 10000, where);
    cable.crossSection = text(c, QStringLiteral("crossSectionMm2"), where);
    if (std::none_of(kCrossSections.begin(), kCrossSections.end(),
                     [&](const char* s) { return cable.crossSection == QString::fromLatin1(s); }))
        fail(QStringLiteral("%1 \"crossSectionMm2\" is not one of the cross-sections").arg(where));
    return cable;
}

} // namespace

QByteArray writeDesignFile(const DesignFile& d) {
    QJsonObject inputs;
    for (std::size_t i = 0; i < 3; ++i)
        inputs.insert(QString::fromLatin1(kInputKeys[i]),
                      QJsonObject{{QStringLiteral("maker"), d.inputs[i].maker},
                                  {QStringLiteral("moduleType"), d.inputs[i].moduleType},
                                  {QStringLiteral("strings"), d.inputs[i].strings},
                                  {QStringLiteral("modulesPerString"), d.inputs[i].modulesPerString}});
    QJsonObject cables;
    for (std::size_t i = 0; i < 4; ++i)
        cables.insert(QString::fromLatin1(kCableKeys[i]),
                      QJsonObject{{QStringLiteral("material"), d.cables[i].material},
                                  {QStringLiteral("lengthM"), d.cables[i].lengthM},
                                  {QStringLiteral("crossSectionMm2"), d.cables[i].crossSection}});
    const QJsonObject root{
        {QStringLiteral("format"), kFormat},
        {QStringLiteral("version"), kDesignFileVersion},
        {QStringLiteral("location"),
         QJsonObject{{QStringLiteral("country"), d.country}, {QStringLiteral("city"), d.city}}},
        {QStringLiteral("temperatures"), QJsonObject{{QStringLiteral("maxModuleC"), d.maxModuleTemp},
                                                     {QStringLiteral("minModuleC"), d.minModuleTemp},
                                                     {QStringLiteral("designC"), d.designTemp}}},
        {QStringLiteral("orientation"), QJsonObject{{QStringLiteral("roofPitchDeg"), d.roofPitch},
                                                    {QStringLiteral("azimuthDeg"), d.azimuth}}},
        {QStringLiteral("inverter"), d.inverter},
        {QStringLiteral("stringInputs"), inputs},
        {QStringLiteral("cables"), cables},
        {QStringLiteral("project"),
         QJsonObject{{QStringLiteral("designUnit"), d.designUnit}, {QStringLiteral("designer"), d.designer}}},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

DesignFile readDesignFile(const QByteArray& json) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        fail(QStringLiteral("%1 at character %2").arg(error.errorString()).arg(error.offset));
    if (!document.isObject())
        fail(QStringLiteral("it is not a JSON object"));
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("format")).toString() != kFormat)
        fail(QStringLiteral("it is no Tarvel PV design"));
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (version.isUndefined())
        fail(QStringLiteral("\"version\" is missing"));
    if (!version.isDouble() || version.toDouble() != kDesignFileVersion)
        fail(QStringLiteral("version %1 is not supported (this program reads version %2)")
                 .arg(asWritten(version))
                 .arg(kDesignFileVersion));
    DesignFile d;
    const QJsonObject location = object(root, QStringLiteral("location"));
    d.country = text(location, QStringLiteral("country"), QStringLiteral("location:"));
    d.city = text(location, QStringLiteral("city"), QStringLiteral("location:"));
    const QJsonObject temperatures = object(root, QStringLiteral("temperatures"));
    const QString temperature = QStringLiteral("temperatures:");
    d.maxModuleTemp = integer(temperatures, QStringLiteral("maxModuleC"), -10, 80, temperature);
    d.minModuleTemp = integer(temperatures, QStringLiteral("minModuleC"), -40, 20, temperature);
    d.designTemp = integer(temperatures, QStringLiteral("designC"), 0, 70, temperature);
    const QJsonObject orientation = object(root, QStringLiteral("orientation"));
    d.roofPitch = integer(orientation, QStringLiteral("roofPitchDeg"), 0, 89, QStringLiteral("orientation:"));
    d.azimuth = integer(orientation, QStringLiteral("azimuthDeg"), -91, 89, QStringLiteral("orientation:"));
    d.inverter = text(root, QStringLiteral("inverter"), QStringLiteral("design:"));
    const QJsonObject inputs = object(root, QStringLiteral("stringInputs"));
    for (std::size_t i = 0; i < 3; ++i)
        d.inputs[i] = readInput(inputs, kInputKeys[i]);
    const QJsonObject cables = object(root, QStringLiteral("cables"));
    for (std::size_t i = 0; i < 4; ++i)
        d.cables[i] = readCable(cables, kCableKeys[i]);
    const QJsonObject project = object(root, QStringLiteral("project"));
    d.designUnit = text(project, QStringLiteral("designUnit"), QStringLiteral("project:"));
    d.designer = text(project, QStringLiteral("designer"), QStringLiteral("project:"));
    return d;
}

} // namespace tarvel

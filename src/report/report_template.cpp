#include "report/report_template.h"

#include "report/report_json.h"

#include <QFile>
#include <QFileInfo>

namespace tarvel::report {

namespace {

constexpr int kTemplateVersion = 1;

bool sameFont(const QFont& a, const QFont& b) {
    return a.family() == b.family() && a.pixelSize() == b.pixelSize() && a.pointSizeF() == b.pointSizeF() &&
           a.weight() == b.weight() && a.italic() == b.italic();
}

QString quoted(const QString& name) {
    return QStringLiteral("\"%1\"").arg(name);
}

} // namespace

bool operator==(const ReportObject& a, const ReportObject& b) {
    return a.name == b.name && a.kind == b.kind && a.rectMm == b.rectMm && a.visible == b.visible && a.page == b.page &&
           a.lines == b.lines && sameFont(a.font, b.font) && a.alignment == b.alignment &&
           a.growWidth == b.growWidth && a.maxWidthMm == b.maxWidthMm && a.picture == b.picture &&
           a.svg == b.svg;
}

ReportTemplate ReportTemplate::fromJson(const QByteArray& json, const QString& pictureBase) {
    const QString source = QStringLiteral("Report template");
    const QJsonObject root =
        detail::readRoot(json, source, QStringLiteral("tarvel-report-template"), kTemplateVersion);

    ReportTemplate result;
    const QJsonValue name = root.value("name");
    if (!name.isString() || name.toString().isEmpty())
        throw ReportError("Report template: \"name\" must be a non-empty string");
    result.m_name = name.toString();
    const QString named = QStringLiteral("Report template %1").arg(quoted(result.m_name));
    const detail::PageSetup page = detail::readPage(root, named);
    result.m_pageSizeMm = page.sizeMm;
    result.m_marginMm = page.marginMm;

    detail::ReadContext context;
    context.source = named;
    context.pictureBase = pictureBase;
    context.printableWidthMm = page.sizeMm.width() - 2 * page.marginMm;
    if (root.contains("font")) {
        const QJsonObject font = root.value("font").toObject();
        if (!font.value("family").isString() || !font.value("size").isDouble())
            throw ReportError(
                QStringLiteral("%1: \"font\" needs a family and a size").arg(named).toStdString());
        context.defaultFamily = font.value("family").toString();
        context.defaultPixelSize = font.value("size").toInt();
    }
    result.m_objects = detail::readObjects(root, context);
    return result;
}

ReportTemplate ReportTemplate::load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError(QStringLiteral("Cannot read the report template %1: %2")
                              .arg(path, file.errorString())
                              .toStdString());
    // Pictures are named relative to the template, so a template and its artwork move together.
    return fromJson(file.readAll(), QFileInfo(path).path());
}

ReportObject* ReportTemplate::findObject(const QString& name) {
    for (ReportObject& object : m_objects)
        if (object.name.compare(name, Qt::CaseInsensitive) == 0)
            return &object;
    return nullptr;
}

const ReportObject* ReportTemplate::findObject(const QString& name) const {
    return const_cast<ReportTemplate*>(this)->findObject(name);
}

ReportObject& ReportTemplate::require(const QString& objectName) {
    ReportObject* object = findObject(objectName);
    if (!object)
        throw ReportError(QStringLiteral("The report %1 has no object %2")
                              .arg(quoted(m_name), quoted(objectName))
                              .toStdString());
    return *object;
}

void ReportTemplate::setText(const QString& objectName, const QString& text) {
    ReportObject& object = require(objectName);
    if (object.kind != ReportObject::Kind::Text)
        throw ReportError(
            QStringLiteral("The report object %1 is no text field").arg(quoted(object.name)).toStdString());
    object.lines = detail::splitLines(text);
}

QString ReportTemplate::text(const QString& objectName) const {
    return const_cast<ReportTemplate*>(this)->require(objectName).lines.join(u'\n');
}

void ReportTemplate::setVisible(const QString& objectName, bool visible) {
    require(objectName).visible = visible;
}

bool ReportTemplate::isVisible(const QString& objectName) const {
    return const_cast<ReportTemplate*>(this)->require(objectName).visible;
}

void ReportTemplate::setPicture(const QString& objectName, const QImage& picture) {
    ReportObject& object = require(objectName);
    if (object.kind != ReportObject::Kind::Picture)
        throw ReportError(
            QStringLiteral("The report object %1 is no picture").arg(quoted(object.name)).toStdString());
    // A deep copy: the caller's image may be painted on later, the report must keep what it was given.
    object.picture = picture.copy();
    object.svg.clear();
}

} // namespace tarvel::report

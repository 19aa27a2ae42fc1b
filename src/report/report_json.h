#pragma once

// The JSON encoding shared by report templates and prepared reports (docs/REPORT.md): the page block
// and the objects. Templates and prepared reports differ only in their header and in what they use:
// a template names picture files and gives texts as one string, a prepared report embeds everything.

#include "report/report_template.h"

#include <QJsonObject>
#include <QSizeF>

namespace tarvel::report::detail {

struct PageSetup {
    QSizeF sizeMm{210, 297};
    double marginMm = 10;
};

// What an object may take from its surroundings while it is read.
struct ReadContext {
    QString source;                // names the file in error messages
    QString pictureBase;           // folder of picture files named by "file"; empty: files are refused
    double printableWidthMm = 190; // resolves "left": "centre"
    QString defaultFamily = QStringLiteral("Arial");
    int defaultPixelSize = 12;
};

// A text's lines, split at CR LF, CR or LF; an empty text has no lines.
QStringList splitLines(const QString& text);

// Parses a JSON document whose root must be an object of `format` at `version`; throws ReportError.
QJsonObject readRoot(const QByteArray& json, const QString& source, const QString& format, int version);

PageSetup readPage(const QJsonObject& root, const QString& source);
QJsonObject writePage(const PageSetup& page);

ReportObject readObject(const QJsonObject& json, const ReadContext& context);
// Writes every property, pictures embedded, so reading it back gives an equal object.
QJsonObject writeObject(const ReportObject& object);

// Reads the "objects" array; names must be unique without regard to case.
std::vector<ReportObject> readObjects(const QJsonObject& root, const ReadContext& context);

} // namespace tarvel::report::detail

#include "asset_builder/pdf_tidy.h"

namespace tarvel::tools {
namespace {

void replaceCreationDate(QByteArray& pdf, const QDateTime& created) {
    const QByteArray key = "/CreationDate ";
    const qsizetype keyAt = pdf.indexOf(key);
    if (keyAt < 0)
        return;
    const qsizetype open = keyAt + key.size();
    const qsizetype close = pdf.indexOf(')', open);
    if (close < 0 || pdf.at(open) != '(')
        return;
    const qsizetype length = close + 1 - open;
    const QByteArray date = created.toUTC().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1();
    const QByteArray value = "(D:" + date + "Z)";
    // Qt writes a local time with its UTC offset, which may be longer; spaces keep the length.
    if (value.size() <= length)
        pdf.replace(open, length, value.leftJustified(length, ' '));
}

} // namespace

QByteArray tidyQtPdf(QByteArray pdf, const QDateTime& created, const TextMapFixes& fixes) {
    replaceCreationDate(pdf, created);
    report::fixTextMaps(pdf, fixes);
    return pdf;
}

} // namespace tarvel::tools

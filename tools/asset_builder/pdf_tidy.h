#pragma once

#include "report/pdf_text_map.h"

#include <QByteArray>
#include <QDateTime>

namespace tarvel::tools {

using report::glyphSharingFixes;
using report::TextMapFixes;

// Tidies a PDF file written by Qt's PDF writer:
// - its creation date becomes `created` (stored as UTC), so the same input gives the same bytes;
// - in the text maps (ToUnicode) of embedded fonts, each code listed in `fixes` becomes its character
//   (report::fixTextMaps).
// Both changes keep every byte offset, so the cross-reference table of the file stays valid. A PDF
// without these parts comes back unchanged.
QByteArray tidyQtPdf(QByteArray pdf, const QDateTime& created, const TextMapFixes& fixes);

} // namespace tarvel::tools

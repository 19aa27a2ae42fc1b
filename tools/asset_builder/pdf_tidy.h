#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>

class QRawFont;

namespace tarvel::tools {

// Character codes to correct in the text maps of a PDF: wrong code -> intended character.
using TextMapFixes = QHash<char16_t, char16_t>;

// Qt's PDF writer maps every glyph back to the lowest code point the font draws with it. Fonts
// draw several code points with one glyph (a tab and a space; in CJK fonts U+2F42 KANGXI RADICAL
// SCRIPT and U+6587 文, U+6236 戶 and U+6237 户), so a viewer's search and copy would find "⽂" or
// "戶" where the page shows "文" or "户". Returns, for the characters of `text` drawn in `font`,
// the code Qt would write instead and the character meant. Characters Qt maps correctly are left
// out, and so are codes `text` itself uses: those stay as they are.
TextMapFixes glyphSharingFixes(const QString& text, const QRawFont& font);

// Tidies a PDF file written by Qt's PDF writer:
// - its creation date becomes `created` (stored as UTC), so the same input gives the same bytes;
// - in the text maps (ToUnicode) of embedded fonts, each code listed in `fixes` becomes its character.
// Both changes keep every byte offset, so the cross-reference table of the file stays valid. A PDF
// without these parts comes back unchanged.
QByteArray tidyQtPdf(QByteArray pdf, const QDateTime& created, const TextMapFixes& fixes);

} // namespace tarvel::tools

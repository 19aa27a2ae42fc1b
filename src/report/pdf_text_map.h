#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

class QRawFont;

namespace tarvel::report {

// Character codes to correct in the text maps of a PDF: wrong code -> intended character.
using TextMapFixes = QHash<char16_t, char16_t>;

// Qt's PDF writer maps every glyph back to the lowest code point the font draws with it. Fonts
// draw several code points with one glyph (a tab and a space; in CJK fonts U+2F42 KANGXI RADICAL
// SCRIPT and U+6587 文, U+2F24 and 大, U+6236 戶 and U+6237 户), so a viewer's search and copy would
// find "⽂" or "戶" where the page shows "文" or "户". Returns, for the characters of `text` drawn in
// `font`, the code Qt would write instead and the character meant. Characters Qt maps correctly are
// left out, and so are codes `text` itself uses: those stay as they are.
TextMapFixes glyphSharingFixes(const QString& text, const QRawFont& font);

// In the text maps (ToUnicode) of the fonts embedded in a PDF written by Qt, each code listed in
// `fixes` becomes its character. Every byte keeps its offset, so the file's cross-reference table
// stays valid; a PDF without text maps is left as it is.
void fixTextMaps(QByteArray& pdf, const TextMapFixes& fixes);

} // namespace tarvel::report

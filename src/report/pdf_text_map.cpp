#include "report/pdf_text_map.h"

#include <QList>
#include <QRawFont>

#include <algorithm>

namespace tarvel::report {
namespace {

QByteArray hex4(char16_t code) {
    return QByteArray::number(code, 16).toUpper().rightJustified(4, '0');
}

// `at` is the first of four hex digits of one UTF-16 code in a text map.
void fixCodeAt(QByteArray& pdf, qsizetype at, const TextMapFixes& fixes) {
    bool ok = false;
    const uint code = pdf.mid(at, 4).toUInt(&ok, 16);
    const auto fix = fixes.constFind(char16_t(code));
    if (ok && fix != fixes.constEnd())
        pdf.replace(at, 4, hex4(*fix));
}

// Only the codes inside "[...]" lists are characters; the other hex numbers of a range are glyph ids.
void fixCodesInRanges(QByteArray& pdf, qsizetype from, qsizetype to, const TextMapFixes& fixes) {
    for (qsizetype open = pdf.indexOf('[', from); open >= 0 && open < to; open = pdf.indexOf('[', open + 1)) {
        const qsizetype close = pdf.indexOf(']', open);
        if (close < 0 || close > to)
            return;
        for (qsizetype at = open; at + 5 < close; ++at) {
            if (pdf.at(at) == '<' && pdf.at(at + 5) == '>')
                fixCodeAt(pdf, at + 1, fixes);
        }
    }
}

// For every glyph of the font, the lowest code point drawn with it, as Qt's PDF writer picks it.
// Codes above `highest` cannot be the lowest for a character up to `highest`, so they are not read.
QHash<quint32, char16_t> lowestCodePerGlyph(const QRawFont& font, char16_t highest) {
    QString codes;
    for (char32_t code = 1; code <= highest; ++code) {
        if (!QChar::isSurrogate(code))
            codes.append(QChar(char16_t(code)));
    }
    QList<quint32> glyphs(codes.size());
    int glyphCount = int(glyphs.size());
    if (!font.glyphIndexesForChars(codes.constData(), int(codes.size()), glyphs.data(), &glyphCount))
        return {};
    QHash<quint32, char16_t> lowest;
    for (int i = 0; i < glyphCount; ++i) {
        if (glyphs[i] != 0 && !lowest.contains(glyphs[i]))
            lowest.insert(glyphs[i], codes[i].unicode());
    }
    return lowest;
}

} // namespace

TextMapFixes glyphSharingFixes(const QString& text, const QRawFont& font) {
    char16_t highest = 0;
    for (const QChar character : text)
        highest = std::max(highest, character.unicode());
    const QHash<quint32, char16_t> lowest = lowestCodePerGlyph(font, highest);
    TextMapFixes fixes;
    for (const QChar character : text) {
        quint32 glyph = 0;
        int glyphCount = 1;
        if (character.isSurrogate() || !font.glyphIndexesForChars(&character, 1, &glyph, &glyphCount))
            continue;
        const char16_t written = lowest.value(glyph, character.unicode());
        // A code the text uses itself is right where it stands (a space drawn like a no-break space).
        if (written != character.unicode() && !text.contains(QChar(written)))
            fixes.insert(written, character.unicode());
    }
    return fixes;
}

void fixTextMaps(QByteArray& pdf, const TextMapFixes& fixes) {
    for (qsizetype from = pdf.indexOf("beginbfrange"); from >= 0; from = pdf.indexOf("beginbfrange", from)) {
        const qsizetype to = pdf.indexOf("endbfrange", from);
        if (to < 0)
            return;
        fixCodesInRanges(pdf, from, to, fixes);
        from = to;
    }
}

} // namespace tarvel::report

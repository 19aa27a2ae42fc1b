#pragma once

#include <QByteArray>
#include <QString>

namespace tarvel {

// Dictionary files hold 8-bit text in Windows code pages named by number; Qt converts by name.
// 936 is "GBK", 1252 "windows-1252", any other N "windows-N", or "IBM-N" where only that name is
// known. Empty when Qt has no converter for the code page.
QByteArray codecNameForCodePage(int codePage);

// A CodePage text read as an integer, with the program's integer rules (leading blanks, sign,
// decimal digits within 32 bits). Anything else raises EMultiDD "'<text>' is not a valid integer
// value".
int codePageNumber(const QString& text);

// Conversions between 8-bit text in a code page and UTF-16. A code page without a converter raises
// EMultiDD "code page <N> is not supported"; characters the code page lacks become its substitute.
QString decodeFromCodePage(const QByteArray& bytes, int codePage);
QByteArray encodeToCodePage(const QString& text, int codePage);

// The code page that stands in for the system's ANSI code page when UTF-16 keys must become 8-bit
// text: the row's or caller's CodePage when it is a number with a converter, else 1252. Keys are
// converted the same way when a dictionary is built and when it is asked, so both sides match.
int ansiCodePageFor(const QString& codePage);

} // namespace tarvel

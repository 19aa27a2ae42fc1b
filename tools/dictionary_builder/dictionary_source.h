#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <stdexcept>

namespace tarvel::tools {

class DictionarySourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One line of the source table: a design text and its display texts in Chinese (code page 936) and
// English (code page 1252).
struct DictionaryRow {
    QString key;
    QString chinese;
    QString english;
};

// Reads the UTF-8 source table: one row a line, "key<TAB>chinese<TAB>english"; lines starting with
// '#' and empty lines are skipped; "\n", "\r", "\t" and "\\" stand for LF, CR, TAB and backslash.
// Throws DictionarySourceError naming the line of a row without three cells or of a key seen before.
QList<DictionaryRow> readDictionarySource(const QByteArray& utf8);

// The dictionary file: for every row one entry for code page 936 and one for 1252, sequence number
// "0", each written in its own code page.
QByteArray writeDictionary(const QList<DictionaryRow>& rows);

} // namespace tarvel::tools

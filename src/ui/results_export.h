#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <stdexcept>

namespace tarvel {

class Tfrm_main;

// An export that could not be made or written; the message says why.
class ResultsExportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One exported figure: a plain name (docs/RESULTS.md lists each with its unit), its value as text and
// its unit. Numbers are written with '.' and the decimals the window shows them with; a value the
// design does not have yet (no city, an input not in use) is empty.
struct ResultField {
    enum class Kind { Text, Number };
    QString name;
    Kind kind = Kind::Number;
    QString value;
    QString unit;
};

// The inputs, every result, the monthly figures and every check with its verdict of the design in the
// window, always in the same order. Names of the inputs' and runs' own fields are always present;
// the checks are those of the inputs and runs in use.
QList<ResultField> resultFields(const Tfrm_main& window);

// A CSV file: UTF-8 with a byte-order mark (so spreadsheet programs read Chinese names right), comma
// separated, the header "field,value,unit" and one line a field, CR LF line ends. A cell holding a
// comma, quote or line break is quoted, its quotes doubled. A text that a spreadsheet would take for
// a formula (it starts with =, +, -, @, a tab or a carriage return) is written after an apostrophe.
QByteArray resultsCsv(const QList<ResultField>& fields);

// The fields as a JSON object: name -> number, string, or null for an empty value.
QJsonObject resultsJson(const QList<ResultField>& fields);

// The fields as an XLSX workbook of one sheet with the same three columns, numbers as numbers.
// Throws ResultsExportError.
QByteArray resultsXlsx(const QList<ResultField>& fields);

// Writes the window's results to `path`: an XLSX workbook when the name ends in ".xlsx" (any case),
// else CSV. The file is replaced only once the new one is complete (io::writeFileReplacing). Throws
// ResultsExportError.
void writeResults(const Tfrm_main& window, const QString& path);

} // namespace tarvel

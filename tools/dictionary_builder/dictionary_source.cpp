#include "dictionary_builder/dictionary_source.h"

#include "i18n/code_pages.h"
#include "i18n/dd_readers.h"

#include <QSet>
#include <QStringList>

#include <utility>

namespace tarvel::tools {
namespace {

QString unescape(const QString& cell, int line) {
    QString out;
    for (qsizetype i = 0; i < cell.size(); ++i) {
        if (cell[i] != u'\\') {
            out.append(cell[i]);
            continue;
        }
        if (++i == cell.size())
            throw DictionarySourceError("line " + std::to_string(line) + ": a backslash ends the cell");
        const QChar c = cell[i];
        if (c == u'n')
            out.append(u'\n');
        else if (c == u'r')
            out.append(u'\r');
        else if (c == u't')
            out.append(u'\t');
        else if (c == u'\\')
            out.append(u'\\');
        else
            throw DictionarySourceError("line " + std::to_string(line) + ": unknown escape \\" +
                                        QString(c).toStdString());
    }
    return out;
}

} // namespace

QList<DictionaryRow> readDictionarySource(const QByteArray& utf8) {
    QList<DictionaryRow> rows;
    QSet<QString> keys;
    const QStringList lines = QString::fromUtf8(utf8).split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const int number = static_cast<int>(i + 1);
        const QStringList cells = line.split(u'\t');
        if (cells.size() != 3)
            throw DictionarySourceError("line " + std::to_string(number) + ": " +
                                        std::to_string(cells.size()) +
                                        " cells, expected key, Chinese and English");
        DictionaryRow row{unescape(cells[0], number), unescape(cells[1], number), unescape(cells[2], number)};
        for (const QString& text : {row.key, row.chinese, row.english})
            if (!text.isEmpty() && text.count(u'"') == text.size())
                // The file format reads such a text back with one quote more: its quotes pair up
                // with the enclosing ones.
                throw DictionarySourceError("line " + std::to_string(number) +
                                            ": a text made only of quote characters cannot be stored");
        // A row is stored in its language's code page; a character the code page lacks (a
        // superscript two in Chinese, a Chinese character in English) would show as '?'.
        for (const auto& [text, codePage] : {std::pair{row.chinese, 936}, std::pair{row.english, 1252}})
            if (decodeFromCodePage(encodeToCodePage(text, codePage), codePage) != text)
                throw DictionarySourceError("line " + std::to_string(number) + ": \"" + text.toStdString() +
                                            "\" cannot be written in code page " + std::to_string(codePage));
        if (keys.contains(row.key))
            throw DictionarySourceError("line " + std::to_string(number) + ": the key \"" +
                                        row.key.toStdString() + "\" is listed twice");
        keys.insert(row.key);
        rows.append(row);
    }
    return rows;
}

QByteArray writeDictionary(const QList<DictionaryRow>& rows) {
    TTextCSVStreamDDWriter writer(false);
    writer.WriteHeader();
    for (const DictionaryRow& row : rows) {
        writer.WriteEntry(row.key, QStringLiteral("936"), QStringLiteral("0"), row.chinese);
        writer.WriteEntry(row.key, QStringLiteral("1252"), QStringLiteral("0"), row.english);
    }
    return writer.Data();
}

} // namespace tarvel::tools

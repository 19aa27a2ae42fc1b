#pragma once

#include "i18n/dd_types.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <memory>
#include <vector>

namespace tarvel {

// A reader of one dictionary file, record by record. The dictionary uses nothing else, so every
// format is read through this interface. Cells of an 8-bit file are 8-bit values, cells of a UTF-16
// file UTF-16 values; an empty cell is a null value.
class IDDReader {
public:
    virtual ~IDDReader() = default;

    // Goes to the first record and reads it.
    virtual void First() = 0;
    virtual void Next() = 0;
    // True when no current record is left.
    virtual bool Eof() const = 0;
    virtual int FieldCount() const = 0;
    virtual int RecordCount() const = 0;
    // 1-based number of the current record, 0 before the first.
    virtual int RecNo() const = 0;
    virtual QString FieldName(int index) const = 0;
    // A column outside the header gives a null value.
    virtual TDDValue FieldValue(int index) const = 0;
    virtual bool IsNull(int index) const = 0;
    virtual void BeginRead() {}
    virtual void EndRead() {}
    // True when the file is UTF-16.
    virtual bool IsUnicode() const = 0;

    // The first column whose name matches ignoring case; an unknown name gives an empty, non-null
    // string (of the file's kind) and counts as null.
    TDDValue FieldValueByName(const QString& name) const;
    bool IsNullByName(const QString& name) const;

protected:
    int indexOfName(const QString& name) const;
};

// Makes a reader over a file's whole content; it raises EMultiDD when the content is malformed.
using TDDReaderClass = std::function<std::unique_ptr<IDDReader>(const QByteArray& data)>;

// The two delimited text formats: both start with an optional FF FE mark (UTF-16 LE, every
// character two bytes, otherwise one byte), a header line of column names and one line per record.
// Cells end at a ',' or a line end (CR LF, CR, LF) outside quotes; each quote toggles the inside.
// In a UTF-16 file those characters match only units whose high byte is 0. A record ends the data
// when fewer than two bytes are left, so one trailing empty line is a record of null cells.
class TTextStreamDDReader : public IDDReader {
public:
    void First() override;
    void Next() override;
    bool Eof() const override { return m_eof; }
    int FieldCount() const override { return static_cast<int>(m_fieldNames.size()); }
    int RecordCount() const override { return m_recordCount; }
    int RecNo() const override { return m_recNo; }
    QString FieldName(int index) const override;
    TDDValue FieldValue(int index) const override;
    bool IsNull(int index) const override;
    bool IsUnicode() const override { return m_unicode; }

protected:
    TTextStreamDDReader(QByteArray data, char16_t quote);
    // Reads the header, counts the records and reads the first one. Called by the final class's
    // constructor, once decodeCell is its own.
    void open();
    // The value of a cell's raw units (never empty); raises EMultiDD on a malformed cell.
    virtual QString decodeCell(QStringView raw) const = 0;
    char16_t quote() const { return m_quote; }

private:
    enum class CellEnd { Separator, LineEnd, DataEnd };
    struct Cell {
        QString units; // one unit per byte of an 8-bit file
        bool null = true;
    };

    bool hasUnit(qsizetype pos) const { return pos + m_unitSize <= m_data.size(); }
    char16_t unitAt(qsizetype pos) const;
    CellEnd scanCell(qsizetype& pos, QString* raw) const;
    void skipLineEnd(qsizetype& pos) const;
    bool dataLeft(qsizetype pos) const { return m_data.size() - pos >= 2; }
    TDDValue valueOf(const Cell& cell) const;

    QByteArray m_data;
    char16_t m_quote;
    bool m_unicode = false;
    qsizetype m_unitSize = 1;
    qsizetype m_recordsStart = 0;
    qsizetype m_pos = 0;
    QStringList m_fieldNames;
    int m_recordCount = 0;
    int m_recNo = 0;
    bool m_eof = true;
    std::vector<Cell> m_cells;
};

// "AcroTextCSV": quote '"'. A cell is decoded left to right: a lone quote is dropped, two quotes give
// one, "%c" "%n" "%0" "%%" give CR, LF, character 0 and "%", a "%" ending the cell is dropped and a
// "%" before anything else stops the read. Exactly two quotes ("") give an empty, non-null value.
class TTextCSVStreamDDReader final : public TTextStreamDDReader {
public:
    explicit TTextCSVStreamDDReader(QByteArray data);
    explicit TTextCSVStreamDDReader(QIODevice& stream);

protected:
    QString decodeCell(QStringView raw) const override;
};

// "AcroTextDFM": the same lines and cells with the form-resource quote "'"; a cell is a string
// literal: quoted parts (a doubled quote inside gives one) and, outside quotes, "#" with decimal
// digits for the character of that code. Other characters outside quotes are copied.
class TTextDFMStreamDDReader final : public TTextStreamDDReader {
public:
    explicit TTextDFMStreamDDReader(QByteArray data);
    explicit TTextDFMStreamDDReader(QIODevice& stream);

protected:
    QString decodeCell(QStringView raw) const override;
};

// "AcroBinary": optional FF FE mark for UTF-16; 32-bit little-endian field count; per field a 32-bit
// byte length and the name's bytes; 32-bit record count; then per record and field a 32-bit length
// (-1 null, 0 empty, n > 0 followed by n characters of one or two bytes). Records are read as the
// reader moves, so a file that ends early fails at the record it cuts. A file that counts records but
// has no fields is refused when it is opened.
class TBinaryStreamDDReader final : public IDDReader {
public:
    explicit TBinaryStreamDDReader(QByteArray data);
    explicit TBinaryStreamDDReader(QIODevice& stream);

    void First() override;
    void Next() override;
    bool Eof() const override { return m_eof; }
    int FieldCount() const override { return static_cast<int>(m_fieldNames.size()); }
    int RecordCount() const override { return m_recordCount; }
    int RecNo() const override { return m_recNo; }
    QString FieldName(int index) const override;
    TDDValue FieldValue(int index) const override;
    bool IsNull(int index) const override;
    bool IsUnicode() const override { return m_unicode; }

private:
    qint32 readInt(qsizetype& pos) const;
    QByteArray readBytes(qsizetype& pos, qint64 count) const;

    QByteArray m_data;
    bool m_unicode = false;
    QStringList m_fieldNames;
    int m_recordCount = 0;
    qsizetype m_recordsStart = 0;
    qsizetype m_pos = 0;
    int m_recNo = 0;
    bool m_eof = true;
    std::vector<TDDValue> m_cells;
};

// A writer of one dictionary file.
class IDDWriter {
public:
    virtual ~IDDWriter() = default;
    virtual void WriteHeader(const QStringList& fieldNames) = 0;
    virtual void WriteRecord(const QList<TDDValue>& cells) = 0;
    virtual QByteArray Data() const = 0;
};

using TDDWriterClass = std::function<std::unique_ptr<IDDWriter>(bool unicode)>;

// The canonical "AcroTextCSV" form: FF FE first for UTF-16; every non-null cell quoted with its quotes
// doubled and CR, LF, character 0 and "%" written as "%c", "%n", "%0", "%%"; a null cell written as
// nothing; a ',' after every cell, the last one included; CR LF after every line.
// A UTF-16 cell in an 8-bit file is written in code page 1252, an 8-bit cell in a UTF-16 file as
// Latin-1; WriteEntry converts with the row's code page instead.
class TTextCSVStreamDDWriter final : public IDDWriter {
public:
    explicit TTextCSVStreamDDWriter(bool unicode = false);

    void WriteHeader(const QStringList& fieldNames = TDDFieldsMapping::defaults().names()) override;
    void WriteRecord(const QList<TDDValue>& cells) override;
    // One row in the default column order. In an 8-bit file every text is written in the code page
    // the row names (1252 when it names none that converts), the way the dictionary reads it back.
    void WriteEntry(const QString& ddKey, const QString& codePage, const QString& seqNo,
                    const QString& displayValue);
    QByteArray Data() const override { return m_data; }

private:
    void writeUnit(char16_t unit);
    void writeCell(const TDDValue& cell);
    void endLine();

    bool m_unicode;
    QByteArray m_data;
};

} // namespace tarvel

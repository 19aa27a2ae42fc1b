#pragma once

#include "i18n/dd_readers.h"

#include <QList>
#include <QString>

#include <mutex>
#include <optional>

namespace tarvel {

// One registered dictionary file format: its reader identifier, a file extension (without the dot)
// and the classes that write and read it. A format without a writer has a null WriterClass.
struct TDDReaderWriterData {
    QString ReaderID;
    QString Extension;
    TDDWriterClass WriterClass;
    TDDReaderClass ReaderClass;
};

// The registry of dictionary file formats. A new registry holds, in this order:
// "AcroTextCSV"/"lng", "AcroTextCSV"/"atc", "AcroTextDFM"/"atf", "AcroBinary"/"abf".
// Identifiers and extensions compare without regard to case; finding returns the first match.
class TStreamDDReaderWriterStorage {
public:
    TStreamDDReaderWriterStorage();

    // The registry of the process, filled before its first use and kept to the end of the process.
    static TStreamDDReaderWriterStorage& instance();

    // A row with this identifier and extension gets the given classes (a null class keeps the row's
    // old one); any other pair is appended.
    void RegisterFormat(const QString& readerID, const QString& extension, TDDWriterClass writerClass,
                        TDDReaderClass readerClass);
    std::optional<TDDReaderWriterData> FindByReaderID(const QString& readerID) const;
    std::optional<TDDReaderWriterData> FindByExtension(const QString& extension) const;
    QList<TDDReaderWriterData> Rows() const;

private:
    mutable std::mutex m_mutex;
    QList<TDDReaderWriterData> m_rows;
};

} // namespace tarvel

#include "i18n/dd_formats.h"

namespace tarvel {

namespace {

bool sameName(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

template <class Reader> TDDReaderClass readerClass() {
    return
        [](const QByteArray& data) -> std::unique_ptr<IDDReader> { return std::make_unique<Reader>(data); };
}

} // namespace

TStreamDDReaderWriterStorage::TStreamDDReaderWriterStorage() {
    const TDDWriterClass csvWriter = [](bool unicode) -> std::unique_ptr<IDDWriter> {
        return std::make_unique<TTextCSVStreamDDWriter>(unicode);
    };
    const QString csv = QStringLiteral("AcroTextCSV");
    m_rows = {
        {csv, QStringLiteral("lng"), csvWriter, readerClass<TTextCSVStreamDDReader>()},
        {csv, QStringLiteral("atc"), csvWriter, readerClass<TTextCSVStreamDDReader>()},
        {QStringLiteral("AcroTextDFM"), QStringLiteral("atf"), {}, readerClass<TTextDFMStreamDDReader>()},
        {QStringLiteral("AcroBinary"), QStringLiteral("abf"), {}, readerClass<TBinaryStreamDDReader>()},
    };
}

TStreamDDReaderWriterStorage& TStreamDDReaderWriterStorage::instance() {
    // Never destroyed: dictionaries may still build while other statics are torn down.
    static auto* storage = new TStreamDDReaderWriterStorage;
    return *storage;
}

void TStreamDDReaderWriterStorage::RegisterFormat(const QString& readerID, const QString& extension,
                                                  TDDWriterClass writerClass, TDDReaderClass readerClass) {
    std::lock_guard lock(m_mutex);
    for (TDDReaderWriterData& row : m_rows) {
        if (sameName(row.ReaderID, readerID) && sameName(row.Extension, extension)) {
            if (writerClass)
                row.WriterClass = std::move(writerClass);
            if (readerClass)
                row.ReaderClass = std::move(readerClass);
            return;
        }
    }
    m_rows.append({readerID, extension, std::move(writerClass), std::move(readerClass)});
}

std::optional<TDDReaderWriterData>
TStreamDDReaderWriterStorage::FindByReaderID(const QString& readerID) const {
    std::lock_guard lock(m_mutex);
    for (const TDDReaderWriterData& row : m_rows) {
        if (sameName(row.ReaderID, readerID))
            return row;
    }
    return std::nullopt;
}

std::optional<TDDReaderWriterData>
TStreamDDReaderWriterStorage::FindByExtension(const QString& extension) const {
    std::lock_guard lock(m_mutex);
    for (const TDDReaderWriterData& row : m_rows) {
        if (sameName(row.Extension, extension))
            return row;
    }
    return std::nullopt;
}

QList<TDDReaderWriterData> TStreamDDReaderWriterStorage::Rows() const {
    std::lock_guard lock(m_mutex);
    return m_rows;
}

} // namespace tarvel

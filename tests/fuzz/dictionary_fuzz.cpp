// One dictionary file format (TARVEL_DD_FORMAT, a reader identifier of the format registry): walks
// every record and cell the way the dictionary does, builds a whole dictionary from the file and, for
// the format that has a writer, checks that the canonical writer and the reader agree on every cell.
#include "fuzz_support.h"

#include "i18n/dd_formats.h"
#include "i18n/multi_dd.h"

#include <QCoreApplication>

#include <algorithm>
#include <vector>

namespace tarvel::fuzz {
namespace {

TDDReaderWriterData format() {
    static const TDDReaderWriterData row = [] {
        const auto found = TStreamDDReaderWriterStorage::instance().FindByReaderID(
            QStringLiteral(TARVEL_DD_FORMAT));
        require(found.has_value(), "the format is registered");
        return *found;
    }();
    return row;
}

// A dictionary over the fuzz input instead of a file.
class InputDD final : public TCustomMultiReaderDD {
public:
    explicit InputDD(QByteArray data) : m_data(std::move(data)) {}

protected:
    void doBuild() override {
        const auto reader = format().ReaderClass(m_data);
        readEntries(*reader);
    }

private:
    QByteArray m_data;
};

using Records = std::vector<QList<TDDValue>>;

bool onlyQuotes(const TDDValue& value) {
    const QString text = value.isWide() ? value.text() : QString::fromLatin1(value.bytes());
    return !text.isEmpty() && text.count(QLatin1Char('"')) == text.size();
}

// Every record's cells by column number; columns outside the header must read as null.
Records walk(IDDReader& reader) {
    Records records;
    for (reader.First(); !reader.Eof(); reader.Next()) {
        require(reader.RecNo() == static_cast<int>(records.size()) + 1, "RecNo counts the records");
        require(static_cast<int>(records.size()) < reader.RecordCount(), "no more records than counted");
        QList<TDDValue> cells;
        for (int i = 0; i < reader.FieldCount(); ++i) {
            cells.append(reader.FieldValue(i));
            require(reader.IsNull(i) == cells.last().isNull(), "IsNull agrees with the value");
        }
        require(reader.FieldValue(reader.FieldCount()).isNull() && reader.FieldValue(-1).isNull(),
                "a column outside the header is null");
        reader.FieldValueByName(QStringLiteral("DDKey"));
        records.push_back(cells);
    }
    return records;
}

// What the canonical writer makes of the records must read back cell for cell.
void checkRoundTrip(const IDDReader& reader, const Records& records) {
    if (!format().WriterClass || reader.FieldCount() == 0)
        return;
    const auto writer = format().WriterClass(reader.IsUnicode());
    QStringList names;
    for (int i = 0; i < reader.FieldCount(); ++i)
        names.append(QStringLiteral("F%1").arg(i));
    writer->WriteHeader(names);
    Records written;
    for (const QList<TDDValue>& cells : records) {
        // A value made only of quote characters cannot be read back: the reader pairs its quotes with
        // the enclosing ones. The format has no way to write it, so the dictionary builder refuses it.
        if (std::any_of(cells.begin(), cells.end(), onlyQuotes))
            continue;
        writer->WriteRecord(cells);
        written.push_back(cells);
    }
    const auto again = format().ReaderClass(writer->Data());
    require(again->IsUnicode() == reader.IsUnicode(), "the written file keeps its kind");
    const Records reread = walk(*again);
    require(reread.size() == written.size(), "the written file has the same records");
    for (size_t r = 0; r < written.size(); ++r)
        for (int i = 0; i < written[r].size(); ++i)
            require(again->FieldCount() == reader.FieldCount() && reread[r][i] == written[r][i],
                    "the written file has the same cells");
}

} // namespace
} // namespace tarvel::fuzz

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvel;
    using namespace tarvel::fuzz;
    const QByteArray bytes = bytesOf(data, size);
    try {
        const auto reader = format().ReaderClass(bytes);
        const Records records = walk(*reader);
        checkRoundTrip(*reader, records);
    } catch (const EMultiDD&) {
        // A malformed file is refused with a message; that is the sound outcome.
    }

    InputDD dd(bytes);
    try {
        dd.BuildDD();
    } catch (const EMultiDD&) {
        require(!dd.IsLoaded(), "a failed build leaves the dictionary unbuilt");
        return 0;
    }
    require(dd.IsLoaded(), "a build that succeeds loads the dictionary");
    // The lookups the program makes: its two code pages.
    for (const char* codePage : {"936", "1252"})
        dd.TranslateWide(QStringLiteral("Location"), QString::fromLatin1(codePage), QStringLiteral("0"));
    return 0;
}

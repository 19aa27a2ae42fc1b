#include "i18n/dd_readers.h"

#include "i18n/code_pages.h"

#include <limits>
#include <utility>

namespace tarvel {

namespace {

constexpr char16_t kSeparator = u',';
constexpr char16_t kCR = u'\r';
constexpr char16_t kLF = u'\n';
constexpr char16_t kPercent = u'%';
constexpr char16_t kCsvQuote = u'"';
constexpr char16_t kDfmQuote = u'\'';
constexpr int kAnsiCodePage = 1252;

bool startsWithUnicodeMark(const QByteArray& data) {
    return data.size() >= 2 && static_cast<unsigned char>(data[0]) == 0xFF &&
           static_cast<unsigned char>(data[1]) == 0xFE;
}

// The cell units of an 8-bit file are its bytes; a unit no byte can hold (only a DFM "#" code can
// make one) becomes '?'.
QByteArray unitsToBytes(const QString& units) {
    QByteArray bytes(units.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i].unicode();
        bytes[i] = static_cast<char>(unit <= 0xFF ? unit : u'?');
    }
    return bytes;
}

QByteArray readAllOf(QIODevice& stream) {
    return stream.readAll();
}

// Little-endian UTF-16 bytes as text, whatever the byte order of the machine; an odd last byte is
// not a character.
QString textFromUtf16Bytes(const QByteArray& bytes) {
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                              static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    return text;
}

} // namespace

// --- IDDReader -------------------------------------------------------------------------------------

int IDDReader::indexOfName(const QString& name) const {
    for (int i = 0; i < FieldCount(); ++i) {
        if (QString::compare(FieldName(i), name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

TDDValue IDDReader::FieldValueByName(const QString& name) const {
    const int index = indexOfName(name);
    if (index >= 0)
        return FieldValue(index);
    return IsUnicode() ? TDDValue(QStringLiteral("")) : TDDValue(QByteArray(""));
}

bool IDDReader::IsNullByName(const QString& name) const {
    const int index = indexOfName(name);
    return index < 0 || IsNull(index);
}

// --- delimited text --------------------------------------------------------------------------------

TTextStreamDDReader::TTextStreamDDReader(QByteArray data, char16_t quote)
    : m_data(std::move(data)), m_quote(quote) {
    m_unicode = startsWithUnicodeMark(m_data);
    m_unitSize = m_unicode ? 2 : 1;
}

char16_t TTextStreamDDReader::unitAt(qsizetype pos) const {
    const auto low = static_cast<unsigned char>(m_data[pos]);
    if (!m_unicode)
        return low;
    return static_cast<char16_t>(low | static_cast<unsigned char>(m_data[pos + 1]) << 8);
}

TTextStreamDDReader::CellEnd TTextStreamDDReader::scanCell(qsizetype& pos, QString* raw) const {
    bool inQuotes = false;
    while (hasUnit(pos)) {
        const char16_t unit = unitAt(pos);
        if (!inQuotes && unit == kSeparator) {
            pos += m_unitSize;
            return CellEnd::Separator;
        }
        if (!inQuotes && (unit == kCR || unit == kLF))
            return CellEnd::LineEnd;
        if (unit == m_quote)
            inQuotes = !inQuotes;
        if (raw)
            raw->append(QChar(unit));
        pos += m_unitSize;
    }
    return CellEnd::DataEnd;
}

void TTextStreamDDReader::skipLineEnd(qsizetype& pos) const {
    if (hasUnit(pos) && unitAt(pos) == kCR)
        pos += m_unitSize;
    if (hasUnit(pos) && unitAt(pos) == kLF)
        pos += m_unitSize;
}

void TTextStreamDDReader::open() {
    qsizetype pos = m_unicode ? 2 : 0;
    // Header cells with nothing in them are dropped, so a separator after the last name (as the
    // writer puts one) adds no column, and the names after an empty cell close up.
    for (;;) {
        QString raw;
        const CellEnd end = scanCell(pos, &raw);
        if (!raw.isEmpty()) {
            const QString name = decodeCell(raw);
            m_fieldNames.append(m_unicode ? name : decodeFromCodePage(unitsToBytes(name), kAnsiCodePage));
        }
        if (end != CellEnd::Separator)
            break;
    }
    skipLineEnd(pos);
    m_recordsStart = pos;

    // Counting uses the same line rule as reading, so the count and the records read agree.
    while (dataLeft(pos)) {
        while (scanCell(pos, nullptr) == CellEnd::Separator) {
        }
        skipLineEnd(pos);
        if (m_recordCount == std::numeric_limits<int>::max())
            break;
        ++m_recordCount;
    }
    First();
}

void TTextStreamDDReader::First() {
    m_pos = m_recordsStart;
    m_recNo = 0;
    m_eof = false;
    Next();
}

void TTextStreamDDReader::Next() {
    if (m_eof)
        return;
    if (!dataLeft(m_pos)) {
        m_eof = true;
        m_cells.clear();
        return;
    }
    std::vector<Cell> cells(m_fieldNames.size());
    CellEnd end = CellEnd::Separator;
    for (Cell& cell : cells) {
        QString raw;
        end = scanCell(m_pos, &raw);
        if (!raw.isEmpty()) {
            cell.units = decodeCell(raw);
            cell.null = false;
        }
        if (end != CellEnd::Separator)
            break; // the missing cells stay null
    }
    // Cells beyond the header's columns are passed over up to the line end.
    while (end == CellEnd::Separator)
        end = scanCell(m_pos, nullptr);
    skipLineEnd(m_pos);
    m_cells = std::move(cells);
    ++m_recNo;
}

QString TTextStreamDDReader::FieldName(int index) const {
    return m_fieldNames.value(index);
}

TDDValue TTextStreamDDReader::valueOf(const Cell& cell) const {
    if (cell.null)
        return {};
    return m_unicode ? TDDValue(cell.units) : TDDValue(unitsToBytes(cell.units));
}

TDDValue TTextStreamDDReader::FieldValue(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= m_cells.size())
        return {};
    return valueOf(m_cells[index]);
}

bool TTextStreamDDReader::IsNull(int index) const {
    return index < 0 || static_cast<size_t>(index) >= m_cells.size() || m_cells[index].null;
}

// --- AcroTextCSV -----------------------------------------------------------------------------------

TTextCSVStreamDDReader::TTextCSVStreamDDReader(QByteArray data)
    : TTextStreamDDReader(std::move(data), kCsvQuote) {
    open();
}

TTextCSVStreamDDReader::TTextCSVStreamDDReader(QIODevice& stream)
    : TTextCSVStreamDDReader(readAllOf(stream)) {}

QString TTextCSVStreamDDReader::decodeCell(QStringView raw) const {
    if (raw.size() == 2 && raw[0] == kCsvQuote && raw[1] == kCsvQuote)
        return QStringLiteral("");
    QString value;
    value.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size();) {
        const char16_t unit = raw[i].unicode();
        if (unit == kCsvQuote) {
            if (i + 1 < raw.size() && raw[i + 1] == kCsvQuote) {
                value.append(QChar(kCsvQuote));
                i += 2;
            } else {
                ++i;
            }
            continue;
        }
        if (unit != kPercent) {
            value.append(QChar(unit));
            ++i;
            continue;
        }
        if (i + 1 == raw.size())
            break; // a '%' that ends the cell is dropped
        switch (raw[i + 1].unicode()) {
        case u'c':
            value.append(QChar(kCR));
            break;
        case u'n':
            value.append(QChar(kLF));
            break;
        case u'0':
            value.append(QChar(u'\0'));
            break;
        case u'%':
            value.append(QChar(kPercent));
            break;
        default:
            throw EMultiDD(QStringLiteral(R"(CSV format error,char after "%" not "c","n","0",or "%".)"));
        }
        i += 2;
    }
    return value;
}

// --- AcroTextDFM -----------------------------------------------------------------------------------

TTextDFMStreamDDReader::TTextDFMStreamDDReader(QByteArray data)
    : TTextStreamDDReader(std::move(data), kDfmQuote) {
    open();
}

TTextDFMStreamDDReader::TTextDFMStreamDDReader(QIODevice& stream)
    : TTextDFMStreamDDReader(readAllOf(stream)) {}

QString TTextDFMStreamDDReader::decodeCell(QStringView raw) const {
    QString value;
    bool inQuotes = false;
    for (qsizetype i = 0; i < raw.size();) {
        const char16_t unit = raw[i].unicode();
        if (unit == kDfmQuote) {
            if (inQuotes && i + 1 < raw.size() && raw[i + 1] == kDfmQuote) {
                value.append(QChar(kDfmQuote));
                i += 2;
            } else {
                inQuotes = !inQuotes;
                ++i;
            }
            continue;
        }
        if (inQuotes || unit != u'#') {
            value.append(QChar(unit));
            ++i;
            continue;
        }
        qsizetype digitsEnd = i + 1;
        char32_t code = 0;
        while (digitsEnd < raw.size() && raw[digitsEnd] >= u'0' && raw[digitsEnd] <= u'9') {
            // Codes past the last character are all the same "not a character"; stop growing.
            code = std::min<char32_t>(code * 10 + (raw[digitsEnd].unicode() - u'0'), 0x110000);
            ++digitsEnd;
        }
        if (digitsEnd == i + 1)
            throw EMultiDD(QStringLiteral(R"(DFM format error,char after "#" is empty.)"));
        value.append(code <= 0xFFFF ? QChar(static_cast<char16_t>(code)) : QChar(u'?'));
        i = digitsEnd;
    }
    return value;
}

// --- AcroBinary ------------------------------------------------------------------------------------

namespace {

[[noreturn]] void throwBinaryEnd() {
    throw EMultiDD(QStringLiteral("binary format error,unexpected end of data."));
}

} // namespace

TBinaryStreamDDReader::TBinaryStreamDDReader(QByteArray data) : m_data(std::move(data)) {
    m_unicode = startsWithUnicodeMark(m_data);
    qsizetype pos = m_unicode ? 2 : 0;
    const qint32 fieldCount = readInt(pos);
    if (fieldCount < 0)
        throw EMultiDD(QStringLiteral("binary format error,negative field count."));
    for (qint32 i = 0; i < fieldCount; ++i) {
        const qint32 length = readInt(pos);
        const QByteArray name = readBytes(pos, length);
        m_fieldNames.append(m_unicode ? textFromUtf16Bytes(name) : decodeFromCodePage(name, kAnsiCodePage));
    }
    m_recordCount = std::max<qint32>(readInt(pos), 0);
    // Records without fields take no bytes, so nothing would ever end a count of billions: a few
    // bytes of a damaged file would keep every reader busy for minutes.
    if (fieldCount == 0 && m_recordCount > 0)
        throw EMultiDD(QStringLiteral("binary format error,records without fields."));
    m_recordsStart = pos;
    First();
}

TBinaryStreamDDReader::TBinaryStreamDDReader(QIODevice& stream) : TBinaryStreamDDReader(readAllOf(stream)) {}

qint32 TBinaryStreamDDReader::readInt(qsizetype& pos) const {
    const QByteArray bytes = readBytes(pos, 4);
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[i]);
    return static_cast<qint32>(value);
}

QByteArray TBinaryStreamDDReader::readBytes(qsizetype& pos, qint64 count) const {
    if (count < 0 || count > m_data.size() - pos)
        throwBinaryEnd();
    const QByteArray bytes = m_data.mid(pos, count);
    pos += count;
    return bytes;
}

void TBinaryStreamDDReader::First() {
    m_pos = m_recordsStart;
    m_recNo = 0;
    m_eof = false;
    Next();
}

void TBinaryStreamDDReader::Next() {
    if (m_eof)
        return;
    if (m_recNo >= m_recordCount) {
        m_eof = true;
        m_cells.clear();
        return;
    }
    std::vector<TDDValue> cells;
    cells.reserve(m_fieldNames.size());
    for (qsizetype i = 0; i < m_fieldNames.size(); ++i) {
        const qint32 length = readInt(m_pos);
        if (length == -1) {
            cells.emplace_back();
        } else if (length < -1) {
            throw EMultiDD(QStringLiteral("binary format error,invalid cell length %1.").arg(length));
        } else if (m_unicode) {
            cells.emplace_back(textFromUtf16Bytes(readBytes(m_pos, qint64(length) * 2)));
        } else {
            cells.emplace_back(readBytes(m_pos, length));
        }
    }
    m_cells = std::move(cells);
    ++m_recNo;
}

QString TBinaryStreamDDReader::FieldName(int index) const {
    return m_fieldNames.value(index);
}

TDDValue TBinaryStreamDDReader::FieldValue(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= m_cells.size())
        return {};
    return m_cells[index];
}

bool TBinaryStreamDDReader::IsNull(int index) const {
    return FieldValue(index).isNull();
}

// --- canonical AcroTextCSV writer ------------------------------------------------------------------

TTextCSVStreamDDWriter::TTextCSVStreamDDWriter(bool unicode) : m_unicode(unicode) {
    if (m_unicode)
        m_data.append("\xFF\xFE", 2);
}

void TTextCSVStreamDDWriter::writeUnit(char16_t unit) {
    m_data.append(static_cast<char>(unit & 0xFF));
    if (m_unicode)
        m_data.append(static_cast<char>(unit >> 8));
}

void TTextCSVStreamDDWriter::writeCell(const TDDValue& cell) {
    if (!cell.isNull()) {
        QString units;
        if (m_unicode)
            units = cell.isWide() ? cell.text() : QString::fromLatin1(cell.bytes());
        else
            units = QString::fromLatin1(cell.isWide() ? encodeToCodePage(cell.text(), kAnsiCodePage)
                                                      : cell.bytes());
        writeUnit(kCsvQuote);
        for (const QChar c : std::as_const(units)) {
            switch (c.unicode()) {
            case kCsvQuote:
                writeUnit(kCsvQuote);
                writeUnit(kCsvQuote);
                break;
            case kCR:
                writeUnit(kPercent);
                writeUnit(u'c');
                break;
            case kLF:
                writeUnit(kPercent);
                writeUnit(u'n');
                break;
            case u'\0':
                writeUnit(kPercent);
                writeUnit(u'0');
                break;
            case kPercent:
                writeUnit(kPercent);
                writeUnit(kPercent);
                break;
            default:
                writeUnit(c.unicode());
            }
        }
        writeUnit(kCsvQuote);
    }
    writeUnit(kSeparator);
}

void TTextCSVStreamDDWriter::endLine() {
    writeUnit(kCR);
    writeUnit(kLF);
}

void TTextCSVStreamDDWriter::WriteHeader(const QStringList& fieldNames) {
    for (const QString& name : fieldNames)
        writeCell(TDDValue(name));
    endLine();
}

void TTextCSVStreamDDWriter::WriteRecord(const QList<TDDValue>& cells) {
    for (const TDDValue& cell : cells)
        writeCell(cell);
    endLine();
}

void TTextCSVStreamDDWriter::WriteEntry(const QString& ddKey, const QString& codePage, const QString& seqNo,
                                        const QString& displayValue) {
    if (m_unicode) {
        WriteRecord({TDDValue(ddKey), TDDValue(codePage), TDDValue(seqNo), TDDValue(displayValue)});
        return;
    }
    const int rowCodePage = ansiCodePageFor(codePage);
    WriteRecord({TDDValue(encodeToCodePage(ddKey, rowCodePage)),
                 TDDValue(encodeToCodePage(codePage, rowCodePage)),
                 TDDValue(encodeToCodePage(seqNo, rowCodePage)),
                 TDDValue(encodeToCodePage(displayValue, rowCodePage))});
}

} // namespace tarvel

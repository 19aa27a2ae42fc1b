#include "dd_test_support.h"

#include "i18n/dd_readers.h"

namespace tarvel {
namespace {

TDDValue b(const QByteArray& bytes) {
    return TDDValue(bytes);
}

const TDDValue kNull;

QList<QList<TDDValue>> recordsOf(IDDReader& reader) {
    QList<QList<TDDValue>> records;
    for (reader.First(); !reader.Eof(); reader.Next()) {
        EXPECT_EQ(reader.RecNo(), records.size() + 1);
        QList<TDDValue> record;
        for (int i = 0; i < reader.FieldCount(); ++i) {
            EXPECT_EQ(reader.IsNull(i), reader.FieldValue(i).isNull());
            record.append(reader.FieldValue(i));
        }
        records.append(record);
    }
    EXPECT_EQ(records.size(), reader.RecordCount());
    return records;
}

QStringList namesOf(const IDDReader& reader) {
    QStringList names;
    for (int i = 0; i < reader.FieldCount(); ++i)
        names.append(reader.FieldName(i));
    return names;
}

QByteArray utf16File(const QString& text) {
    QByteArray data("\xFF\xFE", 2);
    for (const QChar c : text) {
        data.append(static_cast<char>(c.unicode() & 0xFF));
        data.append(static_cast<char>(c.unicode() >> 8));
    }
    return data;
}

// --- header ----------------------------------------------------------------------------------------

struct HeaderCase {
    const char* name;
    QByteArray file;
    QStringList names;
};

void PrintTo(const HeaderCase& c, std::ostream* os) {
    *os << c.name;
}

class CsvHeader : public testing::TestWithParam<HeaderCase> {};

TEST_P(CsvHeader, GivesTheColumnNames) {
    TTextCSVStreamDDReader reader(GetParam().file);
    EXPECT_EQ(namesOf(reader), GetParam().names);
    EXPECT_EQ(reader.RecordCount(), 0);
    EXPECT_TRUE(reader.Eof());
    EXPECT_EQ(reader.RecNo(), 0);
}

const QStringList kFour = {"DDKey", "CodePage", "SeqNo", "DisplayValue"};

INSTANTIATE_TEST_SUITE_P(
    Dictionary, CsvHeader,
    testing::Values(
        HeaderCase{"plain", "DDKey,CodePage,SeqNo,DisplayValue\r\n", kFour},
        HeaderCase{"separator after the last name", "DDKey,CodePage,SeqNo,DisplayValue,\r\n", kFour},
        HeaderCase{"quoted as the writer does", "\"DDKey\",\"CodePage\",\"SeqNo\",\"DisplayValue\",", kFour},
        HeaderCase{"empty cells close up", ",DDKey,,CodePage,,\r\n", {"DDKey", "CodePage"}},
        HeaderCase{"decoded like values", "\"Dd\"\"Key\",\"a,b\",%%x\n", {"Dd\"Key", "a,b", "%x"}},
        HeaderCase{"empty file", "", {}}, HeaderCase{"lone CR ends the line", "A,B\r", {"A", "B"}},
        HeaderCase{"UTF-16", utf16File("DDKey,\u4E2D\u6587\r\n"), {"DDKey", "\u4E2D\u6587"}}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

// --- records ---------------------------------------------------------------------------------------

TEST(CsvRecords, CellsAreTakenInHeaderOrder) {
    TTextCSVStreamDDReader reader(QByteArray("A,B,C\r\n"
                                             "1,2,3\r\n"
                                             "1\r\n"
                                             "1,2,3,4,\"5,6\"\r\n"
                                             "\"x,y\",\"l1\r\nl2\",\r\n"
                                             "\r\n"
                                             ",\"\",z\n"
                                             "p,q\rr,s"));
    const QList<QList<TDDValue>> expected = {
        {b("1"), b("2"), b("3")},
        {b("1"), kNull, kNull},           // missing cells are null
        {b("1"), b("2"), b("3")},         // cells beyond the header are passed over
        {b("x,y"), b("l1\r\nl2"), kNull}, // separators and line ends inside quotes stay
        {kNull, kNull, kNull},            // an empty line is a record of nulls
        {kNull, b(""), b("z")},           // "" is empty but not null
        {b("p"), b("q"), kNull},
        {b("r"), b("s"), kNull},
    };
    EXPECT_EQ(recordsOf(reader), expected);
    EXPECT_FALSE(reader.IsUnicode());
    EXPECT_FALSE(b("").isNull());
}

TEST(CsvRecords, ByNameIgnoresCaseAndUnknownNamesGiveAnEmptyText) {
    TTextCSVStreamDDReader reader(QByteArray("DDKey,DisplayValue\r\nk,\r\n"));
    EXPECT_EQ(reader.FieldValueByName("ddKEY"), b("k"));
    EXPECT_TRUE(reader.IsNullByName("displayvalue"));
    EXPECT_EQ(reader.FieldValueByName("SeqNo"), b(""));
    EXPECT_FALSE(reader.FieldValueByName("SeqNo").isNull());
    EXPECT_TRUE(reader.IsNullByName("SeqNo"));
}

// The data ends when fewer than two bytes are left, so a trailing CR LF is one more (empty) record
// while a trailing LF, or a one-character last line, is none.
struct EndCase {
    QByteArray body;
    int records;
};

class CsvEndOfData : public testing::TestWithParam<EndCase> {};

TEST_P(CsvEndOfData, RecordsEndWhenFewerThanTwoBytesRemain) {
    TTextCSVStreamDDReader reader("H\r\n" + GetParam().body);
    EXPECT_EQ(reader.RecordCount(), GetParam().records);
    EXPECT_EQ(recordsOf(reader).size(), GetParam().records);
}

INSTANTIATE_TEST_SUITE_P(Dictionary, CsvEndOfData,
                         testing::Values(EndCase{"", 0}, EndCase{"a\r\n", 1}, EndCase{"a", 0},
                                         EndCase{"ab", 1}, EndCase{"a\r\n\r\n", 2},
                                         EndCase{"a\r\n\r\n\r\n", 3}, EndCase{"a\r\n\n", 1},
                                         EndCase{"a\nb\n", 2}));

// --- cell decoding ---------------------------------------------------------------------------------

struct CellCase {
    QByteArray raw;
    QByteArray value;
};

void PrintTo(const CellCase& c, std::ostream* os) {
    ::PrintTo(c.raw, os);
}

class CsvCell : public testing::TestWithParam<CellCase> {};

TEST_P(CsvCell, DecodesQuotesAndPercentEscapes) {
    TTextCSVStreamDDReader reader("V,W\r\n" + GetParam().raw + ",w\r\n");
    ASSERT_EQ(reader.RecordCount(), 1);
    EXPECT_EQ(reader.FieldValue(0), b(GetParam().value));
    EXPECT_EQ(reader.FieldValue(1), b("w"));
}

INSTANTIATE_TEST_SUITE_P(Dictionary, CsvCell,
                         testing::Values(CellCase{"a\"\"b", "a\"b"}, CellCase{"\"a,b\"", "a,b"},
                                         CellCase{"50%%", "50%"}, CellCase{"A%nB", "A\nB"},
                                         CellCase{"A%cB", "A\rB"}, CellCase{"x%0y", QByteArray("x\0y", 3)},
                                         CellCase{"ab%", "ab"}, CellCase{"\"\"", ""},
                                         CellCase{"\"q\"\"uote\"", "q\"uote"},
                                         CellCase{"\"\"\"\"\"a\"", "\"\"a"}, CellCase{"\"l1\nl2\"", "l1\nl2"},
                                         CellCase{"%%c", "%c"}));

TEST(CsvCell, APercentBeforeAnythingElseStopsTheRead) {
    const QString message = R"(CSV format error,char after "%" not "c","n","0",or "%".)";
    for (const QByteArray raw : {"a%xb", "\"50%\"", "%C", "%N"}) {
        TTextCSVStreamDDReader reader("V\r\nok\r\n" + raw + "\r\n");
        EXPECT_EQ(test::failureOf([&] { reader.Next(); }), message) << raw.constData();
    }
}

// Decoding pairs quotes from the left, so a value made only of quote characters, which the writer
// writes as 2n + 2 quotes, reads back with one quote more. Files keep meaning the same everywhere, so
// the rule stays as it is.
TEST(CsvCell, AValueOfOnlyQuotesReadsBackWithOneMore) {
    TTextCSVStreamDDWriter writer;
    writer.WriteHeader({"V"});
    writer.WriteRecord({b("\"")});
    TTextCSVStreamDDReader reader(writer.Data());
    EXPECT_EQ(reader.FieldValue(0), b("\"\""));
}

// --- UTF-16 ----------------------------------------------------------------------------------------

TEST(CsvUtf16, OnlyUnitsWithAZeroHighByteSeparate) {
    // Each of these has the low byte of ',', LF, CR, '"' or '%' and must stay inside its cell.
    const QString tricky = QString::fromUtf16(u"\u2C2C\u0D0A\u0A0D\u2222\u2525\u4E2D");
    TTextCSVStreamDDReader reader(utf16File("A,B\r\n" + tricky + ",\"q\"\"%n\"\r\n"));
    ASSERT_TRUE(reader.IsUnicode());
    ASSERT_EQ(reader.RecordCount(), 1);
    EXPECT_EQ(reader.FieldValue(0), TDDValue(tricky));
    EXPECT_EQ(reader.FieldValue(1), TDDValue(QString("q\"\n")));
}

TEST(CsvUtf16, AnOddLastByteIsNoCharacter) {
    TTextCSVStreamDDReader reader(utf16File("A\r\nx") + "y");
    ASSERT_EQ(reader.RecordCount(), 1);
    EXPECT_EQ(reader.FieldValue(0), TDDValue(QString("x")));
}

// --- writer ----------------------------------------------------------------------------------------

TEST(CsvWriter, WritesTheCanonicalForm) {
    TTextCSVStreamDDWriter writer;
    writer.WriteHeader();
    writer.WriteRecord({b("a\"b"), b("936"), kNull, b(QByteArray("x\r\n\0%y", 6))});
    EXPECT_EQ(writer.Data(), QByteArray("\"DDKey\",\"CodePage\",\"SeqNo\",\"DisplayValue\",\r\n"
                                        "\"a\"\"b\",\"936\",,\"x%c%n%0%%y\",\r\n"));

    TTextCSVStreamDDWriter wide(true);
    wide.WriteRecord({TDDValue(QString("\u4E2D"))});
    EXPECT_EQ(wide.Data(), QByteArray("\xFF\xFE\"\0\x2D\x4E\"\0,\0\r\0\n\0", 14));
}

TEST(CsvWriter, WriteEntryUsesTheRowsCodePageInAn8BitFile) {
    TTextCSVStreamDDWriter writer;
    writer.WriteEntry("\u4E2D\u6587", "936", "0", "Chinese");
    writer.WriteEntry("caf\u00E9", "1252", "0", "\u00E9");
    EXPECT_EQ(writer.Data(), QByteArray("\"\xD6\xD0\xCE\xC4\",\"936\",\"0\",\"Chinese\",\r\n"
                                        "\"caf\xE9\",\"1252\",\"0\",\"\xE9\",\r\n"));
}

class CsvRoundTrip : public testing::TestWithParam<bool> {};

TEST_P(CsvRoundTrip, EveryValueReadsBackAsWritten) {
    const bool unicode = GetParam();
    const QList<QByteArray> texts = {"he said \"hi\"",
                                     "a,b",
                                     "line1\r\nline2",
                                     "\r",
                                     "\n",
                                     "100%",
                                     "%c is literal",
                                     QByteArray("nul\0byte", 8),
                                     "\"quoted\"",
                                     "",
                                     "%",
                                     "trailing %"};
    QList<TDDValue> record;
    for (const QByteArray& text : texts)
        record.append(unicode ? TDDValue(QString::fromLatin1(text)) : b(text));
    record.append(kNull);

    TTextCSVStreamDDWriter writer(unicode);
    QStringList names;
    for (int i = 0; i < record.size(); ++i)
        names.append(QStringLiteral("F%1").arg(i));
    writer.WriteHeader(names);
    writer.WriteRecord(record);
    writer.WriteRecord(record);

    TTextCSVStreamDDReader reader(writer.Data());
    EXPECT_EQ(reader.IsUnicode(), unicode);
    EXPECT_EQ(namesOf(reader), names);
    EXPECT_EQ(recordsOf(reader), QList<QList<TDDValue>>({record, record}));
}

INSTANTIATE_TEST_SUITE_P(Dictionary, CsvRoundTrip, testing::Bool());

// --- the other formats -----------------------------------------------------------------------------

TEST(DfmReader, CellsAreStringLiterals) {
    TTextDFMStreamDDReader reader(QByteArray("'DDKey',DisplayValue\r\n"
                                             "'It''s',#65#66'c'\r\n"
                                             "'a,b',#13#10\r\n"
                                             ",''\r\n"));
    EXPECT_EQ(namesOf(reader), QStringList({"DDKey", "DisplayValue"}));
    const QList<QList<TDDValue>> expected = {
        {b("It's"), b("ABc")},
        {b("a,b"), b("\r\n")},
        {kNull, b("")},
    };
    EXPECT_EQ(recordsOf(reader), expected);
    EXPECT_EQ(test::failureOf([] { TTextDFMStreamDDReader reader(QByteArray("V\r\n#x\r\n")); }),
              R"(DFM format error,char after "#" is empty.)");
}

// Builds an "AcroBinary" file: null cells are std::nullopt.
QByteArray binaryFile(bool unicode, const QStringList& names,
                      const QList<QList<std::optional<QString>>>& rows, int declaredRows = -1) {
    QByteArray data = unicode ? QByteArray("\xFF\xFE", 2) : QByteArray();
    const auto putInt = [&](qint32 value) {
        for (int i = 0; i < 4; ++i)
            data.append(static_cast<char>(static_cast<quint32>(value) >> (8 * i)));
    };
    const auto putText = [&](const QString& text) {
        data.append(unicode ? utf16File(text).mid(2) : text.toLatin1());
    };
    putInt(static_cast<qint32>(names.size()));
    for (const QString& name : names) {
        putInt(static_cast<qint32>(unicode ? name.size() * 2 : name.size()));
        putText(name);
    }
    putInt(declaredRows >= 0 ? declaredRows : static_cast<qint32>(rows.size()));
    for (const auto& row : rows) {
        for (const auto& cell : row) {
            putInt(cell ? static_cast<qint32>(cell->size()) : -1);
            if (cell)
                putText(*cell);
        }
    }
    return data;
}

TEST(BinaryReader, ReadsLengthsNullsAndBothWidths) {
    const QList<QList<std::optional<QString>>> rows = {{"k1", std::nullopt}, {"", "\u00E9x"}};
    TBinaryStreamDDReader narrow(binaryFile(false, {"DDKey", "DisplayValue"}, rows));
    EXPECT_EQ(namesOf(narrow), QStringList({"DDKey", "DisplayValue"}));
    EXPECT_EQ(recordsOf(narrow), QList<QList<TDDValue>>({{b("k1"), kNull}, {b(""), b("\xE9x")}}));

    TBinaryStreamDDReader wide(binaryFile(true, {"DDKey", "\u4E2D"}, {{"\u6587", "v"}}));
    EXPECT_TRUE(wide.IsUnicode());
    EXPECT_EQ(namesOf(wide), QStringList({"DDKey", "\u4E2D"}));
    EXPECT_EQ(wide.FieldValue(0), TDDValue(QString("\u6587")));
}

TEST(BinaryReader, AFileThatEndsEarlyFailsAtTheRecordItCuts) {
    const QByteArray data = binaryFile(false, {"DDKey"}, {{"abc"}}, 2);
    TBinaryStreamDDReader reader(data);
    EXPECT_EQ(reader.FieldValue(0), b("abc"));
    EXPECT_FALSE(test::failureOf([&] { reader.Next(); }).isEmpty());
    EXPECT_NE(test::failureOf([&] { TBinaryStreamDDReader cut(data.left(data.size() - 1)); }),
              QStringLiteral("(no error)"));
}

TEST(BinaryReader, RecordsWithoutFieldsAreRefusedAtOnce) {
    EXPECT_EQ(test::failureOf([] { TBinaryStreamDDReader reader(binaryFile(false, {}, {}, 0x44000000)); }),
              QStringLiteral("binary format error,records without fields."));
    TBinaryStreamDDReader empty(binaryFile(false, {}, {}));
    EXPECT_TRUE(empty.Eof());
}

} // namespace
} // namespace tarvel
#include "dictionary_builder/dictionary_source.h"

#include "i18n/dd_readers.h"

#include <gtest/gtest.h>

namespace tarvel::tools {
namespace {

// Texts with quotes, commas, percent signs and line breaks come back from the built file unchanged.
TEST(DictionarySource, EveryTextReadsBackFromTheBuiltFile) {
    const QByteArray source = "# comment\n"
                              "Say \"hi\"\t\xe8\xaf\xb4\"\xe4\xbd\xa0\xe5\xa5\xbd\"\tSay \"hi\"\n"
                              "\"Quoted\tA, B\tline\\none\n"
                              "50%\t50%\t50 %\\r\n";
    const QList<DictionaryRow> rows = readDictionarySource(source);
    ASSERT_EQ(rows.size(), 3);
    TTextCSVStreamDDReader reader(writeDictionary(rows));
    int record = 0;
    for (reader.First(); !reader.Eof(); reader.Next(), ++record) {
        const DictionaryRow& row = rows[record / 2];
        const QByteArray codePage = reader.FieldValueByName(QStringLiteral("CodePage")).bytes();
        EXPECT_EQ(codePage, record % 2 == 0 ? "936" : "1252");
        if (codePage == "1252") {
            EXPECT_EQ(QString::fromLatin1(reader.FieldValueByName(QStringLiteral("DDKey")).bytes()), row.key);
            EXPECT_EQ(QString::fromLatin1(reader.FieldValueByName(QStringLiteral("DisplayValue")).bytes()),
                      row.english);
        }
    }
    EXPECT_EQ(record, 6);
}

// Chinese rows are stored in code page 936, English ones in 1252; a character the code page lacks
// would show as '?' in the window, so the source is refused with the line.
TEST(DictionarySource, ATextItsCodePageCannotHoldIsRefusedWithItsLine) {
    EXPECT_EQ(
        readDictionarySource("Area[m2]\t\xe9\x9d\xa2\xe7\xa7\xaf[\xe3\x8e\xa1]\tArea [m\xc2\xb2]\n").size(),
        1);
    for (const QByteArray& source :
         {QByteArray("# c\nArea[m2]\t\xe9\x9d\xa2\xe7\xa7\xaf[m\xc2\xb2]\tArea [m2]\n"),
          QByteArray("# c\nArea[m2]\tArea\tArea \xe9\x9d\xa2\xe7\xa7\xaf\n")}) {
        try {
            readDictionarySource(source);
            ADD_FAILURE() << source.toStdString();
        } catch (const DictionarySourceError& error) {
            EXPECT_EQ(std::string(error.what()).rfind("line 2: ", 0), 0u) << error.what();
            EXPECT_NE(std::string(error.what()).find("cannot be written in code page"), std::string::npos);
        }
    }
}

TEST(DictionarySource, ATextOfQuotesAloneIsRefusedWithItsLine) {
    try {
        readDictionarySource("Key\tok\tok\nOther\t\"\"\tx\n");
        FAIL() << "a text of quotes alone was accepted";
    } catch (const DictionarySourceError& error) {
        EXPECT_EQ(std::string(error.what()), "line 2: a text made only of quote characters cannot be stored");
    }
}

} // namespace
} // namespace tarvel::tools

#include "dd_test_support.h"

#include "i18n/code_pages.h"
#include "i18n/dd_formats.h"
#include "i18n/dd_hash_list.h"

#include <atomic>
#include <functional>
#include <vector>
#include <thread>

namespace tarvel {
namespace {

// --- code pages ------------------------------------------------------------------------------------

TEST(CodePages, ConverterNames) {
    EXPECT_EQ(codecNameForCodePage(936), "GBK");
    EXPECT_EQ(codecNameForCodePage(1252), "windows-1252");
    EXPECT_EQ(codecNameForCodePage(1251), "windows-1251");
    EXPECT_EQ(codecNameForCodePage(37), "IBM-37"); // known only under its IBM name
    EXPECT_EQ(codecNameForCodePage(99999), "");
}

TEST(CodePages, ConvertInBothDirections) {
    EXPECT_EQ(encodeToCodePage("\u4E2D\u6587", 936), QByteArray("\xD6\xD0\xCE\xC4"));
    EXPECT_EQ(decodeFromCodePage("\xD6\xD0\xCE\xC4", 936), QString("\u4E2D\u6587"));
    EXPECT_EQ(encodeToCodePage("\u00E9\u20AC", 1252), QByteArray("\xE9\x80"));
    EXPECT_EQ(decodeFromCodePage("\xE9\x80", 1252), QString("\u00E9\u20AC"));
    EXPECT_EQ(test::failureOf([] { decodeFromCodePage("x", 99999); }), "code page 99999 is not supported");
}

// Conversions reuse their converters. What one conversion leaves behind (a lead byte without its
// trail byte, a lone surrogate, a character the code page lacks) must not reach the next one: run one
// after the other, each conversion gives what it gives on a converter that never converted before (a
// new thread has none yet).
TEST(CodePages, AConversionIsNotAffectedByTheOnesBefore) {
    const std::vector<std::function<QString()>> steps = {
        [] { return decodeFromCodePage("\xD6", 936); },
        [] { return decodeFromCodePage("\xD0\xCE\xC4", 936); },
        [] { return decodeFromCodePage("\xD6\xD0", 936); },
        [] { return QString::fromLatin1(encodeToCodePage(QString(QChar(0xD800)), 936).toHex()); },
        [] { return QString::fromLatin1(encodeToCodePage(QStringLiteral("\u4E2D"), 936).toHex()); },
        [] { return QString::fromLatin1(encodeToCodePage(QStringLiteral("\u4E2D\u00E9"), 1252).toHex()); },
        [] { return QString::fromLatin1(encodeToCodePage(QStringLiteral("\u00E9"), 1252).toHex()); },
    };
    QStringList alone;
    for (const auto& step : steps) {
        QString result;
        std::thread([&] { result = step(); }).join();
        alone << result;
    }
    EXPECT_EQ(alone[2], QString("\u4E2D"));
    EXPECT_EQ(alone[4], QString("d6d0"));
    EXPECT_EQ(alone[6], QString("e9"));
    for (int round = 0; round < 2; ++round) {
        QStringList inTurn;
        for (const auto& step : steps)
            inTurn << step();
        EXPECT_EQ(inTurn, alone) << "round " << round;
    }
}

// Threads convert at the same time without sharing a converter.
TEST(CodePages, ThreadsConvertAtTheSameTime) {
    std::vector<std::thread> threads;
    std::atomic<int> wrong = 0;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int round = 0; round < 500; ++round) {
                if (encodeToCodePage(QStringLiteral("\u4E2D\u6587"), 936) != QByteArray("\xD6\xD0\xCE\xC4") ||
                    decodeFromCodePage("\xE9\x80", 1252) != QString("\u00E9\u20AC"))
                    ++wrong;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(wrong, 0);
}

TEST(CodePages, NumbersFollowTheProgramsIntegerRules) {
    EXPECT_EQ(codePageNumber("936"), 936);
    EXPECT_EQ(codePageNumber(" 1252"), 1252);
    for (const QString text : {"abc", "", "936 ", "99999999999"})
        EXPECT_EQ(test::failureOf([&] { codePageNumber(text); }),
                  "'" + text + "' is not a valid integer value");
    EXPECT_EQ(ansiCodePageFor("936"), 936);
    EXPECT_EQ(ansiCodePageFor("zh"), 1252);
    EXPECT_EQ(ansiCodePageFor("99999"), 1252);
    // Texts that are no number stand for the system code page, as every first pass of a replacer
    // asks with an empty CodePage.
    for (const QString text : {"", " ", "936 ", "-", "99999999999", "\uFF19\uFF13\uFF16"})
        EXPECT_EQ(ansiCodePageFor(text), 1252) << text.toStdString();
    EXPECT_EQ(ansiCodePageFor(" 936"), 936);
}

// --- entry table -----------------------------------------------------------------------------------

TEST(HashList, HashesTheKeysUnsignedBytes) {
    EXPECT_EQ(TAcroHashList::Hash(""), 0u);
    EXPECT_EQ(TAcroHashList::Hash("A"), 65u);
    EXPECT_EQ(TAcroHashList::Hash("abc\t936\t0"), 2143766138u);
    EXPECT_EQ(TAcroHashList::Hash(QByteArray(20, 'z')), 1595152968u);
    EXPECT_EQ(TAcroHashList::Hash(QByteArray(12, '\xFF')), 1071143892u);
    EXPECT_EQ(TAcroHashList::Slot("\xD6\xD0\xCE\xC4\t936\t0"), 7171u);
}

TEST(HashList, KeysMatchByteForByte) {
    TAcroHashList table;
    table.Add(TAcroHashList::MakeKey("Open", "936", "0"), TDDValue(QByteArray("x")));
    EXPECT_NE(table.Find("Open\t936\t0"), nullptr);
    for (const QByteArray other :
         {"open\t936\t0", "Open\t 936\t0", "Open \t936\t0", "Open\t936\t", "Open\t936"})
        EXPECT_EQ(table.Find(other), nullptr) << other.constData();
}

TEST(HashList, DuplicateModes) {
    TAcroHashList table;
    const QByteArray key = TAcroHashList::MakeKey("k", "936", "0");
    EXPECT_TRUE(table.Add(key, TDDValue(QByteArray("first"))));
    try {
        table.Add(key, TDDValue(QByteArray("second")));
        FAIL() << "no EHashList";
    } catch (const EHashList& error) {
        EXPECT_EQ(error.message(), "Duplicate hash list entry: k\t936\t0");
        EXPECT_EQ(error.Key(), key);
    }
    EXPECT_FALSE(table.Add(key, TDDValue(QByteArray("second")), TDDDuplicateMode::Ignore));
    EXPECT_EQ(*table.Find(key), TDDValue(QByteArray("first")));
    EXPECT_TRUE(table.Add(key, TDDValue(QByteArray("third")), TDDDuplicateMode::Replace));
    EXPECT_EQ(*table.Find(key), TDDValue(QByteArray("third")));
    EXPECT_EQ(table.Count(), 1);
}

// --- dictionary registry ---------------------------------------------------------------------------

TEST(DictionaryRegistry, DefaultNamesTakeTheSmallestFreeNumber) {
    auto first = std::make_unique<TAcroMultiFileDD>();
    TAcroMultiFileDD second;
    EXPECT_EQ(first->DDName(), "DD0");
    EXPECT_EQ(second.DDName(), "DD1");
    first->setDDName("Main");
    TAcroMultiFileDD third;
    EXPECT_EQ(third.DDName(), "DD0");
    third.setDDName("dd2"); // names compare without case, so "DD2" is taken too
    TAcroMultiFileDD fourth;
    EXPECT_EQ(fourth.DDName(), "DD0");
    TAcroMultiFileDD fifth;
    EXPECT_EQ(fifth.DDName(), "DD3");
}

TEST(DictionaryRegistry, RenamingAndFinding) {
    auto resource = std::make_unique<TAcroMultiFileDD>();
    TAcroMultiFileDD other;
    resource->setDDName("DD_Resource");
    other.setDDName("Other");
    auto& storage = TAcroMultiDDStorage::instance();
    EXPECT_EQ(storage.FindDD("dd_resource"), resource.get());
    EXPECT_EQ(storage.FindDD("DD_Resourc"), nullptr);
    EXPECT_EQ(storage.DDNames(), QStringList({"DD_Resource", "Other"}));

    EXPECT_EQ(test::failureOf([&] { other.setDDName("DD_RESOURCE"); }),
              "data dictionary: \"DD_RESOURCE\" already exists.");
    EXPECT_EQ(other.DDName(), "Other");
    other.setDDName("");
    EXPECT_EQ(other.DDName(), "Other");
    other.setDDName("OTHER"); // its own name in other letters: a rename, not a clash
    EXPECT_EQ(other.DDName(), "OTHER");
    EXPECT_EQ(storage.FindDD("other"), &other);

    resource.reset();
    EXPECT_EQ(storage.FindDD("DD_Resource"), nullptr);
    EXPECT_EQ(storage.DDNames(), QStringList({"OTHER"}));
}

TEST(DictionaryRegistry, ANewDictionaryStartsWithItsDefaults) {
    TAcroMultiFileDD dd;
    EXPECT_EQ(dd.DDReaderID(), "AcroTextCSV");
    EXPECT_EQ(dd.FileName(), "");
    EXPECT_TRUE(dd.UseDefaultFields());
    EXPECT_EQ(dd.FieldsMapping(), TDDFieldsMapping());
    EXPECT_FALSE(dd.IsUnicode());
    EXPECT_FALSE(dd.IsLoaded());
    EXPECT_EQ(dd.Events()->objectName(), "SelfEvents");
    EXPECT_TRUE(TAcroMultiDDEvents::All().contains(dd.Events()));
}

TEST(ReplacedObjects, AreAMultisetOfIdentities) {
    auto& storage = TAcroMultiDDStorage::instance();
    QObject a;
    QObject b;
    storage.AddReplaced(&a);
    storage.AddReplaced(&a);
    storage.RemoveReplaced(&a);
    EXPECT_TRUE(storage.IsReplaced(&a));
    storage.RemoveReplaced(&b); // absent: nothing happens
    storage.RemoveReplaced(&a);
    EXPECT_FALSE(storage.IsReplaced(&a));
    EXPECT_EQ(storage.ReplacedCount(), 0);
}

TEST(ReplacedObjects, SurviveChangesFromManyThreads) {
    auto& storage = TAcroMultiDDStorage::instance();
    std::vector<QObject> objects(8);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int round = 0; round < 2000; ++round) {
                const QObject* object = &objects[round % objects.size()];
                storage.AddReplaced(object);
                storage.IsReplaced(object);
                storage.RemoveReplaced(object);
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(storage.ReplacedCount(), 0);
}

// --- format registry -------------------------------------------------------------------------------

QStringList rowsOf(const TStreamDDReaderWriterStorage& formats) {
    QStringList rows;
    for (const TDDReaderWriterData& row : formats.Rows())
        rows.append(row.ReaderID + '/' + row.Extension + (row.WriterClass ? "/w" : "") +
                    (row.ReaderClass ? "/r" : ""));
    return rows;
}

TEST(FormatRegistry, StartsWithTheFourFormats) {
    const TStreamDDReaderWriterStorage formats;
    EXPECT_EQ(rowsOf(formats), QStringList({"AcroTextCSV/lng/w/r", "AcroTextCSV/atc/w/r", "AcroTextDFM/atf/r",
                                            "AcroBinary/abf/r"}));
    EXPECT_EQ(formats.FindByExtension("LNG")->ReaderID, "AcroTextCSV");
    EXPECT_EQ(formats.FindByReaderID("acrotextcsv")->Extension, "lng");
    EXPECT_FALSE(formats.FindByExtension("txt").has_value());
    EXPECT_FALSE(formats.FindByReaderID("AcroXML").has_value());
}

TEST(FormatRegistry, RegisteringReplacesAKnownPairOrAppends) {
    TStreamDDReaderWriterStorage formats;
    int made = 0;
    const TDDReaderClass counting = [&](const QByteArray& data) -> std::unique_ptr<IDDReader> {
        ++made;
        return std::make_unique<TTextCSVStreamDDReader>(data);
    };
    formats.RegisterFormat("acrotextcsv", "ATC", {}, counting); // a null writer keeps the old one
    formats.RegisterFormat("AcroTextCSV", "txt", {}, counting);
    EXPECT_EQ(rowsOf(formats), QStringList({"AcroTextCSV/lng/w/r", "AcroTextCSV/atc/w/r", "AcroTextDFM/atf/r",
                                            "AcroBinary/abf/r", "AcroTextCSV/txt/r"}));
    formats.FindByExtension("atc")->ReaderClass("H\r\n");
    formats.FindByExtension("txt")->ReaderClass("H\r\n");
    formats.FindByReaderID("AcroTextCSV")->ReaderClass("H\r\n"); // the first row, left as it was
    EXPECT_EQ(made, 2);
}

TEST(FormatRegistry, FileNameChoosesTheReaderByExtension) {
    TAcroMultiFileDD dd;
    dd.setFileName("texts.ATF");
    EXPECT_EQ(dd.DDReaderID(), "AcroTextDFM");
    dd.setFileName("texts.abf");
    EXPECT_EQ(dd.DDReaderID(), "AcroBinary");
    dd.setFileName("texts.txt"); // no format for it: the identifier stays
    EXPECT_EQ(dd.DDReaderID(), "AcroBinary");
    dd.setLoading(true); // stored properties applied in order keep their stored identifier
    dd.setFileName("texts.lng");
    EXPECT_EQ(dd.DDReaderID(), "AcroBinary");
}

} // namespace
} // namespace tarvel

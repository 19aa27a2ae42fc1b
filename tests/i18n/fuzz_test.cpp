#include "dd_test_support.h"

#include <random>

namespace tarvel {
namespace {

// Random files made mostly of the characters the format gives meaning to, so the parser's corners
// (quotes left open, escapes at cell ends, odd UTF-16 lengths, empty lines) come up often.
class RandomFiles {
public:
    explicit RandomFiles(unsigned seed) : m_random(seed) {}

    QByteArray next() {
        static const QByteArray alphabet("\",%%cn0\r\n\r\n\t kK9#'");
        QByteArray data;
        if (pick(4) == 0)
            data.append("\xFF\xFE", 2);
        else if (pick(2) == 0)
            data.append("DDKey,CodePage,SeqNo,DisplayValue\r\n");
        const int length = pick(120);
        for (int i = 0; i < length; ++i) {
            const int kind = pick(10);
            if (kind < 7)
                data.append(alphabet[pick(alphabet.size())]);
            else if (kind < 9)
                data.append(static_cast<char>(pick(256)));
            else
                data.append(pick(2) ? "936" : "1252");
        }
        return data;
    }
    int pick(qsizetype bound) {
        return static_cast<int>(std::uniform_int_distribution<qsizetype>(0, bound - 1)(m_random));
    }

private:
    std::mt19937 m_random;
};

template <class Reader> void readThrough(const QByteArray& data) {
    try {
        Reader reader(data);
        int records = 0;
        for (reader.First(); !reader.Eof(); reader.Next()) {
            for (int i = 0; i < reader.FieldCount(); ++i)
                reader.FieldValue(i);
            ASSERT_LE(++records, reader.RecordCount()) << "more records read than counted";
        }
    } catch (const EMultiDD&) {
        // Malformed input may only fail this way.
    }
}

TEST(DictionaryFuzz, ReadersTakeAnyBytes) {
    RandomFiles files(20240611);
    for (int i = 0; i < 4000; ++i) {
        const QByteArray data = files.next();
        ASSERT_NO_FATAL_FAILURE(readThrough<TTextCSVStreamDDReader>(data)) << data.toHex().constData();
        ASSERT_NO_FATAL_FAILURE(readThrough<TTextDFMStreamDDReader>(data)) << data.toHex().constData();
        ASSERT_NO_FATAL_FAILURE(readThrough<TBinaryStreamDDReader>(data)) << data.toHex().constData();
    }
}

TEST(DictionaryFuzz, BuildsFailOnlyWithDictionaryErrors) {
    RandomFiles files(7);
    test::FileDictionary file("");
    int built = 0;
    for (int i = 0; i < 1500; ++i) {
        file.rewrite(files.next());
        file.dd().Clear();
        file.dd().setIsUnicode(files.pick(2) == 0);
        try {
            file.dd().TranslateWide(QStringLiteral("k"), QStringLiteral("936"), QStringLiteral("0"));
            file.dd().Translate("k", "1252", "0");
            ++built;
        } catch (const EMultiDD&) {
            EXPECT_FALSE(file.dd().IsLoaded());
        }
    }
    // The generator must also reach the end of the build, not only its failures.
    EXPECT_GT(built, 100);
}

} // namespace
} // namespace tarvel

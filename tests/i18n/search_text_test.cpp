#include "i18n/search_text.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

TEST(SearchText, FoldingDropsAccentsStrokesAndCase) {
    EXPECT_EQ(foldForSearch(QStringLiteral("São Paulo")), QStringLiteral("sao paulo"));
    EXPECT_EQ(foldForSearch(QStringLiteral("ŁÓDŹ")), QStringLiteral("lodz"));
    EXPECT_EQ(foldForSearch(QStringLiteral("Đà Nẵng")), QStringLiteral("da nang"));
    EXPECT_EQ(foldForSearch(QStringLiteral("Diyarbakır")), QStringLiteral("diyarbakir"));
    EXPECT_EQ(foldForSearch(QStringLiteral("İzmir")), QStringLiteral("izmir"));
    EXPECT_EQ(foldForSearch(QStringLiteral("Straße")), QStringLiteral("strasse"));
    EXPECT_EQ(foldForSearch(QStringLiteral("Brașov")), QStringLiteral("brasov"));
    EXPECT_EQ(foldForSearch(QStringLiteral("北京")), QStringLiteral("北京"));
}

TEST(SearchText, ATypedPartFindsTheNameWhateverItsCaseAccentsOrPunctuation) {
    struct Case {
        const char* typed;
        const char* name;
        bool found;
    };
    const Case cases[] = {
        {"sao", "São Paulo", true},      {"SÃO", "São Paulo", true},        {"paulo", "São Paulo", true},
        {"paulo sao", "São Paulo", true}, {"sao rio", "São Paulo", false},  {"kt10", "KT10000-TL", true},
        {"0-tl", "KT10000-TL", true},    {"kt10000tl", "KT10000-TL", true}, {"kt 10000", "KT10000-TL", true},
        {"cs6p260", "CS6P-260P", true},  {"lodz", "Łódź", true},            {"łódź", "Lodz", true},
        {"京", "北京", true},            {"xyz", "São Paulo", false},       {"-", "KT10000-TL", true},
        {"-", "Berlin", false},          {"", "Berlin", true},              {"  ", "Berlin", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SearchQuery(QString::fromUtf8(c.typed)).matches(QString::fromUtf8(c.name)), c.found)
            << c.typed << " / " << c.name;
    EXPECT_TRUE(SearchQuery(QStringLiteral(" \t ")).isEmpty());
}

} // namespace
} // namespace tarvel

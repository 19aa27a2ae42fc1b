#include "design/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <ostream>
#include <random>
#include <utility>

namespace tarvel {
namespace {

struct GeneralCase {
    double value;
    const char* text;
};

void PrintTo(const GeneralCase& c, std::ostream* os) {
    *os << c.text;
}

class GeneralFormat : public testing::TestWithParam<GeneralCase> {};

TEST_P(GeneralFormat, WritesShortestTextWithFifteenDigits) {
    EXPECT_EQ(formatGeneral(GetParam().value).toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, GeneralFormat,
    testing::Values(GeneralCase{3.30, "3.3"}, GeneralCase{10.0, "10"}, GeneralCase{120000, "120000"},
                    GeneralCase{419.625, "419.625"}, GeneralCase{0.0, "0"}, GeneralCase{-0.0, "0"},
                    GeneralCase{-2.5, "-2.5"}, GeneralCase{0.1 + 0.2, "0.3"},
                    GeneralCase{1.0 / 3.0, "0.333333333333333"}, GeneralCase{2.0 / 3.0, "0.666666666666667"},
                    GeneralCase{4037.5, "4037.5"},
                    // Fixed-point down to 0.00001, scientific below.
                    GeneralCase{0.00001, "0.00001"}, GeneralCase{0.000012345, "0.000012345"},
                    GeneralCase{1e-6, "1E-6"}, GeneralCase{-1.5e-7, "-1.5E-7"},
                    GeneralCase{5e-324, "4.94065645841247E-324"},
                    // Fifteen integer digits stay fixed, sixteen do not; rounding can carry into a 16th.
                    GeneralCase{999999999999999.0, "999999999999999"}, GeneralCase{1e15, "1E15"},
                    GeneralCase{1e16, "1E16"}, GeneralCase{999999999999999.9, "1E15"},
                    GeneralCase{123456789012345678.0, "1.23456789012346E17"},
                    GeneralCase{0.1234567890123456, "0.123456789012346"},
                    GeneralCase{std::numeric_limits<double>::infinity(), "INF"},
                    GeneralCase{std::numeric_limits<double>::quiet_NaN(), "NAN"}));

struct PatternCase {
    double value;
    int decimals;
    const char* onDouble;
    const char* onGeneral;
};

void PrintTo(const PatternCase& c, std::ostream* os) {
    *os << c.onDouble << " / " << c.onGeneral;
}

class Pattern : public testing::TestWithParam<PatternCase> {};

TEST_P(Pattern, RoundsHalfAwayFromZero) {
    const PatternCase& c = GetParam();
    EXPECT_EQ(formatPattern(c.value, c.decimals).toStdString(), c.onDouble);
    EXPECT_EQ(formatPatternOnGeneral(c.value, c.decimals).toStdString(), c.onGeneral);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Pattern,
    testing::Values(
        // Exact ties in binary round away from zero.
        PatternCase{0.125, 2, "0.13", "0.13"}, PatternCase{419.625, 2, "419.63", "419.63"},
        PatternCase{-0.25, 1, "-0.3", "-0.3"}, PatternCase{0.25, 1, "0.3", "0.3"},
        PatternCase{-0.05, 1, "-0.1", "-0.1"},
        // Doubles just below a decimal tie: the pattern sees the double, "on general" sees the text.
        PatternCase{2.675, 2, "2.67", "2.68"}, PatternCase{1.005, 2, "1.00", "1.01"},
        PatternCase{0.35, 1, "0.3", "0.4"}, PatternCase{2.00005, 4, "2.0000", "2.0001"},
        // Zero never shows a sign.
        PatternCase{-0.001, 2, "0.00", "0.00"}, PatternCase{-0.0, 1, "0.0", "0.0"},
        PatternCase{0.0, 4, "0.0000", "0.0000"}, PatternCase{0.425, 4, "0.4250", "0.4250"},
        PatternCase{1.7e-8 * 50 / 6 * 1000000, 4, "0.1417", "0.1417"},
        PatternCase{5000, 2, "5000.00", "5000.00"}, PatternCase{267.5, 2, "267.50", "267.50"},
        PatternCase{1e-6, 2, "0.00", "0.00"}, PatternCase{0.00005, 4, "0.0001", "0.0001"},
        PatternCase{0.99996, 4, "1.0000", "1.0000"},
        PatternCase{1e20, 1, "100000000000000000000.0", "100000000000000000000.0"}));

TEST(Pattern, TheWorkedCableExampleShowsFourDecimals) {
    const double current = 5000.0 / 250.0;
    const double zukang = 1.7e-8 * 50 / 6 * 1000000;
    EXPECT_EQ(formatPattern(current * zukang, 4), QStringLiteral("2.8333"));
    EXPECT_EQ(formatPattern(current * current * zukang, 4), QStringLiteral("56.6667"));
    EXPECT_EQ(formatPattern(current * current * zukang / 5000 * 100, 4), QStringLiteral("1.1333"));
}

TEST(GeneralFormat, TextReadsBackToTheSameText) {
    std::mt19937_64 random(20261209);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-8, 18);
    for (int i = 0; i < 5000; ++i) {
        const double value = mantissa(random) * std::pow(10.0, exponent(random));
        const QString text = formatGeneral(value);
        const double back = textToDouble(text);
        EXPECT_EQ(formatGeneral(back), text) << value;
        EXPECT_NEAR(back, value, std::fabs(value) * 1e-14) << text.toStdString();
    }
}

struct DoubleText {
    const char* text;
    double value;
};

void PrintTo(const DoubleText& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class TextToDouble : public testing::TestWithParam<DoubleText> {};

TEST_P(TextToDouble, ReadsPlainDecimalNumbers) {
    EXPECT_EQ(textToDouble(QString::fromUtf8(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Table, TextToDouble,
                         testing::Values(DoubleText{"3.3", 3.3}, DoubleText{" -0.33 ", -0.33},
                                         DoubleText{"450", 450}, DoubleText{"+5", 5}, DoubleText{"1e3", 1000},
                                         DoubleText{"1.5E-2", 0.015}, DoubleText{".5", 0.5},
                                         DoubleText{"5.", 5}, DoubleText{"-0", -0.0}, DoubleText{"0.1", 0.1},
                                         DoubleText{"1E-6", 1e-6}));

class NotADouble : public testing::TestWithParam<const char*> {};

TEST_P(NotADouble, RaisesTheConversionMessage) {
    const QString text = QString::fromUtf8(GetParam());
    try {
        textToDouble(text);
        FAIL() << "accepted " << GetParam();
    } catch (const ConversionError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "'" + text.toStdString() + "' is not a valid floating point value");
    }
}

INSTANTIATE_TEST_SUITE_P(Table, NotADouble,
                         testing::Values("", " ", "-", ".", "1,5", "abc", "1e", "1.2.3", "12a", "0x10", "inf",
                                         "nan", "1e400", "--1", "１２", "1 2"));

TEST(TextToInt, ReadsDecimalIntegersWithin32Bits) {
    EXPECT_EQ(textToInt(QStringLiteral("12")), 12);
    EXPECT_EQ(textToInt(QStringLiteral("  -10")), -10);
    EXPECT_EQ(textToInt(QStringLiteral("+7")), 7);
    EXPECT_EQ(textToInt(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(textToInt(QStringLiteral("-2147483648")), std::numeric_limits<int>::min());
}

TEST(TextToInt, RefusesAnythingElseWithTheIntegerMessage) {
    for (const char* text :
         {"12.5", "", "-", "2147483648", "-2147483649", "12 ", "1e3", "0x1F", "99999999999999999999"}) {
        try {
            textToInt(QString::fromLatin1(text));
            ADD_FAILURE() << "accepted " << text;
        } catch (const ConversionError& error) {
            EXPECT_EQ(std::string(error.what()), std::string("'") + text + "' is not a valid integer value");
        }
    }
}

// parseInt answers every text exactly as textToInt does, without raising.
TEST(ParseInt, AgreesWithTextToIntOnEveryText) {
    for (const char* text : {"12", "  -10", "+7", "\t3", "2147483647", "-2147483648", "0", "-0", "12.5", "",
                             " ", "-", "+", "2147483648", "-2147483649", "12 ", "1e3", "0x1F",
                             "99999999999999999999", "936", "zh", "\xef\xbc\x91"}) {
        const QString value = QString::fromUtf8(text);
        const std::optional<int> parsed = parseInt(value);
        try {
            const int converted = textToInt(value);
            ASSERT_TRUE(parsed.has_value()) << "refused " << text;
            EXPECT_EQ(*parsed, converted) << text;
        } catch (const ConversionError&) {
            EXPECT_FALSE(parsed.has_value()) << "accepted " << text;
        }
    }
}

// A catalog text may hold a character 0; the message still names the whole text.
TEST(TextConversion, MessagesShowTheWholeTextPastACharacterZero) {
    const QString text = QStringLiteral("12") + QChar(0) + QStringLiteral("5x");
    for (const auto& [convert, kind] :
         {std::pair<std::function<void()>, std::string>{[&] { textToDouble(text); }, "floating point"},
          {[&] { textToInt(text); }, "integer"}}) {
        try {
            convert();
            ADD_FAILURE() << "accepted a text with a character 0";
        } catch (const ConversionError& error) {
            EXPECT_EQ(QString::fromUtf8(error.what()),
                      QStringLiteral("'12\uFFFD5x' is not a valid %1 value").arg(QString::fromStdString(kind)));
        }
    }
}

} // namespace
} // namespace tarvel

// The catalog's text-to-number conversions and the number formats the window writes: a text is either
// refused with the conversion message or read exactly as the C library reads the same digits, and
// every text the program writes for a number reads back as that number.
#include "fuzz_support.h"

#include "design/number_format.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <string>

namespace tarvel::fuzz {
namespace {

std::string withoutBlanks(const QString& text, bool trailing) {
    std::string s = text.toStdString();
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    size_t begin = 0;
    while (begin < s.size() && blank(s[begin]))
        ++begin;
    size_t end = s.size();
    while (trailing && end > begin && blank(s[end - 1]))
        --end;
    return s.substr(begin, end - begin);
}

bool sameDouble(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void checkDouble(const QString& text) {
    double value = 0;
    try {
        value = textToDouble(text);
    } catch (const ConversionError& error) {
        require(std::string(error.what()).find("is not a valid floating point value") != std::string::npos,
                "a refused number says so");
        return;
    }
    require(std::isfinite(value), "an accepted number is finite");
    const std::string digits = withoutBlanks(text, true);
    char* end = nullptr;
    const double expected = std::strtod(digits.c_str(), &end);
    require(end == digits.c_str() + digits.size(), "an accepted number is a C number");
    require(sameDouble(value, expected), "an accepted number has the C library's value");
}

void checkInteger(const QString& text) {
    int value = 0;
    try {
        value = textToInt(text);
    } catch (const ConversionError& error) {
        require(std::string(error.what()).find("is not a valid integer value") != std::string::npos,
                "a refused integer says so");
        return;
    }
    const std::string digits = withoutBlanks(text, false);
    char* end = nullptr;
    errno = 0;
    const long long expected = std::strtoll(digits.c_str(), &end, 10);
    require(errno == 0 && end == digits.c_str() + digits.size(), "an accepted integer is a C integer");
    require(value == expected, "an accepted integer has the C library's value");
}

// The formats of a double read back: general format to 15 significant digits, the patterns to their
// decimals. Magnitudes near the end of the double range are left out: rounding to 15 digits may
// carry them past the largest double, and no quantity of a plant comes near them.
void checkFormats(double value) {
    if (!std::isfinite(value) || std::fabs(value) > 1e300)
        return;
    const QString general = formatGeneral(value);
    const double back = textToDouble(general);
    if (std::isnormal(value))
        // Half a unit of the 15th digit, plus the half unit in the last place that reading it back may add.
        require(std::fabs(back - value) <= 5.25e-15 * std::fabs(value), "general format keeps 15 digits");
    else
        require(back == value || !std::isnormal(back), "general format of zero or a tiny value");
    if (std::isnormal(back) || back == 0)
        require(formatGeneral(back) == general, "general format is stable");
    for (int decimals = 0; decimals <= 4; ++decimals) {
        const double fixed = textToDouble(formatPattern(value, decimals));
        require(std::fabs(fixed - value) <= 0.5 * std::pow(10.0, -decimals) * (1 + 1e-12) + 1e-300 +
                                                 std::fabs(value) * 1e-15,
                "a pattern rounds to its decimals");
        textToDouble(formatPatternOnGeneral(value, decimals));
    }
}

} // namespace
} // namespace tarvel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvel::fuzz;
    const QByteArray bytes = bytesOf(data, size);
    // Catalog texts are 8-bit in the system code page; the window's texts are Unicode.
    for (const QString& text : {QString::fromLatin1(bytes), QString::fromUtf8(bytes)}) {
        checkDouble(text);
        checkInteger(text);
    }
    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        checkFormats(value);
    }
    try {
        checkFormats(tarvel::textToDouble(QString::fromLatin1(bytes)));
    } catch (const tarvel::ConversionError&) {
    }
    return 0;
}

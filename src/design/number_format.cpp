#include "design/number_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace tarvel {
namespace {

// Significant digits of the general format.
constexpr int kGeneralPrecision = 15;
// Enough digits after the first to write any double exactly (the longest needs 767 in all).
constexpr int kExactDigits = 766;

// A finite decimal number: value = 0.digits x 10^exponent. `digits` has no leading or trailing zeros;
// empty digits mean zero.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;

    bool isZero() const { return digits.empty(); }
};

void stripTrailingZeros(Decimal& d) {
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
}

Decimal exactDecimal(double value) {
    Decimal d;
    d.negative = std::signbit(value);
    if (value == 0.0)
        return d;
    std::array<char, kExactDigits + 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                      std::chars_format::scientific, kExactDigits);
    const std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
    const auto ePos = text.find('e');
    d.digits.push_back(text[0]);
    if (ePos > 2)
        d.digits.append(text.substr(2, ePos - 2));
    int exponent = 0;
    std::from_chars(text.data() + ePos + 1 + (text[ePos + 1] == '+' ? 1 : 0), text.data() + text.size(),
                    exponent);
    d.exponent = exponent + 1;
    stripTrailingZeros(d);
    return d;
}

// Keeps the first `keep` digits, rounding half away from zero on the digit after them.
void roundAtDigit(Decimal& d, long keep) {
    if (keep >= static_cast<long>(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        long i = keep - 1;
        while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') {
            d.digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++d.digits[static_cast<std::size_t>(i)];
        } else {
            // All kept digits were nines (or none were kept): the carry makes a new leading one.
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        }
    }
    stripTrailingZeros(d);
}

void roundSignificant(Decimal& d, int significant) {
    roundAtDigit(d, significant);
}

void roundDecimals(Decimal& d, int decimals) {
    if (!d.isZero())
        roundAtDigit(d, static_cast<long>(d.exponent) + decimals);
}

QString fixedText(const Decimal& d, int decimals) {
    std::string out;
    if (d.negative && !d.isZero())
        out.push_back('-');
    const int size = static_cast<int>(d.digits.size());
    if (d.isZero() || d.exponent <= 0) {
        out.push_back('0');
    } else {
        for (int i = 0; i < d.exponent; ++i)
            out.push_back(i < size ? d.digits[static_cast<std::size_t>(i)] : '0');
    }
    if (decimals > 0) {
        out.push_back('.');
        for (int k = 0; k < decimals; ++k) {
            const int i = d.exponent + k;
            out.push_back(!d.isZero() && i >= 0 && i < size ? d.digits[static_cast<std::size_t>(i)] : '0');
        }
    }
    return QString::fromLatin1(out.data(), static_cast<qsizetype>(out.size()));
}

QString generalText(const Decimal& d) {
    if (d.isZero())
        return QStringLiteral("0");
    const bool scientific = d.exponent > kGeneralPrecision || d.exponent < -4;
    if (!scientific) {
        const int decimals = std::max(0, static_cast<int>(d.digits.size()) - d.exponent);
        return fixedText(d, decimals);
    }
    std::string out;
    if (d.negative)
        out.push_back('-');
    out.push_back(d.digits[0]);
    if (d.digits.size() > 1) {
        out.push_back('.');
        out.append(d.digits, 1, std::string::npos);
    }
    out.push_back('E');
    out.append(std::to_string(d.exponent - 1));
    return QString::fromLatin1(out.data(), static_cast<qsizetype>(out.size()));
}

// Texts for values that have no digits; written like the general format writes them.
bool nonFiniteText(double value, QString& text) {
    if (std::isnan(value))
        text = QStringLiteral("NAN");
    else if (std::isinf(value))
        text = value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    else
        return false;
    return true;
}

Decimal generalDecimal(double value) {
    Decimal d = exactDecimal(value);
    roundSignificant(d, kGeneralPrecision);
    return d;
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The message is carried as a C string, which would end at a character 0 of the text and hide the
// rest of the message; such characters are shown as the replacement character.
std::string conversionMessage(const QString& text, const char* what) {
    QString shown = text;
    shown.replace(QChar(0), QChar::ReplacementCharacter);
    return QStringLiteral("'%1' is not a valid %2 value").arg(shown, QLatin1String(what)).toStdString();
}

[[noreturn]] void throwNotFloat(const QString& text) {
    throw ConversionError(conversionMessage(text, "floating point"));
}

[[noreturn]] void throwNotInteger(const QString& text) {
    throw ConversionError(conversionMessage(text, "integer"));
}

} // namespace

QString formatGeneral(double value) {
    QString special;
    if (nonFiniteText(value, special))
        return special;
    return generalText(generalDecimal(value));
}

QString formatPattern(double value, int decimals) {
    QString special;
    if (nonFiniteText(value, special))
        return special;
    Decimal d = exactDecimal(value);
    roundDecimals(d, decimals);
    return fixedText(d, decimals);
}

QString formatPatternOnGeneral(double value, int decimals) {
    QString special;
    if (nonFiniteText(value, special))
        return special;
    Decimal d = generalDecimal(value);
    roundDecimals(d, decimals);
    return fixedText(d, decimals);
}

double textToDouble(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    std::string number;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            number.push_back('-');
        ++i;
    }
    int mantissaDigits = 0;
    bool point = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (isDigit(c)) {
            number.push_back(static_cast<char>(c.unicode()));
            ++mantissaDigits;
        } else if (c == u'.' && !point) {
            number.push_back('.');
            point = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        throwNotFloat(text);
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        number.push_back('e');
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-')) {
            number.push_back(static_cast<char>(text[i].unicode()));
            ++i;
        }
        int exponentDigits = 0;
        for (; i < n && isDigit(text[i]); ++i, ++exponentDigits)
            number.push_back(static_cast<char>(text[i].unicode()));
        if (exponentDigits == 0)
            throwNotFloat(text);
    }
    while (i < n && isBlank(text[i]))
        ++i;
    if (i != n)
        throwNotFloat(text);
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec != std::errc() || result.ptr != number.data() + number.size() || !std::isfinite(value))
        throwNotFloat(text);
    return value;
}

std::optional<int> parseInt(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == n)
        return std::nullopt;
    long long magnitude = 0;
    for (; i < n; ++i) {
        if (!isDigit(text[i]))
            return std::nullopt;
        magnitude = magnitude * 10 + (text[i].unicode() - u'0');
        if (magnitude > static_cast<long long>(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

int textToInt(const QString& text) {
    const std::optional<int> value = parseInt(text);
    if (!value)
        throwNotInteger(text);
    return *value;
}

} // namespace tarvel

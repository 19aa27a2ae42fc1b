#pragma once

#include <QString>

#include <optional>
#include <stdexcept>

namespace tarvel {

// A text that does not hold the number it should; the message is what the user sees.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// General format: the shortest decimal text with at most 15 significant digits (rounded half away
// from zero), no trailing zeros and no trailing point. Fixed-point while the integer part has at most
// 15 digits and the magnitude is at least 0.00001, scientific ("1.5E-6", "1E16") otherwise.
QString formatGeneral(double value);

// The display patterns "0.0", "0.00", "0.000" and "0.0000": at least one integer digit and exactly
// `decimals` decimals, rounded half away from zero from the exact value of the double.
QString formatPattern(double value, int decimals);

// "Pattern on general": the value is first written in general format and that decimal text is then
// rounded to the pattern, so 419.625 becomes 419.63 even where the double lies just below the tie.
QString formatPatternOnGeneral(double value, int decimals);

// Decimal text to double: optional blanks around, optional sign, digits with one optional '.', an
// optional exponent. Anything else raises "'<text>' is not a valid floating point value".
double textToDouble(const QString& text);

// Integer text to int: optional leading blanks, optional sign, decimal digits within 32 bits.
// Anything else raises "'<text>' is not a valid integer value".
int textToInt(const QString& text);
// The same rules without the exception: no value for a text textToInt refuses. For callers to whom a
// non-number is an ordinary answer, where raising and catching would cost more than the reading.
std::optional<int> parseInt(const QString& text);

} // namespace tarvel

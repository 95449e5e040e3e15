#include "entry/number_format.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace tarsel {

namespace {

// printf's default precision when none (or a negative one) is given.
constexpr int DefaultPrecision = 6;
// Beyond this every double is written exactly and in fixed form (at most 767
// significant digits, decimal exponent at most 308), so larger precisions
// give the same text.
constexpr int MaxPrecision = 1000;
// The exponent is always written with at least this many digits.
constexpr int MinExponentDigits = 3;

// Pads text with blanks to width columns; a text already as wide stays as it is.
std::string pad(std::string text, int width, bool leftAlign) {
    std::int64_t columnsWanted = width;
    if (columnsWanted < 0) { // printf reads a negative width as '-' with its magnitude
        leftAlign = true;
        columnsWanted = -columnsWanted;
    }
    const auto columns = static_cast<std::size_t>(columnsWanted);
    if (text.size() >= columns)
        return text;
    const std::string blanks(columns - text.size(), ' ');
    return leftAlign ? text + blanks : blanks + text;
}

// "1e+12" -> "1e+012", "1.5e-05" -> "1.5e-005"; longer exponents stay as they are.
void widenExponent(std::string& text) {
    const auto e = text.find('e');
    if (e == std::string::npos)
        return;
    const auto digits = e + 2; // past the letter and the sign, which is always written
    if (digits > text.size())
        return;
    const auto count = text.size() - digits;
    if (count < static_cast<std::size_t>(MinExponentDigits))
        text.insert(digits, static_cast<std::size_t>(MinExponentDigits) - count, '0');
}

// %g of a finite value without width: shortest form of P significant digits,
// rounded on the exact binary value as the C library does, in the "C" locale.
std::string generalFinite(double value, int precision) {
    // Fixed form is used only while the exponent is below the precision, so
    // precision digits plus sign, point, leading "0.000" and exponent fit.
    std::string buffer(static_cast<std::size_t>(precision) + 64, '\0');
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, precision);
    if (result.ec != std::errc{})
        return "nan"; // cannot happen with the buffer sized above
    buffer.resize(static_cast<std::size_t>(result.ptr - buffer.data()));
    return buffer;
}

} // namespace

std::string formatG(double value, int width, int precision, bool leftAlign) {
    if (precision < 0)
        precision = DefaultPrecision;
    if (precision == 0)
        precision = 1;
    if (precision > MaxPrecision)
        precision = MaxPrecision;
    std::string text;
    if (std::isnan(value))
        text = "nan";
    else if (std::isinf(value))
        text = value < 0 ? "-inf" : "inf";
    else {
        text = generalFinite(value, precision);
        widenExponent(text);
    }
    return pad(std::move(text), width, leftAlign);
}

std::string formatShortest(double value) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value > 0 ? "inf" : "-inf";
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string formatInt(std::int64_t value, int width, bool leftAlign) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return pad(std::string(buffer, result.ptr), width, leftAlign);
}

int TrimmedLength(std::string_view text) {
    // The text ends at its terminator, as in a C string.
    const auto nul = text.find('\0');
    if (nul != std::string_view::npos)
        text = text.substr(0, nul);
    for (auto n = text.size(); n > 0; --n) {
        if (text[n - 1] != ' ')
            return static_cast<int>(n);
    }
    return 0;
}

int TrimTrailingBlanks(std::string& text) {
    const int length = TrimmedLength(text);
    text.resize(static_cast<std::size_t>(length));
    return length;
}

std::string FormatDoubleEntry(double value) {
    std::string text = formatLeft19(value);
    TrimTrailingBlanks(text);
    return text;
}

std::string FormatIntEntry(std::int32_t value) {
    std::string text = formatLeft19(value);
    TrimTrailingBlanks(text);
    return text;
}

} // namespace tarsel

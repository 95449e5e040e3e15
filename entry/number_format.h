#pragma once
// printf-style number formatting as the program shows numbers everywhere:
// %g with the exponent written with its sign and at least three digits
// ("2.45e+009"), infinities "inf"/"-inf", NaN "nan", independent of locale.

#include <cstdint>
#include <string>
#include <string_view>

namespace tarsel {

// "%[-]<width>.<precision>g": leftAlign pads on the right, otherwise on the left.
std::string formatG(double value, int width = 0, int precision = 6, bool leftAlign = false);

// "%[-]<width>i".
std::string formatInt(std::int64_t value, int width = 0, bool leftAlign = false);

// The shortest text that reads back to value exactly ("0.1", "1e+300"), as
// the tables and CSV files write numbers; non-finite values "inf", "-inf",
// "nan".
std::string formatShortest(double value);

// The forms the program uses.
inline std::string formatLeft19(double v) {
    return formatG(v, 19, 6, true);
} // "%-19.6g"
inline std::string formatRight10(double v) {
    return formatG(v, 10, 6, false);
} // "%10.6g"
inline std::string formatLeft10(double v) {
    return formatG(v, 10, 6, true);
} // "%-10.6g"
inline std::string formatRight20(double v) {
    return formatG(v, 20, 6, false);
} // "%20.6g"
inline std::string formatPlain(double v) {
    return formatG(v, 0, 6, false);
} // "%g"
inline std::string formatLeft19(std::int32_t v) {
    return formatInt(v, 19, true);
} // "%-19i"
inline std::string formatRight20(std::int32_t v) {
    return formatInt(v, 20, false);
} // "%20i"

// Length of text without its trailing blanks (only 0x20 counts).
int TrimmedLength(std::string_view text);
// Cuts the trailing blanks of text in place and returns the new length.
int TrimTrailingBlanks(std::string& text);

// "%-19.6g" / "%-19i" with the trailing blanks cut: the text of an edit box.
std::string FormatDoubleEntry(double value);
std::string FormatIntEntry(std::int32_t value);

} // namespace tarsel

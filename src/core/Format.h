#pragma once
// Number text as the logs and the navigation boxes show it, and the reading of
// a number from the front of a text.
#include <string>
#include <string_view>

namespace ruvek {

// Formats value by a digit pattern such as "00.00000", "#000.00000", "##0.0" or "0".
// Before the point, each '0' is a digit always shown (leading zeros fill up to that
// count) and '#' a digit shown only when the value needs it; the integer part is never
// cut. After the point, each '0' is a decimal always shown and each '#' one shown
// only when it is not a trailing zero. A minus sign leads negative values; a value
// that rounds to zero is shown without one. Rounding is half away from zero on the
// shortest decimal text that reads back as the same double, so 2.675 gives "2.68"
// with "0.00" even though the double lies just below 2.675.
// Examples: -117.2428 with "#000.00000" -> "-117.24280"; -99 with "00.00000" ->
// "-99.00000"; 32.8687 with "00.00000" -> "32.86870"; 93.349 with "##0.0" -> "93.3".
// Characters other than '0', '#' and the first '.' are ignored. Not-a-number gives
// "NaN" and infinities "Inf" or "-Inf".
std::string FormatNumber(double value, std::string_view pattern);

// The value of the longest numeric prefix of text after leading blanks and tabs:
// an optional sign, digits, at most one point, digits. No exponent is read.
// " 32.5N" -> 32.5, "-.5" -> -0.5, "12.3.4" -> 12.3, "N32" -> 0, "" -> 0.
// A prefix too large for a double gives plus or minus infinity.
double LeadingNumber(std::string_view text);

// Rounds to the nearest integer, halves to the even one: 26.5 -> 26, 27.5 -> 28,
// -2.5 -> -2. Values beyond the range of long long are clamped to it; NaN gives 0.
long long RoundHalfEven(double value);

}  // namespace ruvek

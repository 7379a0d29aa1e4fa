#pragma once
// Small text, date and time routines shared by the whole program. None of them
// touches a file, the clock or the window: the caller passes in what they need.
#include <string>
#include <string_view>
#include <vector>

#include "os/DateTime.h"

namespace ruvek {

// Day of the year and time of day without colons, the parts a Julian event
// number is built from. On 2 February at 14:05:09: dayText "033", timeText
// "140509" (long form) or "1405" (short form). The time is always the 24-hour
// form, so the number never carries an AM/PM marker.
struct JulianParts {
  std::string dayText, timeText;
};
// longForm: the caller passes whether configuration row 20 (Julian format),
// trimmed and upper-cased, is exactly "LONG".
JulianParts JulianStamp(const DateTime& now, bool longForm);
// "033.140509" (long form) or "033.1405" (short form).
std::string JulianNumber(const DateTime& now, bool longForm);

// Splits a text at commas into slots 0, 1, 2, ... in order.
// Example (an event log line): "0504NH,12,93.3,26.7,..." -> slot 0 "0504NH", slot 1 "12", ...
// - The text after the last comma is dropped; a text without a comma stores nothing.
// - No quoting: every comma splits. Blanks stay; two adjacent commas store an empty field.
// - The walk stops once maxCount fields are stored; a maxCount of 0 (or below) never stops it.
// - Slots that receive no field keep their previous contents (never cleared).
// - The routine never grows the vector and never writes past its end: once the next
//   field would land beyond the last slot, storing stops there.
void SplitCommas(std::string_view text, std::vector<std::string>& slots, int maxCount);

// Pads text in place to width characters; a text already that long or longer is left
// alone. side "L" (or empty) prepends, "R" appends; the side is compared case-blind.
// pad "0" pads with zeros; "S" pads with blanks; on the right a blank or an empty pad
// also pads with blanks. The pad is compared exactly ("s" pads nothing); any other
// side or pad leaves the text unchanged. Widths are taken in the 16-bit range of the
// configuration values (at most 32767).
void PadText(std::string& text, int width, std::string_view side, std::string_view pad);

// NMEA date digits to the log's date text.
// Example: "070618" (ddmmyy) or "07062018" (ddmmyyyy) -> "07-Jun-2018".
// Six-digit years always get the century 20. A month other than 01..12 gives an
// empty abbreviation ("011318" -> "01--2018"). A text shorter than the expected form
// uses the characters that exist and never reads past its end.
std::string NmeaDateText(const std::string& date);

// The blanks Trim removes unless told otherwise.
inline constexpr std::string_view kBlanks = " \t";
// The text without the leading and trailing characters that are in `chars`
// (blanks and tabs by default), as a view into `text`.
std::string_view TrimView(std::string_view text, std::string_view chars = kBlanks);
// The same as a string of its own.
inline std::string Trim(std::string_view text, std::string_view chars = kBlanks) {
  return std::string(TrimView(text, chars));
}
// ASCII upper case; other bytes unchanged.
std::string ToUpper(std::string_view text);
// Replaces every occurrence of from, left to right, without rescanning replaced
// text. An empty from leaves the text unchanged.
std::string ReplaceAll(std::string text, std::string_view from, std::string_view to);
// Case-sensitive search; an empty needle is contained in every text.
bool Contains(std::string_view text, std::string_view needle);

// A file name made from configuration rows or typed text, kept inside the
// folder it is put in: every "\" and "/" (and a NUL byte) becomes "_".
// "..\..\x" -> ".._.._x"; "0708SR" stays.
std::string FileNamePart(std::string_view name);

}  // namespace ruvek

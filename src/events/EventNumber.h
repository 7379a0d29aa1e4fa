#pragma once
// Event numbers: the shared event number file, the NUMERIC and JULIAN schemes,
// the start-up load, the manual override and the roll-back of Clear Last, and
// the number steps Record Event runs.
//
// The event number file holds one line, the number of the last event recorded
// by any logging computer of the cruise ("123" CR LF). The next number
// (w.nextEventNumber) is that value plus one; it is a long long, so numbers
// past 32767 go on counting instead of wrapping to negative.
//
// Record Event calls the steps in this order (NUMERIC and JULIAN alike; each
// step checks the scheme itself):
//   1. NumberStepAfterChecks(w, zeroPosition)  after the navigation check (true:
//      the operator confirmed zero latitude and longitude) or after the GPS time
//      check (false).
//   2. StationArrivalRule(w, eventName)        not when replacing an edited row;
//      then the order-occupied step, then RememberEventName(w, eventName).
//   3. LocalNumberStep(w)                      after the grid row and the activity,
//      not when replacing an edited row.
//   4. PublishStep(w)                          not when replacing an edited row.
//      The retry of a file failure starts again here.
//   5. (the logs are written with Text1(5) as Event#; clear w.numberRolledBack
//      right after the local logs)
//   6. AdvanceAfterRecord(w)                   not when replacing an edited row.
//   7. ReleaseManualOverride(w)                always.
// Steps 1 and 4 read or write the event number file and throw ui::FileError
// when it fails, so the workflow's retry handles it.
#include <optional>
#include <string>
#include <string_view>

#include "windows/MainWindow.h"

namespace ruvek {

// File values beyond this size are read as it, so the counting never overflows.
inline constexpr long long kEventNumberLimit = 1'000'000'000'000'000LL;

// The value in the first line of the event number file, nothing for a blank
// line. The leading numeric part counts ("57 " -> 57, "abc" -> 0, "12.5" -> 12.5);
// values beyond kEventNumberLimit read as the limit.
// Example line: "57"
std::optional<double> EventNumberValue(std::string_view line);

// value + delta as a whole number, halves to the even one: (57, 1) -> 58.
long long NumberPlus(double value, int delta);

// How many numbers the station-arrival rule skips: 1 after an empty previous
// event name, 2 after any other name except "STATION ARRIVAL", 0 otherwise or
// when the event is no arrival or the previous event was a departure. Names are
// compared upper-cased.
int ArrivalBump(std::string_view eventName, std::string_view previousName);

// "Reading Event Number file... 58": the number with one leading blank when not
// negative.
std::string ReadingNumberStatus(long long next);

// The box text of a number: "58".
std::string EventNumberText(long long number);

// True when configuration row 19 selects the JULIAN scheme.
bool JulianScheme(const MainWindow& w);

// Start-up: the next number from the file (or a fresh Julian number), with the
// questions for a missing or unreadable file and the switch to local operation.
void LoadEventNumber(MainWindow& w);

// Reads the event number file; next = value + 1 and, unless the operator took the
// number over (or, with holdWhileRolledBack, Clear Last holds it), raises Text1(5)
// to next when it shows less. Returns true when the box was raised. A blank line
// changes nothing. Throws ui::FileError.
bool RaiseFromFile(MainWindow& w, bool holdWhileRolledBack = false);

// A fresh Julian number (day of year "." time) in Text1(5).
void ShowJulianNumber(MainWindow& w);

// Writes Text1(5) to the file in use and to the local copy when that is another
// file; each written whole through a new file renamed over the old one. Throws
// ui::FileError.
void PublishEventNumber(MainWindow& w);

// Clear Last's number step: the box goes back by two, that number is written to
// the file in use (ui::FileError when it cannot be), the cleared number becomes
// the next one and the poll holds it until the next event is logged.
void RollBackEventNumber(MainWindow& w);

// Double-click on Text1(5): asks whether the operator wants to type the number.
void RequestManualOverride(MainWindow& w);

// ---- record-time steps (see the order above)
void NumberStepAfterChecks(MainWindow& w, bool zeroPosition);
void StationArrivalRule(MainWindow& w, const std::string& eventName);
void RememberEventName(MainWindow& w, const std::string& eventName);
void LocalNumberStep(MainWindow& w);
void PublishStep(MainWindow& w);
void AdvanceAfterRecord(MainWindow& w);
void ReleaseManualOverride(MainWindow& w);

// Connects the event number box's double-click.
void WireEventNumber(MainWindow& w);

}  // namespace ruvek

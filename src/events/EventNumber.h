#pragma once
// Event numbers: the shared event number file, the NUMERIC and JULIAN schemes,
// the start-up load, the manual override and the roll-back of Clear Last, and
// the number steps Record Event runs.
//
// The event number file holds one line, the number of the last event recorded
// by any logging computer of the cruise ("123" CR LF). The next number
// (nextEventNumber) is that value plus one; it is a long long, so numbers
// past 32767 go on counting instead of wrapping to negative.
//
// Record Event runs the number steps in the order RecordEventNumbers gives
// them, with the event's other work between them.
// NumberStepAfterChecks and PublishStep read or write the event number file and
// throw os::FileError when it fails, so the workflow's retry handles it: a
// NumberFileWriteError when the write failed. At record time a blank file is
// unreadable, and so is a file on a data directory that is not the share it
// was at start (os::ShareMount). The share lock (ShareLockPath) is
// taken by the workflow around them.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/Settings.h"
#include "core/StationState.h"
#include "ui/Platform.h"
#include "windows/Station.h"

namespace ruvek {

// A write of the event number file that failed; a failed read is a plain
// os::FileError.
struct NumberFileWriteError : os::FileError {
  explicit NumberFileWriteError(const os::FileError& e) : os::FileError(e) {}
};

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

// What the event number steps read and change: the files, the clock and the
// questions; the event number file in use (local operation changes it); the
// next number, its flags and the previous event's name; the event number box
// and the status bar.
struct EventNumbering {
  ui::Platform& platform;
  Settings& settings;
  StationState& state;
  ui::TextBox& box;
  ui::StatusBar& status;

  // The parts of a station; for the handlers and the start sequence.
  static EventNumbering of(Station& s);
};

// The share lock beside the event number file in use: its path + ".lock".
std::string ShareLockPath(const Settings& settings);

// True when the event number file in use may be read and written at record
// time: a file on the data directory only while that is the share noted at
// start; the program directory's file always.
bool NumberFileReachable(const EventNumbering& n);

// Start-up: the next number from the file (or a fresh Julian number), with the
// questions for a missing or unreadable file (a blank file is unreadable) and
// the switch to local operation, which unticks "Auto Fill Data" and names the
// local file in its menu entry. Afterwards the box shows the number the next
// event will be logged with: the file's value + 1 ("2" for a new file holding
// "1"), and "1" when the station gave the file up.
void LoadEventNumber(const EventNumbering& n, ui::Menu& autoFill, ui::Menu& numberFileEntry);

// Reads the event number file; next = value + 1 and, unless the operator took the
// number over (or, with holdWhileRolledBack, Clear Last holds it), raises the box
// to next when it shows less. Returns true when the box was raised. A blank line
// changes nothing. Throws os::FileError.
bool RaiseFromFile(const EventNumbering& n, bool holdWhileRolledBack = false);

// A fresh Julian number (day of year "." time) in the box.
void ShowJulianNumber(const EventNumbering& n);

// Writes the box's number to the file in use and to the local copy when that is
// another file; each written whole through a new file renamed over the old one.
// Throws NumberFileWriteError.
void PublishEventNumber(const EventNumbering& n);

// Clear Last's number step for the cleared event numbered `clearedNumber`.
// NUMERIC: the box goes back by two, that number is written to the file in use,
// the cleared number becomes the next one and the poll holds it until the next
// event is logged; nothing changes and false is returned when the file already
// holds a number above the cleared one (another computer has used it: going
// back would give it twice). Throws os::FileError when the file cannot be read
// or written. JULIAN: the files are left alone and the box shows the cleared
// event's number again.
bool RollBackEventNumber(const EventNumbering& n, const std::string& clearedNumber);

// Double-click on the event number box: asks whether the operator wants to type
// the number.
void RequestManualOverride(const EventNumbering& n);

// What Record Event does between its number steps, called at its places.
class EventWork {
 public:
  virtual ~EventWork() = default;
  // Runs `step`, which reads or writes the event number file, with the
  // workflow's retry; nothing once the operator gave the file up in this event.
  virtual void numberFileStep(const std::function<void()>& step) = 0;
  // Takes the share lock, unless it is held.
  virtual void lockShare() = 0;
  // Forwards the backlog under the lock, before the number file is read: the
  // value read is then past the numbers forwarded.
  virtual void catchUp() = 0;
  // After the first number step: the event's name is read once, the grid row
  // gets the number, line, station, date, time and event.
  virtual void afterChecks() = 0;
  virtual const std::string& eventName() const = 0;
  // The order-occupied counter (a new event).
  virtual void orderOccupied() = 0;
  // The rest of the grid row and the activity.
  virtual void fillRow() = 0;
  // The logs, written with the box's number; numberRolledBack is cleared
  // right after the local logs.
  virtual void writeLogs() = 0;
};

// Record Event's number steps in their order, NUMERIC and JULIAN alike (each
// step checks the scheme itself). A corrected event (state.editingRow) keeps
// the number it was loaded with: only the override is released for it. The
// event number file is read once, under the share lock, by the first step;
// the publish step takes that value while the lock is held since, and reads
// the file again only when a failure let the lock go. `zeroPosition`: the
// operator confirmed a latitude and longitude of zero.
void RecordEventNumbers(const EventNumbering& n, bool zeroPosition, EventWork& work);

// ---- the steps, in that order
// The first step, after the navigation check (zeroPosition true) or after the
// GPS time check (false). With `value`, the value read is kept there.
void NumberStepAfterChecks(const EventNumbering& n, bool zeroPosition, std::optional<double>* value = nullptr);
void StationArrivalRule(StationState& state, const std::string& eventName);
void RememberEventName(StationState& state, const std::string& eventName);
void LocalNumberStep(const EventNumbering& n);
// Raises the box to the file's value + 1 (the value in `value` when it holds
// one, else the file read now), keeps the number new (KeepNumberNew) and writes
// it. The retry of a failure starts again here.
void PublishStep(const EventNumbering& n, const std::optional<double>* value = nullptr);
// NUMERIC, a new event: the box never shows a number this station has logged
// in this run, nor nothing; an empty box or one at or below the highest number
// logged is raised above it. A number the operator typed or Clear Last rolled
// back is reused on purpose and stays.
void KeepNumberNew(const EventNumbering& n);
// The box's number was logged (NUMERIC): no new event of this run gets it again.
void NoteNumberLogged(const EventNumbering& n);
// next = next + 1, and never at or below a number logged in this run.
void AdvanceAfterRecord(const EventNumbering& n);
void ReleaseManualOverride(NumberState& numbers);

}  // namespace ruvek

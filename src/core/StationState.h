#pragma once
// The state a station keeps while it runs, beside its windows: the recording
// workflow's state, the shared flags and counters, the navigation snapshot of
// the last poll tick and the clock option that turns the computer's clock
// into local (Pacific) time.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/EventLogSchema.h"
#include "core/Settings.h"
#include "os/DateTime.h"
#include "os/ShareMount.h"
#include "ui/ShareLock.h"

namespace ruvek {

// The navigation values of the last poll tick.
struct NavSnapshot {
  std::string localDate, localTime, utcDate, utcTime;
  std::string decLat = "00.000000", decLon = "00.000000";
  std::string calcLine, calcSta, stndLine, stndSta;
  MetItems metItems{};
  std::string rawLine;  // the last raw line read from the position file
};

// The recording workflow's state. The record button (Command1(0)) and the
// standby button (Command1(1)) show it; nothing reads it back from them.
enum class Recording {
  NotStarted,  // "Start": the poll does not read the navigation yet
  Ready,       // "Record Event": the poll reads the navigation
  Saving,      // "Saving Event": an event is being recorded (the button is disabled)
  StandingBy,  // "Standingby" and "Resume": the poll does not read the navigation
};

// The captions of the record and the standby button in a state.
struct RecordingCaptions {
  const char* record;
  const char* standby;
};
RecordingCaptions CaptionsFor(Recording recording);

// The serial GPS window's input: whether it is collected, the received
// characters not yet split into lines, and the current position file text
// that a failed write still owes (empty when none).
struct GpsInput {
  bool portRunning = false;
  std::string receiveBuffer;
  std::string unwrittenPosition;
};

// The last good position the poll read: what it read (a new text is a new
// fix; the same text read again is the same, older fix), the time the fix
// itself carries as the operator is told it ("UTC 03:00:18", empty when it
// carries none) and when it was received, by the program's clock in
// milliseconds. No time before the first fix.
struct LastFix {
  std::string reading;
  std::string time;
  std::optional<std::int64_t> atMs;
};

// A logged event's own values, read back from its row in an event log for a
// correction: the 17 columns of the record and the navigation tail after
// them, the position the CSV files other than the local event log carry and
// the six-decimal position the local event log and the HTML logs carry.
struct LoggedRow {
  std::vector<std::string> columns;
  std::string tail;
  std::string decLat, decLon;
  std::string snapshotLat, snapshotLon;
};

// A grid row loaded into the boxes for editing: the row, the texts loaded
// (in grid column order), what those boxes showed before the first row was
// loaded, and the event's row in the log it came from (none when it was not
// found there).
struct Correction {
  int gridRow = 0;
  std::vector<std::string> loaded;
  std::vector<std::string> before;
  std::optional<LoggedRow> logged;
};

// The rows of the network logs this station could not write, kept in the
// backlog file until the share takes them (events/Backlog.h).
struct BacklogStatus {
  std::size_t events = 0;     // events with a row waiting; 0: the backlog is empty
  std::size_t forwarded = 0;  // events forwarded since the backlog was last empty
  // Numbers a forwarded event shares with another station's event.
  std::vector<std::string> doubledNumbers;
  // The files that still wait for a row: a new event's row for one of them
  // goes behind those, into the backlog.
  std::vector<std::string> waitingFiles;
};

// The event number as this station knows it: the next number, the operator's
// override, Clear Last's roll-back, and the last-event lines seen and written.
// The number steps (events/EventNumber.h, events/NumberSync.h) keep it.
struct NumberState {
  bool manualEventNumber = false;  // the operator took the event number over
  bool numberRolledBack = false;   // Clear Last holds the rolled-back number until the next event
  // Kept wider than the old 16-bit counter so numbers past 32767 go on counting.
  long long nextEventNumber = 0;
  // The highest event number this station has logged in this run (NUMERIC):
  // a new event is never given it or a lower one again.
  std::optional<double> highestNumberLogged;
  int eventFileRetries = 0;       // consecutive failures of the poll's event number read
  bool lastEventPending = false;  // another station's last event is still to be pulled into the grid
  std::string lastSeenLastEvent;
  std::string ownLastEvent;  // the line this station last wrote to the last-event file
};

// What the navigation poll reads and keeps: the source chosen at start, the
// snapshot of the last read, the serial input's state and the last good fix.
struct PollState {
  NavSource gpsSource = NavSource::None;  // the navigation source chosen at start
  NavSnapshot nav;
  int metLatIndex = 0;  // the MET items that hold the latitude and the longitude
  int metLonIndex = 0;
  // The text of the latest datagram of the "UDP" source, without its line
  // end; empty until one arrives.
  std::string udpDatagram;
  GpsInput gpsInput;
  LastFix lastFix;
};

// The station's working state: the recording workflow's, the number's, the
// poll's and the share's.
struct StationState {
  Recording recording = Recording::NotStarted;
  bool networkMode = true;  // false once the operator chose local operation
  bool editingRow = false;  // the next Record Event replaces the grid row loaded for editing
  Correction correction;    // the grid row last loaded for editing
  std::string orderOccupied;
  int lastPickerIndex = -1;  // the last picker that holds an event of the list
  bool multiMode = false;    // check-box pickers in use
  std::string previousEventTime;
  std::string previousEventName;
  bool ctdAtDepthLogged = false;
  std::string lastEditorFile;  // the file the line-file dialog last held

  NumberState numbers;
  PollState poll;

  os::ShareMount dataShare;      // the data directory's file system, noted at start
  ui::ShareLockStats lockStats;  // waits for the share lock and takeovers of a dead holder's lock
  BacklogStatus backlog;
};

// What the computer's clock keeps (the clock options "PC Time is PST", "PC Time
// is PDT", "PC Time is UTC"); local time is Pacific standard time.
enum class PcClock { Pst, Pdt, Utc };

// How many hours the local time is behind the computer's clock: 0, 1 or 8.
int HoursBehind(PcClock clock);

// The local date and time texts from a clock reading, cut as the machine's
// default date-time text is: "01-Mar-2026 18:30:00" -> "01-Mar-2026", "18:30:00";
// a "/" date keeps its first 10 characters, a text with neither "/" nor "-"
// gives no date.
struct LocalClock {
  std::string date, time;
};
LocalClock CutDateTimeText(const std::string& dateTimeText);

// Sets the snapshot's local date and time from the clock `now` by the selected
// clock option; without one they stay as they are.
void SetLocalClock(NavSnapshot& nav, std::optional<PcClock> clock, const DateTime& now);

}  // namespace ruvek

#pragma once
// The writers of the event logs: the local logs in the program directory, the
// network logs, the last-event file and the CTD-at-depth file on the data
// directory, and the rewrite of an HTML log.
//
// Each file of an event is written on its own. A write that fails without a
// message of its own throws os::FileError with the job's `current` on that
// file; the recording workflow then waits, retries and calls the writer again,
// or, when the operator gives the file up, marks it failed and calls the
// writer again for the files after it. The other failures are marked failed
// at once. The job remembers which files are settled, so a retry resumes at
// the write that failed and no log ever holds an event twice. The writers
// show no message: the workflow reports the files not written once the
// event's shared part is over (ReportUnwrittenLogs).
#include <string>
#include <vector>

#include "core/EventLogSchema.h"
#include "core/StationState.h"
#include "events/LogFormat.h"
#include "ui/Platform.h"

namespace ruvek {

// One event as Record Event logs it, built once after its checks: the record
// with the latitude and longitude of the boxes, the snapshot's six-decimal
// position and the navigation tail.
struct LoggedEvent {
  EventFields fields;
  std::string snapshotLat, snapshotLon;
  std::string tail;

  // The record with the snapshot's position: the local event log and the HTML
  // logs take it, every other file takes `fields`.
  EventFields atSnapshot() const;
};

// Where an event is written: the files, the title of a new HTML log
// (configuration row 1) and whether "Generate html" is checked.
struct LogTarget {
  const os::FileSystem& files;
  LogFileNames names;
  std::string project;
  bool html = true;
};

// The files one event is written to, in the order they are written.
enum class LogWrite {
  LocalHtml,
  LocalEvents,
  LocalList,
  NetworkHtml,
  NetworkEvents,
  LastEvent,
  NetworkList,
  CtdAtDepth,
  ClearMet,
};

// The path a log write goes to.
const std::string& PathOf(const LogFileNames& names, LogWrite step);
bool IsNetworkWrite(LogWrite step);

// What one event's writers share across retries.
struct EventLogJob {
  unsigned done = 0;                       // the LogWrite bits written
  unsigned failed = 0;                     // the LogWrite bits given up: not written
  LogWrite current = LogWrite::LocalHtml;  // the write a FileError comes from

  bool isDone(LogWrite step) const { return done & bit(step); }
  bool isFailed(LogWrite step) const { return failed & bit(step); }
  bool settled(LogWrite step) const { return (done | failed) & bit(step); }
  void markDone(LogWrite step) { done |= bit(step); }
  void markFailed(LogWrite step) { failed |= bit(step); }

 private:
  static unsigned bit(LogWrite step) { return 1u << unsigned(step); }
};

// The local HTML log (when "Generate html" is checked), the local event log
// (record + tail, DateLoc header when new or empty; flushed to the disk before
// the call returns) and the local list log (record, DatePST header when new or
// empty). Throws os::FileError for a failure that goes to the retry; a new HTML
// log that cannot be created is marked failed.
void WriteLocalLogs(const LogTarget& target, const LoggedEvent& event, EventLogJob& job);

// The network HTML log, the network event log (record + tail, no header), the
// last-event file (not for an edited row), the network list log, then clears
// the MET items and applies the CTD rule to the event's name. Appending to an
// existing network event log and rewriting an existing HTML log throw
// os::FileError for the retry; any other failure marks that file failed and
// the others are still written. With `reachable` false (the data directory is
// gone or is not the share it was at start) every network file is failed
// without being touched.
void WriteNetworkLogs(const LogTarget& target, const LoggedEvent& event, StationState& state, EventLogJob& job,
                      bool reachable);

// Tells the operator which files of the event were not written: one message
// for the local logs, naming them and the logs that keep the event, and one
// "Unable to write to Network Drive!  Saved locally (...)" naming the local
// copies that hold the event and every network file that was not written,
// and that the event is forwarded to them once the network drive is back
// (or, when `backlogNotWritten` names the backlog, that it could not be kept
// there).
void ReportUnwrittenLogs(ui::Platform& platform, const LogFileNames& names, const EventLogJob& job,
                         const std::string& backlogNotWritten = {});

// Adds `row` to the HTML log at `path`: an existing log is rewritten with the
// row before its closing tags, and its head again when it lacks one (throws
// os::FileError when that fails); a missing one is created whole with the HTML
// head. False when it could not be created.
bool AppendHtmlRow(const os::FileSystem& fs, const std::string& path, const std::string& project,
                   const std::string& cruise, const std::string& row);

}  // namespace ruvek

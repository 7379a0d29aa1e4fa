#pragma once
// The writers of the event logs: the local logs in the program directory, the
// network logs, the last-event file and the CTD-at-depth file on the data
// directory, and the rewrite of an HTML log.
//
// A write that fails without a message of its own throws ui::FileError; the
// recording workflow then waits, retries and calls the writer again. The job
// remembers which files already hold the event, so a retry resumes at the write
// that failed and no log ever holds an event twice.
#include <string>

#include "core/EventLogSchema.h"
#include "core/StationState.h"
#include "events/LogFormat.h"
#include "platform/Platform.h"

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
  ui::Platform& platform;  // the files, and the message naming a local copy
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

// What one event's writers share across retries.
struct EventLogJob {
  bool networkEnded = false;  // a network failure was reported; the other network writes are skipped
  unsigned done = 0;          // the LogWrite bits already written

  bool isDone(LogWrite step) const { return done & bit(step); }
  void markDone(LogWrite step) { done |= bit(step); }

 private:
  static unsigned bit(LogWrite step) { return 1u << unsigned(step); }
};

// The local HTML log (when "Generate html" is checked), the local event log
// (record + tail, DateLoc header when new or empty; flushed to the disk before
// the call returns) and the local list log (record, DatePST header when new or
// empty). Throws ui::FileError for a failure that goes to the retry.
void WriteLocalLogs(const LogTarget& target, const LoggedEvent& event, EventLogJob& job);

// The network HTML log, the network event log (record + tail, no header), the
// last-event file (not for an edited row), the network list log, then clears
// the MET items and applies the CTD rule to the event's name.
// A network event log that has to be created, and every write after it, report
// a failure with "Unable to write to Network Drive!  Saved locally (...)" and
// skip the rest. Appending to an existing network event log and rewriting an
// existing HTML log throw ui::FileError for the retry.
void WriteNetworkLogs(const LogTarget& target, const LoggedEvent& event, StationState& state, EventLogJob& job);

// The operator gave up retrying a network write: reports it with the message
// naming the local copy of the file that failed and skips the other network
// writes of this event.
void EndNetworkPart(const LogTarget& target, EventLogJob& job, const std::string& failedPath);

// Adds `row` to the HTML log at `path`: an existing log is rewritten with the row
// before its closing tags, and its head again when it lacks one (throws
// ui::FileError when that fails); a missing one is created whole with the HTML
// head, and a failure to create it is reported with the message naming the
// local copy, after which the caller goes on.
void AppendHtmlRow(const LogTarget& target, const std::string& path, const std::string& cruise, const std::string& row);

}  // namespace ruvek

#pragma once
// The backlog: every row of the network logs that an event could not write
// (the share gone, unmounted, read-only or full, or a file the operator gave
// up), kept in the program directory beside the local logs until the share
// takes it. One file per cruise, "<cruise>.backlog", replaced whole through a
// temporary file and flushed, like the one-line shared files, so a crash or a
// power cut leaves either the old backlog or the new one.
//
// The file starts with the line "RuvekBacklog 1"; then one line per row, in
// the order the events were recorded, six fields separated by tabs:
//   kind  target file  event number  local date and time  cruise  row
// kind is one of "html", "events", "last", "list", "ctd". Within a field a
// backslash, tab, CR and LF are written "\\", "\t", "\r", "\n", so a row with
// commas, quotes or its own line end stays on its line.
#include <string>
#include <vector>

#include "core/StationState.h"
#include "events/EventLogs.h"

namespace ruvek {

struct BacklogEntry {
  LogWrite step = LogWrite::NetworkEvents;  // which network file: the way it is written
  std::string path;                         // the file, as the program names it
  std::string eventNo;
  std::string time;    // the event's local date and time
  std::string cruise;  // for the head of a new HTML log
  std::string data;    // the row as the file takes it (CSV rows with their line end)
};

struct BacklogFile {
  std::vector<BacklogEntry> entries;
  std::vector<std::string> unreadable;  // lines that are no entry, as they stand
};

// programDir + cruise + ".backlog", the cruise's separators made "_".
std::string BacklogPath(const std::string& programDir, const std::string& cruise);

// The entry of one line; false for a line that is not one.
bool ParseBacklogLine(const std::string& line, BacklogEntry& entry);
std::string BacklogLine(const BacklogEntry& entry);

// The backlog at `path`; a missing file is an empty backlog. Throws
// os::FileError when it cannot be read.
BacklogFile ReadBacklog(const os::FileSystem& fs, const std::string& path);
// Replaces the backlog with `entries`; an empty backlog removes the file.
// Throws os::FileError.
void WriteBacklog(const os::FileSystem& fs, const std::string& path, const std::vector<BacklogEntry>& entries);

// The rows of `event` that the job gave up on the network files, as the
// writers would have written them.
std::vector<BacklogEntry> UnwrittenRows(const LogTarget& target, const LoggedEvent& event, const EventLogJob& job);

// Marks the event's rows for the network event log, list log and HTML log
// given up when their file still waits for rows of the backlog, so that they
// go behind those, in the order the events were recorded.
void DeferBehindBacklog(const LogTarget& target, const BacklogStatus& status, EventLogJob& job);

// How many events the entries hold rows of, and the files they wait for.
void CountBacklog(const std::vector<BacklogEntry>& entries, BacklogStatus& status);

// Adds the entries behind the backlog's own. False, and the backlog as it was,
// when the backlog cannot be written.
bool AddToBacklog(const os::FileSystem& fs, const std::string& path, const std::vector<BacklogEntry>& entries,
                  BacklogStatus& status);

// Start-up: counts the cruise's backlog. Lines that are no entry are moved to
// "<backlog>.bad" so the rest is forwarded; the text returned tells the
// operator (empty when all is well).
std::string LoadBacklog(const os::FileSystem& fs, const std::string& path, BacklogStatus& status);

// "3 events waiting for the network drive"; empty for an empty backlog.
std::string BacklogWaitingText(const BacklogStatus& status);

}  // namespace ruvek

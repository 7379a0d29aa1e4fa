#pragma once
// "Print Log": the cruise's event log printed, or saved as a PDF file, with a
// heading (project, cruise, the dates it spans) and the event grid's columns.
#include <string>

#include "ui/Platform.h"
#include "windows/Station.h"

namespace ruvek {

// The printable log of the event log at `logPath`: one row per event line
// (a header line and lines shorter than an event are passed over) with the
// grid's columns, comments included; the title "<project> <cruise> EVENT LOG"
// and heading lines naming the dates the events span, their count, the log and
// the time `printedAt`. Throws os::FileError when the log cannot be read.
os::PrintDocument EventLogDocument(const os::FileSystem& fs, const std::string& logPath, const ui::Grid& eventGrid,
                                   const std::string& project, const std::string& cruise, const std::string& printedAt);

// The menu entry: the network event log of the cruise, or the local one when
// the network log does not exist, to the platform's printer or PDF file. A
// missing or unreadable log, a log without events and a failed print are
// reported by name; a printed log is told in status panel 1.
void PrintEventLog(Station& s);

}  // namespace ruvek

#pragma once
// "Generate Entire Cruise Event File": the events-only file of the cruise,
// made from the network event log. Each line keeps the event columns of its
// log line, without the order-occupied value and the navigation tail, and its
// event number is replaced by the line's number in the log.
#include <string>
#include <string_view>

#include "ui/Platform.h"
#include "windows/Station.h"

namespace ruvek {

// The events-only line of log line number `lineNumber` (counted from 1, blank
// lines included), without its line end, appended to `out`. The line is read up
// to its first "$" or its 16th comma; the first column is kept unless blank,
// the second becomes the line number, the others follow as they are, and a
// line cut at the 16th comma ends in ",". Example:
//   "0708SR,57,93.3,26.7,...,calm,12$GPGGA,..." line 1 -> "0708SR,1,93.3,26.7,...,calm,"
void AppendEventsOnlyLine(std::string& out, std::string_view line, long long lineNumber);

// Writes the events-only file of the log at `logPath` to `outPath` and says so
// with "Events Only File created...". The file is written beside the old one
// and renamed over it when complete. A log that is missing or cannot be read
// ("Unable to read " + path) or an output that cannot be written ("Unable to
// write " + path) is reported, and the previous file stays as it was.
void ExportEventsOnly(ui::Platform& platform, const std::string& logPath, const std::string& outPath);

// The menu entry: the cruise's network event log to data directory + cruise +
// "EventsNOMET.csv".
void ExportCruiseEvents(Station& s);

}  // namespace ruvek

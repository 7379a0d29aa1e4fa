#pragma once
// The event log grid: its preload from the network event log, the row a new
// event goes into, and the "Displayed Events" menu.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "windows/MainWindow.h"

namespace ruvek {

// The number of event rows the grid can show (rows 1 to 1999).
inline constexpr int kEventRows = kGridRows - 1;
// "All Events (last 1000 or less)" shows at most this many lines of the log.
inline constexpr int kAllEventsShown = 1000;

// The row the next event is written to: gridRowCount, where a count of 0 counts
// as 1. When every event row is in use the oldest row drops from view (the logs
// keep it), gridRowCount becomes 1999 and that last row is returned. The caller
// writes the row and advances gridRowCount.
int RowForNewEvent(MainWindow& w);

// One grid row from the slots of a network event log line (slot k is column k+1
// of the record): Evt#, StndLine, StndSta, DatePST, TimePST, Event, DecLat,
// DecLon, Operator, and Comments only when withComments. cutPosition cuts the
// latitude to 6 and the longitude to 7 characters ("CURRENTSTA").
// Example line: 0708SR,11,93.3,26.7,93.3,26.8,08-Jun-2026,03:00:00,32.912345,-117.412345,CTD,CTD Deployed,ABC,...
std::vector<std::string> GridRowFromSlots(const std::vector<std::string>& slots, bool withComments, bool cutPosition);
// The same into an existing row of 10 cells, reusing their storage.
void FillGridRow(std::vector<std::string>& row, const std::vector<std::string>& slots, bool withComments,
                 bool cutPosition);

// Start-up: fills the grid from dataDir + cruise + "Events.csv" by preloadMode
// ("LASTEVENT", "CURRENTSTA", "LASTSTA", "ALLEVENTS"; others load nothing),
// sets gridRowCount and leaves the log's last event line in lastSeenLastEvent.
void PreloadEventLog(MainWindow& w);

// Moves the "Displayed Events" check mark to `entry` and makes `mode` the
// preload mode (and configuration row 17 in memory) for the next start.
void ChooseDisplayedEvents(MainWindow& w, Menu* entry, const std::string& mode);

void WireLogView(MainWindow& w);

}  // namespace ruvek

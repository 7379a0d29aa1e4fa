#pragma once
// The event log grid: its rows from the network event log's lines, its
// preload at start, and the "Displayed Events" menu.
#include <string>
#include <vector>

#include "core/Settings.h"
#include "core/StationState.h"
#include "os/FileSystem.h"
#include "windows/MainWindow.h"

namespace ruvek {

// "All Events (last 1000 or less)" shows at most this many lines of the log.
inline constexpr int kAllEventsShown = 1000;

// An event line of a log: 11 characters or more, and no header line (the
// network event log has none, but a log started by another logger, or a local
// log, has one). Blank and short lines are no events.
bool IsEventLine(const std::string& line);

// One grid row from the slots of a network event log line (slot k is column k
// of the record): Evt#, StndLine, StndSta, DatePST, TimePST, Event, DecLat,
// DecLon, Operator, Comments. Every preload mode shows the comments, so a row
// loaded for editing keeps them. PositionText::Cut cuts the latitude to 6 and
// the longitude to 7 characters ("CURRENTSTA").
// Example line: 0708SR,11,93.3,26.7,93.3,26.8,08-Jun-2026,03:00:00,32.912345,-117.412345,CTD,CTD Deployed,ABC,...
enum class PositionText { AsLogged, Cut };
std::vector<std::string> GridRowFromSlots(const std::vector<std::string>& slots, PositionText position);
// The same into an existing row of 10 cells, reusing their storage.
void FillGridRow(std::vector<std::string>& row, const std::vector<std::string>& slots, PositionText position);

// The event rows a later row of the same event number replaces (a
// correction, or a number logged again after Clear Last), by grid row: the
// grid shows them greyed.
std::vector<bool> SupersededGridRows(const ui::Grid& grid);

// What the start-up preload reads.
struct PreloadSource {
  std::string logPath;                      // the network event log, dataDir + cruise + "Events.csv"
  PreloadMode mode = PreloadMode::Unknown;  // Unknown loads nothing
  std::string line, station;                // the line and station boxes, for "CURRENTSTA"
};

// Start-up: fills the grid's rows from the log by the preload mode and leaves
// the log's last event line in lastSeenLastEvent.
void PreloadEventLog(const os::FileSystem& fs, const PreloadSource& source, EventGridRows& rows, NumberState& numbers);

// Moves the "Displayed Events" check mark to `entry` and makes `mode` the
// preload mode (and configuration row 17 in memory) for the next start.
void ChooseDisplayedEvents(Menus& menus, ui::Menu& entry, PreloadMode mode, Settings& settings);

// Puts the "Displayed Events" check mark on the entry of the preload mode in
// use; a mode of none of the entries (it loads nothing) leaves every entry
// unmarked.
void MarkDisplayedEvents(Menus& menus, PreloadMode mode);

}  // namespace ruvek

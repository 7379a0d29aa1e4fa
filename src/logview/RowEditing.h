#pragma once
// Correcting a logged event from the event grid. A double-click loads a grid
// row into the entry boxes and stops the poll; the next Record Event writes
// the corrected event over that row and appends it to the logs under the
// number it already had (the logs keep the first row: they are append-only).
// The correction keeps the event's own values, read back from its row in the
// event log it was loaded from: only what the operator changes in the boxes
// changes.
#include <optional>
#include <string>

#include "core/EventLogSchema.h"
#include "core/StationState.h"
#include "os/FileSystem.h"
#include "windows/MainWindow.h"
#include "windows/Station.h"

namespace ruvek {

// Double-click on the event grid, on its selected row: looks the event up in
// the logs (FindLoggedEvent) and asks whether to edit it, saying so when it
// was not found; Yes stops the poll timer, loads the row's cells into the
// boxes (the comments behind "Comments: "), sets the edit flag and remembers
// the row as the one Record Event writes, whatever row is selected by then. The
// heading row and a row without an event number hold no event: nothing is
// asked and nothing changes.
void LoadRowForCorrection(Station& s);

// Ends a correction without writing anything for it: the boxes show again what
// they showed before the first row was loaded (the event number box the next
// event's number), the edit flag is cleared, the window no longer shows the
// correction and the poll runs again. Nothing happens when no row is loaded.
void EndCorrection(MainWindow& w, StationState& state);

// The event of a grid row (its cells in grid column order) in the logs: its
// last line in the network event log, else in the local event log, with the
// same event number and the same date and time (the local ones, or the UTC
// ones a row pulled from another computer shows). The position of the network
// CSV files comes from the network log's line (from the grid row when only the
// local log holds the event); the six-decimal one from the local log's line
// (from the other position when only the network log holds it). Nothing when
// neither log holds the event or neither can be read.
std::optional<LoggedRow> FindLoggedEvent(const os::FileSystem& fs, const LogFileNames& names,
                                         const std::vector<std::string>& cells);

// The record's 17 columns of an event log line and the navigation tail after
// them. Ord_Occ ends where the tail starts: at its raw navigation line ("$...")
// or, without one, at the comma before the first MET item. Nothing for a line
// of fewer than 17 columns.
// Example: "0708SR,7,...,ABC,08-Jun-2026,18:30:12,calm,1$GPGGA,183012.00,...,,,"
std::optional<LoggedRow> SplitLoggedLine(const std::string& line);

}  // namespace ruvek

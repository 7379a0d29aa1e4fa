#pragma once
// The poll's part in the numbering shared between logging computers: at each
// tick the event number file is read again, and when another computer has used
// a number its last event is pulled into this station's grid.
#include <string>

#include "events/EventNumber.h"
#include "ui/Controls.h"
#include "windows/EventGridRows.h"

namespace ruvek {

// How a tick's read of the event number file ended.
enum class NumberSync {
  Read,         // the file was read; another station's last event may be pulled
  NotRead,      // Julian numbers (a fresh one is shown), or no file (the status says so)
  Quit,         // the file could not be read seven times and the operator chose to quit
  ManualEntry,  // ... and the operator chose to enter the navigation by hand
};

// Reads the event number file and raises the box to the number after the
// file's (RaiseFromFile, held while Clear Last holds it); a raise leaves
// lastEventPending for PullPendingLastEvent. A failed read is retried after
// 1 second, silently six times in a row, counted across ticks in
// eventFileRetries; the seventh asks whether to quit. The Julian scheme only
// shows a fresh number.
NumberSync SyncEventNumber(const EventNumbering& n);

// When another computer's event is pending: shows the last-event file's line
// in the grid (UTC date and time, the oldest row giving way when the grid is
// full) and raises the box to the number after it. This station's own event
// and the line seen last are not shown again. A last-event file that cannot be
// read leaves the event pending for the next tick.
void PullPendingLastEvent(const EventNumbering& n, ui::Grid& eventGrid, EventGridRows& rows, const std::string& cruise);

}  // namespace ruvek

#pragma once
// Correcting a logged event from the event grid. A double-click loads a grid
// row into the entry boxes and stops the poll; the next Record Event writes
// the corrected event over that row and appends it to the logs under the
// number it already had (the logs keep the first row: they are append-only).
#include "windows/Station.h"

namespace ruvek {

// Double-click on the event grid, on its selected row: asks whether to edit
// it; Yes stops the poll timer, loads the row's cells into the boxes (the
// comments behind "Comments: "), sets the edit flag and remembers the row as
// the one Record Event writes, whatever row is selected by then. The heading
// row and a row without an event number hold no event: nothing is asked and
// nothing changes.
void EventLog_DblClick(Station& s);

}  // namespace ruvek

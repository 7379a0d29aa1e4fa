#pragma once
// The four buttons of the recording workflow: Start / Record Event, Standby /
// Resume, Quit and Clear Last, and the event advance of the pickers.
#include <string>

#include "core/StationState.h"
#include "windows/MainWindow.h"
#include "windows/Station.h"

namespace ruvek {

// Start, and once started Record Event (or Resume while standing by).
void StartOrRecord(Station& s);
// Standby / Resume: pauses or takes up again the poll's navigation reading.
void StandBy(Station& s);
// Quit: asks, saves the event grid and ends the program.
void Quit(Station& s);
// Clear Last: erases the last event from the grid and rolls its number back.
void ClearLast(Station& s);

// After an event (unless "Stop Event Advance" is ticked): the single-choice
// picker moves to the next event of the list, from the last one back to the
// first. Not for events named "...Sample..." or "...Departure...", nor in
// check-box mode.
void AdvanceEventPicker(Pickers& pickers, const std::string& eventName, const StationState& state);

}  // namespace ruvek

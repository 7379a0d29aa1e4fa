#pragma once
// The four buttons of the recording workflow: Start / Record Event, Standby /
// Resume, Quit and Clear Last, and the event advance of the pickers.
#include <string>

#include "core/StationState.h"
#include "windows/MainWindow.h"
#include "windows/Station.h"

namespace ruvek {

// The four buttons: 0 Start / Record Event, 1 Standby / Resume, 2 Quit,
// 3 Clear Last.
void Command1_Click(Station& s, int index);

// After an event (unless "Stop Event Advance" is ticked): the single-choice
// picker moves to the next event of the list, from the last one back to the
// first. Not for events named "...Sample..." or "...Departure...", nor in
// check-box mode.
void AdvanceEventPicker(Pickers& pickers, const std::string& eventName, const StationState& state);

}  // namespace ruvek

#pragma once
// Event numbers, the order-occupied counter and the four buttons of the
// recording workflow.
#include <string>

#include "windows/MainWindow.h"

namespace ruvek {

// Start-up: reads the order-occupied counter.
void LoadOrderOccupied(MainWindow& w);
// Start-up: the event number, with the questions for a missing file, and the
// other event number steps (defined in events/EventNumber.cpp).
void LoadEventNumber(MainWindow& w);
// Puts a fresh Julian number into the event number box.
void ShowJulianNumber(MainWindow& w);

// A station arrival: the shared order-occupied file goes up by one. A missing
// (or unusable) file gives the value "-99" and is not created.
void IncrementOrderOccupied(MainWindow& w);

// The four buttons: 0 Start / Record Event, 1 Standby / Resume, 2 Quit,
// 3 Clear Last.
void Command1_Click(MainWindow& w, int index);

// After an event: the single-choice picker moves to the next event of the list
// (from the last one back to the first). Not for events named "...Sample..." or
// "...Departure...", nor in check-box mode.
void AdvanceEventPicker(MainWindow& w);

// The text a failed increment or a missing file leaves in orderOccupied.
inline constexpr const char* kMissingOrderOccupied = "-99";

// Connects Command1(0) to Command1(3) and the order-occupied menu entry.
void WireEvents(MainWindow& w);

}  // namespace ruvek

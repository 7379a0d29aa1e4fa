#pragma once
// Event numbers, the order-occupied counter and the four buttons of the
// recording workflow.
#include "app/core/MainWindow.h"

namespace ruvek {

// Start-up: reads the order-occupied counter.
void LoadOrderOccupied(MainWindow& w);
// Start-up: the event number, with the questions for a missing file, and the
// other event number steps (defined in events/EventNumber.cpp).
void LoadEventNumber(MainWindow& w);
// Puts a fresh Julian number into the event number box.
void ShowJulianNumber(MainWindow& w);
// Connects Command1(0) to Command1(3), the event number box's double click and
// the order-occupied menu entry.
void WireEvents(MainWindow& w);

}  // namespace ruvek

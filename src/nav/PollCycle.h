#pragma once
// The navigation poll: Timer1's tick and the "Auto Fill Data" menu.
#include <string>

#include "app/core/MainWindow.h"

namespace ruvek {

// One tick: position, local clock, line and station, the event number and the
// last event of another logging computer.
void Timer1_Timer(MainWindow& w);
// The "Auto Fill Data" menu entry: asks before switching automatic fill off or on.
void mnuAuto_Click(MainWindow& w);

// The tick interval for configuration row 9 (Sampling Rate (ms)): the value when
// above 0, else 20000, limited to the timer's 1 to 65535 ms. `clamped` tells
// whether the configured value was too large for the timer.
// Example: "15000" -> 15000; "0" -> 20000; "70000" -> 65535 (clamped).
int TickIntervalFromRow(const std::string& row9, bool& clamped);

// The local date and time texts from a clock reading, cut as the machine's
// default date-time text is: "01-Mar-2026 18:30:00" -> "01-Mar-2026", "18:30:00";
// a "/" date keeps its first 10 characters.
struct LocalClock {
  std::string date, time;
};
LocalClock CutDateTimeText(const std::string& dateTimeText);

// True when a position may be turned into a line and station: north of the
// equator, west of Greenwich, and neither value the missing mark -99.
bool UsablePosition(float lat, float lon);
// True when a tick read a position at all: neither value is the missing mark
// -99, and not both are 0 (what a tick that read nothing leaves).
bool HasPosition(float lat, float lon);

void WireNav(MainWindow& w);

}  // namespace ruvek

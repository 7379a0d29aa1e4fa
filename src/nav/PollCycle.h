#pragma once
// The navigation poll: Timer1's tick and the "Auto Fill Data" menu.
#include "windows/Station.h"

namespace ruvek {

// One tick: position, local clock, line and station, the event number and the
// last event of another logging computer.
void PollTick(Station& s);
// The "Auto Fill Data" menu entry: asks before switching automatic fill off or on.
void ToggleAutoFill(Station& s);

// True when a position may be turned into a line and station: north of the
// equator, west of Greenwich, and neither value the missing mark -99.
bool UsablePosition(float lat, float lon);
// True when a tick read a position at all: neither value is the missing mark
// -99, and not both are 0 (what a tick that read nothing leaves).
bool HasPosition(float lat, float lon);

}  // namespace ruvek

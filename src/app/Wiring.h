#pragma once
#include "windows/Station.h"

namespace ruvek {

// Connects every handler of the main window and the other windows to its
// control: the one place that says which function a click, a tick or a change
// runs.
void WireStation(Station& s);

}  // namespace ruvek

#pragma once
// The event log grid: its preload from the network event log and the
// "Displayed Events" menu.
#include "app/core/MainWindow.h"

namespace ruvek {

void PreloadEventLog(MainWindow& w);
void WireLogView(MainWindow& w);

}  // namespace ruvek

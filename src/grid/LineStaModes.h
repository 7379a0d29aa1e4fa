#pragma once
// The line and station lists and the Line.Sta modes of the main window.
#include <string>

#include "windows/MainWindow.h"

namespace ruvek {

// Start-up: fills Combo3 from Lines.txt and Combo4 from Line93.txt. A read
// error throws ui::FileError (the start sequence retries).
void LoadLineLists(MainWindow& w);
// Reloads Combo4 from the station file of `lineText`; false when no list was loaded.
bool RefreshStations(MainWindow& w, const std::string& lineText);
// Connects Combo3's click, the three mode entries and "Edit Line or Sta Files".
void WireGrid(MainWindow& w);

}  // namespace ruvek

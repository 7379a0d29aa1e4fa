#pragma once
#include <string>

#include "os/FileSystem.h"
#include "ui/Controls.h"

namespace ruvek {

// Appends rows 1 to nextRow of the event grid to the grid snapshot file,
// programDir + cruise + "Events.ins": the ten cells joined by commas. The last
// row written is the next free row, so each save ends with nine commas. An
// error stops the save silently: the program is ending anyway.
void SaveEventGrid(const os::FileSystem& fs, const std::string& programDir, const std::string& cruise,
                   const ui::Grid& grid, int nextRow);

}  // namespace ruvek

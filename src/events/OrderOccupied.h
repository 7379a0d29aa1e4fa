#pragma once
// The order-occupied counter: a one-line file OrderOcc.txt in the data
// directory, shared by the logging computers, that counts station arrivals.
#include <string>

#include "os/FileSystem.h"
#include "ui/Controls.h"

namespace ruvek {

// The text a failed increment or a missing file leaves in orderOccupied.
inline constexpr const char* kMissingOrderOccupied = "-99";

// Start-up and the menu entry: reads the counter into orderOccupied and status
// panel 6, and names the file in the menu entry. A missing file is started at
// "1" (not without a data directory); an unreadable one leaves the value as it was.
void LoadOrderOccupied(const os::FileSystem& fs, const std::string& dataDir, std::string& orderOccupied,
                       ui::StatusBar& status, ui::Menu& fileEntry);

// A station arrival: the shared file goes up by one. A missing (or unusable)
// file gives the value "-99" and is not created.
void IncrementOrderOccupied(const os::FileSystem& fs, const std::string& dataDir, std::string& orderOccupied,
                            ui::StatusBar& status);

}  // namespace ruvek

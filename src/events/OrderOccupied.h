#pragma once
// The order-occupied counter: a one-line file OrderOcc.txt in the data
// directory, shared by the logging computers, that counts station arrivals.
#include <optional>
#include <string>

#include "os/FileSystem.h"
#include "ui/Controls.h"

namespace ruvek {

// The text a failed increment or a missing file leaves in orderOccupied.
inline constexpr const char* kMissingOrderOccupied = "-99";

// The counter as the data directory holds it: the file's first line. A missing
// file is started at "1" (`started`; not without a data directory). Nothing when
// the file cannot be read or created, or there is no data directory.
struct OrderOccupiedValue {
  std::string value;
  bool started = false;
};
std::optional<OrderOccupiedValue> ReadOrderOccupied(const os::FileSystem& fs, const std::string& dataDir);

// A station arrival: the shared file goes up by one and the new value is
// returned. Nothing when the file is missing (it is not created) or unusable.
std::optional<std::string> RaiseOrderOccupied(const os::FileSystem& fs, const std::string& dataDir);

// Start-up and the menu entry: the counter read into `orderOccupied` and status
// panel 6, the file named in the menu entry. An unreadable file leaves the value
// as it was; a counter just started shows in the panel at its next read.
void LoadOrderOccupied(const os::FileSystem& fs, const std::string& dataDir, std::string& orderOccupied,
                       ui::StatusBar& status, ui::Menu& fileEntry);

// A station arrival counted into `orderOccupied` and status panel 6; a missing
// or unusable file gives the value "-99".
void IncrementOrderOccupied(const os::FileSystem& fs, const std::string& dataDir, std::string& orderOccupied,
                            ui::StatusBar& status);

}  // namespace ruvek

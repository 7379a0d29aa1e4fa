#include "events/OrderOccupied.h"

#include "core/Format.h"

namespace ruvek {
namespace {

std::string OrderOccupiedPath(const std::string& dataDir) { return dataDir + "OrderOcc.txt"; }

}  // namespace

std::optional<OrderOccupiedValue> ReadOrderOccupied(const os::FileSystem& fs, const std::string& dataDir) {
  const std::string path = OrderOccupiedPath(dataDir);
  try {
    if (fs.exists(path)) return OrderOccupiedValue{fs.firstLine(path), false};
    // Without a data directory (no configuration) there is no shared file to start.
    if (dataDir.empty()) return std::nullopt;
    static const std::string kFirst = "1";
    fs.replace(path, kFirst + "\r\n");
    return OrderOccupiedValue{kFirst, true};
  } catch (const os::FileError&) {
    // An unreadable or uncreatable file: the next read tries again.
    return std::nullopt;
  }
}

std::optional<std::string> RaiseOrderOccupied(const os::FileSystem& fs, const std::string& dataDir) {
  const std::string path = OrderOccupiedPath(dataDir);
  try {
    if (!fs.exists(path)) return std::nullopt;
    // "12" -> "13"; text that is not a number counts as 0.
    const std::string value = FormatNumber(LeadingNumber(fs.firstLine(path)) + 1, "0.##########");
    fs.replace(path, value + "\r\n");
    return value;
  } catch (const os::FileError&) {
    // A file that cannot be read or written is as good as missing.
    return std::nullopt;
  }
}

void LoadOrderOccupied(const os::FileSystem& fs, const std::string& dataDir, std::string& orderOccupied,
                       ui::StatusBar& status, ui::Menu& fileEntry) {
  fileEntry.caption = OrderOccupiedPath(dataDir);
  const std::optional<OrderOccupiedValue> read = ReadOrderOccupied(fs, dataDir);
  if (!read) return;
  orderOccupied = read->value;
  if (!read->started) status.panel(6).text = "OrderOcc: " + read->value;
}

void IncrementOrderOccupied(const os::FileSystem& fs, const std::string& dataDir, std::string& orderOccupied,
                            ui::StatusBar& status) {
  // Without a usable file the event is marked with the missing value rather
  // than with a number another computer may also hand out.
  const std::optional<std::string> raised = RaiseOrderOccupied(fs, dataDir);
  orderOccupied = raised.value_or(kMissingOrderOccupied);
  if (raised) status.panel(6).text = "Order_Occ: " + *raised;
}

}  // namespace ruvek

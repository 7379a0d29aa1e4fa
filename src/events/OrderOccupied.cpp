#include "events/OrderOccupied.h"

#include "core/Format.h"

namespace ruvek {
namespace {

std::string OrderOccupiedPath(const std::string& dataDir) { return dataDir + "OrderOcc.txt"; }

}  // namespace

void LoadOrderOccupied(const os::FileSystem& fs, const std::string& dataDir, std::string& orderOccupied,
                       ui::StatusBar& status, ui::Menu& fileEntry) {
  const std::string path = OrderOccupiedPath(dataDir);
  fileEntry.caption = path;
  try {
    if (fs.exists(path)) {
      orderOccupied = fs.firstLine(path);
      status.panel(6).text = "OrderOcc: " + orderOccupied;
      return;
    }
    // Without a data directory (no configuration) there is no shared file to start.
    if (dataDir.empty()) return;
    static const std::string kFirst = "1";
    fs.replace(path, kFirst + "\r\n");
    orderOccupied = kFirst;
  } catch (const os::FileError&) {
    // An unreadable or uncreatable file leaves the value as it was; the next
    // load tries again.
  }
}

void IncrementOrderOccupied(const os::FileSystem& fs, const std::string& dataDir, std::string& orderOccupied,
                            ui::StatusBar& status) {
  const std::string path = OrderOccupiedPath(dataDir);
  try {
    if (fs.exists(path)) {
      // "12" -> "13"; text that is not a number counts as 0.
      const std::string value = FormatNumber(LeadingNumber(fs.firstLine(path)) + 1, "0.##########");
      fs.replace(path, value + "\r\n");
      orderOccupied = value;
      status.panel(6).text = "Order_Occ: " + value;
      return;
    }
  } catch (const os::FileError&) {
    // A file that cannot be read or written is as good as missing: the event
    // is marked with the missing value rather than with a number another
    // computer may also hand out.
  }
  orderOccupied = kMissingOrderOccupied;
}

}  // namespace ruvek

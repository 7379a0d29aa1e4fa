#pragma once
// Reading the current position file for the poll: the NMEA layout with its own
// retries and the GPS status, the MET layout and the datagram text of the UDP
// source. The text parsing itself lives in nav/PositionFile.h.
#include <cstdint>
#include <string>

#include "core/Config.h"
#include "core/StationState.h"
#include "nav/PositionFile.h"
#include "ui/Platform.h"
#include "windows/MainWindow.h"

namespace ruvek {

inline constexpr const char* kGpsGood = "GPS Status: Good";
inline constexpr const char* kGpsBad = "GPS Status: BAD!";
inline constexpr const char* kGpsNoFix = "GPS Status: No Fix";
inline constexpr const char* kGpsBadChecksum = "GPS Status: Bad Checksum";

// A position file larger than this cannot be one (20 lines of at most
// kMaxPositionLineLength characters); it is a read error and is not read.
inline constexpr std::uintmax_t kMaxPositionFileBytes = 21 * (kMaxPositionLineLength + 2);

// Reads the NMEA layout of `path` with the primary and date strings of
// configuration rows 14 and 15. Sets status panel 3, nav.utcTime and utcDate
// (when the read supplies them) and nav.rawLine. An unreadable file is read
// again every 2000 ms; after six failures each further one asks the operator:
// Yes starts a fresh count, No ends this read with the BAD status (no position).
CurrPosResult ReadCurrPos(ui::Platform& platform, const CruiseConfig& config, const std::string& path,
                          ui::StatusBar& status, NavSnapshot& nav);

// Reads the MET layout of `path` into the snapshot's MET items (and the MET
// latitude and longitude indexes) and shows its date, time and position in the
// date, time, latitude and longitude boxes and the kept UTC date and time in
// the UTC boxes. Throws os::FileError when the file cannot be read or holds no
// record (the poll's position retry handles it).
DecimalPosition ReadMetRecord(const os::FileSystem& fs, const std::string& path, PollState& poll, Boxes& boxes,
                              ui::StatusBar& status);

// Shows the fields of the UDP source's datagram text in the date, time,
// latitude and longitude boxes.
void ShowDatagram(const std::string& datagram, Boxes& boxes);

}  // namespace ruvek

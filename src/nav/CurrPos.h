#pragma once
// Reading the current position file for the poll: the NMEA layout with its own
// retries and the GPS status, the MET layout and the datagram text of the UDP
// source. The text parsing itself lives in nav/PositionFile.h.
#include <cstdint>
#include <string>

#include "app/core/MainWindow.h"
#include "nav/PositionFile.h"

namespace ruvek {

inline constexpr const char* kGpsGood = "GPS Status: Good";
inline constexpr const char* kGpsBad = "GPS Status: BAD!";
inline constexpr const char* kGpsNoFix = "GPS Status: No Fix";
inline constexpr const char* kGpsBadChecksum = "GPS Status: Bad Checksum";

// A position file larger than this cannot be one (20 lines of at most
// kMaxPositionLineLength characters); it is a read error and is not read.
inline constexpr std::uintmax_t kMaxPositionFileBytes = 21 * (kMaxPositionLineLength + 2);

// Reads the NMEA layout of `path` with the primary and date strings of
// configuration rows 14 and 15. Sets status panel 3, w.nav.utcTime and utcDate
// (when the read supplies them) and w.nav.rawLine. An unreadable file is read
// again every 2000 ms; after six failures each further one asks the operator:
// Yes starts a fresh count, No ends this read with the BAD status (no position).
CurrPosResult ReadCurrPos(MainWindow& w, const std::string& path);

// Reads the MET layout of `path` into w.nav.metItems and shows its date, time
// and position in Text1(1) to Text1(4) and the kept UTC date and time in Text1(6)
// and Text1(7). Throws ui::FileError when the file cannot be read or holds no
// record (the poll's position retry handles it).
DecimalPosition ReadMetRecord(MainWindow& w, const std::string& path);

// Shows the fields of the UDP source's datagram text in Text1(1) to Text1(4).
void ShowDatagram(MainWindow& w);

}  // namespace ruvek

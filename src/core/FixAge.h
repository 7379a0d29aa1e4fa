#pragma once
// The age of the last good position, so a stale position shows before it is
// logged: normal within twice the poll's interval, amber beyond, red beyond
// five times or while the poll is stopped (F9, "Auto Fill Data" off).
#include <cstdint>
#include <optional>
#include <string>

#include "core/StationState.h"

namespace ruvek {

enum class FixAgeLevel { None, Normal, Amber, Red };

struct FixAge {
  std::optional<std::int64_t> seconds;  // whole seconds; nothing before the first fix
  FixAgeLevel level = FixAgeLevel::None;
};

// The age at `nowMs` of the fix the poll last read; `intervalMs` is the poll's
// interval and `pollRunning` whether its timer runs with automatic fill on.
FixAge FixAgeAt(const LastFix& fix, std::int64_t nowMs, int intervalMs, bool pollRunning);

// "none", "normal", "amber" or "red".
const char* FixAgeLevelName(FixAgeLevel level);

// A tick read the position `reading` (the raw sentence, the MET record's
// date, time and position, or the datagram): a text other than the last fix's
// is a new fix at `nowMs`, and true is returned. An empty reading is no fix.
bool NoteFix(LastFix& fix, const std::string& reading, std::int64_t nowMs);

}  // namespace ruvek

#include "core/FixAge.h"

#include <algorithm>

namespace ruvek {

FixAge FixAgeAt(const LastFix& fix, std::int64_t nowMs, int intervalMs, bool pollRunning) {
  FixAge age;
  if (!fix.atMs) return age;
  const std::int64_t ms = std::max<std::int64_t>(0, nowMs - *fix.atMs);
  const std::int64_t interval = std::max(1, intervalMs);
  age.seconds = ms / 1000;
  if (!pollRunning || ms > 5 * interval)
    age.level = FixAgeLevel::Red;
  else if (ms > 2 * interval)
    age.level = FixAgeLevel::Amber;
  else
    age.level = FixAgeLevel::Normal;
  return age;
}

const char* FixAgeLevelName(FixAgeLevel level) {
  switch (level) {
    case FixAgeLevel::None: return "none";
    case FixAgeLevel::Normal: return "normal";
    case FixAgeLevel::Amber: return "amber";
    case FixAgeLevel::Red: return "red";
  }
  return "none";
}

bool NoteFix(LastFix& fix, const std::string& reading, std::int64_t nowMs) {
  if (reading.empty() || (fix.atMs && reading == fix.reading)) return false;
  fix.reading = reading;
  fix.atMs = nowMs;
  return true;
}

}  // namespace ruvek

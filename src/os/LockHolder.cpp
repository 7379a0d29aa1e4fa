#include "os/LockHolder.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "os/Os.h"

namespace ruvek::os {
namespace {

std::string WallTime() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  const long ms = long(std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
  const std::tm tm = os::UtcTime(t);
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03ld", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                tm.tm_hour, tm.tm_min, tm.tm_sec, ms);
  return text;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields(1);
  for (char c : line) {
    if (c == ',')
      fields.emplace_back();
    else if (c != '\r' && c != '\n')
      fields.back() += c;
  }
  return fields;
}

}  // namespace

std::string ShareLockContent(long serial) {
  static const std::string pid = std::to_string(os::ProcessId());
  return os::HostName() + "," + pid + "," + WallTime() + "," + std::to_string(serial) + "," + os::BootId() + "\r\n";
}

bool ShareLockHolderGone(const std::string& content) {
  const std::vector<std::string> f = Fields(content);
  if (f.size() < 5 || f[0] != os::HostName() || f[4] != os::BootId() || os::BootId().empty()) return false;
  char* end = nullptr;
  const long pid = std::strtol(f[1].c_str(), &end, 10);
  if (f[1].empty() || *end || pid <= 0 || pid == os::ProcessId()) return false;
  return os::ProcessGone(pid);
}

}  // namespace ruvek::os

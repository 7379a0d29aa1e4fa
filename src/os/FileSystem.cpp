#include "os/FileSystem.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <random>
#include <string_view>
#include <utility>
#include <vector>

#include "os/FileSystemParts.h"
#include "os/Lines.h"
#include "os/Os.h"

namespace ruvek::os {
namespace {

constexpr std::string_view kTempMark = ".tmp.";

std::string randomPart() {
  static thread_local std::mt19937_64 rng([] {
    std::random_device device;
    return (std::uint64_t(device()) << 32) ^ device() ^ std::uint64_t(os::ProcessId());
  }());
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(rng()));
  return hex;
}

std::string Upper(std::string text) {
  for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// A file name Windows refuses, or takes for a device: such a name is never
// made on a shared drive where Windows stations read it, and never opens a
// device on a Windows station.
bool RefusedName(const std::string& part) {
  for (char c : part)
    if (static_cast<unsigned char>(c) < 32 || std::string_view("<>:\"|?*").find(c) != std::string_view::npos)
      return true;
  std::string base = Upper(part.substr(0, part.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" || base == "CONOUT$")
    return true;
  return base.size() == 4 && (base.rfind("COM", 0) == 0 || base.rfind("LPT", 0) == 0) && base[3] >= '1' &&
         base[3] <= '9';
}

}  // namespace

bool IsDriveForm(const std::string& path) {
  return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

std::string DriveRest(const std::string& rest, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = rest.find_first_of("\\/", start);
    if (end == std::string::npos) end = rest.size();
    const std::string part = rest.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      if (RefusedName(part)) return {};
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string out;
  for (const std::string& part : parts) out += separator + part;
  const bool folder = !rest.empty() && (rest.back() == '\\' || rest.back() == '/');
  if (out.empty() || folder) out += separator;
  return out;
}

const std::string& HostTag() {
  static const std::string tag = [] {
    std::string t = os::HostName();
    if (t.empty()) t = "host";
    for (char& c : t)
      if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-') c = '_';
    return t;
  }();
  return tag;
}

std::string TemporaryName(const std::string& hostFile, long pid) {
  return hostFile + std::string(kTempMark) + HostTag() + "." + std::to_string(pid) + "." + randomPart();
}

std::string TempNameFor(const std::string& hostFile) {
  // Asked once: the process never changes its id, and every temporary file costs no call for it.
  static const long pid = os::ProcessId();
  return TemporaryName(hostFile, pid);
}

long OwnTempPid(const std::string& name) {
  const std::size_t randomDot = name.rfind('.');
  if (randomDot == std::string::npos || randomDot == 0) return 0;
  const std::size_t pidDot = name.rfind('.', randomDot - 1);
  if (pidDot == std::string::npos) return 0;
  const std::string pid = name.substr(pidDot + 1, randomDot - pidDot - 1);
  const std::string random = name.substr(randomDot + 1);
  const std::string mark = std::string(kTempMark) + HostTag();
  if (pid.empty() || pid.size() > 9 || random.size() != 16 || pidDot < mark.size() ||
      name.compare(pidDot - mark.size(), mark.size(), mark) != 0)
    return 0;
  for (char c : pid)
    if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
  for (char c : random)
    if (!std::isxdigit(static_cast<unsigned char>(c))) return 0;
  return std::stol(pid);
}

void FileSystem::folderChanged(const std::string& hostFile) const {
  std::string folder = FolderOf(hostFile);
  if (putOff_ == 0) return FlushFolder(folder);
  if (std::find(changedFolders_.begin(), changedFolders_.end(), folder) == changedFolders_.end())
    changedFolders_.push_back(std::move(folder));
}

void FileSystem::flushFolders() const {
  for (const std::string& folder : std::exchange(changedFolders_, {})) FlushFolder(folder);
}

std::optional<std::string> LastLineFromEnd(std::int64_t size, std::size_t minLength,
                                           const std::function<std::string(std::int64_t, std::size_t)>& readAt) {
  std::string tail;
  std::int64_t from = size;
  std::int64_t block = 1 << 16;
  while (true) {
    const std::int64_t start = from > block ? from - block : 0;
    tail.insert(0, readAt(start, std::size_t(from - start)));
    from = start;
    // The first line of the tail may begin before it, unless the tail is the whole file.
    std::optional<std::string_view> last;
    bool first = true;
    ForEachLine(tail, [&](std::string_view line) {
      if ((from == 0 || !first) && line.size() >= minLength) last = line;
      first = false;
    });
    if (last) return std::string(*last);
    if (from == 0) return std::nullopt;
    block *= 2;
  }
}

std::vector<std::string> FileSystem::readLines(const std::string& path) const { return SplitLines(readAll(path)); }

std::string FileSystem::firstLine(const std::string& path) const {
  std::string first;
  ForEachLine(readAll(path), [&first](std::string_view line) {
    first = line;
    return false;
  });
  return first;
}

}  // namespace ruvek::os

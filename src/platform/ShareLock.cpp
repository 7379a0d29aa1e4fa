#include "platform/ShareLock.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <ctime>
#include <fstream>
#include <optional>
#include <random>
#include <set>
#include <vector>

namespace ruvek::ui {
namespace {

using Clock = std::chrono::steady_clock;

const std::string& HostName() {
  static const std::string host = [] {
    char name[256] = {};
    return ::gethostname(name, sizeof name - 1) == 0 ? std::string(name) : std::string("unknown");
  }();
  return host;
}

// Tells this machine's boots apart, so a process id is only ever checked on the
// machine and in the boot that gave it.
const std::string& BootId() {
  static const std::string id = [] {
    std::string line;
    std::ifstream in("/proc/sys/kernel/random/boot_id");
    std::getline(in, line);
    return line;
  }();
  return id;
}

std::string WallTime() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  const long ms = long(std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
  std::tm tm{};
  ::gmtime_r(&t, &tm);
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

// The content of a lock file; nothing when there is no such file (any more).
// A lock that cannot be read counts as one fixed content, so it too is taken
// over once it has stood long enough.
std::optional<std::string> ReadLock(const std::string& host) {
  const int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? std::nullopt : std::optional<std::string>("<unreadable>");
  std::string content;
  char buf[512];
  ssize_t n;
  while ((n = ::read(fd, buf, sizeof buf)) > 0 && content.size() < 4096) content.append(buf, std::size_t(n));
  ::close(fd);
  return content;
}

// The contents of this process's holds whose file was gone at their release:
// the share went away under the hold and took the lock file with it. Found
// again once the share is back, such a file is this process's own ended hold
// and is taken over at once instead of after the stale time.
std::set<std::string>& LeftBehind() {
  static std::set<std::string> contents;
  return contents;
}

}  // namespace

std::string ShareLockContent(long serial) {
  static const std::string pid = std::to_string(::getpid());
  return HostName() + "," + pid + "," + WallTime() + "," + std::to_string(serial) + "," + BootId() + "\r\n";
}

bool ShareLockHolderGone(const std::string& content) {
  const std::vector<std::string> f = Fields(content);
  if (f.size() < 5 || f[0] != HostName() || f[4] != BootId() || BootId().empty()) return false;
  char* end = nullptr;
  const long pid = std::strtol(f[1].c_str(), &end, 10);
  if (f[1].empty() || *end || pid <= 0 || pid == long(::getpid())) return false;
  return ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

ShareLock::ShareLock(Platform& platform, StatusBar& status, ShareLockStats& stats, ShareLockTiming timing)
    : platform_(platform), status_(status), stats_(stats), timing_(timing) {}

void ShareLock::acquire(const std::string& path) {
  if (held_) return;
  static std::atomic<long> serial = 0;
  thread_local std::minstd_rand jitter{static_cast<unsigned>(::getpid())};
  std::string host;
  try {
    host = platform_.files().hostPath(path);
  } catch (const FileError&) {
    return;  // no place to lock: the file operations it guards fail on their own
  }
  const std::string mine = ShareLockContent(++serial);
  const Clock::time_point start = Clock::now();
  std::optional<std::string> seen;
  Clock::time_point seenSince = start;
  bool waited = false, shown = false;
  const std::string statusBefore = status_.panel(1).text;
  while (true) {
    const int fd = ::open(host.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) {
      // The content only says who holds it: a full drive may leave the file
      // short or empty, and the file still holds the lock.
      const ssize_t n = ::write(fd, mine.data(), mine.size());
      struct stat st {};
      ::fstat(fd, &st);
      ::close(fd);
      device_ = st.st_dev, inode_ = st.st_ino, size_ = n > 0 ? off_t(n) : 0;
      content_ = mine.substr(0, std::size_t(size_));
      host_ = host;
      held_ = true;
      break;
    }
    if (errno == EINTR) continue;
    if (errno != EEXIST) break;
    const std::optional<std::string> content = ReadLock(host);
    if (!content) continue;  // released meanwhile
    const Clock::time_point now = Clock::now();
    if (content != seen) {
      seen = content;
      seenSince = now;
    }
    const bool leftBehind = LeftBehind().count(*content) > 0;
    if (leftBehind || now - seenSince >= timing_.staleAfter || ShareLockHolderGone(*content)) {
      if (takeOver(host, *content)) {
        if (leftBehind) LeftBehind().erase(*content);
        ++stats_.takeovers;
        continue;
      }
      // A folder where the stale lock cannot be moved takes no changes at all.
      if (errno != ENOENT) break;
      continue;
    }
    if (!waited) {
      waited = true;
      ++stats_.waits;
    }
    if (!shown && now - start >= timing_.showAfter) {
      shown = true;
      status_.setText("Waiting for " + path + "...");
    }
    platform_.realWait(int(timing_.retry.count()) + int(jitter() % 3));
  }
  if (shown) status_.setText(statusBefore);
}

// Moves the stale lock aside under a name of this process's own, so that of two
// stations taking it over at once only one removes it. When what was moved is
// not the stale lock (it was renewed in between), it is put back.
bool ShareLock::takeOver(const std::string& host, const std::string& staleContent) {
  const std::string aside = host + "." + HostName() + "-" + std::to_string(::getpid()) + ".stale";
  if (::rename(host.c_str(), aside.c_str()) != 0) return false;
  const bool stale = ReadLock(aside) == staleContent;
  if (!stale && ::link(aside.c_str(), host.c_str()) != 0 && errno != EEXIST)
    (void)::rename(aside.c_str(), host.c_str());
  ::unlink(aside.c_str());
  errno = ENOENT;
  return stale;
}

void ShareLock::release() {
  if (!held_) return;
  held_ = false;
  struct stat st {};
  if (::stat(host_.c_str(), &st) == 0) {
    if (st.st_dev == device_ && st.st_ino == inode_ && st.st_size == size_) ::unlink(host_.c_str());
  } else if ((errno == ENOENT || errno == ENOTDIR) && !content_.empty()) {
    LeftBehind().insert(content_);
  }
}

}  // namespace ruvek::ui

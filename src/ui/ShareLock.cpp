#include "ui/ShareLock.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <set>
#include <vector>

#include "os/FileSystemParts.h"
#include "os/LockHolder.h"
#include "os/Os.h"

namespace ruvek::ui {
namespace {

using Clock = std::chrono::steady_clock;

// The contents of this process's holds whose file was gone at their release:
// the share went away under the hold and took the lock file with it. Found
// again once the share is back, such a file is this process's own ended hold
// and is taken over at once instead of after the stale time.
std::set<std::string>& LeftBehind() {
  static std::set<std::string> contents;
  return contents;
}

}  // namespace

ShareLock::ShareLock(Platform& platform, StatusBar& status, ShareLockStats& stats, ShareLockTiming timing)
    : platform_(platform), status_(status), stats_(stats), timing_(timing) {}

void ShareLock::acquire(const std::string& path) {
  if (held_) return;
  static std::atomic<long> serial = 0;
  thread_local std::minstd_rand jitter{static_cast<unsigned>(os::ProcessId())};
  std::string host;
  try {
    host = platform_.files().hostPath(path);
  } catch (const os::FileError&) {
    return;  // no place to lock: the file operations it guards fail on their own
  }
  const std::string mine = os::ShareLockContent(++serial);
  const Clock::time_point start = Clock::now();
  std::optional<std::string> seen;
  Clock::time_point seenSince = start;
  bool waited = false, shown = false;
  const std::string statusBefore = status_.panel(1).text;
  while (true) {
    // The content only says who holds it: a full drive may leave the file
    // short or empty, and the file still holds the lock.
    const os::Made made = os::CreateExclusive(host, mine, id_);
    if (made == os::Made::Made) {
      content_ = mine.substr(0, std::size_t(id_.size));
      host_ = host;
      held_ = true;
      break;
    }
    if (made == os::Made::Failed) break;
    const std::optional<std::string> content = os::ReadSmall(host);
    if (!content) continue;  // released meanwhile
    const Clock::time_point now = Clock::now();
    if (content != seen) {
      seen = content;
      seenSince = now;
    }
    const bool leftBehind = LeftBehind().count(*content) > 0;
    if (leftBehind || now - seenSince >= timing_.staleAfter || os::ShareLockHolderGone(*content)) {
      const os::Moved moved = takeOver(host, *content);
      if (moved == os::Moved::Moved) {
        if (leftBehind) LeftBehind().erase(*content);
        ++stats_.takeovers;
      }
      // A folder where the stale lock cannot be moved takes no changes at all.
      if (moved == os::Moved::Refused) break;
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
// not the stale lock (it was renewed in between), it is put back and counts as
// gone: the next try finds the lock as it now stands.
os::Moved ShareLock::takeOver(const std::string& host, const std::string& staleContent) {
  const std::string aside = host + "." + os::HostTag() + "-" + std::to_string(os::ProcessId()) + ".stale";
  const os::Moved moved = os::MoveAside(host, aside);
  if (moved != os::Moved::Moved) return moved;
  const bool stale = os::ReadSmall(aside) == staleContent;
  if (!stale) os::PutBack(aside, host);
  os::RemoveFile(aside);
  return stale ? os::Moved::Moved : os::Moved::Gone;
}

void ShareLock::release() {
  if (!held_) return;
  held_ = false;
  const std::optional<os::FileId> now = os::IdOf(host_);
  if (now) {
    if (*now == id_) os::RemoveFile(host_);
  } else if (!content_.empty()) {
    LeftBehind().insert(content_);
  }
}

}  // namespace ruvek::ui

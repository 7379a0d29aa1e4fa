#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/FileSystem.h"
#include "platform/ShareLock.h"

namespace ruvek::ui {
namespace {

constexpr int kStaleSeconds = 10;

std::string Field(const std::string& line, int n) {
  std::stringstream in(line);
  std::string field;
  for (int i = 0; i <= n; ++i)
    if (!std::getline(in, field, ',')) return {};
  while (!field.empty() && (field.back() == '\r' || field.back() == '\n')) field.pop_back();
  return field;
}

void MakeFolders(const std::string& dir) {
  for (std::size_t at = dir.find('/', 1); at != std::string::npos; at = dir.find('/', at + 1))
    ::mkdir(dir.substr(0, at).c_str(), 0777);
  ::mkdir(dir.c_str(), 0777);
}

}  // namespace

InstanceLock::InstanceLock(const std::string& hostDir)
    : dir_(hostDir), path_(hostDir + (hostDir.empty() || hostDir.back() == '/' ? "" : "/") + kInstanceLockName) {}

InstanceLock::~InstanceLock() {
  if (!held_) return;
  // Another copy may have judged it stale and taken it since: that one stays.
  struct stat st {};
  if (::stat(path_.c_str(), &st) == 0 && st.st_dev == device_ && st.st_ino == inode_) ::unlink(path_.c_str());
}

bool InstanceLock::heldByOther(const std::string& content) const {
  const std::string self = ShareLockContent(0);
  if (Field(content, 0).empty() || Field(content, 4).empty()) {
    // Nothing readable: a copy starting this very moment, or a lock left
    // behind half written. The latter goes once it has stood long enough.
    struct stat st {};
    return ::stat(path_.c_str(), &st) == 0 && std::time(nullptr) - st.st_mtime < kStaleSeconds;
  }
  if (Field(content, 0) != Field(self, 0)) return true;   // another computer's
  if (Field(content, 4) != Field(self, 4)) return false;  // an earlier boot of this one
  if (Field(content, 1) == Field(self, 1)) return false;  // this process's own
  return !ShareLockHolderGone(content);
}

bool InstanceLock::acquire() {
  if (held_) return true;
  MakeFolders(dir_);
  for (int attempt = 0; attempt < 3; ++attempt) {
    // The line is written under a temporary name and linked into place, so the
    // lock is never seen without it (a copy killed in between leaves a
    // temporary the next start sweeps away, not an empty lock).
    const std::string temporary = TemporaryName(path_, ::getpid());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return true;  // a folder that takes no file: run without the lock
    const std::string line = ShareLockContent(0);
    const bool written = ::write(fd, line.data(), line.size()) == ssize_t(line.size());
    struct stat st {};
    ::fstat(fd, &st);
    ::close(fd);
    const int linked = written ? ::link(temporary.c_str(), path_.c_str()) : -1;
    const int linkError = errno;
    ::unlink(temporary.c_str());
    if (!written) return true;
    if (linked == 0) {
      device_ = st.st_dev;
      inode_ = st.st_ino;
      held_ = true;
      return true;
    }
    errno = linkError;
    if (errno != EEXIST) return true;  // a folder that takes no file: run without the lock
    std::ifstream in(path_, std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (heldByOther(content)) {
      holder_ = content;
      return false;
    }
    // Moved aside under a name of this process, so of two copies taking over
    // the same stale lock only one gets it; a lock renewed in between is put back.
    const std::string aside = TemporaryName(path_, ::getpid());
    if (::rename(path_.c_str(), aside.c_str()) != 0) continue;
    std::ifstream moved(aside, std::ios::binary);
    const std::string movedContent((std::istreambuf_iterator<char>(moved)), std::istreambuf_iterator<char>());
    if (movedContent != content && ::link(aside.c_str(), path_.c_str()) != 0) {
      // Already back in place or beyond repair: the next try reads what is there.
    }
    ::unlink(aside.c_str());
  }
  holder_ = "";
  return false;
}

}  // namespace ruvek::ui

#include "os/InstanceLock.h"

#include <filesystem>
#include <sstream>
#include <system_error>

#include "os/LockHolder.h"

namespace ruvek::os {
namespace {

std::string Field(const std::string& line, int n) {
  std::stringstream in(line);
  std::string field;
  for (int i = 0; i <= n; ++i)
    if (!std::getline(in, field, ',')) return {};
  while (!field.empty() && (field.back() == '\r' || field.back() == '\n')) field.pop_back();
  return field;
}

void MakeFolders(const std::string& hostDir) {
  std::error_code ignored;  // a folder that cannot be made shows when the lock is not
  std::filesystem::create_directories(std::filesystem::path(std::u8string(hostDir.begin(), hostDir.end())), ignored);
}

}  // namespace

InstanceLock::InstanceLock(FileSystem fs, const std::string& folder)
    : fs_(std::move(fs)),
      folder_(folder),
      lock_(folder + (folder.empty() || folder.back() == '\\' ? "" : "\\") + kInstanceLockName) {
  try {
    path_ = fs_.hostPath(lock_);
  } catch (const FileError&) {
    // Not a full path: run without the lock.
  }
}

InstanceLock::~InstanceLock() {
  if (!held_) return;
  // Another copy may have judged it stale and taken it since: that one stays.
  const auto now = os::IdOf(path_);
  if (now && now->volume == id_.volume && now->file == id_.file) os::RemoveFile(path_);
}

bool InstanceLock::heldByOther(const std::string& content) const {
  const std::string self = ShareLockContent(0);
  if (Field(content, 0).empty() || Field(content, 4).empty()) return false;  // not a copy's line
  if (Field(content, 0) != Field(self, 0)) return true;                      // another computer's
  if (Field(content, 4) != Field(self, 4)) return false;                     // an earlier boot of this one
  if (Field(content, 1) == Field(self, 1)) return false;                     // this process's own
  return !ShareLockHolderGone(content);
}

bool InstanceLock::acquire() {
  if (held_) return true;
  if (path_.empty()) return true;
  MakeFolders(fs_.hostPath(folder_));
  for (int attempt = 0; attempt < 3; ++attempt) {
    // The line is written under a temporary name and given the lock's name
    // only when whole, so the lock is never seen without it.
    try {
      if (fs_.create(lock_, ShareLockContent(0))) {
        if (const auto id = os::IdOf(path_)) id_ = *id;
        held_ = true;
        return true;
      }
    } catch (const FileError&) {
      return true;  // a folder that takes no file: run without the lock
    }
    const std::string content = os::ReadSmall(path_).value_or("");
    if (heldByOther(content)) {
      holder_ = content;
      return false;
    }
    // Moved aside under a name of this process, so of two copies taking over
    // the same stale lock only one gets it; a lock renewed in between is put back.
    const std::string aside = TemporaryName(path_, os::ProcessId());
    if (os::MoveAside(path_, aside) != os::Moved::Moved) continue;
    if (os::ReadSmall(aside).value_or("") != content) os::PutBack(aside, path_);
    os::RemoveFile(aside);
  }
  holder_ = "";
  return false;
}

}  // namespace ruvek::os

#pragma once
// One running copy per program folder. Two copies on one logging computer
// would write the same local logs and files of the program folder, so the
// first holds a lock file there for as long as it runs and the second stops.
//
// The lock file is created exclusively and holds the share lock's line (host
// name, process id, time, serial, boot id). A lock is given up as the share
// lock is: when it names a process of this machine and boot that no longer
// runs, an earlier boot of this machine, or nothing readable (the line is
// written before the lock takes its name, so a lock without it was not made
// by a copy of this program). A lock of another computer counts as held.
#include <string>

#include "os/FileSystem.h"
#include "os/Os.h"

namespace ruvek::os {

class InstanceLock {
 public:
  // The lock file of the program folder `folder` (as the program names it,
  // "C:\\RuvekGPS\\").
  InstanceLock(FileSystem fs, const std::string& folder);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // Takes the lock; false when another running copy holds it. A folder that
  // takes no file (read-only, not there and not creatable) is run without it.
  bool acquire();
  // The held lock's line, as the other copy wrote it.
  const std::string& holder() const { return holder_; }
  // The lock file, as a host path.
  const std::string& path() const { return path_; }

 private:
  bool heldByOther(const std::string& content) const;

  FileSystem fs_;
  std::string folder_, lock_, path_, holder_;
  bool held_ = false;
  os::FileId id_;
};

// The name of the lock file in the program folder.
inline constexpr const char* kInstanceLockName = "RuvekEventLog.lock";

}  // namespace ruvek::os

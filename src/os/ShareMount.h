#pragma once
// The file system a shared folder lives on. A network share that is unmounted
// under a running station leaves the bare mount point behind, an empty folder
// on the local disk; anything written there would be hidden again once the
// share returns. The station notes the folder's file system when it starts
// and treats the folder as unreachable when it is gone or lives on another
// file system. A folder that was a mount point at start and is one again
// (the share was mounted anew) is reachable on its new file system.
#include <cstdint>
#include <optional>
#include <string>

#include "os/FileSystem.h"

namespace ruvek::os {

class ShareMount {
 public:
  // Notes the file system `folder` (as the program names it) lives on now;
  // when it does not exist yet, the first file system it is seen on counts.
  void note(const FileSystem& fs, const std::string& folder);
  // True when the folder exists on the file system noted; true while no folder
  // was noted. The verdict stands until recheck(): one look serves the whole of
  // an operator's action.
  bool reachable(const FileSystem& fs);
  void recheck() { verdict_.reset(); }

 private:
  bool look(const FileSystem& fs);

  std::optional<bool> verdict_;
  bool noted_ = false;
  std::string folder_;
  std::optional<std::uint64_t> device_;  // the volume
  bool mountPoint_ = false;              // the folder is where a file system is mounted
};

}  // namespace ruvek::os

#pragma once
// The line a lock file holds (the share lock's and the program folder's), and
// whether the process it names is gone.
#include <string>

namespace ruvek::os {

// The line a hold writes into the lock file: host name, process id, time,
// serial and boot id, joined by ",".
std::string ShareLockContent(long serial);

// True when the lock content names another process of this machine (same host
// name and boot id) that no longer runs.
bool ShareLockHolderGone(const std::string& content);

}  // namespace ruvek::os

#pragma once
// The share lock: a small file beside the event number file that one logging
// computer at a time holds while it reads, raises and writes the shared event
// number, counts a station arrival and adds an event to the network logs, so
// that these never interleave between computers.
//
// The lock file is created exclusively (O_CREAT|O_EXCL, CREATE_NEW on Windows,
// which network file systems honour) and holds one line: the holder's host name, process id,
// time, the serial of this hold and the boot id of its machine, e.g.
//   lab-pc,4711,2026-06-08 03:00:00.123,17,5f1c0e4a-...
// It is removed when the holder is done, and never held across a message box
// or a fixed wait. A computer that finds it held tries again every few
// milliseconds of real time (in every mode: the holder is another computer),
// shows "Waiting for <lock path>..." in status panel 1 after a second, and
// takes the lock over when its content has stood unchanged for 10 seconds of
// its own clock (the holder died; the clocks of two computers are never
// compared), or at once when the holder was a process of this very machine
// that no longer runs, or this very process, whose hold ended while the share
// was away (the lock file went with it and came back with it). Loggers that
// do not know the lock ignore the file and work as before; no other file
// changes its format.
#include <chrono>
#include <string>

#include "os/LockHolder.h"
#include "os/Os.h"
#include "ui/Platform.h"

namespace ruvek::ui {

// How often a station had to wait for the lock, and how often it took over the
// lock of a holder that had died.
struct ShareLockStats {
  long waits = 0;
  long takeovers = 0;
};

struct ShareLockTiming {
  std::chrono::milliseconds retry{3};         // between two tries (a little more, at random)
  std::chrono::milliseconds showAfter{1000};  // the waiting text comes after this
  std::chrono::milliseconds staleAfter{10000};
};

class ShareLock {
 public:
  ShareLock(Platform& platform, StatusBar& status, ShareLockStats& stats, ShareLockTiming timing = {});
  ~ShareLock() { release(); }
  ShareLock(const ShareLock&) = delete;
  ShareLock& operator=(const ShareLock&) = delete;

  // Takes the lock file at `path` (as the program names it), waiting as long
  // as another computer holds it; nothing when this lock holds it already. A
  // folder that takes no new file (read-only, missing, full), or a path that
  // names no place on this computer (not a full path), is used without the
  // lock: the operations the lock guards then fail on their own.
  void acquire(const std::string& path);
  // Removes the lock file, unless another station has taken it over meanwhile.
  void release();
  bool held() const { return held_; }

 private:
  os::Moved takeOver(const std::string& host, const std::string& staleContent);

  Platform& platform_;
  StatusBar& status_;
  ShareLockStats& stats_;
  ShareLockTiming timing_;
  bool held_ = false;
  std::string host_;  // the lock file held, as a host path
  // The file this hold made: a file of another identity or size at the path
  // is another station's.
  os::FileId id_;
  std::string content_;  // what this hold wrote into the lock file
};

}  // namespace ruvek::ui

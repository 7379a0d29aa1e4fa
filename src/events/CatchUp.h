#pragma once
// The catch-up: the rows of the backlog (events/Backlog.h) written into the
// network logs once the share takes them again, at each poll tick and before
// each new event's own network rows, under the share lock.
//
// Each file gets its waiting rows in the order they were recorded, at once,
// and flushed; a row leaves the backlog only afterwards. A row the file holds
// already (a run ended between the write and the backlog's update) is not
// written again. An HTML log is rewritten as for an event. The last-event file
// and the CTD file take a waiting row only when it is newer (a higher number)
// than the one they hold. NUMERIC: the event number file is raised to the
// highest number forwarded, and a number another station used meanwhile is
// named to the operator; both rows stay.
#include <string>

#include "events/Backlog.h"
#include "events/EventNumber.h"
#include "windows/Station.h"

namespace ruvek {

// Where the catch-up writes: the files, the title of a new HTML log and the
// backlog file; the number file and scheme come from `settings`.
struct CatchUpTarget {
  const os::FileSystem& files;
  std::string project;
  std::string backlogPath;
};

// Writes what the share takes of the backlog; the caller has found the share
// reachable and holds the share lock. Returns the message for the operator,
// to be shown once the lock is released: empty unless the backlog emptied.
std::string CatchUp(const CatchUpTarget& target, const Settings& settings, StationState& state);

// The catch-up of a station: nothing (no file touched) while its backlog is
// empty or in local operation; else, when the share is there, under the share
// lock. Returns the message to show after the lock's release.
std::string CatchUpStation(Station& s, ui::ShareLock& lock);

// The poll tick's catch-up, with its own look at the share and its own lock;
// the message is shown after the release, and status panel 1 says how many
// events still wait. Never asks anything.
void CatchUpTick(Station& s);

// "N events saved locally are now in the network logs", with the numbers used
// twice.
std::string ForwardedMessage(std::size_t events, const std::vector<std::string>& doubled);

}  // namespace ruvek

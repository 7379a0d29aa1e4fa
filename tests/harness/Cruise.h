#pragma once
// The cruise the stress and crash harnesses record: a seeded station in
// network mode with a position file, the operator script of one event, and
// the audits of every log and one-line file the station writes.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "e2e/Station.h"
#include "harness/LogAudit.h"

namespace ruvek::harness {

// The position file's first line: the raw navigation line of every tail.
extern const char* const kRawNavLine;

// Seeds `st` as a station in network mode with the NUMERIC scheme whose data
// directory is `dataDir` (Windows form, "C:\DATA\"); its position file gives a
// position, so no event asks about the navigation. The event list holds
// `events`, in capitals where the CTD-at-depth rule should act.
void SeedStation(const test::Station& st, const std::string& dataDir, const std::vector<std::string>& events);

// The script up to a started station with the clock at `clock`.
std::string StartScript(const std::string& clock);

// One event tagged `tag` (its comments text), then "DONE <tag>" once Record
// Event has returned. The clock moves a second and a poll tick reads the time
// first, so no event asks whether the time has changed. `beforeClick` (script lines)
// runs just before the button is pressed.
std::string EventScript(const std::string& tag, const std::string& event, const std::string& beforeClick = "");

// The tags of the events whose Record Event finished, from the station's output.
std::set<std::string> DoneTags(const std::string& output);

// The host paths of a station's logs. `root` is the station folder, `data`
// the host folder of its data directory.
struct LogPaths {
  std::string localEvents, localList, localHtml;
  std::string networkEvents, networkList, networkHtml;
  std::string numberFile, localNumberFile, lastEvent, orderOccupied, ctdAtDepth;
  LogPaths(const std::string& root, const std::string& data);
};

// The event log, the list log and the HTML log.
std::vector<LogAudit> AuditLocal(const LogPaths& p);
std::vector<LogAudit> AuditNetwork(const LogPaths& p);

// What is wrong with the one-line files (event number file and its local
// copy, last-event file, order-occupied file, CTD-at-depth file), by file.
std::map<std::string, std::string> OneLineProblems(const LogPaths& p);

}  // namespace ruvek::harness

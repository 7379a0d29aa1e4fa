#include "core/Settings.h"

#include "core/TextRoutines.h"

namespace ruvek {

Settings DeriveSettings(const CruiseConfig& c) {
  Settings s;
  s.config = c;
  s.dataDir = c.row(3);
  s.navDir = c.row(4);
  // File names stay inside their folder (FileNamePart).
  s.eventListPath = EventListPathOf(s.programDir, c.row(5));
  s.eventListType = ReplaceAll(c.row(5), "Events.txt", "");
  s.eventNumberPath = s.dataDir + FileNamePart(c.row(7));
  s.localEventNumberPath = s.programDir + FileNamePart(c.row(7));
  s.currPosPath = s.navDir + FileNamePart(c.row(8));
  s.initialsPath = s.programDir + FileNamePart(c.row(6));
  s.commentOptionsPath = s.programDir + FileNamePart(c.row(18));
  s.preloadMode = c.row(17);
  s.numberScheme = ToUpper(c.row(19));
  s.sampleIntervalMs = IntervalFromRow(c.row(9), kStartIntervalMs).ms;
  s.longJulian = ToUpper(c.row(20)) == "LONG";
  return s;
}

std::string EventListPathOf(const std::string& programDir, const std::string& row5) {
  // A bare name stays inside the program directory (FileNamePart).
  return IsFullPath(row5) ? row5 : programDir + FileNamePart(row5);
}

bool StartsInCheckBoxMode(const CruiseConfig& config) { return Contains(config.row(20), "MULTI"); }

bool JulianScheme(const Settings& settings) { return settings.numberScheme == "JULIAN"; }

}  // namespace ruvek

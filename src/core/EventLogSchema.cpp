#include "core/EventLogSchema.h"

#include "core/TextRoutines.h"

namespace ruvek {

std::string CtdPrefix(const std::string& cruise) { return Trim(cruise).substr(0, 4); }

LogFileNames LogFileNamesFor(const std::string& programDir, const std::string& dataDir, const std::string& cruise,
                             const std::string& listType) {
  LogFileNames names;
  names.localHtml = programDir + cruise + "Events.htm";
  names.localEvents = programDir + cruise + "Events.csv";
  names.localList = programDir + cruise + listType + ".csv";
  names.networkHtml = dataDir + cruise + "Events.htm";
  names.networkEvents = dataDir + cruise + "Events.csv";
  names.lastEvent = dataDir + cruise + "LastEvent.csv";
  names.networkList = dataDir + cruise + listType + ".csv";
  names.ctdAtDepth = dataDir + CtdPrefix(cruise) + "CTDATDEPTH.csv";
  return names;
}

std::string EventsOnlyPath(const std::string& dataDir, const std::string& cruise) {
  return dataDir + cruise + "EventsNOMET.csv";
}

std::string GridSnapshotPath(const std::string& programDir, const std::string& cruise) {
  return programDir + cruise + "Events.ins";
}

}  // namespace ruvek

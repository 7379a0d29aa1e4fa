#include "core/EventLogSchema.h"

#include "core/TextRoutines.h"

namespace ruvek {

std::string CtdPrefix(const std::string& cruise) { return Trim(cruise).substr(0, 4); }

LogFileNames LogFileNamesFor(const std::string& programDir, const std::string& dataDir, const std::string& rawCruise,
                             const std::string& rawListType) {
  // The type of a list saved outside the program directory keeps its folder
  // ("D:\Lists\Lab"); its logs are named after the list alone ("Lab").
  const std::string listName = rawListType.substr(rawListType.find_last_of("\\/:") + 1);
  // A cruise designation holding "\" or "/" must not lead out of the folder.
  const std::string cruise = FileNamePart(rawCruise), listType = FileNamePart(listName);
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
  return dataDir + FileNamePart(cruise) + "EventsNOMET.csv";
}

std::string GridSnapshotPath(const std::string& programDir, const std::string& cruise) {
  return programDir + FileNamePart(cruise) + "Events.ins";
}

}  // namespace ruvek

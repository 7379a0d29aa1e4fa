#pragma once
// The event logs as files: their names, the columns of a log line, the header
// lines and the number of MET items a line's navigation tail carries. The
// writers (events/), the grid preload (logview/) and the poll (nav/) all read
// the logs through these names.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace ruvek {

// Number of MET items a navigation snapshot holds (0 to 200).
inline constexpr std::size_t kMetItems = 201;
// The MET items of one record.
using MetItems = std::array<std::string, kMetItems>;

// The columns of an event log line, counted from 0. The 17 columns of the
// record come first; the navigation tail follows them.
struct LogColumn {
  static constexpr std::size_t Cruise = 0, EventNo = 1, StndLine = 2, StndSta = 3, CalcLine = 4, CalcSta = 5,
                               LocalDate = 6, LocalTime = 7, DecLat = 8, DecLon = 9, Activity = 10, Event = 11,
                               Operator = 12, UtcDate = 13, UtcTime = 14, Comments = 15, OrdOcc = 16;
  static constexpr std::size_t RecordColumns = 17;
};

// Header of the network event log's companions (list logs) ...
inline constexpr std::string_view kNetworkHeader =
    "Cruise,Event#,StndLine,StndSta,CalcLine,CalcSta,DatePST,TimePST,DecLat,DecLon,Activity,Event,Operator,"
    "DateUTC,TimeUTC,Comments,Ord_Occ";
// ... and of the local event log, which names the local date and time columns.
inline constexpr std::string_view kLocalHeader =
    "Cruise,Event#,StndLine,StndSta,CalcLine,CalcSta,DateLoc,TimeLoc,DecLat,DecLon,Activity,Event,Operator,"
    "DateUTC,TimeUTC,Comments,Ord_Occ";
// Every line of every log ends so.
inline constexpr std::string_view kLineEnd = "\r\n";

// The CTD-at-depth file's name prefix: the first four characters of the trimmed
// cruise designation ("0504NH" -> "0504"), or the whole trimmed designation when
// it has four characters or fewer.
std::string CtdPrefix(const std::string& cruise);

// Every file an event is written to. programDir and dataDir end in a backslash;
// names are plain concatenations, with every "\" and "/" of the cruise made "_"
// (FileNamePart), so no name leads out of its folder. The list logs take the
// list's name without the folder or drive its type may carry:
// listType "D:\Lists\Lab" -> "0708SRLab.csv".
struct LogFileNames {
  std::string localHtml;      // programDir + cruise + "Events.htm"
  std::string localEvents;    // programDir + cruise + "Events.csv"
  std::string localList;      // programDir + cruise + listType + ".csv"
  std::string networkHtml;    // dataDir + cruise + "Events.htm"
  std::string networkEvents;  // dataDir + cruise + "Events.csv"
  std::string lastEvent;      // dataDir + cruise + "LastEvent.csv"
  std::string networkList;    // dataDir + cruise + listType + ".csv"
  std::string ctdAtDepth;     // dataDir + CtdPrefix(cruise) + "CTDATDEPTH.csv"
};
LogFileNames LogFileNamesFor(const std::string& programDir, const std::string& dataDir, const std::string& cruise,
                             const std::string& listType);

// The whole-cruise events-only export: dataDir + cruise + "EventsNOMET.csv", the
// cruise's separators made "_".
std::string EventsOnlyPath(const std::string& dataDir, const std::string& cruise);

// The grid snapshot written on quitting: programDir + cruise + "Events.ins".
std::string GridSnapshotPath(const std::string& programDir, const std::string& cruise);

}  // namespace ruvek

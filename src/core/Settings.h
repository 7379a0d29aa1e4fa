#pragma once
// A station's settings: the configuration rows and the values derived from
// them at start. The rows may change in memory while the program runs (the
// list loader, the Line.Sta and Displayed Events menus); the derived values
// change only where the program says so.
#include <map>
#include <set>
#include <string>

#include "core/Config.h"
#include "ui/Platform.h"

namespace ruvek {

// The keyword rows, each read once into its value here. A word the program does
// not know reads as Unknown, which does what such a word always did.

// Row 10, compared exactly: "NETWORK" starts the station in network mode;
// "LOCAL" and any other word (Unknown) leave that to the running state.
enum class LogMode { Network, Local, Unknown };
// Row 11, trimmed and upper-cased: the source and format of the navigation
// data. "JORDAN" is Scs; "JD" is None and, like Unknown, selects no source.
// None is also the navigation source of a station that has chosen none.
enum class NavSource { None, Network, Gps, Met, Scs, Udp, Knorr, Unknown };
// Row 17, compared exactly: the logged events the grid shows at start;
// Unknown loads none.
enum class PreloadMode { LastEvent, CurrentSta, LastSta, AllEvents, Unknown };
// Row 19, upper-cased: only Julian selects Julian numbers; Numeric and Unknown
// count on from the number file.
enum class NumberScheme { Julian, Numeric, Unknown };
// Row 21, trimmed and upper-cased: the zone of this computer's clock; Unknown
// selects no clock option.
enum class ClockZone { Pst, Pdt, Utc, Unknown };

LogMode LogModeOf(const std::string& row10);
NavSource NavSourceOf(const std::string& row11);
PreloadMode PreloadModeOf(const std::string& row17);
NumberScheme NumberSchemeOf(const std::string& row19);
ClockZone ClockZoneOf(const std::string& row21);

// The keyword of a navigation source as the station shows it ("GPS", "SCS");
// empty for None and Unknown.
const char* NavSourceName(NavSource source);
// The keyword of a preload mode as row 17 holds it ("LASTEVENT"); empty for Unknown.
const char* PreloadModeName(PreloadMode mode);

struct Settings {
  CruiseConfig config;
  std::string programDir = kProgramDir;
  std::string dataDir;                                // row 3
  std::string navDir;                                 // row 4
  std::string eventListPath;                          // programDir + row 5
  std::string eventListType;                          // row 5 without "Events.txt": "Bridge"
  std::string eventNumberPath;                        // dataDir + row 7; the local copy once the network is not used
  std::string localEventNumberPath;                   // programDir + row 7
  std::string currPosPath;                            // navDir + row 8
  std::string initialsPath;                           // programDir + row 6
  std::string commentOptionsPath;                     // programDir + row 18
  LogMode logMode = LogMode::Unknown;                 // row 10
  NavSource navSource = NavSource::Unknown;           // row 11
  PreloadMode preloadMode = PreloadMode::Unknown;     // row 17; the Displayed Events menu changes it
  NumberScheme numberScheme = NumberScheme::Unknown;  // row 19
  ClockZone clockZone = ClockZone::Unknown;           // row 21
  int sampleIntervalMs = kStartIntervalMs;            // row 9
  bool longJulian = false;                            // row 20 upper-cased is "LONG"
  // Rows the Line.Sta and Displayed Events menus changed in memory (16, 17)
  // that the file does not hold yet: every rewrite takes them from memory.
  std::set<int> menuRows;
};

// The settings of `config`, its rows kept in them.
Settings DeriveSettings(const CruiseConfig& config);

// The event list of configuration row 5: a full path as it stands
// ("D:\Lists\LabEvents.txt"), a bare name in the program directory.
std::string EventListPathOf(const std::string& programDir, const std::string& row5);

// A menu of the main window changes configuration row `row` for this run; the
// next rewrite of the file stores it.
void SetRowFromMenu(Settings& settings, ConfigRow row, const std::string& value);

// Rewrites the configuration file for a writer that changes a few rows
// (`changes`, row to value): those rows, the rows the menus changed this
// run (taken from memory) and every other row as the file holds it now, so a
// save made meanwhile in the configuration editor stays. Then the rows in memory
// take the changes; the others still govern this run. A file that is missing or
// holds no row is written from the rows in memory, and the operator is told.
// Throws os::FileError when the file cannot be read or written: nothing is
// written and the rows in memory are unchanged. With RowBlanks::Trim every row is
// written without leading and trailing blanks.
void SaveConfigRows(ui::Platform& platform, Settings& settings, const std::map<ConfigRow, std::string>& changes,
                    RowBlanks blanks = RowBlanks::Keep);

// True when configuration row 20 contains "MULTI" (case included): the event
// pickers start as check boxes.
bool StartsInCheckBoxMode(const CruiseConfig& config);

// True when the event numbers are Julian day-and-time numbers.
bool JulianScheme(const Settings& settings);

}  // namespace ruvek

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

struct Settings {
  CruiseConfig config;
  std::string programDir = kProgramDir;
  std::string dataDir;                      // row 3
  std::string navDir;                       // row 4
  std::string eventListPath;                // programDir + row 5
  std::string eventListType;                // row 5 without "Events.txt": "Bridge"
  std::string eventNumberPath;              // dataDir + row 7; the local copy once the network is not used
  std::string localEventNumberPath;         // programDir + row 7
  std::string currPosPath;                  // navDir + row 8
  std::string initialsPath;                 // programDir + row 6
  std::string commentOptionsPath;           // programDir + row 18
  std::string preloadMode;                  // row 17
  std::string numberScheme;                 // row 19 upper-cased
  int sampleIntervalMs = kStartIntervalMs;  // row 9
  bool longJulian = false;                  // row 20 upper-cased is "LONG"
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
void SetRowFromMenu(Settings& settings, int row, const std::string& value);

// Rewrites the configuration file for a writer that changes a few rows
// (`changes`, row number to value): those rows, the rows the menus changed this
// run (taken from memory) and every other row as the file holds it now, so a
// save made meanwhile in the configuration editor stays. Then the rows in memory
// take the changes; the others still govern this run. A file that is missing or
// holds no row is written from the rows in memory, and the operator is told.
// Throws os::FileError when the file cannot be read or written: nothing is
// written and the rows in memory are unchanged. With `trimRows` every row is
// written without leading and trailing blanks.
void SaveConfigRows(ui::Platform& platform, Settings& settings, const std::map<int, std::string>& changes,
                    bool trimRows = false);

// True when configuration row 20 contains "MULTI" (case included): the event
// pickers start as check boxes.
bool StartsInCheckBoxMode(const CruiseConfig& config);

// True when the event numbers are Julian day-and-time numbers.
bool JulianScheme(const Settings& settings);

}  // namespace ruvek

#pragma once
// A station's settings: the configuration rows and the values derived from
// them at start. The rows may change in memory while the program runs (the
// list loader, the Line.Sta and Displayed Events menus); the derived values
// change only where the program says so.
#include <string>

#include "core/Config.h"

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
};

// The settings of `config`, its rows kept in them.
Settings DeriveSettings(const CruiseConfig& config);

// The event list of configuration row 5: a full path as it stands
// ("D:\Lists\LabEvents.txt"), a bare name in the program directory.
std::string EventListPathOf(const std::string& programDir, const std::string& row5);

// True when configuration row 20 contains "MULTI" (case included): the event
// pickers start as check boxes.
bool StartsInCheckBoxMode(const CruiseConfig& config);

// True when the event numbers are Julian day-and-time numbers.
bool JulianScheme(const Settings& settings);

}  // namespace ruvek

#pragma once
// The demo station, built into the program: a ready configuration, event
// lists, initials, comment options, line and station files and an event number
// file, which a first run without a configuration offers to set up.
#include <string>
#include <string_view>
#include <vector>

#include "ui/Platform.h"

namespace ruvek {

struct DemoFile {
  const char* path;  // under the drive folder: "C/RuvekGPS/RuvekGPS.cfg"
  std::string_view bytes;
};

// The files of tools/demo-station, as they were when the program was built.
const std::vector<DemoFile>& DemoStationFiles();

// The configuration file is missing: asks once whether to set up the demo
// station, naming where the program looked on this computer. Yes writes every
// demo file that is not there yet (nothing is overwritten); files that cannot
// be written are reported with the first failure. True when the configuration
// file is now in place.
bool OfferDemoStation(ui::Platform& platform, const std::string& configPath);

}  // namespace ruvek

#include "core/Settings.h"

#include <optional>

#include "core/TextRoutines.h"

namespace ruvek {
namespace {

// The lines of the configuration file as they stand, or nothing when there is
// no file or it holds no row. Throws os::FileError when something is there
// that cannot be read.
std::optional<std::vector<std::string>> LinesOnDisk(const os::FileSystem& fs) {
  if (!fs.exists(kConfigPath) && !fs.folderExists(kConfigPath)) return std::nullopt;
  std::vector<std::string> lines = fs.readLines(kConfigPath);
  if (lines.size() > std::size_t(kConfigRowsWritten)) lines.resize(kConfigRowsWritten);
  for (const std::string& line : lines)
    if (!Trim(line).empty()) return lines;
  return std::nullopt;
}

}  // namespace

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

void SetRowFromMenu(Settings& settings, int row, const std::string& value) {
  settings.config.row(row) = value;
  settings.menuRows.insert(row);
}

void SaveConfigRows(ui::Platform& platform, Settings& settings, const std::map<int, std::string>& changes,
                    bool trimRows) {
  const os::FileSystem& fs = platform.files();
  const std::optional<std::vector<std::string>> onDisk = LinesOnDisk(fs);
  CruiseConfig rows = settings.config;
  if (onDisk) {
    for (int n = 1; n <= kConfigRowsWritten; ++n)
      rows.row(n) = std::size_t(n) <= onDisk->size() ? (*onDisk)[std::size_t(n - 1)] : std::string();
    for (int n : settings.menuRows) rows.row(n) = settings.config.row(n);
  }
  for (const auto& [n, value] : changes) rows.row(n) = value;
  WriteConfig(fs, rows, trimRows);
  for (const auto& [n, value] : changes) settings.config.row(n) = value;
  settings.menuRows.clear();
  if (!onDisk)
    platform.ask(std::string(kConfigPath) + " was missing or empty: it has been written again from the settings in use",
                 "", ui::Buttons::OK, ui::Icon::Exclamation);
}

bool StartsInCheckBoxMode(const CruiseConfig& config) { return Contains(config.row(20), "MULTI"); }

bool JulianScheme(const Settings& settings) { return settings.numberScheme == "JULIAN"; }

}  // namespace ruvek

#include "core/Settings.h"

#include <optional>
#include <utility>

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

template <typename Value, std::size_t N>
Value KeywordOf(const std::string& word, const std::pair<const char*, Value> (&keywords)[N], Value unknown) {
  for (const auto& [keyword, value] : keywords)
    if (word == keyword) return value;
  return unknown;
}

constexpr std::pair<const char*, NavSource> kNavSources[] = {
    {"NETWORK", NavSource::Network}, {"GPS", NavSource::Gps}, {"MET", NavSource::Met},     {"SCS", NavSource::Scs},
    {"JORDAN", NavSource::Scs},      {"UDP", NavSource::Udp}, {"KNORR", NavSource::Knorr}, {"JD", NavSource::None}};
constexpr std::pair<const char*, PreloadMode> kPreloadModes[] = {{"LASTEVENT", PreloadMode::LastEvent},
                                                                 {"CURRENTSTA", PreloadMode::CurrentSta},
                                                                 {"LASTSTA", PreloadMode::LastSta},
                                                                 {"ALLEVENTS", PreloadMode::AllEvents}};
constexpr std::pair<const char*, LogMode> kLogModes[] = {{"NETWORK", LogMode::Network}, {"LOCAL", LogMode::Local}};
constexpr std::pair<const char*, NumberScheme> kNumberSchemes[] = {{"JULIAN", NumberScheme::Julian},
                                                                   {"NUMERIC", NumberScheme::Numeric}};
constexpr std::pair<const char*, ClockZone> kClockZones[] = {
    {"PST", ClockZone::Pst}, {"PDT", ClockZone::Pdt}, {"UTC", ClockZone::Utc}};

}  // namespace

LogMode LogModeOf(const std::string& row10) { return KeywordOf(row10, kLogModes, LogMode::Unknown); }

NavSource NavSourceOf(const std::string& row11) {
  return KeywordOf(ToUpper(Trim(row11)), kNavSources, NavSource::Unknown);
}

PreloadMode PreloadModeOf(const std::string& row17) { return KeywordOf(row17, kPreloadModes, PreloadMode::Unknown); }

NumberScheme NumberSchemeOf(const std::string& row19) {
  return KeywordOf(ToUpper(row19), kNumberSchemes, NumberScheme::Unknown);
}

ClockZone ClockZoneOf(const std::string& row21) {
  return KeywordOf(ToUpper(Trim(row21)), kClockZones, ClockZone::Unknown);
}

const char* NavSourceName(NavSource source) {
  // "SCS" comes before "JORDAN", its other name.
  for (const auto& [keyword, value] : kNavSources)
    if (value == source && value != NavSource::None) return keyword;
  return "";
}

const char* PreloadModeName(PreloadMode mode) {
  for (const auto& [keyword, value] : kPreloadModes)
    if (value == mode) return keyword;
  return "";
}

Settings DeriveSettings(const CruiseConfig& c) {
  Settings s;
  s.config = c;
  s.dataDir = c[ConfigRow::DataDir];
  s.navDir = c[ConfigRow::NavDir];
  // File names stay inside their folder (FileNamePart).
  s.eventListPath = EventListPathOf(s.programDir, c[ConfigRow::EventFile]);
  s.eventListType = ReplaceAll(c[ConfigRow::EventFile], "Events.txt", "");
  s.eventNumberPath = s.dataDir + FileNamePart(c[ConfigRow::EventNumberFile]);
  s.localEventNumberPath = s.programDir + FileNamePart(c[ConfigRow::EventNumberFile]);
  s.currPosPath = s.navDir + FileNamePart(c[ConfigRow::CurrPosFile]);
  s.initialsPath = s.programDir + FileNamePart(c[ConfigRow::InitialsFile]);
  s.commentOptionsPath = s.programDir + FileNamePart(c[ConfigRow::CommentOptionsFile]);
  s.logMode = LogModeOf(c[ConfigRow::NetworkOrLocal]);
  s.navSource = NavSourceOf(c[ConfigRow::NavSource]);
  s.preloadMode = PreloadModeOf(c[ConfigRow::PreloadMode]);
  s.numberScheme = NumberSchemeOf(c[ConfigRow::NumberScheme]);
  s.clockZone = ClockZoneOf(c[ConfigRow::PcClock]);
  s.sampleIntervalMs = IntervalFromRow(c[ConfigRow::SamplingRate], kStartIntervalMs).ms;
  s.longJulian = ToUpper(c[ConfigRow::JulianOrPickers]) == "LONG";
  return s;
}

std::string EventListPathOf(const std::string& programDir, const std::string& row5) {
  // A bare name stays inside the program directory (FileNamePart).
  return IsFullPath(row5) ? row5 : programDir + FileNamePart(row5);
}

void SetRowFromMenu(Settings& settings, ConfigRow row, const std::string& value) {
  settings.config[row] = value;
  settings.menuRows.insert(int(row));
}

void SaveConfigRows(ui::Platform& platform, Settings& settings, const std::map<ConfigRow, std::string>& changes,
                    RowBlanks blanks) {
  const os::FileSystem& fs = platform.files();
  const std::optional<std::vector<std::string>> onDisk = LinesOnDisk(fs);
  CruiseConfig rows = settings.config;
  if (onDisk) {
    for (int n = 1; n <= kConfigRowsWritten; ++n)
      rows.row(n) = std::size_t(n) <= onDisk->size() ? (*onDisk)[std::size_t(n - 1)] : std::string();
    for (int n : settings.menuRows) rows.row(n) = settings.config.row(n);
  }
  for (const auto& [row, value] : changes) rows[row] = value;
  WriteConfig(fs, rows, blanks);
  for (const auto& [row, value] : changes) settings.config[row] = value;
  settings.menuRows.clear();
  if (!onDisk)
    platform.ask(std::string(kConfigPath) + " was missing or empty: it has been written again from the settings in use",
                 "", ui::Buttons::OK, ui::Icon::Exclamation);
}

bool StartsInCheckBoxMode(const CruiseConfig& config) { return Contains(config[ConfigRow::JulianOrPickers], "MULTI"); }

bool JulianScheme(const Settings& settings) { return settings.numberScheme == NumberScheme::Julian; }

}  // namespace ruvek

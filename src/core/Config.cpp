#include "core/Config.h"

#include <algorithm>
#include <cmath>

#include "core/Format.h"
#include "core/TextRoutines.h"

namespace ruvek {
namespace {
std::string TrimBlanks(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const auto last = s.find_last_not_of(' ');
  return s.substr(first, last - first + 1);
}
}  // namespace

void ReadConfig(const ui::FileSystem& fs, CruiseConfig& config, const std::string& path) {
  config = CruiseConfig{};
  const auto lines = fs.readLines(path);
  for (std::size_t i = 0; i < lines.size() && i < std::size_t(kConfigRows); ++i)
    config.rows[i + 1] = TrimBlanks(lines[i]);
}

void WriteConfig(const ui::FileSystem& fs, const CruiseConfig& config, bool trimRows, const std::string& path) {
  std::string out;
  for (int n = 1; n <= kConfigRowsWritten; ++n) {
    out += trimRows ? TrimBlanks(config.row(n)) : config.row(n);
    out += "\r\n";
  }
  fs.replace(path, out);
}

int SampleIntervalFromRow(const std::string& row9, int whenZero) {
  const double value = LeadingNumber(row9);
  long long ms = RoundHalfEven(value);
  if (ms == 0) ms = whenZero;
  return int(std::clamp<long long>(ms, 1, 65535));
}

DerivedSettings DeriveSettings(const CruiseConfig& c) {
  DerivedSettings d;
  d.dataDir = c.row(3);
  d.navDir = c.row(4);
  d.eventListPath = d.programDir + c.row(5);
  d.eventListType = ReplaceAll(c.row(5), "Events.txt", "");
  d.eventNumberPath = d.dataDir + c.row(7);
  d.localEventNumberPath = d.programDir + c.row(7);
  d.currPosPath = d.navDir + c.row(8);
  d.sampleIntervalMs = SampleIntervalFromRow(c.row(9), 15000);
  d.preloadMode = c.row(17);
  d.numberScheme = ToUpper(c.row(19));
  d.multiMode = c.row(20).find("MULTI") != std::string::npos;
  d.longJulian = ToUpper(c.row(20)) == "LONG";
  d.initialsPath = d.programDir + c.row(6);
  d.commentOptionsPath = d.programDir + c.row(18);
  d.linesPath = d.programDir + "Lines.txt";
  d.line93Path = d.programDir + "Line93.txt";
  return d;
}

}  // namespace ruvek

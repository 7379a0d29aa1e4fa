#include "core/Config.h"

#include <algorithm>

#include "core/Format.h"
#include "core/TextRoutines.h"

namespace ruvek {
namespace {
// Rows are trimmed of spaces only: a tab is part of a row.
std::string TrimSpaces(const std::string& row) { return Trim(row, " "); }
}  // namespace

void ReadConfig(const ui::FileSystem& fs, CruiseConfig& config, const std::string& path) {
  config = CruiseConfig{};
  const auto lines = fs.readLines(path);
  for (std::size_t i = 0; i < lines.size() && i < std::size_t(kConfigRows); ++i)
    config.rows[i + 1] = TrimSpaces(lines[i]);
}

void WriteConfig(const ui::FileSystem& fs, const CruiseConfig& config, bool trimRows, const std::string& path) {
  std::string out;
  for (int n = 1; n <= kConfigRowsWritten; ++n) {
    out += trimRows ? TrimSpaces(config.row(n)) : config.row(n);
    out += "\r\n";
  }
  fs.replace(path, out);
}

PollInterval IntervalFromRow(const std::string& row9, int whenUnset) {
  const double value = LeadingNumber(row9);
  if (!(value > 0)) return {whenUnset, false};
  if (value > kLongestInterval) return {kLongestInterval, true};
  return {int(std::max<long long>(RoundHalfEven(value), 1)), false};
}

}  // namespace ruvek

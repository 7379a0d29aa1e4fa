#include "core/Config.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "core/Format.h"
#include "core/TextRoutines.h"

namespace ruvek {
namespace {
// Rows are trimmed of spaces only: a tab is part of a row.
std::string TrimSpaces(const std::string& row) { return Trim(row, " "); }
}  // namespace

void ReadConfig(const os::FileSystem& fs, CruiseConfig& config, const std::string& path) {
  config = CruiseConfig{};
  const auto lines = fs.readLines(path);
  for (std::size_t i = 0; i < lines.size() && i < std::size_t(kConfigRows); ++i)
    config.rows[i + 1] = TrimSpaces(lines[i]);
}

void WriteConfig(const os::FileSystem& fs, const CruiseConfig& config, RowBlanks blanks, const std::string& path) {
  std::string out;
  for (int n = 1; n <= kConfigRowsWritten; ++n) {
    std::string row = blanks == RowBlanks::Trim ? TrimSpaces(config.row(n)) : config.row(n);
    // A line break inside a row would shift every later row.
    std::replace_if(
        row.begin(), row.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    out += row + "\r\n";
  }
  fs.replace(path, out);
}

bool IsFullPath(const std::string& path) {
  if (!path.empty() && path[0] == '/') return true;
  return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
         (path[2] == '\\' || path[2] == '/');
}

std::vector<std::string> DirectoryRowProblems(const CruiseConfig& config) {
  static const std::pair<ConfigRow, const char*> kDirectoryRows[] = {{ConfigRow::DataDir, "Data Directory:"},
                                                                     {ConfigRow::NavDir, "Nav Directory:"}};
  std::vector<std::string> problems;
  for (const auto& [row, label] : kDirectoryRows) {
    const std::string& value = config[row];
    if (!IsFullPath(value))
      problems.push_back(std::string(label) + " " + (value.empty() ? "(empty)" : value) + " is not a full path");
  }
  return problems;
}

PollInterval IntervalFromRow(const std::string& row9, int whenUnset) {
  const double value = LeadingNumber(row9);
  if (!(value > 0)) return {whenUnset, false};
  if (value > kLongestInterval) return {kLongestInterval, true};
  return {int(std::max<long long>(RoundHalfEven(value), 1)), false};
}

}  // namespace ruvek

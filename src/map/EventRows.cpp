#include "map/EventRows.h"

#include <charconv>
#include <cmath>

namespace ruvek {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

}  // namespace

RecordViews SplitRecord(std::string_view row) {
  RecordViews cols{};
  std::size_t start = 0;
  for (std::size_t i = 0; i < cols.size(); ++i) {
    const std::size_t comma = row.find(',', start);
    cols[i] = row.substr(start, comma == std::string_view::npos ? row.npos : comma - start);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  std::string_view& last = cols.back();
  last = last.substr(0, last.find('$'));
  return cols;
}

bool IsEventRow(std::string_view row, const RecordViews& cols) {
  // As the grid preload counts event lines: 11 characters or more.
  constexpr std::size_t kShortest = 11;
  return row.size() >= kShortest && Trim(cols[LogColumn::EventNo]) != "Event#";
}

bool ParseDegrees(std::string_view text, double maxAbs, double& value) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double v = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size() || text.empty()) return false;
  if (!std::isfinite(v) || std::abs(v) > maxAbs || v == -99) return false;
  value = v;
  return true;
}

bool RowPosition(const RecordViews& row, double& lat, double& lon) {
  if (!ParseDegrees(row[LogColumn::DecLat], 90, lat) || !ParseDegrees(row[LogColumn::DecLon], 180, lon)) return false;
  return lat != 0 || lon != 0;
}

void EventLogFollower::reset() {
  offset_ = 0;
  rows_ = 0;
  withoutPosition_ = 0;
}

void EventLogFollower::follow(const std::string& path) {
  path_ = path;
  reset();
}

bool EventLogFollower::update(const os::FileSystem& fs, std::vector<MapEvent>& events) {
  if (path_.empty()) return false;
  const auto size = fs.size(path_);
  if (!size) {
    const bool had = offset_ != 0;
    reset();
    events.clear();
    return had;
  }
  bool changed = false;
  if (*size < offset_) {
    reset();
    events.clear();
    changed = true;
  }
  if (*size == offset_) return changed;
  const std::string data = fs.readFrom(path_, offset_);
  std::size_t start = 0;
  while (start < data.size()) {
    const std::size_t end = data.find('\n', start);
    if (end == std::string::npos) break;  // a row still being written: next time
    std::string_view line(data.data() + start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t row = rows_++;
    const RecordViews cols = SplitRecord(line);
    if (!IsEventRow(line, cols)) continue;
    MapEvent e;
    if (!RowPosition(cols, e.lat, e.lon)) {
      ++withoutPosition_;
      continue;
    }
    e.row = row;
    e.number = Trim(cols[LogColumn::EventNo]);
    e.name = Trim(cols[LogColumn::Event]);
    e.activity = Trim(cols[LogColumn::Activity]);
    e.localDate = Trim(cols[LogColumn::LocalDate]);
    e.localTime = Trim(cols[LogColumn::LocalTime]);
    e.utcDate = Trim(cols[LogColumn::UtcDate]);
    e.utcTime = Trim(cols[LogColumn::UtcTime]);
    e.line = Trim(cols[LogColumn::StndLine]);
    e.sta = Trim(cols[LogColumn::StndSta]);
    e.comments = Trim(cols[LogColumn::Comments]);
    events.push_back(std::move(e));
  }
  offset_ += start;
  return changed || start > 0;
}

}  // namespace ruvek

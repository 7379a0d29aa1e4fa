#pragma once
// The events of a cruise as the map and the GIS export read them from an event
// log: the record columns of each row, its position as numbers. A follower
// remembers how far it read, so a map refreshed at every poll tick reads only
// the rows appended since.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/EventLogSchema.h"
#include "os/FileSystem.h"

namespace ruvek {

// The record columns of one log row (the navigation tail is not split), each a
// view into the row. A row with fewer columns leaves the rest empty. The
// navigation tail follows the last column without a comma: that column ends
// at the raw line's "$".
using RecordViews = std::array<std::string_view, LogColumn::RecordColumns>;
RecordViews SplitRecord(std::string_view row);

// Whether a row is an event: a header line (a local log has one) and short or
// blank lines are none, and are not counted as events without a position.
bool IsEventRow(std::string_view row, const RecordViews& cols);

// A decimal degree text as a number; false for a text that is not one, for
// -99 (no valid value) and for a value beyond the globe's range.
bool ParseDegrees(std::string_view text, double maxAbs, double& value);

// The position of a row: false for a row logged without a valid fix (either
// value -99 or not a number, or both 0 when the tick read nothing).
bool RowPosition(const RecordViews& row, double& lat, double& lon);

struct MapEvent {
  double lat = 0, lon = 0;
  std::string number, name, activity, localDate, localTime, utcDate, utcTime, line, sta, comments;
  std::size_t row = 0;  // counted from 0 in the log
};

// Reads an event log incrementally: each update takes the complete rows
// appended since the last one. A log that got shorter (replaced) is read again
// from its start.
class EventLogFollower {
 public:
  // A new log to follow; forgets what was read.
  void follow(const std::string& path);
  const std::string& path() const { return path_; }
  // Reads the new rows and appends their events to `events`; true when there
  // were any. A log read again from its start (or gone) empties `events`
  // first. A missing log is an empty one; a log that cannot be read throws
  // os::FileError and leaves `events` as it was.
  bool update(const os::FileSystem& fs, std::vector<MapEvent>& events);

  // Rows of the log that carry no valid position.
  std::size_t withoutPosition() const { return withoutPosition_; }
  std::uintmax_t offset() const { return offset_; }

 private:
  void reset();
  std::string path_;
  std::uintmax_t offset_ = 0;
  std::size_t rows_ = 0;
  std::size_t withoutPosition_ = 0;
};

}  // namespace ruvek

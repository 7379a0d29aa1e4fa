#include "logview/EventGrid.h"

#include <algorithm>
#include <utility>

#include "core/EventLogSchema.h"
#include "core/Format.h"
#include "core/Superseded.h"
#include "core/TextRoutines.h"

namespace ruvek {
namespace {

// Slots a log line is split into: the 17 columns of the record and the first
// fields of its navigation tail.
constexpr int kSlots = 20;
// A line this long or longer is an event line; shorter ones (blank lines) are not.
constexpr std::size_t kEventLineLength = 11;
// The grid shows columns up to Comments; the rows of a pass stop splitting there.
constexpr int kMappedSlots = LogColumn::Comments + 1;

using Row = std::vector<std::string>;

// Reference line and station are compared as single-precision numbers, so
// "60", "60.0" and "60.00" are the same station.
float StationNumber(const std::string& text) { return float(LeadingNumber(text)); }

bool AtStation(const std::vector<std::string>& slots, float line, float station) {
  return StationNumber(slots[LogColumn::StndLine]) == line && StationNumber(slots[LogColumn::StndSta]) == station;
}

// The rows to show, oldest first; once `limit` rows are held the newest row
// takes the place (and the storage) of the oldest.
class ShownRows {
 public:
  explicit ShownRows(std::size_t limit) : limit_(limit) {}
  // The row to fill next.
  Row& next() {
    if (count_ < limit_) {
      if (ring_.size() <= count_) ring_.emplace_back(kGridCols);
      return ring_[count_++];
    }
    Row& oldest = ring_[start_];
    start_ = (start_ + 1) % limit_;
    return oldest;
  }
  void add(const std::vector<std::string>& slots, PositionText position) { FillGridRow(next(), slots, position); }
  std::size_t size() const { return count_; }
  const Row& at(std::size_t i) const { return ring_[(start_ + i) % limit_]; }

 private:
  std::size_t limit_;
  std::vector<Row> ring_;
  std::size_t start_ = 0, count_ = 0;
};

// The slots of one line, split anew for every line of a pass; slots a short
// line does not reach keep the previous line's values.
class LineSlots {
 public:
  const std::vector<std::string>& split(const std::string& line) {
    SplitCommas(line, slots_, kMappedSlots);
    return slots_;
  }

 private:
  std::vector<std::string> slots_ = std::vector<std::string>(kSlots);
};

// Second pass of "LASTSTA": every line logged at the station of the last event.
void LoadStationRows(const os::FileSystem& fs, const std::string& path, float line, float station, ShownRows& shown) {
  LineSlots slots;
  fs.forEachLine(path, [&](std::string& text) {
    if (!IsEventLine(text)) return;
    const auto& s = slots.split(text);
    if (AtStation(s, line, station)) shown.add(s, PositionText::AsLogged);
  });
}

// The pass that finds the last event line and, where the mode needs nothing
// else first, fills the rows on the way: "ALLEVENTS" every event line,
// "CURRENTSTA" the event lines logged at the line and station the boxes show.
// False when the log holds no event line.
bool FirstPass(const os::FileSystem& fs, const PreloadSource& source, ShownRows& shown,
               std::string& lastSeenLastEvent) {
  bool found = false;
  const bool all = source.mode == PreloadMode::AllEvents, current = source.mode == PreloadMode::CurrentSta;
  const float line = StationNumber(source.line), station = StationNumber(source.station);
  LineSlots slots;
  fs.forEachLine(source.logPath, [&](std::string& text) {
    if (!IsEventLine(text)) return;
    if (all) shown.add(slots.split(text), PositionText::AsLogged);
    if (current) {
      const auto& s = slots.split(text);
      if (AtStation(s, line, station)) shown.add(s, PositionText::Cut);
    }
    // Taken, not copied: the lines carry long navigation tails.
    lastSeenLastEvent.swap(text);
    found = true;
  });
  return found;
}

void ShowRows(EventGridRows& rows, const ShownRows& shown) {
  for (std::size_t i = 0; i < shown.size(); ++i) rows.showPreloaded(int(i) + 1, shown.at(i));
}

}  // namespace

bool IsEventLine(const std::string& line) {
  return line.size() >= kEventLineLength && line.rfind("Cruise,Event#", 0) != 0;
}

std::vector<std::string> GridRowFromSlots(const std::vector<std::string>& slots, PositionText position) {
  Row row(kGridCols);
  FillGridRow(row, slots, position);
  return row;
}

void FillGridRow(std::vector<std::string>& row, const std::vector<std::string>& slots, PositionText position) {
  static const std::string kNone;
  auto slot = [&slots](std::size_t k) -> const std::string& { return k < slots.size() ? slots[k] : kNone; };
  row.resize(kGridCols);
  // Grid columns Evt#, Line, Sta, Date, Time, Event, Lat, Lon, Init, Comments:
  // the preload shows the local date and time.
  using C = LogColumn;
  static const std::size_t kSlotOfColumn[kGridCols] = {C::EventNo, C::StndLine, C::StndSta, C::LocalDate, C::LocalTime,
                                                       C::Event,   C::DecLat,   C::DecLon,  C::Operator,  C::Comments};
  for (std::size_t c = 0; c < std::size_t(kGridCols); ++c) row[c] = slot(kSlotOfColumn[c]);
  if (position == PositionText::Cut) {
    row[GridColumn::Lat].resize(std::min<std::size_t>(row[GridColumn::Lat].size(), 6));
    row[GridColumn::Lon].resize(std::min<std::size_t>(row[GridColumn::Lon].size(), 7));
  }
}

void PreloadEventLog(const os::FileSystem& fs, const PreloadSource& source, EventGridRows& rows, NumberState& numbers) {
  rows.startPreload();
  if (!fs.exists(source.logPath)) return;
  const PreloadMode mode = source.mode;
  ShownRows shown(mode == PreloadMode::AllEvents ? kAllEventsShown : kEventRows);
  try {
    // "ALLEVENTS" and "CURRENTSTA" fill their rows in the pass that finds the
    // last event; the other modes need only the last event first, read from
    // the end of the file.
    if (mode == PreloadMode::AllEvents || mode == PreloadMode::CurrentSta) {
      FirstPass(fs, source, shown, numbers.lastSeenLastEvent);
    } else {
      // A header as the last long line (a log holding only its header): the
      // last event, if any, comes from a pass over the whole log. A log
      // without any event line shows no row.
      auto last = fs.lastLineOfAtLeast(source.logPath, kEventLineLength);
      if (last && IsEventLine(*last))
        numbers.lastSeenLastEvent = std::move(*last);
      else if (!last || !FirstPass(fs, source, shown, numbers.lastSeenLastEvent))
        return;
    }
    std::vector<std::string> slots(kSlots);
    SplitCommas(numbers.lastSeenLastEvent, slots, kSlots);
    if (mode == PreloadMode::LastEvent) shown.add(slots, PositionText::AsLogged);
    if (mode == PreloadMode::LastSta)
      LoadStationRows(fs, source.logPath, StationNumber(slots[LogColumn::StndLine]),
                      StationNumber(slots[LogColumn::StndSta]), shown);
  } catch (const os::FileError&) {
    // A log that cannot be read shows what was read before the failure.
  }
  ShowRows(rows, shown);
}

std::vector<bool> SupersededGridRows(const ui::Grid& grid) {
  std::vector<std::string> numbers(std::size_t(std::max(grid.rows(), 0)));
  for (int r = grid.fixedRows; r < grid.rows(); ++r) numbers[std::size_t(r)] = grid.cell(r, GridColumn::EventNo);
  return SupersededEntries(numbers);
}

void MarkDisplayedEvents(Menus& menus, PreloadMode mode) {
  const std::pair<ui::Menu*, PreloadMode> entries[] = {{&menus.lastEvent, PreloadMode::LastEvent},
                                                       {&menus.currentStation, PreloadMode::CurrentSta},
                                                       {&menus.lastStation, PreloadMode::LastSta},
                                                       {&menus.allEvents, PreloadMode::AllEvents}};
  for (const auto& [entry, entryMode] : entries) entry->checked = mode == entryMode;
}

void ChooseDisplayedEvents(Menus& menus, ui::Menu& entry, PreloadMode mode, Settings& settings) {
  if (entry.checked) return;
  for (ui::Menu* m : {&menus.lastEvent, &menus.currentStation, &menus.lastStation, &menus.allEvents})
    m->checked = m == &entry;
  settings.preloadMode = mode;
  SetRowFromMenu(settings, ConfigRow::PreloadMode, PreloadModeName(mode));
}

}  // namespace ruvek

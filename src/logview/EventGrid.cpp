#include "logview/EventGrid.h"

#include <cerrno>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <unistd.h>

#include "app/core/Format.h"
#include "app/core/TextRoutines.h"

namespace ruvek {
namespace {

// Slots a log line is split into: columns 1 to 20 of the record.
constexpr int kSlots = 20;

using Row = std::vector<std::string>;

// Reference line and station are compared as single-precision numbers, so
// "60", "60.0" and "60.00" are the same station.
float StationNumber(const std::string& text) { return float(LeadingNumber(text)); }

bool AtStation(const std::vector<std::string>& slots, float line, float station) {
  return StationNumber(slots[2]) == line && StationNumber(slots[3]) == station;
}

// The rows to show, oldest first; once `limit` rows are held the oldest goes.
class ShownRows {
 public:
  explicit ShownRows(std::size_t limit) : limit_(limit) {}
  void add(Row row) {
    rows_.push_back(std::move(row));
    if (rows_.size() > limit_) rows_.pop_front();
  }
  const std::deque<Row>& rows() const { return rows_; }

 private:
  std::size_t limit_;
  std::deque<Row> rows_;
};

// Second pass of the station modes: every line logged at the reference station.
void LoadStationRows(MainWindow& w, const std::string& path, float line, float station, bool cutPosition,
                     ShownRows& shown) {
  std::vector<std::string> slots(kSlots);
  ForEachFileLine(w.fs(), path, [&](const std::string& text) {
    SplitCommas(text, slots, kSlots);
    if (AtStation(slots, line, station)) shown.add(GridRowFromSlots(slots, false, cutPosition));
  });
}

// Second pass of "ALLEVENTS": every line, the header line excepted. The network
// event log has no header, but a log started by another logger may have one.
void LoadAllRows(MainWindow& w, const std::string& path, ShownRows& shown) {
  std::vector<std::string> slots(kSlots);
  bool first = true;
  ForEachFileLine(w.fs(), path, [&](const std::string& text) {
    const bool header = first && text.rfind("Cruise,", 0) == 0;
    first = false;
    if (header) return;
    SplitCommas(text, slots, kSlots);
    shown.add(GridRowFromSlots(slots, false, false));
  });
}

void ShowRows(MainWindow& w, const ShownRows& shown) {
  int r = 1;
  for (const Row& row : shown.rows()) {
    for (int c = 0; c < kGridCols; ++c) w.eventLog->setCell(r, c, row[std::size_t(c)]);
    w.gridRowCount = ++r;
  }
}

}  // namespace

int RowForNewEvent(MainWindow& w) {
  if (w.gridRowCount < 1) w.gridRowCount = 1;
  if (w.gridRowCount > kEventRows) {
    w.eventLog->removeRow(1);
    w.gridRowCount = kEventRows;
  }
  return w.gridRowCount;
}

std::vector<std::string> GridRowFromSlots(const std::vector<std::string>& slots, bool withComments,
                                          bool cutPosition) {
  auto slot = [&slots](std::size_t k) -> const std::string& {
    static const std::string kNone;
    return k < slots.size() ? slots[k] : kNone;
  };
  std::string lat = slot(8), lon = slot(9);
  if (cutPosition) {
    lat = lat.substr(0, 6);
    lon = lon.substr(0, 7);
  }
  return {slot(1), slot(2), slot(3), slot(6), slot(7), slot(11), lat, lon, slot(12),
          withComments ? slot(15) : std::string()};
}

void ForEachFileLine(const ui::FileSystem& fs, const std::string& path,
                     const std::function<void(const std::string&)>& visit) {
  const int fd = ::open(fs.hostPath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw ui::FileError("cannot open " + path + ": " + std::strerror(errno), path);
  std::string line;
  bool afterCr = false;  // an LF right after a CR ends no second line
  char buf[1 << 16];
  while (true) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const std::string why = std::strerror(errno);
      ::close(fd);
      throw ui::FileError("cannot read " + path + ": " + why, path);
    }
    if (n == 0) break;
    const char* p = buf;
    const char* end = buf + n;
    while (p < end) {
      if (afterCr && *p == '\n') ++p;
      afterCr = false;
      const char* stop = p;
      while (stop < end && *stop != '\r' && *stop != '\n') ++stop;
      line.append(p, stop);
      if (stop == end) break;
      afterCr = *stop == '\r';
      visit(line);
      line.clear();
      p = stop + 1;
    }
  }
  ::close(fd);
  if (!line.empty()) visit(line);
}

void PreloadEventLog(MainWindow& w) {
  w.gridRowCount = 0;
  const std::string path = w.settings.dataDir + w.text1[0]->text() + "Events.csv";
  if (!w.fs().exists(path)) return;
  const std::string& mode = w.settings.preloadMode;
  ShownRows shown(mode == "ALLEVENTS" ? kAllEventsShown : kEventRows);
  try {
    ForEachFileLine(w.fs(), path, [&w](const std::string& line) {
      if (line.size() >= 11) w.lastSeenLastEvent = line;
    });
    std::vector<std::string> slots(kSlots);
    SplitCommas(w.lastSeenLastEvent, slots, kSlots);
    if (mode == "LASTEVENT") {
      shown.add(GridRowFromSlots(slots, true, false));
    } else if (mode == "LASTSTA") {
      LoadStationRows(w, path, StationNumber(slots[2]), StationNumber(slots[3]), false, shown);
    } else if (mode == "CURRENTSTA") {
      LoadStationRows(w, path, StationNumber(w.combo3->text()), StationNumber(w.combo4->text()), true, shown);
    } else if (mode == "ALLEVENTS") {
      LoadAllRows(w, path, shown);
    }
  } catch (const ui::FileError&) {
    // A log that cannot be read shows what was read before the failure.
  }
  ShowRows(w, shown);
}

void ChooseDisplayedEvents(MainWindow& w, Menu* entry, const std::string& mode) {
  if (entry->checked) return;
  for (Menu* m : {w.mnuLastEvent, w.mnuCurrSta, w.mnuLastSta, w.mnuAllEvents}) m->checked = m == entry;
  w.settings.preloadMode = mode;
  w.config.row(17) = mode;
}

void WireLogView(MainWindow& w) {
  const std::pair<Menu*, const char*> entries[] = {{w.mnuLastEvent, "LASTEVENT"},
                                                   {w.mnuCurrSta, "CURRENTSTA"},
                                                   {w.mnuLastSta, "LASTSTA"},
                                                   {w.mnuAllEvents, "ALLEVENTS"}};
  for (const auto& [entry, mode] : entries)
    entry->onClick = [&w, entry = entry, mode = std::string(mode)] { ChooseDisplayedEvents(w, entry, mode); };
}

}  // namespace ruvek

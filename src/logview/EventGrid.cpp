#include "logview/EventGrid.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/Format.h"
#include "core/TextRoutines.h"

namespace ruvek {
namespace {

// Slots a log line is split into: columns 1 to 20 of the record.
constexpr int kSlots = 20;
// A line this long or longer is an event line; shorter ones (blank lines) are not.
constexpr std::size_t kEventLineLength = 11;
// The grid shows slots up to 15 (Comments); the rows of a pass stop splitting there.
constexpr int kMappedSlots = 16;

using Row = std::vector<std::string>;

// Reference line and station are compared as single-precision numbers, so
// "60", "60.0" and "60.00" are the same station.
float StationNumber(const std::string& text) { return float(LeadingNumber(text)); }

bool AtStation(const std::vector<std::string>& slots, float line, float station) {
  return StationNumber(slots[2]) == line && StationNumber(slots[3]) == station;
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
  void add(const std::vector<std::string>& slots, bool withComments, bool cutPosition) {
    FillGridRow(next(), slots, withComments, cutPosition);
  }
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

// The network event log has no header, but a log started by another logger
// may have one.
bool IsHeader(const std::string& line) { return line.rfind("Cruise,", 0) == 0; }

// Second pass of "LASTSTA": every line logged at the station of the last event.
void LoadStationRows(MainWindow& w, const std::string& path, float line, float station, ShownRows& shown) {
  LineSlots slots;
  ForEachFileLine(w.fs(), path, [&](std::string& text) {
    const auto& s = slots.split(text);
    if (AtStation(s, line, station)) shown.add(s, false, false);
  });
}

// The pass every mode makes: it finds the last event line (11 characters or
// more) and, where the mode needs nothing else first, fills the rows on the way:
// "ALLEVENTS" every line but a header line, "CURRENTSTA" the lines logged at
// the line and station the boxes show.
void FirstPass(MainWindow& w, const std::string& path, const std::string& mode, ShownRows& shown) {
  const bool all = mode == "ALLEVENTS", current = mode == "CURRENTSTA";
  const float line = StationNumber(w.combo3->text()), station = StationNumber(w.combo4->text());
  LineSlots slots;
  bool first = true;
  ForEachFileLine(w.fs(), path, [&](std::string& text) {
    const bool header = first && IsHeader(text);
    first = false;
    if (all && !header) shown.add(slots.split(text), false, false);
    if (current) {
      const auto& s = slots.split(text);
      if (AtStation(s, line, station)) shown.add(s, false, true);
    }
    // Taken, not copied: the lines carry long navigation tails.
    if (text.size() >= kEventLineLength) w.lastSeenLastEvent.swap(text);
  });
}

void ShowRows(MainWindow& w, const ShownRows& shown) {
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const int r = int(i) + 1;
    for (int c = 0; c < kGridCols; ++c) w.eventLog->setCell(r, c, shown.at(i)[std::size_t(c)]);
    w.gridRowCount = r + 1;
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

std::vector<std::string> GridRowFromSlots(const std::vector<std::string>& slots, bool withComments, bool cutPosition) {
  Row row(kGridCols);
  FillGridRow(row, slots, withComments, cutPosition);
  return row;
}

void FillGridRow(std::vector<std::string>& row, const std::vector<std::string>& slots, bool withComments,
                 bool cutPosition) {
  static const std::string kNone;
  auto slot = [&slots](std::size_t k) -> const std::string& { return k < slots.size() ? slots[k] : kNone; };
  row.resize(kGridCols);
  // Grid columns Evt#, Line, Sta, Date, Time, Event, Lat, Lon, Init, Comments.
  static const std::size_t kSlotOfColumn[kGridCols] = {1, 2, 3, 6, 7, 11, 8, 9, 12, 15};
  for (std::size_t c = 0; c < std::size_t(kGridCols); ++c) row[c] = slot(kSlotOfColumn[c]);
  if (cutPosition) {
    row[6].resize(std::min<std::size_t>(row[6].size(), 6));
    row[7].resize(std::min<std::size_t>(row[7].size(), 7));
  }
  if (!withComments) row[9].clear();
}

void ForEachFileLine(const ui::FileSystem& fs, const std::string& path,
                     const std::function<void(std::string&)>& visit) {
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
      if (p == end) break;
      // Lines mostly end in CR LF: find the LF, then a CR before it.
      const char* lf = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
      const char* limit = lf ? lf : end;
      const char* cr = static_cast<const char*>(std::memchr(p, '\r', std::size_t(limit - p)));
      const char* stop = cr ? cr : limit;
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

namespace {

// Calls visit(line, first) for each line of text, split as the block reader
// splits a file.
template <typename Visit>
void ForEachLineIn(std::string_view text, Visit visit) {
  std::size_t start = 0;
  bool first = true;
  while (start < text.size()) {
    std::size_t stop = start;
    while (stop < text.size() && text[stop] != '\r' && text[stop] != '\n') ++stop;
    visit(text.substr(start, stop - start), first);
    first = false;
    if (stop == text.size()) return;
    start = stop + (text[stop] == '\r' && stop + 1 < text.size() && text[stop + 1] == '\n' ? 2 : 1);
  }
}

}  // namespace

std::optional<std::string> LastLineOfAtLeast(const ui::FileSystem& fs, const std::string& path, std::size_t minLength) {
  const int fd = ::open(fs.hostPath(path).c_str(), O_RDONLY | O_CLOEXEC);
  struct stat st {};
  if (fd < 0 || ::fstat(fd, &st) != 0) {
    const std::string why = std::strerror(errno);
    if (fd >= 0) ::close(fd);
    throw ui::FileError("cannot open " + path + ": " + why, path);
  }
  std::string tail;
  off_t from = st.st_size;
  std::size_t block = 1 << 16;
  while (true) {
    const off_t start = from > off_t(block) ? from - off_t(block) : 0;
    std::string chunk(std::size_t(from - start), '\0');
    if (::pread(fd, chunk.data(), chunk.size(), start) != ssize_t(chunk.size())) {
      const std::string why = std::strerror(errno);
      ::close(fd);
      throw ui::FileError("cannot read " + path + ": " + why, path);
    }
    tail.insert(0, chunk);
    from = start;
    // The first line of the tail may begin before it, unless the tail is the whole file.
    std::optional<std::string_view> last;
    ForEachLineIn(tail, [&](std::string_view line, bool first) {
      if ((from == 0 || !first) && line.size() >= minLength) last = line;
    });
    if (last || from == 0) {
      ::close(fd);
      return last ? std::optional<std::string>(std::string(*last)) : std::nullopt;
    }
    block *= 2;
  }
}

void PreloadEventLog(MainWindow& w) {
  w.gridRowCount = 0;
  const std::string path = w.settings.dataDir + w.text1[0]->text() + "Events.csv";
  if (!w.fs().exists(path)) return;
  const std::string& mode = w.settings.preloadMode;
  ShownRows shown(mode == "ALLEVENTS" ? kAllEventsShown : kEventRows);
  try {
    // "ALLEVENTS" and "CURRENTSTA" fill their rows in the pass that finds the
    // last event; the other modes need only the last event first, read from
    // the end of the file.
    if (mode == "ALLEVENTS" || mode == "CURRENTSTA") {
      FirstPass(w, path, mode, shown);
    } else if (auto last = LastLineOfAtLeast(w.fs(), path, kEventLineLength)) {
      w.lastSeenLastEvent = std::move(*last);
    }
    std::vector<std::string> slots(kSlots);
    SplitCommas(w.lastSeenLastEvent, slots, kSlots);
    if (mode == "LASTEVENT") shown.add(slots, true, false);
    if (mode == "LASTSTA") LoadStationRows(w, path, StationNumber(slots[2]), StationNumber(slots[3]), shown);
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

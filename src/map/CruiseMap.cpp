#include "map/CruiseMap.h"

#include <charconv>

#include "core/Format.h"
#include "core/TextRoutines.h"
#include "map/GisExport.h"

namespace ruvek {
namespace {

// The poll's track keeps at most this many points; beyond it every other one
// is dropped, so a long run thins out the oldest stretch instead of growing.
constexpr std::size_t kMaxTrack = 50000;

struct CruiseMapData {
  EventLogFollower follower;
  MapContent content;
  MapView view;
  bool fitted = false;
  bool planLoaded = false;
};

CruiseMapData& DataOf(Station& s) {
  if (!s.cruiseMap.data) {
    auto data = std::make_shared<CruiseMapData>();
    // The design size until the face tells the picture's real one.
    data->view.width = s.cruiseMap.map.geo.width;
    data->view.height = s.cruiseMap.map.geo.height;
    s.cruiseMap.data = data;
  }
  return *static_cast<CruiseMapData*>(s.cruiseMap.data.get());
}

bool ParseNumber(std::string_view text, double& value) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\r')) text.remove_suffix(1);
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  return r.ec == std::errc() && r.ptr == text.data() + text.size() && !text.empty() && std::isfinite(value);
}

void Redraw(Station& s, CruiseMapData& d) {
  ui::Picture& picture = s.cruiseMap.map;
  picture.drawing = DrawMap(d.content, d.view);
  ++picture.version;
  std::string status = std::to_string(d.content.events.size()) + " events";
  if (d.follower.withoutPosition() > 0)
    status += ", " + std::to_string(d.follower.withoutPosition()) + " without a position";
  status += " - " + d.follower.path();
  s.cruiseMap.status.caption = status;
}

// Reads the rows logged since the last read; a log that cannot be read now
// keeps what the map shows and says so.
void ReadNewEvents(Station& s, CruiseMapData& d) {
  const std::string log = CruiseEventLog(s);
  if (log != d.follower.path()) {
    d.follower.follow(log);
    d.content.events.clear();
  }
  try {
    d.follower.update(s.platform.files(), d.content.events);
  } catch (const os::FileError&) {
    s.cruiseMap.status.caption = "Unable to read " + log;
  }
}

void Fit(CruiseMapData& d) {
  d.view = FitView(CruisePoints(d.content), d.view.width, d.view.height);
  d.fitted = true;
}

void NoteTrack(Station& s, CruiseMapData& d) {
  double lat = 0, lon = 0;
  if (!ParseNumber(s.state.poll.nav.decLat, lat) || !ParseNumber(s.state.poll.nav.decLon, lon)) return;
  if (std::abs(lat) > 90 || std::abs(lon) > 180 || lat == -99 || lon == -99 || (lat == 0 && lon == 0)) return;
  std::vector<GeoPoint>& track = d.content.track;
  if (track.empty() || track.back().lat != lat || track.back().lon != lon) track.push_back({lat, lon});
  if (track.size() > kMaxTrack) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < track.size(); i += 2) track[kept++] = track[i];
    track.resize(kept);
    track.push_back({lat, lon});
  }
  d.content.ship = GeoPoint{lat, lon};
  const double heading = HeadingOf(s.state.poll.nav.rawLine);
  if (std::isfinite(heading)) d.content.heading = heading;
}

// The fields of an NMEA sentence, without its checksum.
std::vector<std::string_view> SentenceFields(std::string_view sentence) {
  const std::size_t star = sentence.find('*');
  if (star != std::string_view::npos) sentence = sentence.substr(0, star);
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = sentence.find(',', start);
    fields.push_back(sentence.substr(start, comma == std::string_view::npos ? sentence.npos : comma - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return fields;
}

}  // namespace

std::vector<PlannedLine> LoadPlannedGrid(const os::FileSystem& fs, const std::string& programDir) {
  std::vector<PlannedLine> plan;
  std::vector<std::string> lines;
  try {
    lines = fs.readLines(programDir + "Lines.txt");
  } catch (const os::FileError&) {
    return plan;
  }
  for (const std::string& lineText : lines) {
    const std::string line(TrimView(lineText));
    double lineValue = 0;
    const auto file = StationFileFor(line);
    if (!file || !ParseNumber(line, lineValue)) continue;
    std::vector<std::string> stations;
    try {
      stations = fs.readLines(programDir + *file);
    } catch (const os::FileError&) {
      continue;
    }
    PlannedLine planned{line, {}};
    for (const std::string& staText : stations) {
      const std::string sta(TrimView(staText));
      double staValue = 0;
      if (!ParseNumber(sta, staValue)) continue;
      if (const auto at = PositionOfLineStation(lineValue, staValue))
        planned.stations.push_back({line + "." + sta, *at});
    }
    if (!planned.stations.empty()) plan.push_back(std::move(planned));
  }
  return plan;
}

double HeadingOf(std::string_view sentence) {
  const std::size_t dollar = sentence.rfind('$');
  if (dollar == std::string_view::npos) return NAN;
  const std::vector<std::string_view> f = SentenceFields(sentence.substr(dollar));
  if (f[0].size() < 6) return NAN;
  const std::string_view type = f[0].substr(3, 3);
  std::size_t index = 0;
  if (type == "RMC")
    index = 8;
  else if (type == "VTG" || type == "HDT" || type == "HDG")
    index = 1;
  else
    return NAN;
  double value = 0;
  if (index >= f.size() || !ParseNumber(f[index], value) || value < 0 || value > 360) return NAN;
  return value;
}

void OpenCruiseMap(Station& s) {
  CruiseMapData& d = DataOf(s);
  if (!d.planLoaded) {
    d.content.plan = LoadPlannedGrid(s.platform.files(), s.settings.programDir);
    d.planLoaded = true;
  }
  NoteTrack(s, d);
  ReadNewEvents(s, d);
  if (!d.fitted) Fit(d);
  Redraw(s, d);
  s.platform.show(s.cruiseMap.form);
}

void FollowPollOnMap(Station& s) {
  CruiseMapData& d = DataOf(s);
  NoteTrack(s, d);
  if (!s.cruiseMap.form.visible) return;
  ReadNewEvents(s, d);
  Redraw(s, d);
}

void RefreshCruiseMap(Station& s) {
  if (!s.cruiseMap.form.visible) return;
  CruiseMapData& d = DataOf(s);
  ReadNewEvents(s, d);
  Redraw(s, d);
}

void FitCruiseMap(Station& s) {
  CruiseMapData& d = DataOf(s);
  Fit(d);
  Redraw(s, d);
}

void ZoomCruiseMap(Station& s, double factor, double x, double y) {
  CruiseMapData& d = DataOf(s);
  d.view.zoom(factor, x, y);
  Redraw(s, d);
}

void ZoomCruiseMap(Station& s, double factor) {
  const MapView& v = DataOf(s).view;
  ZoomCruiseMap(s, factor, v.width / 2.0, v.height / 2.0);
}

void PanCruiseMap(Station& s, double dx, double dy) {
  CruiseMapData& d = DataOf(s);
  d.view.pan(dx, dy);
  Redraw(s, d);
}

void ResizeCruiseMap(Station& s, int width, int height) {
  CruiseMapData& d = DataOf(s);
  if (width <= 0 || height <= 0 || (width == d.view.width && height == d.view.height)) return;
  // The middle stays in the middle; a map never framed is framed at its size.
  d.view.width = width;
  d.view.height = height;
  if (!d.fitted) Fit(d);
  Redraw(s, d);
}

void PickOnCruiseMap(Station& s, double x, double y) {
  CruiseMapData& d = DataOf(s);
  const MapEvent* e = EventAt(d.content, d.view, x, y);
  if (!e) return;
  ui::Grid& grid = s.main.eventGrid;
  // The grid's columns: Evt#, StndLine, StndSta, DatePST, TimePST, ...; the
  // newest matching row wins.
  for (int row = std::min(grid.rows() - 1, std::max(s.main.eventRows.next(), 1)); row >= grid.fixedRows; --row) {
    if (grid.cols() < 5 || grid.cell(row, 0) != e->number) continue;
    if (grid.cell(row, 3) != e->localDate || grid.cell(row, 4) != e->localTime) continue;
    grid.row = row;
    grid.col = 0;
    s.cruiseMap.status.caption = "Event " + e->number + " selected in the event grid";
    return;
  }
  s.cruiseMap.status.caption = "Event " + e->number + " is not shown in the event grid";
}

std::string CruiseMapTip(Station& s, double x, double y) {
  CruiseMapData& d = DataOf(s);
  const MapEvent* e = EventAt(d.content, d.view, x, y);
  return e ? EventTip(*e) : std::string();
}

void SaveCruiseMapAs(Station& s) {
  const auto path = s.platform.saveFileDialog(s.settings.dataDir);
  if (!path || path->empty()) return;
  std::string ext =
      path->substr(std::min(path->size(), path->rfind('.') == std::string::npos ? path->size() : path->rfind('.')));
  for (char& c : ext) c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  const ui::Drawing& drawing = s.cruiseMap.map.drawing;
  try {
    if (ext == ".svg") {
      s.platform.files().replace(*path, ui::ToSvg(drawing));
    } else if (ext == ".png") {
      const auto png = s.platform.pngOf(drawing);
      if (!png) {
        s.platform.ask("PNG pictures are drawn by the desktop; save the map as .svg here.", "Save as...",
                       ui::Buttons::OK, ui::Icon::Exclamation);
        return;
      }
      s.platform.files().replace(*path, *png);
    } else {
      s.platform.ask("Choose a file ending in .png or .svg for " + *path, "Save as...", ui::Buttons::OK,
                     ui::Icon::Exclamation);
      return;
    }
  } catch (const os::FileError&) {
    s.platform.ask("Unable to write " + *path, "", ui::Buttons::OK, ui::Icon::Error);
    return;
  }
  s.cruiseMap.status.caption = "Map saved to " + *path;
}

}  // namespace ruvek

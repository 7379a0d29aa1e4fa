#include "map/MapModel.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace ruvek {
namespace {

constexpr double kPi = 3.14159265358979;
constexpr double kMinPixelsPerDegree = 2;    // about an ocean in a window
constexpr double kMaxPixelsPerDegree = 2e6;  // a few metres a pixel
constexpr double kMinLonScale = 0.05;        // keeps the poles drawable
constexpr ui::Colour kGraticule{0x7f8c99, 110};
constexpr ui::Colour kLabel{0x3c4650, 255};
constexpr ui::Colour kPlan{0x5b7fa6, 90};
constexpr ui::Colour kTrack{0x1f4e9c, 200};
constexpr ui::Colour kShip{0xd62728, 255};
constexpr ui::Colour kWhite{0xffffff, 235};

double LonScaleAt(double lat) { return std::max(kMinLonScale, std::cos(lat * kPi / 180)); }

ui::Shape Text(ui::Point at, std::string text, double size, ui::Colour colour,
               ui::Shape::Anchor anchor = ui::Shape::Start) {
  ui::Shape s;
  s.type = ui::Shape::Text;
  s.points = {at};
  s.text = std::move(text);
  s.size = size;
  s.stroke = colour;
  s.anchor = anchor;
  return s;
}

ui::Shape Line(std::vector<ui::Point> points, ui::Colour colour, double width, bool dashed = false) {
  ui::Shape s;
  s.type = ui::Shape::Polyline;
  s.points = std::move(points);
  s.stroke = colour;
  s.width = width;
  s.dashed = dashed;
  return s;
}

ui::Shape Box(ui::Point a, ui::Point b, ui::Colour fill, ui::Colour stroke) {
  ui::Shape s;
  s.type = ui::Shape::Rect;
  s.points = {a, b};
  s.fill = fill;
  s.stroke = stroke;
  return s;
}

// The graticule step, in minutes of arc, that keeps lines `minPixels` apart.
double StepMinutes(double pixelsPerDegree, double minPixels) {
  static constexpr double kSteps[] = {0.1, 0.2, 0.5, 1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 1200, 1800};
  for (double step : kSteps)
    if (step / 60 * pixelsPerDegree >= minPixels) return step;
  return kSteps[std::size(kSteps) - 1];
}

void DrawGraticule(ui::Drawing& d, const MapView& v) {
  const GeoPoint topLeft = v.unproject({0, 0}), bottomRight = v.unproject({double(v.width), double(v.height)});
  const double latStep = StepMinutes(v.pixelsPerDegree, 70) / 60;
  const double lonStep = StepMinutes(v.pixelsPerDegree * v.lonScale, 90) / 60;
  const double w = v.width, h = v.height;
  for (double lat = std::ceil(bottomRight.lat / latStep) * latStep; lat <= topLeft.lat; lat += latStep) {
    const double y = v.project({lat, 0}).y;
    d.shapes.push_back(Line({{0, y}, {w, y}}, kGraticule, 1));
    d.shapes.push_back(Text({4, y - 3}, DegreeLabel(lat, true), 10, kLabel));
  }
  for (double lon = std::ceil(topLeft.lon / lonStep) * lonStep; lon <= bottomRight.lon; lon += lonStep) {
    const double x = v.project({0, lon}).x;
    d.shapes.push_back(Line({{x, 0}, {x, h}}, kGraticule, 1));
    d.shapes.push_back(Text({x + 3, h - 4}, DegreeLabel(lon, false), 10, kLabel));
  }
}

void DrawPlan(ui::Drawing& d, const MapContent& c, const MapView& v) {
  const bool labelled = v.pixelsPerDegree >= 150;
  for (const PlannedLine& line : c.plan) {
    std::vector<ui::Point> points;
    for (const PlannedStation& s : line.stations) points.push_back(v.project(s.at));
    if (points.size() > 1) d.shapes.push_back(Line(points, kPlan, 1, true));
    for (std::size_t i = 0; i < points.size(); ++i) {
      ui::Shape dot;
      dot.type = ui::Shape::Circle;
      dot.points = {points[i]};
      dot.size = 2.5;
      dot.stroke = kPlan;
      if (labelled) d.shapes.push_back(Text({points[i].x + 4, points[i].y - 4}, line.stations[i].label, 9, kPlan));
      d.shapes.push_back(std::move(dot));
    }
  }
}

void DrawShip(ui::Drawing& d, const MapContent& c, const MapView& v) {
  if (!c.ship) return;
  const ui::Point p = v.project(*c.ship);
  ui::Shape s;
  s.stroke = {0x000000, 255};
  s.fill = kShip;
  if (std::isfinite(c.heading)) {
    // A pointed hull along the heading (clockwise from north, y down).
    const double a = c.heading * kPi / 180;
    const auto at = [&](double along, double across) {
      return ui::Point{p.x + along * std::sin(a) + across * std::cos(a),
                       p.y - along * std::cos(a) + across * std::sin(a)};
    };
    s.type = ui::Shape::Polygon;
    s.points = {at(11, 0), at(-6, 6), at(-3, 0), at(-6, -6)};
  } else {
    s.type = ui::Shape::Circle;
    s.points = {p};
    s.size = 6;
  }
  d.shapes.push_back(std::move(s));
}

void DrawScaleBar(ui::Drawing& d, const MapView& v) {
  // Nautical miles: a minute of latitude each.
  const double perMile = v.pixelsPerDegree / 60;
  static constexpr double kMiles[] = {0.01, 0.02, 0.05, 0.1, 0.2, 0.5, 1, 2, 5, 10, 20, 50, 100, 200, 500, 1000};
  double miles = kMiles[0];
  for (double m : kMiles)
    if (m * perMile <= 150) miles = m;
  const double len = miles * perMile;
  const double x = 12, y = v.height - 24.0;
  d.shapes.push_back(Box({x - 4, y - 16}, {x + len + 4, y + 6}, kWhite, {0, 0}));
  d.shapes.push_back(Line({{x, y - 5}, {x, y}, {x + len, y}, {x + len, y - 5}}, {0x000000, 255}, 2));
  char text[32];
  std::snprintf(text, sizeof text, "%g nmi", miles);
  d.shapes.push_back(Text({x + len / 2, y - 5}, text, 10, {0x000000, 255}, ui::Shape::Middle));
}

void DrawLegend(ui::Drawing& d, const MapContent& c, const MapView& v) {
  std::map<std::string, std::size_t> counts;
  for (const MapEvent& e : c.events) ++counts[e.activity.empty() ? std::string("(none)") : e.activity];
  if (counts.empty()) return;
  constexpr double kRow = 15, kWidth = 140;
  constexpr std::size_t kMaxRows = 16;
  const std::size_t rows = std::min(counts.size(), kMaxRows);
  const double x = v.width - kWidth - 8, y = 8;
  d.shapes.push_back(Box({x, y}, {x + kWidth, y + 6 + kRow * double(rows)}, kWhite, {0x7f8c99, 255}));
  std::size_t i = 0;
  for (const auto& [activity, count] : counts) {
    if (i == kMaxRows) break;
    const double rowY = y + 4 + kRow * double(i++) + kRow / 2;
    ui::Shape dot;
    dot.type = ui::Shape::Circle;
    dot.points = {{x + 10, rowY}};
    dot.size = kMarkerRadius;
    dot.fill = ActivityColour(activity);
    dot.stroke = {0x000000, 200};
    d.shapes.push_back(std::move(dot));
    d.shapes.push_back(Text({x + 20, rowY + 4}, activity + " (" + std::to_string(count) + ")", 10, kLabel));
  }
}

}  // namespace

ui::Point MapView::project(GeoPoint p) const {
  return {width / 2.0 + (p.lon - centerLon) * lonScale * pixelsPerDegree,
          height / 2.0 - (p.lat - centerLat) * pixelsPerDegree};
}

GeoPoint MapView::unproject(ui::Point p) const {
  return {centerLat - (p.y - height / 2.0) / pixelsPerDegree,
          centerLon + (p.x - width / 2.0) / (lonScale * pixelsPerDegree)};
}

void MapView::zoom(double factor, double x, double y) {
  if (!std::isfinite(factor) || factor <= 0) return;
  const GeoPoint fixed = unproject({x, y});
  pixelsPerDegree = std::clamp(pixelsPerDegree * factor, kMinPixelsPerDegree, kMaxPixelsPerDegree);
  const GeoPoint moved = unproject({x, y});
  centerLat += fixed.lat - moved.lat;
  centerLon += fixed.lon - moved.lon;
}

void MapView::pan(double dx, double dy) {
  if (!std::isfinite(dx) || !std::isfinite(dy)) return;
  centerLat = std::clamp(centerLat + dy / pixelsPerDegree, -89.0, 89.0);
  centerLon = std::clamp(centerLon - dx / (lonScale * pixelsPerDegree), -540.0, 540.0);
}

MapView FitView(const std::vector<GeoPoint>& points, int width, int height) {
  MapView v;
  v.width = std::max(width, 1);
  v.height = std::max(height, 1);
  if (points.empty()) {
    // The survey area, about line 93 to line 60.
    v.centerLat = 33.5;
    v.centerLon = -120.5;
    v.lonScale = LonScaleAt(v.centerLat);
    v.pixelsPerDegree = std::clamp(std::min(v.height / 7.0, v.width / (8.0 * v.lonScale)), kMinPixelsPerDegree, 1e4);
    return v;
  }
  double south = 90, north = -90, west = 540, east = -540;
  for (const GeoPoint& p : points) {
    south = std::min(south, p.lat), north = std::max(north, p.lat);
    west = std::min(west, p.lon), east = std::max(east, p.lon);
  }
  v.centerLat = (south + north) / 2;
  v.centerLon = (west + east) / 2;
  v.lonScale = LonScaleAt(v.centerLat);
  // A margin of a tenth each side; a lone point shows about a degree around it.
  const double latSpan = std::max(north - south, 0.02) * 1.2;
  const double lonSpan = std::max((east - west) * v.lonScale, 0.02) * 1.2;
  v.pixelsPerDegree = std::clamp(std::min(v.height / latSpan, v.width / lonSpan), kMinPixelsPerDegree,
                                 points.size() == 1 ? 100.0 : kMaxPixelsPerDegree);
  return v;
}

std::vector<GeoPoint> CruisePoints(const MapContent& c) {
  std::vector<GeoPoint> points;
  points.reserve(c.events.size() + c.track.size() + 1);
  for (const MapEvent& e : c.events) points.push_back({e.lat, e.lon});
  points.insert(points.end(), c.track.begin(), c.track.end());
  if (c.ship) points.push_back(*c.ship);
  if (points.empty())
    for (const PlannedLine& line : c.plan)
      for (const PlannedStation& s : line.stations) points.push_back(s.at);
  return points;
}

ui::Colour ActivityColour(const std::string& activity) {
  static const std::map<std::string, std::uint32_t> kFixed = {
      {"CTD", 0x1f77b4},     {"BONGO", 0xff7f0e},    {"MANTA", 0x2ca02c},      {"PAIROVET", 0x9467bd},
      {"CUFES", 0x8c564b},   {"STATION", 0x17becf},  {"Ancillary", 0x7f7f7f},  {"MMammals", 0xe377c2},
      {"SECCHI", 0xbcbd22},  {"SONOBUOY", 0x393b79}, {"TOWEDARRAY", 0x637939}, {"TM POLE", 0x8c6d31},
      {"TM PUMP", 0x843c39}, {"TM-GOFLO", 0x7b4173}, {"REFLICS", 0x3182bd},    {"ADCP", 0xe6550d},
      {"CO2", 0x31a354},     {"CUDLS2", 0x756bb1},   {"PRR", 0xd6616b},        {"MER", 0x636363},
  };
  if (auto it = kFixed.find(activity); it != kFixed.end()) return {it->second, 255};
  // Another class gets a colour of its own from its name.
  std::uint32_t h = 2166136261u;
  for (unsigned char ch : activity) h = (h ^ ch) * 16777619u;
  static constexpr std::uint32_t kSpare[] = {0xaec7e8, 0xffbb78, 0x98df8a, 0xff9896, 0xc5b0d5, 0xc49c94, 0xf7b6d2};
  return {kSpare[h % std::size(kSpare)], 255};
}

std::string DegreeLabel(double value, bool latitude) {
  const char hemisphere = latitude ? (value < 0 ? 'S' : 'N') : (value < 0 ? 'W' : 'E');
  double a = std::abs(value);
  if (!latitude && a > 180) a = 360 - a;
  long tenths = std::lround(a * 600);  // tenths of a minute
  const long degrees = tenths / 600;
  tenths -= degrees * 600;
  char text[64];  // room for any long, so no format can be cut short
  if (tenths == 0)
    std::snprintf(text, sizeof text, "%ld\u00b0%c", degrees, hemisphere);
  else if (tenths % 10 == 0)
    std::snprintf(text, sizeof text, "%ld\u00b0%02ld'%c", degrees, tenths / 10, hemisphere);
  else
    std::snprintf(text, sizeof text, "%ld\u00b0%04.1f'%c", degrees, tenths / 10.0, hemisphere);
  return text;
}

ui::Drawing DrawMap(const MapContent& c, const MapView& v) {
  ui::Drawing d;
  d.width = v.width;
  d.height = v.height;
  d.background = {0xeef4f8, 255};
  d.shapes.reserve(c.events.size() + 200);
  DrawPlan(d, c, v);
  DrawGraticule(d, v);
  if (c.events.size() > 1) {
    // Where the ship was on earlier days: from event to event, as logged.
    std::vector<ui::Point> points;
    points.reserve(c.events.size());
    for (const MapEvent& e : c.events) points.push_back(v.project({e.lat, e.lon}));
    d.shapes.push_back(Line(std::move(points), {kTrack.rgb, 90}, 1));
  }
  if (c.track.size() > 1) {
    std::vector<ui::Point> points;
    points.reserve(c.track.size());
    for (const GeoPoint& p : c.track) points.push_back(v.project(p));
    d.shapes.push_back(Line(std::move(points), kTrack, 1.5));
  }
  const double margin = kMarkerRadius * 2;
  for (const MapEvent& e : c.events) {
    const ui::Point p = v.project({e.lat, e.lon});
    if (p.x < -margin || p.y < -margin || p.x > v.width + margin || p.y > v.height + margin) continue;
    ui::Shape dot;
    dot.type = ui::Shape::Circle;
    dot.points = {p};
    dot.size = kMarkerRadius;
    dot.fill = ActivityColour(e.activity);
    dot.stroke = {0x000000, 200};
    d.shapes.push_back(std::move(dot));
  }
  DrawShip(d, c, v);
  DrawScaleBar(d, v);
  DrawLegend(d, c, v);
  return d;
}

const MapEvent* EventAt(const MapContent& c, const MapView& v, double x, double y) {
  const MapEvent* best = nullptr;
  double bestDistance = (kMarkerRadius + 3) * (kMarkerRadius + 3);
  // The newest marker is drawn on top, so it wins a tie.
  for (const MapEvent& e : c.events) {
    const ui::Point p = v.project({e.lat, e.lon});
    const double d = (p.x - x) * (p.x - x) + (p.y - y) * (p.y - y);
    if (d <= bestDistance) best = &e, bestDistance = d;
  }
  return best;
}

std::string EventTip(const MapEvent& e) {
  std::string tip = "Event " + e.number + ": " + e.name + "\n" + e.utcDate + " " + e.utcTime + " UTC";
  if (!e.line.empty() || !e.sta.empty()) tip += "\nLine/Sta " + e.line + " " + e.sta;
  if (!e.comments.empty()) tip += "\n" + e.comments;
  return tip;
}

}  // namespace ruvek

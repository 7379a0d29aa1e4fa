#pragma once
// The cruise map as geometry, the same for every face: what is shown (events,
// the planned survey grid, the ship's track), how it is projected onto the
// picture (equirectangular, longitudes scaled by the cosine of the middle
// latitude), how the view zooms, pans and fits, and the drawing that results.
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "grid/LineStation.h"
#include "map/EventRows.h"
#include "ui/Drawing.h"

namespace ruvek {

// A standard station of the survey plan, placed by the inverse grid calculation.
struct PlannedStation {
  std::string label;  // "line.station": "93.3.26.7"
  GeoPoint at;
};
// One planned line: its stations in the order of the station list.
struct PlannedLine {
  std::string line;
  std::vector<PlannedStation> stations;
};

// What the map shows.
struct MapContent {
  std::vector<MapEvent> events;
  std::vector<PlannedLine> plan;
  std::vector<GeoPoint> track;  // the positions the poll read this run, in order
  std::optional<GeoPoint> ship;
  double heading = NAN;  // degrees true; NaN when the source gives none
};

// The part of the earth the picture shows.
struct MapView {
  int width = 640, height = 480;
  double centerLat = 33, centerLon = -119;
  double pixelsPerDegree = 100;  // of latitude
  double lonScale = std::cos(33 * 3.14159265358979 / 180);

  ui::Point project(GeoPoint p) const;
  GeoPoint unproject(ui::Point p) const;
  // Zooms by `factor` keeping the place under (x, y) where it is; the scale
  // stays between a whole ocean and a few metres.
  void zoom(double factor, double x, double y);
  void pan(double dx, double dy);
};

// The view that shows `points` whole with a margin, at the picture's size; a
// single point or none gets a view of about a degree around it (or the
// survey area).
MapView FitView(const std::vector<GeoPoint>& points, int width, int height);
// The points a "fit cruise" frames: the events, the track and the ship; the
// planned stations when there is none of those.
std::vector<GeoPoint> CruisePoints(const MapContent& content);

// The colour of an activity class's markers (fixed for the common classes).
ui::Colour ActivityColour(const std::string& activity);

// The latitude or longitude as a graticule label: 32°30'N, 117°W.
std::string DegreeLabel(double value, bool latitude);

// The whole picture of the content in the view: planned grid, graticule with
// labels, track, event markers, ship, scale bar and legend.
ui::Drawing DrawMap(const MapContent& content, const MapView& view);

// The event whose marker is nearest (x, y) within a few pixels.
const MapEvent* EventAt(const MapContent& content, const MapView& view, double x, double y);
// An event's tooltip: number, name, UTC time, line/station and comments.
std::string EventTip(const MapEvent& e);

// Marker radius, in pixels.
inline constexpr double kMarkerRadius = 4;

}  // namespace ruvek

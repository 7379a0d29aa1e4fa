#pragma once
// Survey-grid line and station from latitude and longitude. The grid is rotated
// 30 degrees against the meridians, with line 80, station 60 at 34.15 N, 121.15 W.
#include <optional>
#include <string>
#include <string_view>

namespace ruvek {

// A grid position as the logs store it: two texts with one decimal, e.g. "93.3", "26.7".
struct LineStation {
  std::string line, sta;

  friend bool operator==(const LineStation&, const LineStation&) = default;
};

// Mercator latitude in degrees of a latitude in degrees, with the survey's own
// eccentricity term.
double MercatorLat(double latitude);

// Calculated line and station of a position (north and east positive), each
// formatted "##0.0". A latitude of exactly 0 gives "0.0" "0.0" without computing.
// Example: 32.9, -117.4 -> "93.3", "28.2".
LineStation CalcLineSta(float lat, float lon);

// A position in decimal degrees, north and east positive.
struct GeoPoint {
  double lat = 0, lon = 0;
};

// The position whose calculated line and station (before rounding to one
// decimal) are `line` and `station`: the inverse of CalcLineSta, so
// CalcLineSta(PositionOfLineStation(93.3, 26.7)) gives "93.3", "26.7". Used to
// place the planned stations of the survey on a map. Nothing for values the
// grid cannot reach (not finite, or beyond the poles).
std::optional<GeoPoint> PositionOfLineStation(double line, double station);

// Nearest standard line and station of the survey plan for a calculated pair.
// calcLineChecked: the "Use calculated Line.Sta" mode is on, so the calculated
// pair is returned as it stands.
// Example: "93.5", "26.1" -> "93.4", "26.4"; "93.3", "28.2" -> "93.3", "28.0".
LineStation NearestStandard(const LineStation& calc, bool calcLineChecked);

// The station file of a line text (exact text), e.g. "93.3" or "93" -> "Line93.txt";
// nothing for a line without one.
std::optional<std::string> StationFileFor(std::string_view lineText);

}  // namespace ruvek

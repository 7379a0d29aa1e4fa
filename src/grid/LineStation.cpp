#include "grid/LineStation.h"

#include <array>
#include <cmath>
#include <string>

#include "core/Format.h"

namespace ruvek {
namespace {

// The grid's constants, kept exactly as the survey has always computed them
// (the two values of pi included) so that every computer logs the same texts.
constexpr double kDegToRad = 0.0174532925199433;
constexpr double kMercatorPi = 3.14159265;
constexpr double kMercatorEccentricity = 0.387815;
constexpr double kInverseEccentricity = 0.0067686;
constexpr int kInverseRounds = 5;
constexpr double kRefLat = 34.15;
constexpr double kRefLon = 121.15;  // west
constexpr double kOriginLine = 80;
constexpr double kOriginStation = 60;
constexpr double kGridAngle = 30;
constexpr double kLineSpacing = -0.2;
constexpr double kStationSpacing = 1.0 / 15.0;

double SinDeg(double degrees) { return std::sin(degrees * kDegToRad); }
double CosDeg(double degrees) { return std::cos(degrees * kDegToRad); }
double TanDeg(double degrees) { return std::tan(degrees * kDegToRad); }

// Latitude whose MercatorLat is mercator, by a fixed number of rounds.
double InverseMercator(double mercator) {
  const double pi = 4 * std::atan(1.0);
  const double r = mercator * pi / 180;
  double q = mercator;
  for (int round = 0; round < kInverseRounds; ++round) {
    q = 2 * (std::atan(std::exp(kInverseEccentricity * SinDeg(q) + r)) * 180 / pi - 45);
  }
  return q;
}

// One row of the standard line table: the calculated line texts it matches and
// the standard pair it gives. An empty station means "look it up in the station
// table". Rows with a split give lowLine/lowSta instead when the calculated
// station is below the split (or not above it, for a strict split).
struct LineRule {
  std::array<std::string_view, 6> calcLines;
  std::string_view line;
  std::string_view sta;
  bool hasSplit;
  double split;
  bool strictSplit;
  std::string_view lowLine;
  std::string_view lowSta;
};

using LineTexts = std::array<std::string_view, 6>;

constexpr LineRule Rule(LineTexts calcLines, std::string_view line, std::string_view sta = "") {
  return {calcLines, line, sta, false, 0, false, "", ""};
}

constexpr LineRule SplitRule(LineTexts calcLines, std::string_view line, double split, bool strict,
                             std::string_view lowLine, std::string_view lowSta) {
  return {calcLines, line, "", true, split, strict, lowLine, lowSta};
}

constexpr std::array<LineRule, 16> kLineRules{{
    Rule({"93.0", "93.1", "93.2", "93.3"}, "93.3"),
    SplitRule({"93.4", "93.5", "93.6"}, "93.3", 26.6, false, "93.4", "26.4"),
    Rule({"89.8", "89.9", "90.0", "90.1", "90.2"}, "90.0"),
    Rule({"91.6", "91.7", "91.8"}, "91.7", "26.4"),
    Rule({"88.4", "88.5", "88.6"}, "88.5", "30.1"),
    SplitRule({"86.5", "86.6", "86.7", "86.8", "86.9", "87.0"}, "86.7", 32.8, false, "86.8", "32.5"),
    Rule({"85.3", "85.4", "85.5"}, "85.4", "35.8"),
    Rule({"83.0", "83.1", "83.2", "83.3", "83.4", "83.5"}, "83.3"),
    SplitRule({"81.6", "81.7", "81.8", "81.9", "82.0"}, "81.8", 44.5, true, "81.7", "43.5"),
    Rule({"79.8", "79.9", "80.0", "80.1", "80.2"}, "80.0"),
    Rule({"76.5", "76.6", "76.7", "76.8", "76.9", "77.0"}, "76.7"),
    Rule({"73.1", "73.2", "73.3", "73.4", "73.5"}, "73.3"),
    Rule({"69.8", "69.9", "70.0", "70.1", "70.2"}, "70.0"),
    Rule({"66.6", "66.7", "66.8", "66.9", "67.0"}, "66.7"),
    Rule({"63.1", "63.2", "63.3", "63.4"}, "63.3"),
    Rule({"59.9", "60.0", "60.1", "60.2"}, "60.0"),
}};

const LineRule* FindLineRule(const std::string& calcLine) {
  for (const LineRule& rule : kLineRules) {
    for (std::string_view text : rule.calcLines) {
      if (!text.empty() && text == calcLine) return &rule;
    }
  }
  return nullptr;
}

bool AboveSplit(const LineRule& rule, double calcSta) {
  return rule.strictSplit ? calcSta > rule.split : calcSta >= rule.split;
}

// The standard station for the rounded calculated station; the calculated
// station itself where the plan has no station near it.
std::string StationFromTable(long long staInt, long long lineInt, double calcSta, const std::string& stndLine,
                             const std::string& calcStaText) {
  switch (staInt) {
    case 27: return "26.7";
    case 28: return lineInt == 90 && calcSta < 27.9 ? "27.7" : "28.0";
    case 29: return "28.0";
    case 30:
    case 31: return "30.0";
    case 32:
    case 33: return "33.0";
    case 34:
    case 35:
    case 36: return "35.0";
    case 37:
    case 38: return "37.0";
    case 39: return lineInt == 83 ? "39.4" : "40.0";
    case 40: return "40.0";
    case 41: return "40.6";
    case 42: return "42.0";
    case 45: return "45.0";
    case 47: return "46.9";
    case 49: return "49.0";
    case 50: return LeadingNumber(stndLine) == 80 ? "50.5" : "50.0";
    case 51: return "51.0";
    case 53:
    case 55:
    case 60:
    case 65:
    case 70:
    case 75:
    case 80:
    case 85:
    case 90:
    case 95:
    case 100:
    case 110:
    case 120: return std::to_string(staInt) + ".0";
    default: return calcStaText;
  }
}

// The unrounded line and station of latitude p and west longitude w.
struct GridValues {
  double line, station;
};

GridValues GridOf(double p, double w) {
  const double refMercator = MercatorLat(kRefLat);
  const double a = (MercatorLat(p) - refMercator) * TanDeg(kGridAngle);
  const double b = w - kRefLon - a;
  const double c = (a / SinDeg(kGridAngle) + b * SinDeg(kGridAngle)) * CosDeg(kGridAngle) + refMercator;
  const double q = InverseMercator(c);
  return {(q - kRefLat) / CosDeg(kGridAngle) / kLineSpacing + kOriginLine,
          (q - p) / SinDeg(kGridAngle) / kStationSpacing + kOriginStation};
}

}  // namespace

double MercatorLat(double latitude) {
  const double s = SinDeg(latitude);
  return std::log(TanDeg(latitude / 2 + 45)) * 180 / kMercatorPi - kMercatorEccentricity * s;
}

LineStation CalcLineSta(float lat, float lon) {
  const double w = -static_cast<double>(lon);
  const double p = static_cast<double>(lat);
  double line = 0;
  double station = 0;
  if (p != 0) {
    const GridValues grid = GridOf(p, w);
    line = grid.line;
    station = grid.station;
  }
  return {FormatNumber(line, "##0.0"), FormatNumber(station, "##0.0")};
}

std::optional<GeoPoint> PositionOfLineStation(double line, double station) {
  if (!std::isfinite(line) || !std::isfinite(station)) return std::nullopt;
  // The line fixes the latitude q the rotated axis crosses, the station the
  // offset along it; the Mercator step in between is undone by Newton's
  // method on the forward calculation itself, so both directions agree to far
  // below the logged decimal.
  const double q = kRefLat + (line - kOriginLine) * kLineSpacing * CosDeg(kGridAngle);
  double p = q - (station - kOriginStation) * kStationSpacing * SinDeg(kGridAngle);
  if (!(std::abs(q) < 89) || !(std::abs(p) < 89)) return std::nullopt;
  const double refMercator = MercatorLat(kRefLat);
  const double a = (MercatorLat(p) - refMercator) * TanDeg(kGridAngle);
  const double c = MercatorLat(q);
  double w = ((c - refMercator) / CosDeg(kGridAngle) - a / SinDeg(kGridAngle)) / SinDeg(kGridAngle) + kRefLon + a;
  constexpr double kStep = 1e-6;
  for (int round = 0; round < 8; ++round) {
    const GridValues at = GridOf(p, w);
    const double dl = line - at.line, ds = station - at.station;
    if (std::abs(dl) < 1e-9 && std::abs(ds) < 1e-9) break;
    const GridValues byP = GridOf(p + kStep, w), byW = GridOf(p, w + kStep);
    const double lp = (byP.line - at.line) / kStep, sp = (byP.station - at.station) / kStep;
    const double lw = (byW.line - at.line) / kStep, sw = (byW.station - at.station) / kStep;
    const double det = lp * sw - lw * sp;
    if (!std::isfinite(det) || det == 0) break;
    p += (dl * sw - lw * ds) / det;
    w += (lp * ds - dl * sp) / det;
  }
  if (!std::isfinite(p) || !std::isfinite(w) || std::abs(p) >= 90) return std::nullopt;
  return GeoPoint{p, -w};
}

LineStation NearestStandard(const LineStation& calc, bool calcLineChecked) {
  const double calcSta = LeadingNumber(calc.sta);
  const long long lineInt = RoundHalfEven(LeadingNumber(calc.line));
  const long long staInt = RoundHalfEven(calcSta);
  if (calcLineChecked) return calc;

  const LineRule* rule = FindLineRule(calc.line);
  if (rule == nullptr) {
    return {calc.line, StationFromTable(staInt, lineInt, calcSta, calc.line, calc.sta)};
  }
  if (rule->hasSplit && !AboveSplit(*rule, calcSta)) {
    return {std::string(rule->lowLine), std::string(rule->lowSta)};
  }
  const std::string line(rule->line);
  if (!rule->sta.empty()) return {line, std::string(rule->sta)};
  return {line, StationFromTable(staInt, lineInt, calcSta, line, calc.sta)};
}

std::optional<std::string> StationFileFor(std::string_view lineText) {
  struct StationFile {
    std::array<std::string_view, 3> lineTexts;
    std::string_view file;
  };
  static constexpr std::array<StationFile, 13> kFiles{{
      {{"93.3", "93"}, "Line93.txt"},
      {{"90.0", "90"}, "Line90.txt"},
      {{"91.7", "92", "91.8"}, "Line92.txt"},
      {{"87", "86.7", "86.8"}, "Line87.txt"},
      {{"83.3", "83"}, "Line83.txt"},
      {{"80.0", "80"}, "Line80.txt"},
      {{"76.7", "77"}, "Line77.txt"},
      {{"73.3", "73"}, "Line73.txt"},
      {{"70.0", "70"}, "Line70.txt"},
      {{"81.8", "82", "81.7"}, "Line82.txt"},
      {{"85", "85.4"}, "Line85.txt"},
      {{"88.5", "88"}, "Line88.txt"},
      {{"66.7", "67"}, "Line67.txt"},
  }};
  if (lineText.empty()) return std::nullopt;
  for (const StationFile& entry : kFiles) {
    for (std::string_view text : entry.lineTexts) {
      if (text == lineText) return std::string(entry.file);
    }
  }
  return std::nullopt;
}

}  // namespace ruvek

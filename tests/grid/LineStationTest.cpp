#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/Format.h"
#include "grid/LineStation.h"

namespace ruvek {
namespace {

TEST(MercatorLat, IsZeroAtTheEquatorAndGrowsPoleward) {
  EXPECT_NEAR(0.0, MercatorLat(0), 1e-9);
  EXPECT_NEAR(-MercatorLat(30), MercatorLat(-30), 1e-9);
  EXPECT_GT(MercatorLat(34.15), 34.15);
}

TEST(CalcLineSta, GridOriginIsLine80Station60) {
  EXPECT_EQ((LineStation{"80.0", "60.0"}), CalcLineSta(34.15f, -121.15f));
}

TEST(CalcLineSta, ZeroLatitudeGivesZerosWithoutComputing) {
  EXPECT_EQ((LineStation{"0.0", "0.0"}), CalcLineSta(0.0f, -117.4f));
  EXPECT_EQ((LineStation{"0.0", "0.0"}), CalcLineSta(-0.0f, 0.0f));
}

// Expected texts from the grid formulas evaluated independently in double
// precision (raw values in the comments).
TEST(CalcLineSta, PositionsAcrossTheSurveyArea) {
  const struct {
    float lat, lon;
    const char* line;
    const char* sta;
  } cases[] = {
      {32.9f, -117.4f, "93.3", "28.2"},        // 93.345, 28.157
      {33.5f, -118.5f, "88.4", "35.9"},        // 88.383, 35.941
      {32.2457f, -117.7503f, "95.5", "36.8"},  // 95.458, 36.806
      {35.0f, -122.0f, "74.6", "62.7"},        // 74.565, 62.743
      {37.8f, -123.5f, "59.4", "57.5"},        // 59.410, 57.490
      {30.0f, -120.0f, "100.3", "78.8"},       // 100.348, 78.766
      {33.0f, -118.0f, "91.6", "34.1"},        // 91.629, 34.074
  };
  for (const auto& c : cases) {
    const LineStation calc = CalcLineSta(c.lat, c.lon);
    EXPECT_EQ(c.line, calc.line) << c.lat << " " << c.lon;
    EXPECT_EQ(c.sta, calc.sta) << c.lat << " " << c.lon;
  }
}

TEST(CalcLineSta, NonsensePositionsGiveTextsNotCrashes) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ((LineStation{"NaN", "NaN"}), CalcLineSta(nan, -117.0f));
  EXPECT_FALSE(CalcLineSta(1e30f, 1e30f).line.empty());
  EXPECT_FALSE(CalcLineSta(-99.0f, -99.0f).sta.empty());
}

TEST(NearestStandard, SnapsToThePlannedStationOfEachLine) {
  const struct {
    const char* calcLine;
    const char* calcSta;
    const char* line;
    const char* sta;
  } cases[] = {
      // Line 93 and its split at station 26.6.
      {"93.0", "28.2", "93.3", "28.0"},
      {"93.3", "26.5", "93.3", "26.5"},  // 26.5 rounds to 26: no table entry
      {"93.5", "26.1", "93.4", "26.4"},
      {"93.5", "27.0", "93.3", "26.7"},
      {"93.6", "26.6", "93.3", "26.7"},  // 26.6 itself belongs to the upper part
      {"93.4", "26.5", "93.4", "26.4"},
      // Line 90 and its special station 27.7.
      {"89.8", "27.6", "90.0", "27.7"},
      {"90.2", "27.9", "90.0", "28.0"},
      {"90.0", "60.0", "90.0", "60.0"},
      {"90.4", "27.5", "90.4", "27.7"},  // line rounds to 90 although no row matches
      // Fixed special pairs.
      {"91.6", "99.0", "91.7", "26.4"},
      {"91.8", "26.0", "91.7", "26.4"},
      {"88.4", "70.3", "88.5", "30.1"},
      {"88.6", "12.0", "88.5", "30.1"},
      {"85.3", "35.0", "85.4", "35.8"},
      {"85.5", "12.0", "85.4", "35.8"},
      // Line 87 and its split at station 32.8.
      {"86.5", "32.8", "86.7", "33.0"},
      {"86.9", "40.2", "86.7", "40.0"},
      {"87.0", "32.7", "86.8", "32.5"},
      // Line 83 and its special station 39.4.
      {"83.0", "39.2", "83.3", "39.4"},
      {"83.4", "38.6", "83.3", "39.4"},
      {"83.5", "39.0", "83.3", "40.0"},  // 83.5 rounds to 84, so not line 83
      // Line 82 and its split above station 44.5.
      {"81.6", "44.5", "81.7", "43.5"},
      {"82.0", "44.6", "81.8", "45.0"},
      {"81.9", "10.0", "81.7", "43.5"},
      // Line 80 and its special station 50.5.
      {"79.8", "50.2", "80.0", "50.5"},
      {"80.2", "49.6", "80.0", "50.5"},
      {"80.3", "50.2", "80.3", "50.0"},  // not a line-80 row
      // The regular lines.
      {"77.0", "47.1", "76.7", "46.9"},
      {"76.5", "80.4", "76.7", "80.0"},
      {"73.1", "41.0", "73.3", "40.6"},
      {"73.5", "55.2", "73.3", "55.0"},
      {"69.8", "49.4", "70.0", "49.0"},
      {"70.2", "65.0", "70.0", "65.0"},
      {"66.6", "53.0", "66.7", "53.0"},
      {"67.0", "90.3", "66.7", "90.0"},
      {"63.1", "85.0", "63.3", "85.0"},
      {"63.4", "110.4", "63.3", "110.0"},
      {"59.9", "120.0", "60.0", "120.0"},
      {"60.2", "95.1", "60.0", "95.0"},
      // Lines off the plan keep their text.
      {"60.3", "57.3", "60.3", "57.3"},
      {"93.7", "29.0", "93.7", "28.0"},
      {"63.5", "70.0", "63.5", "70.0"},
  };
  for (const auto& c : cases) {
    const LineStation stnd = NearestStandard({c.calcLine, c.calcSta}, false);
    EXPECT_EQ(c.line, stnd.line) << c.calcLine << " " << c.calcSta;
    EXPECT_EQ(c.sta, stnd.sta) << c.calcLine << " " << c.calcSta;
  }
}

TEST(NearestStandard, StationTableByRoundedStation) {
  const struct {
    const char* calcSta;
    const char* sta;
  } cases[] = {
      {"26.7", "26.7"},   {"27.5", "28.0"}, {"28.4", "28.0"},   {"29.0", "28.0"},   {"30.4", "30.0"},
      {"31.2", "30.0"},   {"32.0", "33.0"}, {"33.4", "33.0"},   {"33.6", "35.0"},   {"35.5", "35.0"},
      {"36.4", "35.0"},   {"36.6", "37.0"}, {"37.5", "37.0"},   {"39.0", "40.0"},   {"40.4", "40.0"},
      {"41.0", "40.6"},   {"42.0", "42.0"}, {"43.0", "43.0"},   {"44.5", "44.5"},   {"45.0", "45.0"},
      {"46.6", "46.9"},   {"47.4", "46.9"}, {"48.0", "48.0"},   {"49.2", "49.0"},   {"50.5", "50.0"},
      {"51.0", "51.0"},   {"52.0", "52.0"}, {"53.0", "53.0"},   {"55.4", "55.0"},   {"57.3", "57.3"},
      {"60.0", "60.0"},   {"75.2", "75.0"}, {"100.3", "100.0"}, {"110.0", "110.0"}, {"115.0", "115.0"},
      {"120.0", "120.0"}, {"26.4", "26.4"}, {"0.0", "0.0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.sta, NearestStandard({"95.0", c.calcSta}, false).sta) << c.calcSta;
  }
}

TEST(NearestStandard, CalculatedModeKeepsTheCalculatedPair) {
  EXPECT_EQ((LineStation{"93.5", "26.1"}), NearestStandard({"93.5", "26.1"}, true));
  EXPECT_EQ((LineStation{"88.6", "70.3"}), NearestStandard({"88.6", "70.3"}, true));
}

TEST(NearestStandard, PositionFromTheSurveyAreaEndToEnd) {
  EXPECT_EQ((LineStation{"93.3", "28.0"}), NearestStandard(CalcLineSta(32.9f, -117.4f), false));
  EXPECT_EQ((LineStation{"80.0", "60.0"}), NearestStandard(CalcLineSta(34.15f, -121.15f), false));
}

TEST(NearestStandard, TextsThatAreNotNumbersPassThrough) {
  EXPECT_EQ((LineStation{"abc", "xyz"}), NearestStandard({"abc", "xyz"}, false));
  EXPECT_EQ((LineStation{"NaN", "NaN"}), NearestStandard({"NaN", "NaN"}, false));
  EXPECT_EQ((LineStation{"", ""}), NearestStandard({"", ""}, false));
}

TEST(StationFileFor, NamesTheFileOfEachStandardLineText) {
  const struct {
    const char* line;
    const char* file;
  } cases[] = {
      {"93.3", "Line93.txt"}, {"93", "Line93.txt"},   {"90.0", "Line90.txt"}, {"90", "Line90.txt"},
      {"91.7", "Line92.txt"}, {"92", "Line92.txt"},   {"91.8", "Line92.txt"}, {"87", "Line87.txt"},
      {"86.7", "Line87.txt"}, {"86.8", "Line87.txt"}, {"83.3", "Line83.txt"}, {"83", "Line83.txt"},
      {"80.0", "Line80.txt"}, {"80", "Line80.txt"},   {"76.7", "Line77.txt"}, {"77", "Line77.txt"},
      {"73.3", "Line73.txt"}, {"73", "Line73.txt"},   {"70.0", "Line70.txt"}, {"70", "Line70.txt"},
      {"81.8", "Line82.txt"}, {"82", "Line82.txt"},   {"81.7", "Line82.txt"}, {"85", "Line85.txt"},
      {"85.4", "Line85.txt"}, {"88.5", "Line88.txt"}, {"88", "Line88.txt"},   {"66.7", "Line67.txt"},
      {"67", "Line67.txt"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(std::optional<std::string>(c.file), StationFileFor(c.line)) << c.line;
  }
}

TEST(StationFileFor, OtherTextsHaveNoFile) {
  for (const char* line : {"93.4", "63.3", "60.0", "93.30", " 93.3", "93.3 ", "", "Line"}) {
    EXPECT_EQ(std::nullopt, StationFileFor(line)) << '"' << line << '"';
  }
}

}  // namespace
}  // namespace ruvek

namespace ruvek {
namespace {

// The inverse lands where the forward calculation gives the same texts back:
// standard stations of the survey, and calculated pairs of positions.
TEST(PositionOfLineStation, InvertsTheForwardCalculation) {
  std::vector<LineStation> pairs = {{"93.3", "26.7"},  {"90.0", "27.7"}, {"86.7", "33.0"},
                                    {"83.3", "39.4"},  {"80.0", "60.0"}, {"80.0", "50.5"},
                                    {"76.7", "100.0"}, {"66.7", "45.0"}, {"60.0", "120.0"}};
  for (auto [lat, lon] : {std::pair{32.9f, -117.4f}, {33.5f, -118.5f}, {35.0f, -122.0f}, {30.0f, -120.0f}})
    pairs.push_back(CalcLineSta(lat, lon));
  for (const LineStation& pair : pairs) {
    const auto at = PositionOfLineStation(LeadingNumber(pair.line), LeadingNumber(pair.sta));
    ASSERT_TRUE(at) << pair.line << " " << pair.sta;
    EXPECT_EQ(pair, CalcLineSta(float(at->lat), float(at->lon))) << at->lat << " " << at->lon;
  }
  // The grid's two values of pi put its origin within a metre of 34.15 N, 121.15 W.
  const auto origin = PositionOfLineStation(80, 60);
  EXPECT_NEAR(34.15, origin->lat, 1e-5);
  EXPECT_NEAR(-121.15, origin->lon, 1e-5);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (auto [line, sta] : {std::pair{nan, 60.0}, {80.0, nan}, {-500.0, 60.0}, {80.0, 1e9}})
    EXPECT_FALSE(PositionOfLineStation(line, sta)) << line << " " << sta;
}

}  // namespace
}  // namespace ruvek

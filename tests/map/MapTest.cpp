#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "map/CruiseMap.h"
#include "map/EventRows.h"
#include "map/GisExport.h"
#include "map/MapModel.h"

namespace ruvek {
namespace {

// A log row of the network event log, with its navigation tail.
std::string Row(int n, const std::string& lat, const std::string& lon, const std::string& activity = "CTD",
                const std::string& comments = "calm") {
  return "0708SR," + std::to_string(n) + ",93.3,26.7,93.3,26.8,08-Jun-2026,03:00:00," + lat + "," + lon + "," +
         activity + ",Event " + std::to_string(n) + ",ABC,08-Jun-2026,11:00:00," + comments +
         ",5$GPGGA,110000.00,3254.7404,N,11724.7404,W,2,09,0.9,5.1,M,-35.2,M,,*5C,1,2\r\n";
}

class TempDrive : public ::testing::Test {
 protected:
  void SetUp() override {
    static std::mt19937_64 rng{std::random_device{}()};
    std::filesystem::path folder;
    do folder = std::filesystem::temp_directory_path() / ("ruvek-map-" + std::to_string(rng() % 1000000000));
    while (!std::filesystem::create_directory(folder));
    root = folder.string();
    std::filesystem::create_directories(root + "/C");
  }
  void TearDown() override { std::filesystem::remove_all(root); }
  void append(const std::string& text) { std::ofstream(root + "/C/log.csv", std::ios::app | std::ios::binary) << text; }
  std::string root;
};

TEST(CruiseMap, SeededCruiseDrawsOneMarkerPerEventWhereTheProjectionPutsIt) {
  MapContent content;
  const char* activities[] = {"CTD", "BONGO", "MANTA"};
  for (int i = 0; i < 12; ++i) {
    MapEvent e;
    const int row = i / 4;  // four events a row
    e.lat = 32 + 0.25 * row;
    e.lon = -119 + 0.5 * (i % 4);
    e.activity = activities[i % 3];
    content.events.push_back(e);
  }
  const MapView view = FitView(CruisePoints(content), 800, 600);
  const std::string svg = ui::ToSvg(DrawMap(content, view));
  const std::regex circle(R"re(<circle cx="([-0-9.]+)" cy="([-0-9.]+)" r="4.0" fill="(#[0-9a-f]{6})")re");
  std::vector<std::smatch> markers;
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), circle); it != std::sregex_iterator(); ++it)
    markers.push_back(*it);
  // One per event, and one per class in the legend.
  EXPECT_EQ(content.events.size() + 3, markers.size());
  for (const MapEvent& e : content.events) {
    const ui::Point p = view.project({e.lat, e.lon});
    EXPECT_TRUE(p.x > 0 && p.x < 800 && p.y > 0 && p.y < 600) << p.x << " " << p.y;
    int found = 0;
    for (const auto& m : markers)
      found += std::abs(std::stod(m[1]) - p.x) < 0.06 && std::abs(std::stod(m[2]) - p.y) < 0.06 &&
               m[3] == (e.activity == "CTD"     ? "#1f77b4"
                        : e.activity == "BONGO" ? "#ff7f0e"
                                                : "#2ca02c");
    EXPECT_EQ(1, found) << e.lat << " " << e.lon;
  }
  // Half a degree of longitude is shorter than half a degree of latitude by
  // the cosine of the middle latitude (32.25 N); north is up, east right.
  const ui::Point sw = view.project({32, -119}), east = view.project({32, -118.5}), north = view.project({32.5, -119});
  EXPECT_NEAR(std::cos(32.25 * M_PI / 180), (east.x - sw.x) / (sw.y - north.y), 1e-9);
}

TEST_F(TempDrive, TheFollowerReadsOnlyTheRowsAppendedSinceItsLastRead) {
  struct Step {
    std::string appended;
    bool truncate;
    std::size_t events, withoutPosition;
  };
  const Step steps[] = {
      {Row(1, "32.5", "-118.0") + Row(2, "-99", "-99"), false, 1, 1},
      // A header and a blank line are no events; half a row waits for its end.
      {std::string(kLocalHeader) + "\r\n\r\n" + Row(3, "32.6", "-118.1"), false, 2, 1},
      {Row(4, "0.000000", "0.000000") + "0708SR,5,93.3,26.7,93.3,26.8,08-Jun-2026,03:00:00,32.7", false, 2, 2},
      {",-118.2,CTD,E,ABC,08-Jun-2026,11:00:00,,5\r\n", false, 3, 2},
      // A log replaced by a shorter one is read again from its start.
      {Row(9, "33", "-119", "BONGO"), true, 1, 0},
  };
  os::FileSystem fs(root);
  EventLogFollower follower;
  follower.follow("C:\\log.csv");
  std::vector<MapEvent> events;
  for (const Step& step : steps) {
    if (step.truncate) std::filesystem::remove(root + "/C/log.csv");
    append(step.appended);
    follower.update(fs, events);
    EXPECT_EQ(step.events, events.size()) << step.appended;
    EXPECT_EQ(step.withoutPosition, follower.withoutPosition()) << step.appended;
    EXPECT_LE(follower.offset(), std::filesystem::file_size(root + "/C/log.csv"));
  }
  EXPECT_EQ("9", events.back().number);
  EXPECT_EQ("BONGO", events.back().activity);
}

// The exports read back by GDAL: the feature count (events and the track) and
// the extent of the events.
TEST_F(TempDrive, ExportsReadBackByOgrinfoWithTheirEventsAndExtent) {
#ifdef _WIN32
  GTEST_SKIP() << "ogrinfo reads the exports in the Linux build";
#endif
  if (std::system("command -v ogrinfo >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "ogrinfo not found (Debian package gdal-bin): the exports are not read back";
  std::string log;
  for (int n = 1; n <= 50; ++n)
    log += Row(n, std::to_string(32 + n * 0.02), std::to_string(-120 + n * 0.01), n % 2 ? "CTD" : "BONGO",
               n == 7 ? "caf\xe9 \"quoted\" <b> & \\" : "calm");
  log += Row(51, "-99", "-99");
  for (GisFormat format : {GisFormat::GeoJson, GisFormat::Kml}) {
    const GisFile file = EventsForGis(log, format, "0708SR");
    EXPECT_EQ(50u, file.events);
    EXPECT_EQ(1u, file.withoutPosition);
    const std::string path = root + (format == GisFormat::GeoJson ? "/e.geojson" : "/e.kml");
    std::ofstream(path, std::ios::binary) << file.text;
    const std::string cmd = "ogrinfo -ro -al -so '" + path + "' 2>&1";
    std::string out;
    if (FILE* p = ::popen(cmd.c_str(), "r")) {
      char buf[4096];
      while (std::size_t n = std::fread(buf, 1, sizeof buf, p)) out.append(buf, n);
      ::pclose(p);
    }
    EXPECT_NE(std::string::npos, out.find("Feature Count: 51")) << out;
    EXPECT_NE(std::string::npos, out.find("Extent: (-119.990000, 32.020000) - (-119.500000, 33.000000)")) << out;
  }
}

TEST(CruiseMap, HeadingsAndGraticuleLabels) {
  const struct {
    const char* sentence;
    double heading;
  } headings[] = {
      {"$GPRMC,110000,A,3254.74,N,11724.74,W,10.2,274.5,080626,,*1F", 274.5},
      {"$HEHDT,93.2,T*2B", 93.2},
      {"$GPVTG,45.0,T,,M,10.0,N,18.5,K*4E", 45.0},
      {"$GPGGA,110000.00,3254.7404,N,11724.7404,W,2,09,0.9,5.1,M,-35.2,M,,*5C", NAN},
      {"$GPRMC,110000,A,3254.74,N,11724.74,W,10.2,,080626", NAN},
      {"$GPRMC,110000,A,3254.74,N,11724.74,W,10.2,999,080626", NAN},
      {"", NAN},
      {"$GP", NAN},
  };
  for (const auto& h : headings) {
    const double got = HeadingOf(h.sentence);
    if (std::isnan(h.heading))
      EXPECT_TRUE(std::isnan(got)) << h.sentence;
    else
      EXPECT_DOUBLE_EQ(h.heading, got) << h.sentence;
  }
  EXPECT_EQ("32\u00b0N", DegreeLabel(32, true));
  EXPECT_EQ("32\u00b030'N", DegreeLabel(32.5, true));
  EXPECT_EQ("117\u00b005'W", DegreeLabel(-117.0833333, false));
  EXPECT_EQ("0\u00b002.5'S", DegreeLabel(-2.5 / 60, true));
}

}  // namespace
}  // namespace ruvek

// The navigation simulator's file texts must read back through the logger's own
// position readers, so both are checked together here.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

#include "../../tools/navsim/NavSentences.h"
#include "nav/PositionFile.h"

namespace ruvek::navsim {
namespace {

Fix SampleFix() {
  Fix fix;
  fix.position = {32 + 52.1234 / 60, -(117 + 14.5678 / 60)};
  fix.courseDeg = 240;
  fix.speedKnots = 10;
  fix.utc = {2018, 6, 7, 18, 30, 12, 0};
  fix.local = {2018, 6, 7, 11, 30, 12, 0};
  return fix;
}

TEST(NavSentences, GgaAndRmcMatchTheReceiverLayoutWithValidChecksums) {
  EXPECT_EQ("$GPGGA,183012.00,3252.1234,N,11714.5678,W,2,09,0.9,5.1,M,-35.2,M,,*55", GgaSentence(SampleFix()));
  EXPECT_EQ("$GPRMC,183012.00,A,3252.1234,N,11714.5678,W,10.0,240.0,070618,12.5,E,D*2E", RmcSentence(SampleFix()));
  EXPECT_EQ("$GPVTG,240.0,T,227.5,M,10.0,N,18.5,K,D*2F", VtgSentence(SampleFix()));
}

TEST(NavSentences, DegreesAndMinutesCarryWhenMinutesRoundUpTo60) {
  EXPECT_EQ("3300.0000", DegreesMinutes(32.9999999, 2));
  EXPECT_EQ("11700.0000", DegreesMinutes(-116.9999999, 3));
  EXPECT_EQ("0030.0000", DegreesMinutes(0.5, 2));
}

TEST(NavSentences, SouthAndEastGetTheirHemisphereLetters) {
  Fix fix = SampleFix();
  fix.position = {-12.5, 45.25};
  EXPECT_NE(std::string::npos, GgaSentence(fix).find(",1230.0000,S,04515.0000,E,"));
}

TEST(NavSentences, MetRecordTagsTheValueBeforeLatAndLon) {
  EXPECT_EQ("MET,07062018,113012,32.86872,LAT,-117.24280,LON,240.0,COG,10.0,SOG,16.51,ST2,33.512,SA2",
            MetRecord(SampleFix(), true));
  EXPECT_EQ("MET,07062018,113012,240.0,COG,10.0,SOG,16.51,ST2,33.512,SA2", MetRecord(SampleFix(), false));
}

TEST(NavSentences, FilesReadBackThroughThePositionReaders) {
  const CurrPosResult ggaRmc = ParseCurrPos(PositionFileText(Layout::GgaRmc, SampleFix(), false), "$GPGGA", "$GPRMC");
  EXPECT_EQ(CurrPosResult::Good, ggaRmc.status);
  EXPECT_EQ("52.1234", ggaRmc.latMin);
  EXPECT_EQ(std::optional<std::string>("07-Jun-2018"), ggaRmc.utcDate);

  const CurrPosResult rmc = ParseCurrPos(PositionFileText(Layout::Rmc, SampleFix(), false), "$GPRMC", "");
  EXPECT_EQ(CurrPosResult::Good, rmc.status);
  EXPECT_EQ("14.5678", rmc.lonMin);

  std::array<std::string, 201> items;
  int latIndex = 0, lonIndex = 0;
  const MetResult met = ParseMetRecord(PositionFileText(Layout::Met, SampleFix(), false), items, latIndex, lonIndex);
  EXPECT_EQ("32.86872", met.latText);
  EXPECT_EQ("-117.24280", met.lonText);
  EXPECT_EQ("11:30:12", met.localTime);
}

TEST(NavSentences, DroppedPrimaryReadsAsBad) {
  EXPECT_EQ(CurrPosResult::Bad,
            ParseCurrPos(PositionFileText(Layout::GgaRmc, SampleFix(), true), "$GPGGA", "$GPRMC").status);
  EXPECT_EQ(CurrPosResult::Bad, ParseCurrPos(PositionFileText(Layout::Rmc, SampleFix(), true), "$GPRMC", "").status);
}

TEST(NavSentences, TalkerNoFixAndDatagramLayouts) {
  Fix gn = SampleFix();
  gn.talker = "GN";
  Fix noFix = SampleFix();
  noFix.hasFix = false;
  const struct {
    std::string built, expected;
  } cases[] = {
      {GgaSentence(gn), "$GNGGA,183012.00,3252.1234,N,11714.5678,W,2,09,0.9,5.1,M,-35.2,M,,*4B"},
      {RmcSentence(gn), "$GNRMC,183012.00,A,3252.1234,N,11714.5678,W,10.0,240.0,070618,12.5,E,D*30"},
      {GgaSentence(noFix), "$GPGGA,183012.00,,,,,0,00,99.9,,,,,,*56"},
      {RmcSentence(noFix), "$GPRMC,183012.00,V,,,,,,,070618,,,N*7C"},
      {VtgSentence(noFix), "$GPVTG,,T,,M,,N,,K,N*2C"},
      {PositionFileText(Layout::Met, noFix, false), MetRecord(SampleFix(), false) + "\r\n"},
      {DatagramText(SampleFix()), "UDP,07-Jun-2018,11:30:12,32.868723,-117.242797,"},
      {DatagramText(noFix), "UDP,07-Jun-2018,11:30:12,,,"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, c.built);
}

TEST(NavSentences, MirroringMovesTheShipIntoEachQuadrant) {
  const struct {
    Quadrant quadrant;
    double lat, lon, course;
  } cases[] = {
      {{}, 32.5, -117.5, 240},          {{'N', 'W'}, 32.5, -117.5, 240}, {{'S', 'E'}, -32.5, 117.5, 60},
      {{'S', 'W'}, -32.5, -117.5, 300}, {{'N', 'E'}, 32.5, 117.5, 120},
  };
  for (const auto& c : cases) {
    Fix fix = SampleFix();
    fix.position = {32.5, -117.5};
    MirrorInto(fix, c.quadrant);
    EXPECT_EQ(c.lat, fix.position.lat) << c.quadrant.lat << c.quadrant.lon;
    EXPECT_EQ(c.lon, fix.position.lon) << c.quadrant.lat << c.quadrant.lon;
    EXPECT_EQ(c.course, fix.courseDeg) << c.quadrant.lat << c.quadrant.lon;
  }
}

TEST(NavSentences, SimulatedReceiversReadBackThroughThePositionReaders) {
  Fix southEast = SampleFix();
  southEast.talker = "GA";
  MirrorInto(southEast, {'S', 'E'});
  const CurrPosResult read = ParseCurrPos(PositionFileText(Layout::GgaRmc, southEast, false), "$GAGGA", "$GARMC");
  EXPECT_EQ(CurrPosResult::Good, read.status);
  EXPECT_EQ(std::optional<std::string>("07-Jun-2018"), read.utcDate);
  const DecimalPosition position = ToDecimal(read);
  EXPECT_NEAR(-32.868723, position.lat, 5e-6);
  EXPECT_NEAR(117.242797, position.lon, 2e-5);

  Fix noFix = SampleFix();
  noFix.hasFix = false;
  for (const Layout layout : {Layout::GgaRmc, Layout::Rmc}) {
    EXPECT_EQ(CurrPosResult::NoFix, ParseCurrPos(PositionFileText(layout, noFix, false),
                                                 layout == Layout::Rmc ? "$GPRMC" : "$GPGGA", "$GPRMC")
                                        .status);
  }
  const DatagramDisplay shown = ParseDatagram(DatagramText(southEast));
  EXPECT_EQ("07-Jun-2018", shown.localDate);
  EXPECT_EQ("11:30:12", shown.localTime);
  EXPECT_EQ("-32.86872", shown.latText);
  EXPECT_EQ("117.24280", shown.lonText);
}

TEST(DeadReckon, TenKnotsDueNorthForAnHourIsTenMinutesOfLatitude) {
  const Position end = DeadReckon({32.9, -117.4}, 0, 10, 1);
  EXPECT_NEAR(32.9 + 10.0 / 60, end.lat, 1e-9);
  EXPECT_NEAR(-117.4, end.lon, 1e-9);
}

TEST(DeadReckon, CourseWestSouthWestMovesSouthAndWest) {
  const Position end = DeadReckon({32.9, -117.4}, 240, 12, 0.5);
  EXPECT_NEAR(32.9 - 3.0 / 60, end.lat, 1e-9);  // cos 240 = -1/2: 3 nm south
  EXPECT_LT(end.lon, -117.4);
}

TEST(SimClock, ParsesStartTimesAndSteps) {
  ClockTime t;
  ASSERT_TRUE(ParseClock("2018-06-07 23:59:59", t));
  const ClockTime next = ClockFromMillis(MillisFromClock(t) + 1500);
  EXPECT_EQ(2018, next.year);
  EXPECT_EQ(6, next.month);
  EXPECT_EQ(8, next.day);
  EXPECT_EQ(0, next.hour);
  EXPECT_EQ(0, next.second);
  EXPECT_EQ(50, next.centisecond);
  const ClockTime leap = ClockFromMillis(MillisFromClock({2024, 2, 28, 12, 0, 0, 0}) + 86400000);
  EXPECT_EQ(29, leap.day);
  for (const char* bad : {"2018-02-30 00:00:00", "2018-06-07", "2018-13-01 00:00:00", "2018-06-07 24:00:00",
                          "2018-06-07 12:00:00x", ""}) {
    EXPECT_FALSE(ParseClock(bad, t)) << bad;
  }
}

}  // namespace
}  // namespace ruvek::navsim

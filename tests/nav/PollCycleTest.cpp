// The poll tick run on a main window over a temporary drive, and its small
// pure helpers.
#include "core/Config.h"
#include "core/StationState.h"
#include "events/StationFixture.h"
#include "nav/CurrPos.h"
#include "nav/PollCycle.h"

namespace ruvek {
namespace {

TEST(IntervalFromRow, UsesRow9OrTwentySecondsWithinTheTimersRange) {
  struct Case {
    const char* row9;
    int ms;
    bool clamped;
  };
  const Case cases[] = {{"15000", 15000, false},
                        {"0", 20000, false},
                        {"", 20000, false},
                        {"abc", 20000, false},
                        {"-5", 20000, false},
                        {"65535", 65535, false},
                        {"65536", 65535, true},
                        {"70000", 65535, true},
                        {"0.4", 1, false},
                        {"1e9", 1, false},
                        {"99999999999999999999", 65535, true}};
  for (const auto& c : cases) {
    const PollInterval interval = IntervalFromRow(c.row9, kTickIntervalMs);
    EXPECT_EQ(c.ms, interval.ms) << "row 9 '" << c.row9 << "'";
    EXPECT_EQ(c.clamped, interval.clamped) << "row 9 '" << c.row9 << "'";
  }
}

TEST(CutDateTimeText, TakesTheDateByItsSeparatorAndTheLastEightCharacters) {
  EXPECT_EQ("28-Feb-2026", CutDateTimeText("28-Feb-2026 18:30:00").date);
  EXPECT_EQ("18:30:00", CutDateTimeText("28-Feb-2026 18:30:00").time);
  EXPECT_EQ("02/28/2026", CutDateTimeText("02/28/2026 18:30:00").date);
  EXPECT_EQ("", CutDateTimeText("20260228 18:30:00").date);  // date left unchanged
  EXPECT_EQ("1:2", CutDateTimeText("1:2").time);
}

TEST(UsablePosition, NeedsNorthWestAndNoMissingMark) {
  struct Case {
    float lat, lon;
    bool usable;
  };
  const Case cases[] = {{32.9f, -117.4f, true},   {32.9f, -99.0f, false}, {-99.0f, -99.0f, false},
                        {0.0f, -117.4f, false},   {32.9f, 0.0f, false},   {32.9f, 10.0f, false},
                        {-32.9f, -117.4f, false}, {32.9f, -98.99f, true}};
  for (const auto& c : cases) EXPECT_EQ(c.usable, UsablePosition(c.lat, c.lon)) << c.lat << ", " << c.lon;
}

TEST(HasPosition, AnyValueButTheMissingMarkOrNothingRead) {
  struct Case {
    float lat, lon;
    bool position;
  };
  const Case cases[] = {{32.9f, -117.4f, true}, {-33.9f, 151.2f, true}, {0.0f, -78.5f, true},   {51.5f, 0.0f, true},
                        {0.0f, 0.0f, false},    {32.9f, -99.0f, false}, {-99.0f, -99.0f, false}};
  for (const auto& c : cases) EXPECT_EQ(c.position, HasPosition(c.lat, c.lon)) << c.lat << ", " << c.lon;
}

class PollTick : public test::StationFixture {
 protected:
  PollTick() {
    SetRecording(st, w.buttons, Recording::Ready);
    w.menus.autoFill.checked = true;
    write("C:\\DATA\\EventNumber.txt", "10\r\n");
    write("C:\\DATA\\CurrPos.txt", kGga);
    w.boxes.eventNumber.setText("11");
  }
  void lastEvent(const std::string& number, const std::string& name) {
    write("C:\\DATA\\EventNumber.txt", number + "\r\n");
    write("C:\\DATA\\0708SRLastEvent.csv", "0708SR," + number +
                                               ",90.0,28.0,90.1,28.2,08-Jun-2026,03:00:00,"
                                               "33.100000,-117.900000,CTD," +
                                               name + ",XYZ,08-Jun-2026,11:00:00,Sea Conditions: Calm,4,$GPGGA\r\n");
  }
  static constexpr const char* kGga = "$GPGGA,183012.00,3254.0000,N,11724.0000,W,2,09,0.9,5.1,M,-35.2,M,,*58\r\n";
};

TEST_F(PollTick, AnotherStationsEventArrivingInAnEmptyGridGoesToRowOne) {
  w.eventRows.startPreload();  // a new cruise: the preload found no events
  lastEvent("15", "CTD Deployed");
  ruvek::PollTick(station);
  EXPECT_EQ("Evt#", w.eventGrid.cell(0, 0));
  EXPECT_EQ("Comments", w.eventGrid.cell(0, 9));
  EXPECT_EQ("15", w.eventGrid.cell(1, 0));
  EXPECT_EQ("CTD Deployed", w.eventGrid.cell(1, 5));
  EXPECT_EQ(2, w.eventRows.next());
  EXPECT_EQ(1, w.eventGrid.row);
}

TEST_F(PollTick, PulledEventFillsTheGridColumnsFromTheRecord) {
  lastEvent("15", "CTD Deployed");
  ruvek::PollTick(station);
  const char* expected[kGridCols] = {"15",           "90.0",      "28.0",        "08-Jun-2026", "11:00:00",
                                     "CTD Deployed", "33.100000", "-117.900000", "XYZ",         "Sea Conditions: Calm"};
  for (int c = 0; c < kGridCols; ++c) EXPECT_EQ(w.eventGrid.cell(1, c), expected[c]) << "column " << c;
  EXPECT_EQ("16", box());
  EXPECT_EQ("Reading Event Number file...16", w.statusBar.panel(1).text);
}

TEST_F(PollTick, AFullGridDropsItsOldestRowForThePulledEvent) {
  for (int r = 1; r < kGridRows; ++r) w.eventGrid.setCell(r, 0, std::to_string(r));
  w.eventRows.filled(kGridRows - 1);
  lastEvent("2500", "Bongo");
  ruvek::PollTick(station);
  EXPECT_EQ(kGridRows, w.eventGrid.rows());
  EXPECT_EQ("Evt#", w.eventGrid.cell(0, 0));
  EXPECT_EQ("2", w.eventGrid.cell(1, 0));
  EXPECT_EQ(std::to_string(kGridRows - 1), w.eventGrid.cell(kGridRows - 2, 0));
  EXPECT_EQ("2500", w.eventGrid.cell(kGridRows - 1, 0));
  EXPECT_EQ(kGridRows, w.eventRows.next());
  EXPECT_EQ("2501", box());
}

TEST_F(PollTick, TheSameLastEventSeenTwiceAddsOneRow) {
  lastEvent("15", "CTD Deployed");
  ruvek::PollTick(station);
  w.boxes.eventNumber.setText("11");  // as if the number were taken back; the line is unchanged
  ruvek::PollTick(station);
  EXPECT_EQ(2, w.eventRows.next());
  EXPECT_EQ("", w.eventGrid.cell(2, 0));
}

TEST_F(PollTick, HalfValidPositionTakesTheNoPositionBranch) {
  // A longitude text with a minus sign reads as -99 while the latitude is good.
  write("C:\\DATA\\CurrPos.txt", "$GPGGA,183012.00,3254.0000,N,-11724.0000,W,2,09,0.9,5.1,M,-35.2,M,,*75\r\n");
  w.lineCombo.setText("Line");
  w.stationCombo.setText("Sta");
  const std::string tip = w.lineCombo.tooltip;
  ruvek::PollTick(station);
  EXPECT_EQ("32.90000", w.boxes.lat.text());
  EXPECT_EQ("-099.00000", w.boxes.lon.text());
  EXPECT_EQ("", st.poll.nav.calcLine);
  EXPECT_EQ("Line", w.lineCombo.text());
  EXPECT_EQ("Sta", w.stationCombo.text());
  EXPECT_EQ(w.lineCombo.tooltip, tip);
}

// The survey grid lies north and west: elsewhere the line and station boxes
// stay, and only a tick without a position (none read, no fix, a garbled
// sentence) shows the retry status.
TEST_F(PollTick, LineAndStationOnlyNorthAndWestAndTheRetryStatusOnlyWithoutAPosition) {
  struct Case {
    const char* sentence;
    const char *lat, *lon;
    bool lineStation, retryStatus;
    const char* gpsStatus = "GPS Status: Good";
  };
  const Case cases[] = {
      {"$GPGGA,183012.00,3254.0000,N,11724.0000,W,2,09,0.9,5.1,M,-35.2,M,,*58", "32.90000", "-117.40000", true, false},
      {"$GAGGA,013015.00,3351.6420,S,15112.5120,E,1,09,0.8,40.1,M,22.3,M,,*55", "-33.86070", "151.20853", false, false},
      {"$GNGGA,170002.00,0000.0000,N,07830.0000,W,1,11,0.7,2810.0,M,24.1,M,,*53", "00.00000", "-078.50000", false,
       false},
      {"$GPGGA,183012.00,3254.0000,N,-11724.0000,W,2,09,0.9,5.1,M,-35.2,M,,*75", "32.90000", "-099.00000", false, true},
      {"$GPGGA,183012.00,3252.1234,N,11714.5678,W,0,00,,,M,,M,,*64", "-99.00000", "-099.00000", false, true,
       "GPS Status: No Fix"},
      {"$GPGGA,183012.00,3254.0000,N,11724.0000,W,2,09,0.9,5.1,M,-35.2,M,,*5C", "-99.00000", "-099.00000", false, true,
       "GPS Status: Bad Checksum"},
  };
  station.settings.numberScheme = NumberScheme::Julian;  // the event number part leaves status panel 1 alone
  for (const auto& c : cases) {
    write("C:\\DATA\\CurrPos.txt", std::string(c.sentence) + "\r\n");
    w.lineCombo.setText("Line");
    w.stationCombo.setText("Sta");
    st.poll.nav.calcLine.clear();
    w.statusBar.setText("before");
    ruvek::PollTick(station);
    EXPECT_EQ(c.lat, w.boxes.lat.text()) << c.sentence;
    EXPECT_EQ(c.lon, w.boxes.lon.text()) << c.sentence;
    EXPECT_EQ(c.lineStation, w.lineCombo.text() != "Line") << c.sentence;
    EXPECT_EQ(!c.lineStation, st.poll.nav.calcLine.empty()) << c.sentence;
    EXPECT_EQ(c.gpsStatus, w.statusBar.panel(3).text) << c.sentence;
    EXPECT_EQ(c.retryStatus ? "Unable to find C:\\DATA\\CurrPos.txt file...retrying" : "before",
              w.statusBar.panel(1).text)
        << c.sentence;
  }
}

TEST_F(PollTick, SevenUnreadablePositionReadsAskOnceAndNoEndsWithBad) {
  std::string tooLong;
  for (int i = 0; i < 21; ++i) tooLong += kGga;
  write("C:\\DATA\\CurrPos.txt", tooLong);
  platform.answers = {ui::Answer::No};
  const CurrPosResult read =
      ReadCurrPos(platform, station.settings.config, station.settings.currPosPath, w.statusBar, st.poll.nav);
  EXPECT_EQ(1u, platform.boxes.size());
  EXPECT_EQ(7 * 2000, platform.waitedMs);
  EXPECT_EQ(CurrPosResult::Bad, read.status);
  EXPECT_EQ("GPS Status: BAD!", w.statusBar.panel(3).text);
}

TEST_F(PollTick, YesToTheReadQuestionGivesSixMoreSilentAttempts) {
  std::string tooLong;
  for (int i = 0; i < 21; ++i) tooLong += kGga;
  write("C:\\DATA\\CurrPos.txt", tooLong);
  platform.answers = {ui::Answer::Yes, ui::Answer::No};
  ReadCurrPos(platform, station.settings.config, station.settings.currPosPath, w.statusBar, st.poll.nav);
  EXPECT_EQ(2u, platform.boxes.size());
  EXPECT_EQ(14 * 2000, platform.waitedMs);
}

TEST_F(PollTick, MetRecordFillsTheBoxesAndTheLineStation) {
  st.poll.gpsSource = NavSource::Met;
  st.poll.nav.utcDate = "07-Jun-2018";
  write("C:\\DATA\\CurrPos.txt", "MET,07062018,183012,32.90000,LAT,-117.40000,LON,240.0,COG\r\n");
  ruvek::PollTick(station);
  EXPECT_EQ("07-Jun-2018", w.boxes.date.text());
  EXPECT_EQ("18:30:12", w.boxes.time.text());
  EXPECT_EQ("32.90000", w.boxes.lat.text());
  EXPECT_EQ("-117.40000", w.boxes.lon.text());
  EXPECT_EQ("07-Jun-2018", w.boxes.utcDate.text());
  EXPECT_EQ("240.0", st.poll.nav.metItems[7]);
  EXPECT_EQ("93.3", st.poll.nav.stndLine);
  EXPECT_EQ("28.0", st.poll.nav.stndSta);
}

TEST_F(PollTick, UdpSourceShowsTheDatagramWithoutLineStation) {
  st.poll.gpsSource = NavSource::Udp;
  st.poll.udpDatagram = "UDP,07-Jun-2018,18:30:12,32.9,-117.4,";
  ruvek::PollTick(station);
  EXPECT_EQ("07-Jun-2018", w.boxes.date.text());
  EXPECT_EQ("32.90000", w.boxes.lat.text());
  EXPECT_EQ("-117.40000", w.boxes.lon.text());
  EXPECT_EQ("", st.poll.nav.calcLine);
  EXPECT_EQ("00.000000", st.poll.nav.decLat);
}

TEST_F(PollTick, BeforeStartOnlyTheNumberIsRefreshed) {
  SetRecording(st, w.buttons, Recording::NotStarted);
  write("C:\\DATA\\EventNumber.txt", "57\r\n");
  ruvek::PollTick(station);
  EXPECT_EQ("00.000000", st.poll.nav.decLat);
  EXPECT_EQ("00.000000", st.poll.nav.decLon);
  EXPECT_EQ("", w.boxes.lat.text());
  EXPECT_EQ("", w.timerActivityBox.text());
  EXPECT_EQ("58", box());
}

}  // namespace
}  // namespace ruvek

// The navigation poll, the position file and the Line.Sta modes of a started
// station, run headless on a temporary drive.
#include <gtest/gtest.h>

#include "e2e/EventLogCheck.h"
#include "e2e/Station.h"

namespace ruvek::test {
namespace {

// What the navigation simulator writes every few seconds: a GGA fix and the RMC
// that follows it, at 32.9 N, 117.4 W.
const char* kNavsimFile =
    "$GPGGA,183012.00,3254.0000,N,11724.0000,W,2,09,0.9,5.1,M,-35.2,M,,*58\r\n"
    "$GPRMC,183012.00,A,3254.0000,N,11724.0000,W,10.0,240.0,070618,12.5,E,D*23\r\n";

class Nav : public ::testing::Test {
 protected:
  Station st;
  RunResult started(const std::string& more, const std::map<int, std::string>& rows = {},
                    const std::string& shellSetup = {}) {
    st.seed(rows);
    if (!st.exists("C:\\DATA\\CurrPos.txt")) st.write("C:\\DATA\\CurrPos.txt", kNavsimFile);
    return st.run("clock 2026-06-08 03:00:00\nanswer Yes\nstart\n" + more, shellSetup);
  }
};

TEST_F(Nav, StartedStationShowsPositionTimeAndGpsStatus) {
  const auto r = started(
      "tick Timer1\nget Text1(1)\nget Text1(2)\nget Text1(3)\nget Text1(4)\nget Text2\n"
      "get StatusBar1.Panels(3)\nget NavSnapshot.utcDate\nget NavSnapshot.utcTime\nget NavSnapshot.decLat\n"
      "get NavSnapshot.decLon\nget Timer1.interval\nget Combo3.tooltip\nget Combo4.tooltip\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("08-Jun-2026", Got(r.out, "Text1(1)"));
  EXPECT_EQ("03:00:00", Got(r.out, "Text1(2)"));
  EXPECT_EQ("32.90000", Got(r.out, "Text1(3)"));
  EXPECT_EQ("-117.40000", Got(r.out, "Text1(4)"));
  EXPECT_EQ("08-Jun-2026,03:00:00", Got(r.out, "Text2"));
  EXPECT_EQ("GPS Status: Good", Got(r.out, "StatusBar1.Panels(3)"));
  EXPECT_EQ("07-Jun-2018", Got(r.out, "NavSnapshot.utcDate"));
  EXPECT_EQ("18:30:12", Got(r.out, "NavSnapshot.utcTime"));
  EXPECT_EQ("32.900002", Got(r.out, "NavSnapshot.decLat"));
  EXPECT_EQ("-117.400002", Got(r.out, "NavSnapshot.decLon"));
  EXPECT_EQ("15000", Got(r.out, "Timer1.interval"));
  EXPECT_EQ("Calculated line = 93.3", Got(r.out, "Combo3.tooltip"));
  EXPECT_EQ("Calculated station = 28.2", Got(r.out, "Combo4.tooltip"));
}

// The age of the last good position grows while the position file repeats
// the same sentence (ticks every 15 s), starts again with a new one, and is
// red once F9 has stopped the poll.
TEST_F(Nav, FixAgeGrowsOnARepeatedSentenceAndIsRedOnceThePollStops) {
  const std::string fresh =
      "sh printf '$GPGGA,183100.00,3254.0000,N,11724.0000,W,2,09,0.9,5.1,M,-35.2,M,,\\r\\n' "
      ">\"$RUVEK_ROOT/C/DATA/CurrPos.txt\"\n";
  const auto r = started(
      "echo == before\nget fixAgeSeconds\nget fixAgeLevel\n"
      "tick Timer1\necho == read\nget fixAgeSeconds\nget fixAgeLevel\n"
      "advance 25000\necho == 25 s\nget fixAgeSeconds\nget fixAgeLevel\n"
      "advance 10000\necho == 35 s\nget fixAgeSeconds\nget fixAgeLevel\n"
      "advance 45000\necho == 80 s\nget fixAgeSeconds\nget fixAgeLevel\n" +
      fresh +
      "advance 10000\necho == new sentence\nget fixAgeSeconds\nget fixAgeLevel\n"
      "key F9\nadvance 5000\necho == F9\nget fixAgeSeconds\nget fixAgeLevel\n");
  ASSERT_EQ(0, r.code) << r.err;
  const struct {
    const char *section, *seconds, *level;
  } expected[] = {{"before", "", "none"},  {"read", "0", "normal"}, {"25 s", "25", "normal"},
                  {"35 s", "35", "amber"}, {"80 s", "80", "red"},   {"new sentence", "0", "normal"},
                  {"F9", "5", "red"}};
  for (const auto& e : expected) {
    const std::string section = Section(r.out, e.section);
    EXPECT_EQ(Got(section, "fixAgeSeconds"), e.seconds) << e.section << "\n" << r.out;
    EXPECT_EQ(Got(section, "fixAgeLevel"), e.level) << e.section << "\n" << r.out;
  }
}

TEST_F(Nav, EachLineStaModeShowsItsLineAndStation) {
  struct Case {
    const char* row16;
    const char* line;
    const char* station;
  };
  // Standard: nearest station of the plan; calculated: the grid position;
  // selected: the operator's first list entries, never overwritten by a tick.
  const Case cases[] = {{"STANDARD", "93.3", "28.0"}, {"CALCULATE", "93.3", "28.2"}, {"SELECT", "93.3", "26.7"}};
  for (const auto& c : cases) {
    Station fresh;
    fresh.seed({{16, c.row16}});
    fresh.write("C:\\DATA\\CurrPos.txt", kNavsimFile);
    const auto r = fresh.run("answer Yes\nstart\ntick Timer1\nget Combo3\nget Combo4\nget Combo4.items\n");
    ASSERT_EQ(0, r.code) << r.err;
    EXPECT_EQ(c.line, Got(r.out, "Combo3")) << c.row16;
    EXPECT_EQ(c.station, Got(r.out, "Combo4")) << c.row16;
    EXPECT_EQ("26.7|28.0|30.0|35.0|40.0", Got(r.out, "Combo4.items")) << c.row16;
  }
}

TEST_F(Nav, ModeMenusSwitchTheBoxesAndRow16) {
  const auto r = started(
      "tick Timer1\nclick mnuCalcLine\nget Combo4\nget CruiseConfig(16)\nget mnuStndLine.checked\n"
      "echo --\nclick mnuCalcLine\nget Combo4\n"
      "click mnuSelectLine\nget Combo3\nget Combo4\nget CruiseConfig(16)\nget mnuCalcLine.checked\n"
      "echo --\ntick Timer1\nget Combo4\nclick mnuStndLine\nget Combo4\nget CruiseConfig(16)\n");
  ASSERT_EQ(0, r.code) << r.err;
  const std::string first = r.out.substr(0, r.out.find("--"));
  EXPECT_EQ("28.2", Got(first, "Combo4"));
  EXPECT_EQ("CALCULATE", Got(first, "CruiseConfig(16)"));
  EXPECT_EQ("false", Got(first, "mnuStndLine.checked"));
  const std::string second = r.out.substr(r.out.find("--"), r.out.rfind("--") - r.out.find("--"));
  EXPECT_EQ(1u, Count(second, "Combo4=28.2"));  // clicking the mode in force changes nothing
  EXPECT_EQ("93.3", Got(second, "Combo3"));
  EXPECT_EQ("26.7", Got(second, "Combo4"));
  EXPECT_EQ("SELECT", Got(second, "CruiseConfig(16)"));
  EXPECT_EQ("false", Got(second, "mnuCalcLine.checked"));
  const std::string third = r.out.substr(r.out.rfind("--"));
  EXPECT_TRUE(third.find("Combo4=26.7\n") != std::string::npos) << third;  // the tick leaves the choice
  EXPECT_EQ("28.0", Got(third, "Combo4"));
  EXPECT_EQ("STANDARD", Got(third, "CruiseConfig(16)"));
}

TEST_F(Nav, BadPositionFileShowsTheMissingMarks) {
  st.write("C:\\DATA\\CurrPos.txt", "$GPVTG,240.0,T,227.5,M,10.0,N,18.5,K,D*2F\r\n");
  const auto r = started(
      "get Combo3\nget Combo4\ntick Timer1\nget Text1(3)\nget Text1(4)\nget StatusBar1.Panels(3)\n"
      "get Combo3\nget Combo4\nget NavSnapshot.decLat\nget NavSnapshot.calcLine\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("-99.00000", Got(r.out, "Text1(3)"));
  EXPECT_EQ("-099.00000", Got(r.out, "Text1(4)"));
  EXPECT_EQ("GPS Status: BAD!", Got(r.out, "StatusBar1.Panels(3)"));
  EXPECT_EQ("93.3", Got(r.out, "Combo3"));
  EXPECT_EQ("26.7", Got(r.out, "Combo4"));
  EXPECT_EQ("-99.000000", Got(r.out, "NavSnapshot.decLat"));
  EXPECT_EQ("", Got(r.out, "NavSnapshot.calcLine"));
}

// A longitude with a minus sign reads as the missing mark while the latitude is
// good; such a half position must not give a line and station.
TEST_F(Nav, HalfValidPositionTakesTheNoPositionBranch) {
  st.write("C:\\DATA\\CurrPos.txt", "$GPGGA,183012.00,3254.0000,N,-11724.0000,W,2,09,0.9,5.1,M,-35.2,M,,*75\r\n");
  const auto r = started(
      "tick Timer1\nget Text1(3)\nget Text1(4)\nget Combo3\nget Combo4\n"
      "get NavSnapshot.calcLine\nget NavSnapshot.stndSta\nget Combo3.tooltip\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("32.90000", Got(r.out, "Text1(3)"));
  EXPECT_EQ("-099.00000", Got(r.out, "Text1(4)"));
  EXPECT_EQ("93.3", Got(r.out, "Combo3"));
  EXPECT_EQ("26.7", Got(r.out, "Combo4"));
  EXPECT_EQ("", Got(r.out, "NavSnapshot.calcLine"));
  EXPECT_EQ("", Got(r.out, "NavSnapshot.stndSta"));
  EXPECT_EQ(std::string::npos, Got(r.out, "Combo3.tooltip").find("Calculated line"));
}

TEST_F(Nav, PcTimeOptionsGiveTheLocalDateAndTime) {
  struct Case {
    const char* row21;
    const char* date;
    const char* time;
  };
  const Case cases[] = {
      {"UTC", "28-Feb-2026", "18:30:00"}, {"PDT", "01-Mar-2026", "01:30:00"}, {"PST", "01-Mar-2026", "02:30:00"}};
  for (const auto& c : cases) {
    Station fresh;
    fresh.seed({{21, c.row21}});
    fresh.write("C:\\DATA\\CurrPos.txt", kNavsimFile);
    const auto r = fresh.run(
        "clock 2026-03-01 02:30:00\nanswer Yes\nstart\ntick Timer1\nget Text1(1)\n"
        "get Text1(2)\nget NavSnapshot.localDate\n");
    ASSERT_EQ(0, r.code) << r.err;
    EXPECT_EQ(c.date, Got(r.out, "Text1(1)")) << c.row21;
    EXPECT_EQ(c.time, Got(r.out, "Text1(2)")) << c.row21;
    EXPECT_EQ(c.date, Got(r.out, "NavSnapshot.localDate")) << c.row21;
  }
}

TEST_F(Nav, BeforeStartOnlyTheEventNumberIsRefreshed) {
  st.seed();
  st.write("C:\\DATA\\CurrPos.txt", kNavsimFile);
  const auto r = st.run(
      "answer No\nstart\nsh printf '57\\r\\n' > \"$RUVEK_ROOT/C/DATA/EventNumber.txt\"\n"
      "tick Timer1\nget Text1(3)\nget NavSnapshot.decLat\nget NavSnapshot.decLon\nget Text1(5)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("", Got(r.out, "Text1(3)"));
  EXPECT_EQ("00.000000", Got(r.out, "NavSnapshot.decLat"));
  EXPECT_EQ("00.000000", Got(r.out, "NavSnapshot.decLon"));
  EXPECT_EQ("58", Got(r.out, "Text1(5)"));
}

TEST_F(Nav, SamplingRateSetsTheIntervalAndTooLongIsClampedVisibly) {
  struct Case {
    const char* row9;
    const char* interval;
    bool notice;
  };
  const Case cases[] = {{"0", "20000", false}, {"5000", "5000", false}, {"70000", "65535", true}};
  for (const auto& c : cases) {
    Station fresh;
    fresh.seed({{9, c.row9}});
    fresh.write("C:\\DATA\\CurrPos.txt", kNavsimFile);
    const auto r = fresh.run("answer Yes\nstart\ntick Timer1\nget Timer1.interval\nget StatusBar1.Panels(2)\n");
    ASSERT_EQ(0, r.code) << r.err;
    EXPECT_EQ(c.interval, Got(r.out, "Timer1.interval")) << c.row9;
    EXPECT_EQ(c.notice, Got(r.out, "StatusBar1.Panels(2)") != "Press F1 for Help") << c.row9;
  }
}

TEST_F(Nav, AutoFillMenuAsksAndStopsOrStartsThePoll) {
  const auto r = started(
      "tick Timer1\nanswer No\nclick mnuAuto\nget mnuAuto.checked\nanswer Yes\nclick mnuAuto\n"
      "get mnuAuto.checked\nget Text1(3)\nget Timer1.enabled\ntick Timer1\n"
      "answer Yes\nclick mnuAuto\nget Timer1.enabled\nget mnuAuto.checked\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(2u, Count(r.out,
                      "MSGBOX | Turn Off Auto Log? Y/N | Turn off Auto-Fill and manually enter all fields? Y/N | "
                      "YesNo | warning |"));
  EXPECT_TRUE(r.out.find("mnuAuto.checked=true\nMSGBOX | Turn Off") != std::string::npos) << r.out;
  EXPECT_TRUE(r.out.find("Text1(3)=\nTimer1.enabled=false\nTIMER Timer1 disabled\n") != std::string::npos) << r.out;
  EXPECT_TRUE(r.out.find("MSGBOX | Turn On Auto Log? Y/N | Turn Auto-Fill on for automatic entry of navigational "
                         "fields? Y/N | YesNo | warning | Yes\nTimer1.enabled=true\nmnuAuto.checked=true") !=
              std::string::npos)
      << r.out;
}

TEST_F(Nav, UnreadablePositionFileIsRetriedAndNoEndsTheReadAsBad) {
  std::string tooLong;
  for (int i = 0; i < 21; ++i) tooLong += "$GPGGA,183012.00,3254.0000,N,11724.0000,W,2,09,0.9,5.1,M,-35.2,M,,*58\r\n";
  st.write("C:\\DATA\\CurrPos.txt", tooLong);
  const auto r = started("answer No\ntick Timer1\nget clock\nget StatusBar1.Panels(3)\nget Text1(3)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(1u, Count(r.out,
                      "MSGBOX | Unable to READ from the server! | Having trouble reading C:\\DATA\\CurrPos.txt Y "
                      "to retry after checking Q is available. | YesNo | error | No"))
      << r.out;
  EXPECT_EQ("2026-06-08 03:00:14", Got(r.out, "clock"));  // seven reads two seconds apart
  EXPECT_EQ("GPS Status: BAD!", Got(r.out, "StatusBar1.Panels(3)"));
  EXPECT_EQ("-99.00000", Got(r.out, "Text1(3)"));
}

const char* kMetQuestion =
    "MSGBOX | Can't Find the MET data file, Quit? | Unable to find Current Position file...Quit & Restart the "
    "program?<CR>[Yes] to quit or [No] for manual entry, [Cancel] retries | YesNoCancel | warning | ";

std::string OverlongMetRecord() {
  std::string record = "MET";
  for (int i = 0; i < 205; ++i) record += ",1";
  return record + "\r\n";
}

TEST_F(Nav, UnreadableMetRecordAsksAfterSixRetriesAndNoSwitchesToManualEntry) {
  st.write("C:\\DATA\\CurrPos.txt", OverlongMetRecord());
  const auto r = started(
      "answer No\ntick Timer1\nget clock\nget mnuAuto.checked\nget mnuSelectLine.checked\n"
      "get mnuStndLine.checked\nget mnuCalcLine.checked\ntick Timer1\nget Timer1.enabled\n",
      {{11, "MET"}});
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(1u, Count(r.out, std::string(kMetQuestion) + "No")) << r.out;
  EXPECT_EQ("2026-06-08 03:00:14", Got(r.out, "clock"));
  EXPECT_EQ("false", Got(r.out, "mnuAuto.checked"));
  EXPECT_EQ("true", Got(r.out, "mnuSelectLine.checked"));
  EXPECT_EQ("false", Got(r.out, "mnuStndLine.checked"));
  EXPECT_EQ("false", Got(r.out, "mnuCalcLine.checked"));
  EXPECT_EQ("false", Got(r.out, "Timer1.enabled"));
}

TEST_F(Nav, UnreadableMetRecordYesSavesTheGridAndQuits) {
  st.write("C:\\DATA\\CurrPos.txt", OverlongMetRecord());
  const auto r = started("answer Yes\ntick Timer1\necho not reached\n", {{11, "MET"}});
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(1u, Count(r.out, std::string(kMetQuestion) + "Yes\nENDED")) << r.out;
  EXPECT_EQ(std::string::npos, r.out.find("not reached"));
  EXPECT_TRUE(st.exists("C:\\RuvekGPS\\0708SREvents.ins"));
}

// Receivers of other talkers, other hemispheres and without a fix, from the
// position file through a tick and Record Event to the logs.
class NavToLogs : public Nav {
 protected:
  RunResult recorded(const std::string& file, const std::map<int, std::string>& rows = {}) {
    st.seed(rows);
    st.write("C:\\DATA\\CurrPos.txt", file);
    return st.run(
        "clock 2026-06-08 03:00:00\nanswer Yes\nstart\ntick Timer1\nget StatusBar1.Panels(3)\n"
        "get Text1(3)\nget Text1(4)\nget Combo3\nget Combo4\n" +
        Record("Bongo"));
  }
  std::string networkLog() const { return CrLfLines(st.read("C:\\DATA\\0708SREvents.csv")).at(0); }
  std::string localLog() const { return CrLfLines(st.read("C:\\RuvekGPS\\0708SREvents.csv")).at(1); }
  std::string htmlLog() const { return st.read("C:\\DATA\\0708SREvents.htm"); }
};

TEST_F(NavToLogs, MultiConstellationReceiverIsReadWithItsOwnStrings) {
  const auto r = recorded(CrLf({"$GNGGA,183012.00,3254.0000,N,11724.0000,W,2,09,0.9,5.1,M,-35.2,M,,*46",
                                "$GNRMC,183012.00,A,3254.0000,N,11724.0000,W,10.0,240.0,070618,12.5,E,D*3D"}),
                          {{14, "$GNGGA"}, {15, "$GNRMC"}});
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("GPS Status: Good", Got(r.out, "StatusBar1.Panels(3)"));
  const std::string network = networkLog();
  EXPECT_EQ("93.3 28.0", Column(network, 2) + " " + Column(network, 3));
  EXPECT_EQ("32.90000 -117.40000", Column(network, 8) + " " + Column(network, 9));
  EXPECT_EQ("07-Jun-2018 18:30:12", Column(network, 13) + " " + Column(network, 14));
  EXPECT_NE(network.find("$GNGGA,183012.00,3254.0000,N,11724.0000,W,"), std::string::npos) << network;
  EXPECT_EQ("32.900002 -117.400002", Column(localLog(), 8) + " " + Column(localLog(), 9));
}

TEST_F(NavToLogs, SouthernPositionIsLoggedWithItsSignAndNoGridLineOrStation) {
  const auto r = recorded(CrLf({"$GPGGA,183012.00,3351.6420,S,15112.5120,E,1,09,0.8,40.1,M,22.3,M,,*4B",
                                "$GPRMC,183012.00,A,3351.6420,S,15112.5120,E,10.0,60.0,070618,12.5,E,A*1C"}));
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("-33.86070", Got(r.out, "Text1(3)"));
  EXPECT_EQ("151.20853", Got(r.out, "Text1(4)"));
  EXPECT_EQ("93.3 26.7", Got(r.out, "Combo3") + " " + Got(r.out, "Combo4"));  // left as they were
  const std::string network = networkLog();
  EXPECT_EQ("-33.86070 151.20853", Column(network, 8) + " " + Column(network, 9));
  EXPECT_EQ("", Column(network, 4) + Column(network, 5));  // no calculated line and station
  const std::string local = localLog();
  EXPECT_EQ("-33.860699 151.208527", Column(local, 8) + " " + Column(local, 9));
  EXPECT_NE(htmlLog().find("<TD>-33.860699</TD><TD>151.208527</TD>"), std::string::npos) << htmlLog();
}

TEST_F(NavToLogs, ReceiverWithoutAFixShowsNoFixAndLogsNoPosition) {
  const auto r = recorded(CrLf({"$GPGGA,183012.00,,,,,0,00,99.9,,,,,,*56", "$GPRMC,183012.00,V,,,,,,,070618,,,N*7C"}));
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("GPS Status: No Fix", Got(r.out, "StatusBar1.Panels(3)"));
  EXPECT_EQ("-99.00000 -099.00000", Got(r.out, "Text1(3)") + " " + Got(r.out, "Text1(4)"));
  const std::string network = networkLog();
  EXPECT_EQ("-99.00000 -099.00000", Column(network, 8) + " " + Column(network, 9));
  EXPECT_EQ("", Column(network, 13) + Column(network, 14));  // nor the receiver's time
  EXPECT_EQ(std::string::npos, network.find("$GP")) << network;
  EXPECT_EQ("-99.000000 -99.000000", Column(localLog(), 8) + " " + Column(localLog(), 9));
}

TEST_F(Nav, LineClickLoadsItsStationsAndAsksToStopTheCalculation) {
  const auto r = started(
      "tick Timer1\nanswer Yes\nchoose Combo3 90.0\nget Combo4\nget Combo4.items\nget mnuSelectLine.checked\n"
      "get mnuStndLine.checked\ntick Timer1\nget Combo3\necho --\nchoose Combo3 86.7\nget Combo4.items\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_TRUE(r.out.find("MSGBOX | Turn of Line.Sta Calculation? | Line & Station are automatically calculated from "
                         "Lat & Lon. Disable feature? Y/N | YesNo | information | Yes") != std::string::npos)
      << r.out;
  EXPECT_EQ("27.7", Got(r.out, "Combo4"));
  EXPECT_EQ("true", Got(r.out, "mnuSelectLine.checked"));
  EXPECT_EQ("false", Got(r.out, "mnuStndLine.checked"));
  EXPECT_EQ("90.0", Got(r.out, "Combo3"));  // the tick keeps the operator's line
  // The tick reloaded the stations of the standard line 93.3. No station file
  // for 86.7 in this station: that list stays, and no question.
  const std::string after = r.out.substr(r.out.find("--"));
  EXPECT_EQ("26.7|28.0|30.0|35.0|40.0", Got(after, "Combo4.items"));
  EXPECT_EQ(1u, Count(r.out, "MSGBOX | Turn of"));
}

TEST_F(Nav, NoToTheLineQuestionKeepsTheModeAndTheNextTickReplacesTheLine) {
  const auto r = started(
      "tick Timer1\nanswer No\nchoose Combo3 90.0\nget Combo3\ntick Timer1\nget Combo3\n"
      "get mnuStndLine.checked\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_TRUE(r.out.find("Combo3=90.0\n") != std::string::npos) << r.out;
  EXPECT_EQ("93.3", Got(r.out, "Combo3"));
  EXPECT_EQ("true", Got(r.out, "mnuStndLine.checked"));
}

TEST_F(Nav, LineFileEditOpensTheChosenFileAndACancelReopensIt) {
  const auto r = started(
      "file cancel\nclick mnuLineFileEdit\nfile -rf\nclick mnuLineFileEdit\n"
      "file C:\\RuvekGPS\\Line93.txt\nclick mnuLineFileEdit\nfile cancel\nclick mnuLineFileEdit\n",
      {}, "export VISUAL=gedit");
  ASSERT_EQ(0, r.code) << r.err;
  // No file chosen yet: no editor. A bare name is passed as a full path.
  EXPECT_NE(std::string::npos,
            r.out.find("FILEDIALOG | C:\\RuvekGPS | cancel\nFILEDIALOG | C:\\RuvekGPS | -rf\nEDITOR | "))
      << r.out;
  EXPECT_EQ(1u, Count(r.out, " | C:\\RuvekGPS\\-rf\n")) << r.out;
  EXPECT_TRUE(r.out.find("FILEDIALOG | C:\\RuvekGPS | C:\\RuvekGPS\\Line93.txt\nEDITOR | ") != std::string::npos)
      << r.out;
  EXPECT_EQ(3u, Count(r.out, " | C:\\RuvekGPS\\Line93.txt\n")) << r.out;  // dialog, editor, editor again
  EXPECT_TRUE(r.out.find("FILEDIALOG | C:\\RuvekGPS | cancel\nEDITOR | ") != std::string::npos) << r.out;
}

TEST_F(Nav, MissingLineFilesAreReportedAndBlankLinesSkipped) {
  st.seed();
  st.remove("C:\\RuvekGPS\\Line93.txt");
  st.write("C:\\RuvekGPS\\Lines.txt", "93.3\r\n\r\n   \r\n90.0\r\n");
  const auto r = st.run("answer Yes\nstart\nget Combo3.items\nget Combo4.items\nget Combo4\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("93.3|90.0", Got(r.out, "Combo3.items"));
  EXPECT_TRUE(r.out.find("MSGBOX |  | Unable to find C:\\RuvekGPS\\Line93.txt | OK | none | OK") != std::string::npos)
      << r.out;
  EXPECT_EQ("", Got(r.out, "Combo4.items"));
  EXPECT_EQ("", Got(r.out, "Combo4"));
}

}  // namespace
}  // namespace ruvek::test

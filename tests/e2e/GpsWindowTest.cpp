// The GPS settings window run headless: its fields from the port rows, GO and
// Stop, the collection ticks that write the current position file, Save
// Settings, the reload question, and the datagrams of the UDP source.
#include <gtest/gtest.h>

#include "e2e/EventLogCheck.h"
#include "e2e/Station.h"
#include "harness/Command.h"

namespace ruvek::test {
namespace {

const std::string kGga = "$GPGGA,183012.00,3252.1234,N,11714.5678,W,2,09,0.9,5.1,M,-35.2,M,,*55";
const std::string kRmc = "$GPRMC,183012.00,A,3252.1234,N,11714.5678,W,10.2,240.0,080626,,,D*73";
const char* const kPositionFile = "C:\\DATA\\CurrPos.txt";

class GpsWindow : public ::testing::Test {
 protected:
  Station st;
  // A GPS-source station started with the ready question answered, then `more`.
  RunResult start(const std::string& more, std::map<int, std::string> rows = {}) {
    rows.emplace(11, "GPS");
    st.seed(rows);
    return st.run("clock 2026-06-08 03:00:00\nanswer Yes\nstart\n" + more);
  }
};

TEST_F(GpsWindow, PortAndLineSettingsComeFromTheirRows) {
  struct Case {
    const char* row12;
    const char* row13;
    std::vector<std::string> shown;
  };
  const Case cases[] = {
      {"7",
       "4800,e,7,2",
       {"Option1(4).value=true", "Text1=7", "Option2(1).value=true", "Option3(1).value=true", "Option4(0).value=true",
        "Option5(1).value=true",
        "Option1(4).tooltip=Com7 opens " + ProgramSerialDevice(7) +
            " on this computer (set RUVEK_COM7 to open another device)"}},
      {"5",
       "19200,n,8,1",
       {"Option1(4).value=true", "Text1=", "Option2(3).value=true", "Text3=19200", "Option3(0).value=true",
        "Option4(1).value=true", "Option5(0).value=true"}},
      {"0", "9600,n,8,1", {"Option1(0).value=true", "Option1(4).value=false", "Option2(2).value=true"}},
      {"2", " 2400,n,8,1 ", {"Option1(1).value=true", "Option2(0).value=true", "CruiseConfig(13)=2400,n,8,1"}},
  };
  const char* names[] = {"Option1(0).value",   "Option1(1).value",
                         "Option1(4).value",   "Text1",
                         "Option1(4).tooltip", "Option2(0).value",
                         "Option2(1).value",   "Option2(2).value",
                         "Option2(3).value",   "Text3",
                         "Option3(0).value",   "Option3(1).value",
                         "Option4(0).value",   "Option4(1).value",
                         "Option5(0).value",   "Option5(1).value"};
  for (const auto& c : cases) {
    std::string script = "get CruiseConfig(13)\n";
    for (const char* name : names) script += "get frmCommCheck." + std::string(name) + "\n";
    const auto r = start(script, {{12, c.row12}, {13, c.row13}});
    ASSERT_EQ(0, r.code) << r.err;
    for (const auto& line : c.shown) {
      const bool config = line.rfind("CruiseConfig", 0) == 0;
      EXPECT_NE(r.out.find((config ? "" : "frmCommCheck.") + line + "\n"), std::string::npos)
          << "rows " << c.row12 << " / " << c.row13 << ": " << line << "\n"
          << r.out;
    }
  }
  const auto r = start("get frmCommCheck.Option2(2).value\n", {{13, "9600,n,8,1,x"}});
  EXPECT_EQ(1u, Count(r.out, "MSGBOX |  | Other settings not configurable... | OK")) << r.out;
  EXPECT_EQ("false", Got(r.out, "frmCommCheck.Option2(2).value"));
}

TEST_F(GpsWindow, TicksSplitLinesIntoTheDisplayAndWriteTheQuotedRecords) {
  const auto r = start(
      "click frmCommCheck.btnGo\nget frmCommCheck.btnGo\nget frmCommCheck.txtDisplay\n"
      "serial " +
      kGga + "<CR><LF>" + kRmc.substr(0, 30) +
      "\ntick frmCommCheck.Timer1\nget frmCommCheck.txtDisplay\n"
      "sh cp \"$RUVEK_ROOT/C/DATA/CurrPos.txt\" \"$RUVEK_ROOT/C/first.txt\"\n"
      "serial " +
      kRmc.substr(30) +
      "<CR><LF>\ntick frmCommCheck.Timer1\n"
      "get frmCommCheck.txtDisplay\ntick Timer1\nget Text1(3)\nget Text1(4)\nget StatusBar1.Panels(3)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_NE(r.out.find("frmCommCheck.btnGo=Stop\nfrmCommCheck.txtDisplay=\n"), std::string::npos) << r.out;
  // The RMC sentence waits in the buffer until its line end has come.
  EXPECT_NE(r.out.find("frmCommCheck.txtDisplay=" + kGga + "<CR><LF>\n"), std::string::npos) << r.out;
  EXPECT_EQ("\"" + kGga + "\r\"\r\n\"\"\r\n", st.read("C:\\first.txt"));
  EXPECT_EQ(kGga + "<CR><LF>" + kRmc + "<CR><LF>", Got(r.out, "frmCommCheck.txtDisplay"));
  EXPECT_EQ("\"" + kGga + "\r\"\r\n\"" + kRmc + "\r\"\r\n", st.read(kPositionFile));
  EXPECT_EQ("32.86872", Got(r.out, "Text1(3)"));
  EXPECT_EQ("-117.24280", Got(r.out, "Text1(4)"));
  EXPECT_EQ("GPS Status: Good", Got(r.out, "StatusBar1.Panels(3)"));
}

TEST_F(GpsWindow, TheDisplayKeepsItsLast1500CharactersAndWithoutAPrimaryNothingIsWritten) {
  std::string serial, lines;
  for (int i = 0; i < 30; ++i) {
    const std::string gga = "$GPGGA,1830" + std::to_string(10 + i) + ".00,3252.1234,N,11714.5678,W,2,09*00";
    serial += gga + "<CR><LF>";
    lines += gga + "\r\n";
  }
  st.write(kPositionFile, "before\r\n");
  const auto r = start("click frmCommCheck.btnGo\nserial " + kRmc + "<CR><LF>\ntick frmCommCheck.Timer1\n" +
                       "sh cp \"$RUVEK_ROOT/C/DATA/CurrPos.txt\" \"$RUVEK_ROOT/C/first.txt\"\nserial " + serial +
                       "\ntick frmCommCheck.Timer1\nget frmCommCheck.txtDisplay\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("before\r\n", st.read("C:\\first.txt"));
  const std::string shown = (kRmc + "\r\n" + lines).substr(kRmc.size() + 2 + lines.size() - 1500);
  std::string printed = shown;
  for (std::size_t p; (p = printed.find("\r\n")) != std::string::npos;) printed.replace(p, 2, "<CR><LF>");
  EXPECT_EQ(Got(r.out, "frmCommCheck.txtDisplay"), printed);
  const std::size_t newest = lines.rfind("$GPGGA");  // the RMC has left the display
  EXPECT_EQ(st.read(kPositionFile), "\"" + lines.substr(newest, lines.size() - 1 - newest) + "\"\r\n\"\"\r\n");
}

// A 1 Hz receiver collected every 5 s, the text received so far ending in a GGA, in an RMC, at a line end: each
// collection writes the newest complete GGA and RMC (their seconds in the table).
TEST_F(GpsWindow, EachCollectionWritesTheNewestCompleteFixOfA1HzFeed) {
  const auto fix = [](const char* id, int s) {
    return std::string(id) + ",0300" + char('0' + s / 10) + char('0' + s % 10) + ".00,3254.0,N,11724.0,W,";
  };
  std::string feed, script = "click frmCommCheck.btnGo\n";
  for (int s = 0; s < 15; ++s) feed += fix("$GPGGA", s) + "<CR><LF>" + fix("$GPRMC", s) + "<CR><LF>";
  const std::size_t ticks[][3] = {
      {feed.find(fix("$GPGGA", 5)) + 20, 4, 4}, {feed.find(fix("$GPRMC", 9)) + 5, 9, 8}, {feed.size(), 14, 14}};
  for (std::size_t i = 0, from = 0; i < std::size(ticks); from = ticks[i++][0])
    script += "serial " + feed.substr(from, ticks[i][0] - from) + "\ntick frmCommCheck.Timer1\nsh cp " +
              "\"$RUVEK_ROOT/C/DATA/CurrPos.txt\" \"$RUVEK_ROOT/C/" + std::to_string(i) + "\"\n";
  ASSERT_EQ(0, start(script).code);
  for (std::size_t i = 0; i < std::size(ticks); ++i)
    EXPECT_EQ(st.read("C:\\" + std::to_string(i)),
              "\"" + fix("$GPGGA", int(ticks[i][1])) + "\r\"\r\n\"" + fix("$GPRMC", int(ticks[i][2])) + "\r\"\r\n");
}

TEST_F(GpsWindow, GoRefusesWhatCannotOpenAndStopsWithGo) {
  struct Case {
    const char* actions;
    const char* message;
    const char* caption;
  };
  const Case cases[] = {
      {"", "Com port1 not found.  Check your com port setting and try again. | OK | none", "Go"},
      {"click frmCommCheck.Option1(4)\ntype frmCommCheck.Text1 0.4\n",
       "Enter the Com port number in the text box and try again! | OK | none", "GO"},
      {"click frmCommCheck.Option2(3)\ntype frmCommCheck.Text3 0\n",
       "Enter the baud rate in the text box and try again! | OK | none", "GO"},
      {"click frmCommCheck.Option2(3)\ntype frmCommCheck.Text3 96x0\n",
       "The com port settings 96x0,n,8,1 cannot be used: the baud rate \"96x0\" is not a whole number from 1 to "
       "4000000.  Check your com port setting and try again. | OK | exclamation",
       "Go"},
  };
  for (const auto& c : cases) {
    st.seed({{11, "GPS"}});
    const auto r = st.run("ports 2\nanswer Yes\nstart\n" + std::string(c.actions) +
                          "click frmCommCheck.btnGo\nget frmCommCheck.btnGo\nserial " + kGga +
                          "<CR><LF>\ntick frmCommCheck.Timer1\nget frmCommCheck.txtDisplay\n");
    ASSERT_EQ(0, r.code) << r.err;
    EXPECT_EQ(1u, Count(r.out, "MSGBOX |  | " + std::string(c.message))) << c.message << "\n" << r.out;
    EXPECT_EQ(c.caption, Got(r.out, "frmCommCheck.btnGo")) << c.message;
    EXPECT_EQ(0u, Got(r.out, "frmCommCheck.txtDisplay").rfind("Click [GO]", 0)) << "nothing collected\n" << r.out;
  }
  const auto r = start("click frmCommCheck.btnGo\nclick frmCommCheck.btnGo\nget frmCommCheck.btnGo\nserial " + kGga +
                       "<CR><LF>\ntick frmCommCheck.Timer1\nget frmCommCheck.txtDisplay\n");
  EXPECT_EQ("Go", Got(r.out, "frmCommCheck.btnGo"));
  EXPECT_EQ("", Got(r.out, "frmCommCheck.txtDisplay"));
  EXPECT_FALSE(st.exists(kPositionFile));
}

TEST_F(GpsWindow, SaveSettingsWritesThePortRowsWithACustomBaud) {
  const auto r = start(
      "click frmCommCheck.Option1(2)\nclick frmCommCheck.Option2(3)\ntype frmCommCheck.Text3 19200\n"
      "click frmCommCheck.Option4(1)\nclick frmCommCheck.Command1\nget CruiseConfig(12)\nget CruiseConfig(13)\n"
      "click frmCommCheck.Option1(4)\ntype frmCommCheck.Text1 0\nclick frmCommCheck.Command1\n",
      {{13, "4800,n,7,1"}});
  ASSERT_EQ(0, r.code) << r.err;
  const auto rows = CrLfLines(st.read("C:\\RuvekGPS\\RuvekGPS.cfg"));
  ASSERT_GE(rows.size(), 13u);
  EXPECT_EQ("3", rows[11]);
  EXPECT_EQ("19200,n,8,1", rows[12]);
  EXPECT_EQ("19200,n,8,1", Got(r.out, "CruiseConfig(13)"));
  EXPECT_EQ(1u, Count(r.out, "MSGBOX |  | Please enter the commport value before saving settings | OK")) << r.out;
}

TEST_F(GpsWindow, SaveSettingsAfterAFourthCommaWritesFourRealValues) {
  // Row 13 cannot be shown: the options keep their design selection.
  for (const char* row13 : {"4800,n,8,1,", "9600,e,7,2,odd"}) {
    SCOPED_TRACE(row13);
    const auto r = start("click frmCommCheck.Option1(1)\nclick frmCommCheck.Command1\n", {{13, row13}});
    ASSERT_EQ(0, r.code) << r.err;
    EXPECT_EQ(1u, Count(r.out, "MSGBOX |  | Other settings not configurable... | OK")) << r.out;
    const auto rows = CrLfLines(st.read("C:\\RuvekGPS\\RuvekGPS.cfg"));
    ASSERT_EQ(21u, rows.size());
    EXPECT_EQ("2", rows[11]);
    EXPECT_EQ("4800,n,8,1", rows[12]);
  }
}

TEST_F(GpsWindow, ReloadingWithThePortOpenAsksWhetherToReset) {
  const auto r = start(
      "click frmCommCheck.btnGo\nclick frmCommCheck.Command2\nget frmCommCheck.visible\nget frmActivity.visible\n"
      "answer No\nclick mnuComSet\nget frmCommCheck.visible\nserial " +
      kGga +
      "<CR><LF>\ntick frmCommCheck.Timer1\necho still collecting\nget frmCommCheck.txtDisplay\n"
      "answer Yes\nclick mnuComSet\nget frmCommCheck.btnGo\nserial " +
      kRmc + "<CR><LF>\ntick frmCommCheck.Timer1\necho reset\nget frmCommCheck.txtDisplay\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_NE(r.out.find("frmCommCheck.visible=false\nfrmActivity.visible=true\n"), std::string::npos) << r.out;
  EXPECT_EQ(2u, Count(r.out,
                      "MSGBOX | Com Port Opened, Reset? | Comm Port is already open, reset? Y/N (N will display "
                      "current input) | YesNoCancel | none"))
      << r.out;
  EXPECT_NE(r.out.find("still collecting\nfrmCommCheck.txtDisplay=" + kGga + "<CR><LF>\n"), std::string::npos) << r.out;
  EXPECT_EQ("Go", Got(r.out, "frmCommCheck.btnGo"));
  EXPECT_NE(r.out.find("reset\nfrmCommCheck.txtDisplay=" + kGga + "<CR><LF>\n"), std::string::npos) << r.out;
}

TEST_F(GpsWindow, AnUnwritablePositionFileIsReportedOnceATickUntilStop) {
  const std::string unable =
      "MSGBOX |  | Unable to write to C:\\DATA\\CurrPos.txt ! Fix by mapping drive Q or edit ruvekgps.cfg datapath. | "
      "OK | none | OK";
  const auto r = start(
      "sh mkdir \"$RUVEK_ROOT/C/DATA/CurrPos.txt\"\nclick frmCommCheck.btnGo\nserial " + kGga +
      "<CR><LF>\ntick frmCommCheck.Timer1\necho second\ntick frmCommCheck.Timer1\n"
      "echo third\nsh rmdir \"$RUVEK_ROOT/C/DATA/CurrPos.txt\"\ntick frmCommCheck.Timer1\n"
      "echo stopped\nsh rm \"$RUVEK_ROOT/C/DATA/CurrPos.txt\"; mkdir \"$RUVEK_ROOT/C/DATA/CurrPos.txt\"\nserial " +
      kGga +
      "<CR><LF>\ntick frmCommCheck.Timer1\nclick frmCommCheck.btnGo\ntick frmCommCheck.Timer1\n"
      "tick frmCommCheck.Timer1\necho end\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_NE(r.out.find(unable + "\nsecond\n" + unable + "\nthird\nstopped\n" + unable + "\nend\n"), std::string::npos)
      << r.out;
}

// The poll shows the newest datagram before the GPS window lists it (Julian numbers leave it the status line).
TEST_F(GpsWindow, UdpDatagramsAreListedAndShownByThePoll) {
  const std::string older = "UDP,08-Jun-2026,02:59:59,32.8,-117.3,", datagram = "UDP,08-Jun-2026,03:00:00,32.9,-117.4,";
  auto r = start("udp " + older + "<CR><LF>\nudp " + datagram +
                     "\ntick Timer1\nget Text1(1)\nget Text1(2)\nget Text1(3)\nget Text1(4)\n"
                     "get StatusBar1.Panels(1)\ntick frmCommCheck.Timer1\nget frmCommCheck.txtDisplay\n",
                 {{11, "UDP"}, {12, "5000"}, {19, "JULIAN"}});
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(Got(r.out, "frmCommCheck.txtDisplay"),
            "Click [GO] to initiate GPS serial input<CR><LF>Wait for GPS text "
            "to display<CR><LF>then click [Hide GPS]<CR><LF>" +
                older + "<CR><LF>" + datagram + "<CR><LF>");
  EXPECT_EQ("08-Jun-2026", Got(r.out, "Text1(1)"));
  EXPECT_EQ("03:00:00", Got(r.out, "Text1(2)"));
  EXPECT_EQ("32.90000", Got(r.out, "Text1(3)"));
  EXPECT_EQ("-117.40000", Got(r.out, "Text1(4)"));
  EXPECT_EQ("Reading navigation datagrams...", Got(r.out, "StatusBar1.Panels(1)"));
  for (const char* row12 : {"0", "70000", "x"}) {
    r = start("udp " + datagram + "\ntick frmCommCheck.Timer1\ntick Timer1\nget Text1(1)\nget StatusBar1.Panels(1)\n",
              {{11, "UDP"}, {12, row12}, {19, "JULIAN"}});
    EXPECT_EQ(1u, Count(r.out, "MSGBOX | UDP Navigation | The UDP port \"" + std::string(row12) +
                                   "\" (Com port in RuvekGPS.cfg) is not a number from 1 to 65535: no navigation "
                                   "datagrams are received. | OK | exclamation"))
        << r.out;
    EXPECT_EQ("", Got(r.out, "Text1(1)"));
    EXPECT_EQ("No navigation datagram yet - waiting...", Got(r.out, "StatusBar1.Panels(1)"));
  }
}

// Junk on the port after a good datagram leaves the fix to age: a dead feed
// never looks fresh.
TEST_F(GpsWindow, ADatagramWithoutAPositionIsNoNewFix) {
  const auto r = start(
      "udp UDP,08-Jun-2026,03:00:00,32.9,-117.4,\ntick Timer1\nadvance 40000\n"
      "udp UDP,garbage,\nadvance 40000\nget fixAgeSeconds\nget fixAgeLevel\n",
      {{11, "UDP"}, {12, "5000"}, {19, "JULIAN"}});
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("80", Got(r.out, "fixAgeSeconds")) << r.out;
  EXPECT_EQ("red", Got(r.out, "fixAgeLevel")) << r.out;
}

}  // namespace
}  // namespace ruvek::test

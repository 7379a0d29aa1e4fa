// The event grid at start: the four preload modes, the full grid and the
// "Displayed Events" menu.
#include <gtest/gtest.h>

#include "e2e/EventLogCheck.h"
#include "e2e/Station.h"

namespace ruvek::test {
namespace {

const char* kNetworkLog = "C:\\DATA\\0708SREvents.csv";

// "E12"
std::string Numbered(const char* prefix, int n) {
  std::string text = prefix;
  text += std::to_string(n);
  return text;
}

// One network event log line with a full MET tail.
std::string Event(int number, const std::string& line, const std::string& sta, const std::string& event,
                  const std::string& comments = "note") {
  return "0708SR," + std::to_string(number) + "," + line + "," + sta + "," + line + "," + sta +
         ",08-Jun-2026,03:00:" + (number % 60 < 10 ? "0" : "") + std::to_string(number % 60) +
         ",32.123456,-117.123456,Ancillary," + event + ",ABC,08-Jun-2026,11:00:00," + comments + ",1" +
         "$GPGGA,110000,3207.4,N,11707.4,W,1,08,1.0,10.0,M,,,,*00" + std::string(112, ',') + "\r\n";
}

std::string Rows(const std::string& out, int first, int last, int col) {
  std::string shown;
  for (int r = first; r <= last; ++r)
    shown += Got(out, "EventLog(" + std::to_string(r) + "," + std::to_string(col) + ")") + "|";
  return shown;
}

RunResult StartWith(Station& st, const std::string& mode, const std::string& log, const std::string& more = "") {
  st.seed({{17, mode}});
  st.write(kNetworkLog, log);
  return st.run("answer Yes\nstart\nget gridRowCount\nget lastSeenLastEvent\n" + GetRows(1, 4, 10) + more);
}

TEST(Preload, LastEventShowsTheLastEventWithItsComments) {
  Station st;
  auto r = StartWith(st, "LASTEVENT",
                     Event(1, "93.3", "26.7", "E1") + Event(2, "93.3", "28.0", "E2") +
                         Event(3, "90.0", "30.0", "E3", "the comment") + "short\r\n\r\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("2", Got(r.out, "gridRowCount"));
  const std::string third = Event(3, "90.0", "30.0", "E3", "the comment");
  EXPECT_EQ(third.substr(0, third.size() - 2), Got(r.out, "lastSeenLastEvent"));
  EXPECT_EQ("3|90.0|30.0|08-Jun-2026|03:00:03|E3|32.123456|-117.123456|ABC|the comment|", RowText(r.out, 1));
  EXPECT_EQ("|", Rows(r.out, 2, 2, 0));
}

TEST(Preload, LastStationShowsEveryEventOfTheLastEventsStationWithItsComments) {
  Station st;
  auto r = StartWith(st, "LASTSTA",
                     Event(1, "93.3", "60", "A") + Event(2, "90.0", "60.0", "B") + Event(3, "93.3", "60.00", "C") +
                         Event(4, "93.3", "26.7", "D") + Event(5, "93.3", "60.0", "E"));
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("4", Got(r.out, "gridRowCount"));
  EXPECT_EQ("A|C|E||", Rows(r.out, 1, 4, 5));
  EXPECT_EQ("note|note|note|", Rows(r.out, 1, 3, 9));
  EXPECT_EQ("32.123456|", Rows(r.out, 1, 1, 6));
}

TEST(Preload, CurrentStationUsesTheLineAndStationBoxesAndCutsThePosition) {
  Station st;
  // At start the boxes show the first entries of the line files: 93.3 and 26.7.
  auto r = StartWith(st, "CURRENTSTA",
                     Event(1, "93.3", "26.7", "A") + Event(2, "90.0", "53.0", "B") + Event(3, "93.3", "26.7", "C") +
                         Event(4, "90.0", "53.0", "D"));
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("3", Got(r.out, "gridRowCount"));
  EXPECT_EQ("A|C|", Rows(r.out, 1, 2, 5));
  EXPECT_EQ("32.123|", Rows(r.out, 1, 1, 6));
  EXPECT_EQ("-117.12|", Rows(r.out, 1, 1, 7));
}

TEST(Preload, AllEventsShowsTheFirstEventOfALogWithoutHeader) {
  Station st;
  auto r = StartWith(st, "ALLEVENTS",
                     Event(1, "93.3", "26.7", "E1") + Event(2, "93.3", "28.0", "E2") + Event(3, "90.0", "30.0", "E3"));
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("4", Got(r.out, "gridRowCount"));
  EXPECT_EQ("E1|E2|E3||", Rows(r.out, 1, 4, 5));
}

// Blank lines are no events, and a header line is never shown as one, in any mode.
TEST(Preload, BlankLinesAndHeaderLinesAreNeverRows) {
  const std::string header =
      "Cruise,Event#,StndLine,StndSta,CalcLine,CalcSta,DatePST,TimePST,DecLat,DecLon,Activity,Event,Operator,"
      "DateUTC,TimeUTC,Comments,Ord_Occ\r\n";
  const std::string log =
      header + Event(1, "93.3", "26.7", "E1") + "\r\n  \r\n" + Event(2, "93.3", "26.7", "E2") + header + "\r\n";
  struct Case {
    const char* mode;
    const char* rows;
    const char* count;
  };
  const Case cases[] = {{"ALLEVENTS", "E1|E2||", "3"},
                        {"LASTSTA", "E1|E2||", "3"},
                        {"CURRENTSTA", "E1|E2||", "3"},
                        {"LASTEVENT", "E2|||", "2"}};
  for (const Case& c : cases) {
    Station st;
    auto r = StartWith(st, c.mode, log);
    ASSERT_EQ(0, r.code) << r.err;
    EXPECT_EQ(c.count, Got(r.out, "gridRowCount")) << c.mode;
    EXPECT_EQ(c.rows, Rows(r.out, 1, 3, 5)) << c.mode;
    EXPECT_EQ("2", Column(Got(r.out, "lastSeenLastEvent"), 1)) << c.mode;
  }
  // A log holding only its header holds no event.
  for (const char* mode : {"LASTEVENT", "ALLEVENTS"}) {
    Station st;
    auto r = StartWith(st, mode, header);
    ASSERT_EQ(0, r.code) << r.err;
    EXPECT_EQ("0", Got(r.out, "gridRowCount")) << mode;
    EXPECT_EQ("|||||||||||", RowText(r.out, 1) + "|") << mode;
    EXPECT_EQ("", Got(r.out, "lastSeenLastEvent")) << mode;
  }
}

TEST(Preload, AllEventsShowsTheLastThousandEventsOfALongerLog) {
  Station st;
  std::string log;
  for (int n = 1; n <= 1500; ++n) log += Event(n, "93.3", "26.7", Numbered("E", n));
  auto r = StartWith(st, "ALLEVENTS", log, "get EventLog(1000,5)\nget EventLog(1001,5)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("1001", Got(r.out, "gridRowCount"));
  EXPECT_EQ("E501|", Rows(r.out, 1, 1, 5));
  EXPECT_EQ("E1500", Got(r.out, "EventLog(1000,5)"));
  EXPECT_EQ("", Got(r.out, "EventLog(1001,5)"));
}

TEST(Preload, FullGridShowsTheLatestRowsAndARecordedEventDropsTheOldest) {
  Station st;
  std::string log;
  for (int n = 1; n <= 2100; ++n) log += Event(n, "93.3", "26.7", Numbered("E", n));
  auto r = StartWith(st, "LASTSTA", log,
                     "get EventLog(1999,5)\ntype Text1(3) 32.9\ntype Text1(4) -117.4\nanswer Yes\n" + Record("Bongo") +
                         "echo recorded\nget gridRowCount\nget EventLog(1,5)\n"
                         "get EventLog(1998,5)\nget EventLog(1999,5)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_NE(std::string::npos, r.out.find("gridRowCount=2000\nlastSeenLastEvent=")) << r.out.substr(0, 300);
  EXPECT_NE(std::string::npos, r.out.find("EventLog(1,5)=E102\n"));
  EXPECT_NE(std::string::npos, r.out.find("recorded\ngridRowCount=2000\nEventLog(1,5)=E103\nEventLog(1998,5)=E2100\n"
                                          "EventLog(1999,5)=Bongo\n"))
      << r.out.substr(r.out.find("recorded"));
  EXPECT_EQ(2101u, CrLfLines(st.read(kNetworkLog)).size());
}

TEST(Preload, ModeWordsAreComparedExactlyAndAMissingLogLeavesAnEmptyGrid) {
  Station st;
  auto r = StartWith(st, "lastevent", Event(1, "93.3", "26.7", "E1"));
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("0", Got(r.out, "gridRowCount"));
  EXPECT_EQ("|", Rows(r.out, 1, 1, 5));

  Station empty;
  empty.seed();
  auto r2 = empty.run(Started() + "get gridRowCount\n" + Record("Bongo") + "get EventLog(1,5)\nget gridRowCount\n");
  ASSERT_EQ(0, r2.code) << r2.err;
  EXPECT_NE(std::string::npos, r2.out.find("gridRowCount=0\n"));
  EXPECT_EQ("Bongo", Got(r2.out, "EventLog(1,5)"));
  EXPECT_EQ("2", Got(r2.out, "gridRowCount"));
}

TEST(DisplayedEventsMenu, MovesTheCheckMarkAndSetsTheModeForTheNextStart) {
  Station st;
  st.seed({{17, "ALLEVENTS"}});
  auto r = st.run(
      "answer Yes\nstart\necho start\nget mnuLastEvent.checked\nget mnuAllEvents.checked\n"
      "click mnuCurrSta\necho currsta\nget mnuLastEvent.checked\nget mnuCurrSta.checked\nget preloadMode\n"
      "get CruiseConfig(17)\nclick mnuAllEvents\necho all\nget mnuCurrSta.checked\nget mnuAllEvents.checked\n"
      "get preloadMode\nclick mnuAllEvents\necho again\nget mnuAllEvents.checked\nclick mnuLastEvent\n"
      "echo last\nget mnuLastEvent.checked\nget mnuAllEvents.checked\nget preloadMode\nget mnuLastSta.checked\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_NE(std::string::npos,
            r.out.find("start\nmnuLastEvent.checked=false\nmnuAllEvents.checked=true\n"
                       "currsta\nmnuLastEvent.checked=false\nmnuCurrSta.checked=true\npreloadMode=CURRENTSTA\n"
                       "CruiseConfig(17)=CURRENTSTA\nall\nmnuCurrSta.checked=false\nmnuAllEvents.checked=true\n"
                       "preloadMode=ALLEVENTS\nagain\nmnuAllEvents.checked=true\n"
                       "last\nmnuLastEvent.checked=true\nmnuAllEvents.checked=false\npreloadMode=LASTEVENT\n"
                       "mnuLastSta.checked=false\n"))
      << r.out;
}

}  // namespace
}  // namespace ruvek::test

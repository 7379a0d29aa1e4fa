// Recording events end to end: the button workflow, event numbers at record
// time, Clear Last, Quit, the order-occupied counter, the event advance and
// the retry after file failures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <future>

#include "e2e/EventLogCheck.h"
#include "e2e/Station.h"

namespace ruvek::test {
namespace {

const char* kNetworkLog = "C:\\DATA\\0708SREvents.csv";
const char* kLocalLog = "C:\\RuvekGPS\\0708SREvents.csv";
const char* kNumberFile = "C:\\DATA\\EventNumber.txt";
const char* kRetryQuestion =
    "MSGBOX | Unable to READ from the server! | Having trouble reading C:\\DATA\\EventNumber.txt";

std::vector<std::string> EventNumbers(const std::string& logBytes, bool header) {
  std::vector<std::string> numbers;
  for (const std::string& line : CrLfLines(logBytes)) numbers.push_back(Column(line, 1));
  if (header && !numbers.empty()) numbers.erase(numbers.begin());
  return numbers;
}

TEST(RecordEvent, NetworkNumberIsTheFileValuePlusOneAndIsPublished) {
  Station st;
  st.seed();
  auto r = st.run(Started() + Record("CTD Deployed") + "get Text1(5)\nget EventLog(1,0)\nget Command1(0)\n" +
                  "get Command1(0).enabled\nget gridRowCount\nget clock\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("12", Got(r.out, "Text1(5)"));
  EXPECT_EQ("11", Got(r.out, "EventLog(1,0)"));
  EXPECT_EQ("Record Event", Got(r.out, "Command1(0)"));
  EXPECT_EQ("true", Got(r.out, "Command1(0).enabled"));
  EXPECT_EQ("2", Got(r.out, "gridRowCount"));
  EXPECT_EQ("2026-06-08 03:00:03", Got(r.out, "clock"));  // the 3-second wait
  EXPECT_EQ("11\r\n", st.read(kNumberFile));
  EXPECT_EQ("11\r\n", st.read("C:\\RuvekGPS\\EventNumber.txt"));
  EXPECT_EQ(std::vector<std::string>{"11"}, EventNumbers(st.read(kNetworkLog), false));
}

TEST(RecordEvent, NetworkNumberFollowsAnotherComputersFileValue) {
  Station st;
  st.seed();
  auto r = st.run(Started() + Record("Bongo") + "sh printf '15\\r\\n' > \"$RUVEK_ROOT/C/DATA/EventNumber.txt\"\n" +
                  Record("Station Arrival") + "get Text1(5)\nget EventLog(2,0)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ((std::vector<std::string>{"11", "16"}), EventNumbers(st.read(kNetworkLog), false));
  EXPECT_EQ("16\r\n", st.read(kNumberFile));
  EXPECT_EQ("17", Got(r.out, "Text1(5)"));
  EXPECT_EQ("16", Got(r.out, "EventLog(2,0)"));  // the grid row carries the logged number
}

// Local operation: no event number file on the network, the operator chooses
// local operation and the program directory's file (holding F) is used.
std::string LocalStart() {
  return "clock 2026-06-08 03:00:00\nanswer No No\nstart\nclick Command1(0)\n"
         "type Text1(3) 32.91234\ntype Text1(4) -117.41234\nanswer Yes\n";
}

TEST(RecordEvent, LocalNumbersFollowTheArrivalAndZeroPositionRules) {
  Station st;
  st.seed({{10, "LOCAL"}});
  st.remove(kNumberFile);
  st.write("C:\\RuvekGPS\\EventNumber.txt", "10\r\n");
  // F = 10: Bongo (no bump) -> F+1 = 11. F = 11: an arrival after Bongo (bump 2)
  // -> F+2 = 13. F = 13: a zero position confirmed, no bump -> F+2 = 15.
  auto r = st.run(LocalStart() + Record("Bongo") + Record("Station Arrival") +
                  "type Text1(3) 0\ntype Text1(4) 0\nanswer Yes\n" + Record("Manta") +
                  "get networkMode\nget Text1(5)\n" + "get EventLog(1,0)\nget EventLog(2,0)\nget EventLog(3,0)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("false", Got(r.out, "networkMode"));
  EXPECT_EQ((std::vector<std::string>{"11", "13", "15"}), EventNumbers(st.read(kLocalLog), true));
  EXPECT_EQ("11|13|15",
            Got(r.out, "EventLog(1,0)") + "|" + Got(r.out, "EventLog(2,0)") + "|" + Got(r.out, "EventLog(3,0)"));
  EXPECT_EQ("15\r\n", st.read("C:\\RuvekGPS\\EventNumber.txt"));
  EXPECT_FALSE(st.exists(kNetworkLog));
  EXPECT_FALSE(st.exists("C:\\DATA\\0708SRLastEvent.csv"));
}

TEST(RecordEvent, NavigationQuestionComesFirstAndNoStopsTheEvent) {
  Station st;
  st.seed();
  auto r = st.run(
      "clock 2026-06-08 03:00:00\nanswer Yes\nstart\nanswer No\nclick Command1(0)\n"
      "get Command1(0)\nget Command1(0).enabled\nget gridRowCount\nget Timer1.enabled\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_NE(std::string::npos, r.out.find("MSGBOX | Navigation fields not updated! | Navigation fields have not "
                                          "updated, record event anyways? Y/N | YesNo | warning | No"));
  EXPECT_EQ(std::string::npos, r.out.find("Time hasn't updated!"));
  EXPECT_EQ("Record Event", Got(r.out, "Command1(0)"));
  EXPECT_EQ("true", Got(r.out, "Command1(0).enabled"));
  EXPECT_EQ("0", Got(r.out, "gridRowCount"));
  EXPECT_FALSE(st.exists(kLocalLog));
  EXPECT_EQ("10\r\n", st.read(kNumberFile));
}

TEST(RecordEvent, TimeQuestionWhenTheClockHasNotMovedSinceTheLastEvent) {
  Station st;
  st.seed({{21, "none"}});  // no PC time option: the local time only moves with the poll
  auto r = st.run(Started() + Record("Bongo") + "answer No\n" + Record("Manta") + "get gridRowCount\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(2u, Count(r.out, "MSGBOX | Time hasn't updated! | GPS Time hasn't changed since the last event"));
  EXPECT_EQ("2", Got(r.out, "gridRowCount"));
}

// A repeated sentence is a fix growing older: past five poll intervals Record Event asks, unless F9 stopped the poll.
TEST(RecordEvent, AStaleFixIsRecordedOnlyWhenTheOperatorSaysSo) {
  const std::string red = "fixAgeSeconds=80\nfixAgeLevel=red\n";
  const std::string asked = red +
                            "MSGBOX | Navigation fields not updated! | The last position fix is 80 s old (UTC "
                            "18:30:12). Record event anyways? Y/N | YesNo | warning | ";
  const std::string newFix = "sh echo '$GPGGA,183132.00,3254.0,N,11724.0,W,2,' >\"$RUVEK_ROOT/C/DATA/CurrPos.txt\"\n";
  const std::string cases[][3] = {{"answer No\n", asked + "No\n", ""},
                                  {"answer Yes\n", asked + "Yes\n", "18:30:12"},
                                  {"key F9\n", red, "18:30:12"},
                                  {newFix + "advance 15000\n", "fixAgeLevel=normal\n", "18:31:32"}};
  for (const auto& [before, shown, utcLogged] : cases) {
    Station st;
    st.seed();
    st.write("C:\\DATA\\CurrPos.txt", "$GPGGA,183012.00,3254.0,N,11724.0,W,2,\r\n");
    const auto r = st.run("clock 2026-06-08 03:00:00\nanswer Yes\nstart\ntick Timer1\nadvance 80000\n" + before +
                          "get fixAgeSeconds\nget fixAgeLevel\n" + Record("CTD Deployed"));
    EXPECT_NE(r.out.find(shown), std::string::npos) << before << r.out << r.err;
    EXPECT_EQ(Count(r.out, "MSGBOX"), 1 + Count(shown, "MSGBOX")) << before << r.out;  // and the ready question
    EXPECT_EQ(st.exists(kLocalLog) ? Column(CrLfLines(st.read(kLocalLog)).back(), 14) : "", utcLogged) << before;
  }
}

TEST(ClearLast, AfterEvents10And11TheNextEventReusesElevenWithTheEraseComment) {
  Station st;
  st.seed();
  st.write(kNumberFile, "9\r\n");
  auto r = st.run(Started() + Record("Bongo") + Record("Manta") + "answer Yes\nclick Command1(3)\n" +
                  "get EventLog(2,0)\nget EventLog(2,5)\nget Text1(5)\nget txtComments\nget gridRowCount\n"
                  "get Timer1.enabled\n" +
                  "sh cp \"$RUVEK_ROOT/C/DATA/EventNumber.txt\" \"$RUVEK_ROOT/after_clear.txt\"\n" + Record("Secchi") +
                  "get EventLog(2,0)\nget EventLog(2,9)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_NE(std::string::npos, r.out.find("EventLog(2,0)=\n")) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("EventLog(2,5)=\n")) << r.out;
  EXPECT_EQ("Comments: erase previous event ;", Got(r.out, "txtComments").substr(0, 32));
  EXPECT_EQ("true", Got(r.out, "Timer1.enabled"));
  EXPECT_EQ("10\r\n", st.read(st.root() + "/after_clear.txt"));
  // The logs keep the cleared 11; the next event is 11 again and says why.
  const auto lines = CrLfLines(st.read(kNetworkLog));
  ASSERT_EQ(3u, lines.size());
  EXPECT_EQ((std::vector<std::string>{"10", "11", "11"}), EventNumbers(st.read(kNetworkLog), false));
  EXPECT_EQ("Manta", Column(lines[1], 11));
  EXPECT_EQ("Secchi", Column(lines[2], 11));
  EXPECT_EQ("erase previous event ;", Column(lines[2], 15));
  EXPECT_EQ("11", Got(r.out, "EventLog(2,0)"));
  EXPECT_EQ("erase previous event ;", Got(r.out, "EventLog(2,9)"));
  EXPECT_EQ("11\r\n", st.read(kNumberFile));
}

TEST(ClearLast, JulianSchemeLeavesTheNumberFilesAloneAndShowsTheClearedNumberAgain) {
  Station st;
  st.seed({{19, "JULIAN"}});
  auto r = st.run(Started() + Record("Bongo") + "get EventLog(1,0)\nadvance 60000\nanswer Yes\nclick Command1(3)\n" +
                  "get Text1(5)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("159.0300", Got(r.out, "EventLog(1,0)"));
  EXPECT_EQ("159.0300", Got(r.out, "Text1(5)"));
  EXPECT_EQ("10\r\n", st.read(kNumberFile));
  EXPECT_FALSE(st.exists("C:\\RuvekGPS\\EventNumber.txt"));
}

TEST(ClearLast, BeforeAnyEventClearsNothingAndRestartsTheTimer) {
  Station st;
  st.seed();
  auto r = st.run(
      "clock 2026-06-08 03:00:00\nanswer Yes\nstart\nanswer Yes\nclick Command1(3)\n"
      "get Text1(5)\nget gridRowCount\nget Timer1.enabled\nget Command1(0)\nget txtComments\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("11", Got(r.out, "Text1(5)"));
  EXPECT_EQ("0", Got(r.out, "gridRowCount"));
  EXPECT_EQ("true", Got(r.out, "Timer1.enabled"));
  EXPECT_EQ("Record Event", Got(r.out, "Command1(0)"));
  EXPECT_EQ("10\r\n", st.read(kNumberFile));
}

TEST(ClearLast, NumberFileThatCannotBeWrittenKeepsTheNumberAndSaysSo) {
  Station st;
  st.seed();
  auto r = st.run(Started() + Record("Bongo") + "sh rm -rf \"$RUVEK_ROOT/C/DATA\"\nanswer Yes\nclick Command1(3)\n" +
                  "get Text1(5)\nget gridRowCount\nget EventLog(1,0)\nget txtComments\nget numberRolledBack\n"
                  "get Command1(0)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_NE(std::string::npos, r.out.find("MSGBOX | Erase Last Event? | Unable to write C:\\DATA\\EventNumber.txt - "
                                          "the event number was not rolled back. | OK | warning | OK"))
      << r.out;
  EXPECT_EQ("12", Got(r.out, "Text1(5)"));
  EXPECT_EQ("1", Got(r.out, "gridRowCount"));
  EXPECT_EQ("", Got(r.out, "EventLog(1,0)"));
  EXPECT_EQ("Comments: ", Got(r.out, "txtComments"));
  EXPECT_EQ("false", Got(r.out, "numberRolledBack"));
  EXPECT_EQ("Record Event", Got(r.out, "Command1(0)"));
}

TEST(StartButton, SerialGpsNotStartedOffersTheGpsWindow) {
  Station st;
  st.seed({{11, "GPS"}});
  auto r = st.run(
      "answer No\nstart\nanswer Yes\nclick Command1(0)\necho yes\nget Command1(0)\n"
      "get frmCommCheck.visible\nanswer No\nclick Command1(0)\necho no\nget Command1(0)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(2u, Count(r.out,
                      "MSGBOX | GPS not logging, return to activate? | GPS is not started, return to GPS "
                      "startup form? Y/N | YesNo | error"));
  EXPECT_NE(std::string::npos, r.out.find("yes\nCommand1(0)=Start\nfrmCommCheck.visible=true\n")) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("no\nCommand1(0)=Record Event\n")) << r.out;
}

// The question follows the serial input: none while it runs, again once Stop
// has ended it (the GO button then shows "Go").
TEST(StartButton, SerialGpsQuestionFollowsTheRunningInput) {
  const char* kQuestion = "MSGBOX | GPS not logging, return to activate?";
  Station st;
  st.seed({{11, "GPS"}});
  auto running = st.run("answer No\nstart\nclick frmCommCheck.btnGo\nclick Command1(0)\nget Command1(0)\n");
  ASSERT_EQ(0, running.code) << running.err;
  EXPECT_EQ(0u, Count(running.out, kQuestion)) << running.out;
  EXPECT_EQ("Record Event", Got(running.out, "Command1(0)"));
  auto stopped = st.run(
      "answer No\nstart\nclick frmCommCheck.btnGo\nclick frmCommCheck.btnGo\n"
      "get frmCommCheck.btnGo\nanswer No\nclick Command1(0)\n");
  ASSERT_EQ(0, stopped.code) << stopped.err;
  EXPECT_EQ("Go", Got(stopped.out, "frmCommCheck.btnGo"));
  EXPECT_EQ(1u, Count(stopped.out, kQuestion)) << stopped.out;
}

TEST(Quit, YesAppendsTheGridSnapshotEndingInNineCommas) {
  Station st;
  st.seed();
  auto r = st.run(Started() + Record("Bongo") + "answer Yes\nclick Command1(2)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_NE(std::string::npos, r.out.find("MSGBOX | Close Program? Y/N | Do you really want to quit? Y/N | YesNo"));
  EXPECT_NE(std::string::npos, r.out.find("ENDED"));
  EXPECT_EQ("11,93.3,26.7,08-Jun-2026,03:00:00,Bongo,32.91234,-117.41234,ABC,\r\n,,,,,,,,,\r\n",
            st.read("C:\\RuvekGPS\\0708SREvents.ins"));
}

TEST(Quit, NoBeforeStartLeavesRecordEvent) {
  Station st;
  st.seed();
  auto r = st.run("answer No\nstart\nget Command1(0)\nanswer No\nclick Command1(2)\nget Command1(0)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("Record Event", Got(r.out, "Command1(0)"));
  EXPECT_FALSE(st.exists("C:\\RuvekGPS\\0708SREvents.ins"));
}

TEST(ButtonCaptions, StartStandbyResumeCycle) {
  Station st;
  st.seed();
  auto r = st.run(
      "clock 2026-06-08 03:00:00\nanswer No\nstart\necho before\nget Command1(0)\nclick Command1(0)\n"
      "echo started\nget Command1(0)\nget Command1(0).tooltip\nget clock\nclick Command1(1)\necho standby\n"
      "get Command1(0)\nget Command1(1)\nclick Command1(1)\necho resumed\nget Command1(0)\nget Command1(1)\n"
      "click Command1(1)\nclick Command1(0)\necho pressed\nget Command1(0)\nget Command1(1)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_NE(std::string::npos,
            r.out.find("before\nCommand1(0)=Start\nstarted\nCommand1(0)=Record Event\n"
                       "Command1(0).tooltip=Saves the event number and all data displayed into the Cruise events "
                       "log.\nclock=2026-06-08 03:00:03\nstandby\nCommand1(0)=Standingby\nCommand1(1)=Resume\n"
                       "resumed\nCommand1(0)=Record Event\nCommand1(1)=Standby\npressed\n"
                       "Command1(0)=Record Event\nCommand1(1)=Standby\n"))
      << r.out;
}

TEST(OrderOccupied, ArrivalIncrementsTheSharedFile) {
  Station st;
  st.seed();
  st.write("C:\\DATA\\OrderOcc.txt", "11\r\n");
  auto r = st.run(Started() + "get StatusBar1.Panels(6)\nget mnuOrderOccFile\n" + Record("Station Arrival") +
                  "get orderOccupied\nget StatusBar1.Panels(6)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("Order_Occ: 12", Got(r.out, "StatusBar1.Panels(6)"));
  EXPECT_NE(std::string::npos, r.out.find("StatusBar1.Panels(6)=OrderOcc: 11\n"));
  EXPECT_EQ("C:\\DATA\\OrderOcc.txt", Got(r.out, "mnuOrderOccFile"));
  EXPECT_EQ("12\r\n", st.read("C:\\DATA\\OrderOcc.txt"));
  EXPECT_EQ("12", Column(CrLfLines(st.read(kNetworkLog))[0], 16));
}

TEST(OrderOccupied, CountsAnArrivalAnotherComputerJustLoggedOnce) {
  Station st;
  st.seed();
  st.write("C:\\DATA\\OrderOcc.txt", "11\r\n");
  // The preload leaves the log's last line, another computer's arrival, as the last event seen.
  st.write(kNetworkLog, "0708SR,10,93.3,26.7,,,08-Jun-2026,02:59:00,32.9,-117.4,STATION,STATION ARRIVAL,XYZ,,,,11" +
                            EmptyTail() + "\r\n");
  auto r = st.run(Started() + Record("Station Arrival") + "get orderOccupied\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("11", Got(r.out, "orderOccupied"));
  EXPECT_EQ("11\r\n", st.read("C:\\DATA\\OrderOcc.txt"));
}

TEST(OrderOccupied, MissingFileAtAnArrivalGivesMinus99AndTheNextLoadCreatesIt) {
  Station st;
  st.seed();
  auto r = st.run(Started() + "sh rm \"$RUVEK_ROOT/C/DATA/OrderOcc.txt\"\n" + Record("Station Arrival") +
                  "get orderOccupied\nsh test -f \"$RUVEK_ROOT/C/DATA/OrderOcc.txt\" || echo none > "
                  "\"$RUVEK_ROOT/missing.txt\"\nclick mnuOrderOccFile\nget orderOccupied\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("-99", Column(CrLfLines(st.read(kNetworkLog))[0], 16));
  EXPECT_TRUE(st.exists(st.root() + "/missing.txt"));
  EXPECT_EQ("1", Got(r.out, "orderOccupied"));
  EXPECT_EQ("1\r\n", st.read("C:\\DATA\\OrderOcc.txt"));
}

TEST(OrderOccupied, TextThatIsNoNumberCountsFromZero) {
  Station st;
  st.seed();
  st.write("C:\\DATA\\OrderOcc.txt", "abc\r\n");
  auto r = st.run(Started() + Record("Station Arrival") + "get orderOccupied\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("1\r\n", st.read("C:\\DATA\\OrderOcc.txt"));
}

TEST(OrderOccupied, OtherEventsRereadTheFile) {
  Station st;
  st.seed();
  st.write("C:\\DATA\\OrderOcc.txt", "4\r\n");
  auto r = st.run(Started() + "sh printf '7\\r\\n' > \"$RUVEK_ROOT/C/DATA/OrderOcc.txt\"\n" + Record("Bongo") +
                  "get StatusBar1.Panels(6)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("OrderOcc: 7", Got(r.out, "StatusBar1.Panels(6)"));
  EXPECT_EQ("7", Column(CrLfLines(st.read(kNetworkLog))[0], 16));
}

TEST(EventAdvance, MovesToTheNextEventAndWrapsFromTheLast) {
  Station st;
  st.seed();
  st.write("C:\\RuvekGPS\\CruiseEvents.txt", CrLf({"Station Arrival", "CTD Deployed", "Bongo", "Manta"}));
  auto r = st.run(Started() +
                  "click Option1(1)\nclick Command1(0)\necho first\nget Option1(2).value\nget Combo1\n"
                  "click Option1(3)\nclick Command1(0)\necho wrapped\nget Option1(0).value\nget Combo1\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_NE(std::string::npos, r.out.find("first\nOption1(2).value=true\nCombo1=Bongo\n")) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("wrapped\nOption1(0).value=true\nCombo1=Station Arrival\n")) << r.out;
}

TEST(EventAdvance, StaysOnSampleAndDepartureEventsAndWhenStopped) {
  Station st;
  st.seed();
  st.write("C:\\RuvekGPS\\CruiseEvents.txt",
           CrLf({"Station Arrival", "Net Sample", "Station Departure", "Bongo", "Manta"}));
  auto r = st.run(Started() + "click Option1(1)\nclick Command1(0)\necho sample\nget Option1(1).value\n" +
                  "click Option1(2)\nclick Command1(0)\necho departure\nget Option1(2).value\n" +
                  "click Check2\nclick Option1(3)\nclick Command1(0)\necho stopped\nget Option1(3).value\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_NE(std::string::npos, r.out.find("sample\nOption1(1).value=true\n")) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("departure\nOption1(2).value=true\n")) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("stopped\nOption1(3).value=true\n")) << r.out;
}

// ---- two logging computers on one data directory

// A script line that waits (at most 30 s) until `marker` exists in `dir`.
std::string WaitFor(const std::string& dir, const std::string& marker) {
  return "sh i=0; while [ ! -f '" + dir + "/" + marker + "' ] && [ $i -lt 1500 ]; do sleep 0.02; i=$((i+1)); done\n";
}
std::string Mark(const std::string& dir, const std::string& marker) {
  return "sh touch '" + dir + "/" + marker + "'\n";
}

TEST(TwoStations, RecordingInTurnEachSeesTheOthersEventsAndNoNumberIsUsedTwice) {
  Station lab, bridge;
  lab.seed();
  bridge.seed();
  // The bridge station's data directory is the laboratory's.
  bridge.remove("C:\\DATA");
  const std::string link = "ln -s '" + lab.host("C:\\DATA") + "' '" + bridge.host("C:\\DATA") + "'";
  ASSERT_EQ(0, std::system(link.c_str()));
  const std::string sync = lab.root();

  const std::string labScript = Started() + WaitFor(sync, "bridge-up") + Record("CTD Deployed") + Mark(sync, "lab-1") +
                                WaitFor(sync, "bridge-1") + "tick Timer1\n" + Record("CTD At Depth") +
                                Mark(sync, "lab-2") + WaitFor(sync, "bridge-2") + "tick Timer1\necho lab\n" +
                                "get gridRowCount\n" +
                                "get EventLog(1,0)\nget EventLog(2,0)\nget EventLog(3,0)\nget EventLog(4,0)\n"
                                "get EventLog(2,5)\nget EventLog(4,5)\n";
  const std::string bridgeScript = Started() + Mark(sync, "bridge-up") + WaitFor(sync, "lab-1") + "tick Timer1\n" +
                                   Record("Bongo") + Mark(sync, "bridge-1") + WaitFor(sync, "lab-2") + "tick Timer1\n" +
                                   Record("Manta") + Mark(sync, "bridge-2") + "echo bridge\n" + "get gridRowCount\n" +
                                   "get EventLog(1,0)\nget EventLog(2,0)\nget EventLog(3,0)\nget EventLog(4,0)\n"
                                   "get EventLog(1,5)\nget EventLog(3,5)\n";
  auto labRun = std::async(std::launch::async, [&] { return lab.run(labScript); });
  const RunResult b = bridge.run(bridgeScript);
  const RunResult a = labRun.get();
  ASSERT_EQ(0, a.code) << a.err;
  ASSERT_EQ(0, b.code) << b.err;

  EXPECT_EQ((std::vector<std::string>{"11", "12", "13", "14"}), EventNumbers(lab.read(kNetworkLog), false));
  EXPECT_EQ("14\r\n", lab.read(kNumberFile));
  EXPECT_NE(std::string::npos, a.out.find("lab\ngridRowCount=5\nEventLog(1,0)=11\nEventLog(2,0)=12\n"
                                          "EventLog(3,0)=13\nEventLog(4,0)=14\nEventLog(2,5)=Bongo\n"
                                          "EventLog(4,5)=Manta\n"))
      << a.out;
  EXPECT_NE(std::string::npos, b.out.find("bridge\ngridRowCount=5\nEventLog(1,0)=11\nEventLog(2,0)=12\n"
                                          "EventLog(3,0)=13\nEventLog(4,0)=14\nEventLog(1,5)=CTD Deployed\n"
                                          "EventLog(3,5)=CTD At Depth\n"))
      << b.out;
  // Each station keeps its own local logs.
  EXPECT_EQ((std::vector<std::string>{"11", "13"}), EventNumbers(lab.read(kLocalLog), true));
  EXPECT_EQ((std::vector<std::string>{"12", "14"}), EventNumbers(bridge.read(kLocalLog), true));
}

// ---- failures of the shared files during Record Event

// A file that refuses every change, even by root: a link to a file of /proc
// (/proc/version takes no append, /proc/self/mem cannot be read for a rewrite),
// or with no target a folder standing where a new file should be made.
void Block(const Station& st, const std::string& file, const char* target) {
  if (!target) return st.write(file + "\\blocker", "x");
  st.write(file, "");
  ASSERT_EQ(0, std::system(("ln -sf " + std::string(target) + " '" + st.host(file) + "'").c_str()));
}

// The lines of a log that hold the event `name`.
std::size_t Holding(const Station& st, const std::string& file, const std::string& name) {
  if (!st.exists(file)) return 0;
  const std::string bytes = st.read(file);
  return Count(bytes, "," + name + ",") + Count(bytes, "<TD>" + name + "</TD>");
}

const char* const kLogs[] = {"C:\\RuvekGPS\\0708SREvents.htm", "C:\\RuvekGPS\\0708SREvents.csv",
                             "C:\\RuvekGPS\\0708SRCruise.csv", "C:\\DATA\\0708SREvents.htm",
                             "C:\\DATA\\0708SREvents.csv",     "C:\\DATA\\0708SRLastEvent.csv",
                             "C:\\DATA\\0708SRCruise.csv"};

// A log given up after its retries, or one that cannot be created, is skipped
// alone: every other log holds the event once, and the operator is told which
// file was not written, by a message of the local drive or of the network.
TEST(RecordRetry, ALogGivenUpIsSkippedAloneAndNamedInOneMessage) {
  struct Case {
    const char* file;
    const char* blocker;  // see Block
    const char* answers;
    const char* question;  // the retry question's title and text, before " | YesNo"
    const char* message;   // the last message
  };
  const Case cases[] = {
      {"C:\\DATA\\0708SREvents.htm", "/proc/self/mem", "Yes No",
       "Unable to WRITE to the server! | Unable to write C:\\DATA\\0708SREvents.htm Y to retry after checking C is "
       "available, N to go on without it.",
       " | Unable to write to Network Drive!  Saved locally (C:\\RuvekGPS\\0708SREvents.htm) - not written: "
       "C:\\DATA\\0708SREvents.htm - the event will be forwarded to them when the network drive is back."},
      {"C:\\DATA\\0708SREvents.csv", "/proc/version", "Yes No",
       "Unable to WRITE to the server! | Unable to write C:\\DATA\\0708SREvents.csv Y to retry after checking C is "
       "available, N to go on without it.",
       " | Unable to write to Network Drive!  Saved locally (C:\\RuvekGPS\\0708SREvents.csv) - not written: "
       "C:\\DATA\\0708SREvents.csv - the event will be forwarded to them when the network drive is back."},
      {"C:\\DATA\\0708SRLastEvent.csv", nullptr, "", nullptr,
       " | Unable to write to Network Drive!  Saved locally (C:\\RuvekGPS\\0708SREvents.csv) - not written: "
       "C:\\DATA\\0708SRLastEvent.csv - the event will be forwarded to them when the network drive is back."},
      {"C:\\RuvekGPS\\0708SRCruise.csv", "/proc/version", "Yes No",
       "Unable to write to the local drive! | Unable to write C:\\RuvekGPS\\0708SRCruise.csv Y to retry, N to go on "
       "without it.",
       "Unable to write to the local drive! | Unable to write C:\\RuvekGPS\\0708SRCruise.csv - the event is kept in "
       "the other logs."},
      {"C:\\RuvekGPS\\0708SREvents.htm", nullptr, "", nullptr,
       "Unable to write to the local drive! | Unable to write C:\\RuvekGPS\\0708SREvents.htm - the event is kept in "
       "the other logs."},
  };
  for (const Case& c : cases) {
    Station st;
    st.seed();
    Block(st, c.file, c.blocker);
    auto r = st.run(Started() + "answer " + c.answers + "\n" + Record("Bongo") + "get Command1(0)\nget Text1(5)\n");
    ASSERT_EQ(0, r.code) << c.file << r.err;
    if (c.question) {
      EXPECT_EQ(1u, Count(r.out, std::string(c.question) + " | YesNo | error | Yes")) << r.out;
      EXPECT_EQ(1u, Count(r.out, std::string(c.question) + " | YesNo | error | No")) << r.out;
    }
    EXPECT_EQ(1u, Count(r.out, std::string(c.message) + " | OK")) << r.out;
    EXPECT_EQ(0u, Count(r.out, "Unable to READ")) << r.out;
    EXPECT_EQ("Record Event", Got(r.out, "Command1(0)"));
    EXPECT_EQ("12", Got(r.out, "Text1(5)"));
    EXPECT_EQ("11\r\n", st.read(kNumberFile));
    for (const char* log : kLogs)
      if (std::string(log) != c.file) {
        EXPECT_EQ(1u, Holding(st, log, "Bongo")) << log << " with " << c.file << " blocked";
      }
  }
}

TEST(RecordRetry, LocalCopyOfTheNumberFileFailingNeverRaisesTheEventsOwnNumber) {
  Station st;
  st.seed();
  // The program directory's copy cannot be replaced: a folder stands in its way.
  st.write("C:\\RuvekGPS\\EventNumber.txt\\blocker", "x");
  auto r = st.run(Started() + "answer Yes No\n" + Record("Bongo") + "get Command1(0)\nget Text1(5)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(2u, Count(r.out,
                      "MSGBOX | Unable to write to the local drive! | Unable to write "
                      "C:\\RuvekGPS\\EventNumber.txt Y to retry after checking C is available."))
      << r.out;
  EXPECT_EQ((std::vector<std::string>{"11"}), EventNumbers(st.read(kNetworkLog), false));
  EXPECT_EQ("11\r\n", st.read(kNumberFile));
  EXPECT_EQ("12", Got(r.out, "Text1(5)"));
}

TEST(RecordRetry, DataDirectoryGoneBetweenEventsNoRecordsWithTheBoxNumber) {
  Station st;
  st.seed();
  auto r = st.run(Started() + Record("Bongo") + "sh rm -rf \"$RUVEK_ROOT/C/DATA\"\nanswer No\n" + Record("Manta") +
                  "get Command1(0)\nget Command1(0).enabled\nget Text1(5)\nget EventLog(2,0)\nget gridRowCount\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(1u, Count(r.out, kRetryQuestion)) << r.out;
  // One message names every network file; nothing is created afresh.
  EXPECT_EQ(
      1u,
      Count(r.out,
            "MSGBOX |  | Unable to write to Network Drive!  Saved locally "
            "(C:\\RuvekGPS\\0708SREvents.htm, C:\\RuvekGPS\\0708SREvents.csv) - not written: "
            "C:\\DATA\\0708SREvents.htm, C:\\DATA\\0708SREvents.csv, C:\\DATA\\0708SRLastEvent.csv, "
            "C:\\DATA\\0708SRCruise.csv - the event will be forwarded to them when the network drive is back. | OK"))
      << r.out;
  EXPECT_EQ(1u, Count(r.out, "Network Drive")) << r.out;
  EXPECT_EQ("Record Event", Got(r.out, "Command1(0)"));
  EXPECT_EQ("true", Got(r.out, "Command1(0).enabled"));
  EXPECT_EQ("12", Got(r.out, "EventLog(2,0)"));
  EXPECT_EQ("13", Got(r.out, "Text1(5)"));
  EXPECT_EQ("3", Got(r.out, "gridRowCount"));
  EXPECT_EQ((std::vector<std::string>{"11", "12"}), EventNumbers(st.read(kLocalLog), true));
  EXPECT_FALSE(st.exists("C:\\DATA"));
}

TEST(RecordRetry, DataDirectoryGoneYesRetriesUntilItIsBack) {
  Station st;
  st.seed();
  // Yes retries: the question returns after six more failures, then No.
  auto r = st.run(Started() + Record("Bongo") + "sh rm -rf \"$RUVEK_ROOT/C/DATA\"\nanswer Yes No\n" + Record("Manta") +
                  "get Command1(0)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(2u, Count(r.out, kRetryQuestion)) << r.out;
  EXPECT_EQ("Record Event", Got(r.out, "Command1(0)"));
  EXPECT_EQ((std::vector<std::string>{"11", "12"}), EventNumbers(st.read(kLocalLog), true));
}

}  // namespace
}  // namespace ruvek::test

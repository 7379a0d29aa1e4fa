// Event numbers of a station run headless: the start-up load and its questions,
// the poll's raise from the shared file, another station's last event, the
// Julian forms, the manual override and the event file's retries.
#include <gtest/gtest.h>

#include "e2e/EventLogCheck.h"
#include "e2e/Station.h"

namespace ruvek::test {
namespace {

// A script line that writes a shared file the way another logging computer does.
std::string OtherStationWrites(const std::string& file, const std::string& line) {
  return "sh printf '%s\\r\\n' '" + line + "' > \"$RUVEK_ROOT/C/DATA/" + file + "\"\n";
}

std::string LastEventLine(const std::string& number, const std::string& event) {
  return "0708SR," + number + ",90.0,28.0,90.1,28.2,08-Jun-2026,03:00:00,33.100000,-117.900000,CTD," + event +
         ",XYZ,08-Jun-2026,11:00:00,Sea Conditions: Calm,4,$GPGGA";
}

const char* kCreateQuestion =
    "MSGBOX | Unable to find Eventnumber.txt - create one? | Unable to find C:\\DATA\\EventNumber.txt! Create one? "
    "Y/N ('No' if network is down or to config) | YesNo | none | ";
const char* kRemapQuestion =
    "MSGBOX | Remap Drive or network down? | Network is unavailable!  Remap drive then click 'Yes' to retry or 'No' "
    "for local operations | YesNo | none | ";

class EventNumbers : public ::testing::Test {
 protected:
  Station st;
};

TEST_F(EventNumbers, FileHolding57ShowsTheNextNumber58) {
  st.seed();
  st.write("C:\\DATA\\EventNumber.txt", "57\r\n");
  const auto r = st.run(
      "answer Yes\nstart\nget Text1(5)\nget nextEventNumber\ntick Timer1\nget Text1(5)\n"
      "get StatusBar1.Panels(1)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(2u, Count(r.out, "Text1(5)=58\n")) << r.out;
  EXPECT_EQ("58", Got(r.out, "nextEventNumber"));
  EXPECT_EQ("Reading Event Number file...58", Got(r.out, "StatusBar1.Panels(1)"));
}

TEST_F(EventNumbers, BoxAtOrAboveTheFilesNextNumberIsNotChanged) {
  st.seed();
  st.write("C:\\DATA\\EventNumber.txt", "57\r\n");
  const auto r = st.run(
      "answer Yes\nstart\nanswer Yes\ndblclick Text1(5)\ntype Text1(5) 70\ntick Timer1\n"
      "get Text1(5)\nget nextEventNumber\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("70", Got(r.out, "Text1(5)"));
  EXPECT_EQ("58", Got(r.out, "nextEventNumber"));
}

TEST_F(EventNumbers, AnotherStationsNumberRaisesTheBoxAndItsEventJoinsTheGrid) {
  st.seed();  // the file holds 10: the box shows 11
  const auto r = st.run("answer Yes\nstart\nget Text1(5)\n" + OtherStationWrites("EventNumber.txt", "15") +
                        OtherStationWrites("0708SRLastEvent.csv", LastEventLine("15", "CTD Deployed")) +
                        "tick Timer1\nget Text1(5)\nget EventLog(0,0)\nget EventLog(1,0)\nget EventLog(1,5)\n"
                        "get EventLog(1,9)\nget gridRowCount\nget lastSeenLastEvent\n"
                        "tick Timer1\nget gridRowCount\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_TRUE(r.out.find("Text1(5)=11\n") != std::string::npos) << r.out;
  EXPECT_EQ("16", Got(r.out, "Text1(5)"));
  EXPECT_EQ("Evt#", Got(r.out, "EventLog(0,0)"));
  EXPECT_EQ("15", Got(r.out, "EventLog(1,0)"));
  EXPECT_EQ("CTD Deployed", Got(r.out, "EventLog(1,5)"));
  EXPECT_EQ("Sea Conditions: Calm", Got(r.out, "EventLog(1,9)"));
  EXPECT_EQ(LastEventLine("15", "CTD Deployed"), Got(r.out, "lastSeenLastEvent"));
  EXPECT_EQ(2u, Count(r.out, "gridRowCount=2\n")) << r.out;  // the same line seen twice adds one row
}

// A new cruise: no network event log yet, so the grid holds no event when the
// first event of another station arrives. It goes to row 1, never over the
// headings in row 0.
TEST_F(EventNumbers, FirstEventOfAnotherStationInAnEmptyGridGoesToRowOne) {
  st.seed();
  st.write("C:\\DATA\\EventNumber.txt", "0\r\n");
  const auto r = st.run("answer Yes\nstart\nget Text1(5)\n" + OtherStationWrites("EventNumber.txt", "1") +
                        OtherStationWrites("0708SRLastEvent.csv", LastEventLine("1", "Station Arrival")) +
                        "tick Timer1\nget EventLog(0,0)\nget EventLog(0,5)\nget EventLog(1,0)\n"
                        "get EventLog(1,5)\nget gridRowCount\nget EventLog.row\nget Text1(5)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("Evt#", Got(r.out, "EventLog(0,0)"));
  EXPECT_EQ("Event", Got(r.out, "EventLog(0,5)"));
  EXPECT_EQ("1", Got(r.out, "EventLog(1,0)"));
  EXPECT_EQ("Station Arrival", Got(r.out, "EventLog(1,5)"));
  EXPECT_EQ("2", Got(r.out, "gridRowCount"));
  EXPECT_EQ("1", Got(r.out, "EventLog.row"));
  EXPECT_EQ("2", Got(r.out, "Text1(5)"));
}

TEST_F(EventNumbers, AnUnreadableLastEventFileIsPulledAtTheNextTickAndTheCountStartsAfresh) {
  st.seed();
  const std::string lastEvent = "\"$RUVEK_ROOT/C/DATA/0708SRLastEvent.csv\"";
  const auto r =
      st.run("answer Yes\nstart\n" + OtherStationWrites("EventNumber.txt", "15") + "sh ln -sf /proc/self/mem " +
             lastEvent + "\ntick Timer1\nget Text1(5)\nget gridRowCount\nsh rm " + lastEvent + "\n" +
             OtherStationWrites("0708SRLastEvent.csv", LastEventLine("15", "Bongo")) +
             "tick Timer1\nget gridRowCount\nget EventLog(1,0)\nget EventLog(1,5)\n"
             "sh rm \"$RUVEK_ROOT/C/DATA/EventNumber.txt\"\ntick Timer1\nget StatusBar1.Panels(1)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("16", Got(r.out, "Text1(5)"));
  EXPECT_NE(r.out.find("gridRowCount=0\n"), std::string::npos) << r.out;
  EXPECT_EQ("2", Got(r.out, "gridRowCount"));
  EXPECT_EQ("15 Bongo", Got(r.out, "EventLog(1,0)") + " " + Got(r.out, "EventLog(1,5)"));
  EXPECT_EQ("Unable to find Event Number file...Retry0.", Got(r.out, "StatusBar1.Panels(1)"));
}

// A blank event number file is unreadable: at start it takes the unreadable
// file's way (here local operation), at record time the retry; no event is
// ever logged without a number.
TEST_F(EventNumbers, ABlankFileIsUnreadableAndNoEventIsLoggedWithoutANumber) {
  st.seed();
  st.write("C:\\DATA\\EventNumber.txt", "\r\n");
  st.write("C:\\RuvekGPS\\EventNumber.txt", "20\r\n");
  auto r = st.run("answer No Yes\nstart\nget eventNumberPath\nget Text1(5)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(1u, Count(r.out, kRemapQuestion)) << r.out;
  EXPECT_EQ("C:\\RuvekGPS\\EventNumber.txt", Got(r.out, "eventNumberPath"));
  EXPECT_EQ("21", Got(r.out, "Text1(5)"));

  Station fresh;
  fresh.seed();
  r = fresh.run(Started() + Record("Bongo") + OtherStationWrites("EventNumber.txt", "") + "answer No\n" +
                Record("Manta") + "get EventLog(2,0)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(1u, Count(r.out,
                      "MSGBOX | Unable to READ from the server! | Having trouble reading "
                      "C:\\DATA\\EventNumber.txt Y to retry after checking C is available. | YesNo | error | No"))
      << r.out;
  EXPECT_EQ("12", Got(r.out, "EventLog(2,0)"));
  const auto lines = CrLfLines(fresh.read("C:\\DATA\\0708SREvents.csv"));
  ASSERT_EQ(2u, lines.size());
  EXPECT_EQ("11 12", Column(lines[0], 1) + " " + Column(lines[1], 1));
}

// Whatever the start did, the box shows the number the next event is logged
// with: a station that could use no event number file at all counts from 1.
TEST_F(EventNumbers, AStationThatGaveTheFileUpShowsLogsAndGridsOne) {
  st.seed({{10, "LOCAL"}});
  st.remove("C:\\DATA\\EventNumber.txt");
  st.write("C:\\RuvekGPS\\EventNumber.txt\\blocker", "x");  // no local file can be made either
  const auto r = st.run(
      "clock 2026-06-08 03:00:00\nanswer No No Yes No\nstart\nget Text1(5)\nclick Command1(0)\n"
      "type Text1(3) 32.91234\ntype Text1(4) -117.41234\nanswer Yes No\n" +
      Record("Bongo") + "get EventLog(1,0)\nget Text1(5)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_NE(r.out.find("Text1(5)=1\n"), std::string::npos) << r.out;
  EXPECT_EQ("1", Got(r.out, "EventLog(1,0)"));
  EXPECT_EQ("2", Got(r.out, "Text1(5)"));
  EXPECT_EQ("1", Column(CrLfLines(st.read("C:\\RuvekGPS\\0708SREvents.csv"))[1], 1));
}

TEST_F(EventNumbers, JulianFormsAt140509OnTheSecondOfFebruary) {
  struct Case {
    const char* row20;
    const char* atStart;
    const char* tenSecondsOn;
  };
  const Case cases[] = {{"LONG", "033.140509", "033.140519"}, {"SINGLE", "033.1405", "033.1405"}};
  for (const auto& c : cases) {
    Station fresh;
    fresh.seed({{19, "JULIAN"}, {20, c.row20}});
    // The first tick comes 10 seconds after start and shows a fresh number.
    const auto r = fresh.run(
        "clock 2026-02-02 14:05:09\nanswer Yes\nstart\nget Text1(5)\necho --\n"
        "advance 10000\nget Text1(5)\n");
    ASSERT_EQ(0, r.code) << r.err;
    const std::size_t cut = r.out.find("--");
    EXPECT_EQ(c.atStart, Got(r.out.substr(0, cut), "Text1(5)")) << c.row20;
    EXPECT_EQ(c.tenSecondsOn, Got(r.out.substr(cut), "Text1(5)")) << c.row20;
  }
}

TEST_F(EventNumbers, MissingFileIsOfferedForCreation) {
  st.seed();
  st.remove("C:\\DATA\\EventNumber.txt");
  const auto r = st.run("answer Yes Yes\nstart\nget Text1(5)\nget nextEventNumber\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(1u, Count(r.out, std::string(kCreateQuestion) + "Yes")) << r.out;
  // The new file says 1: the box shows the number the first event is logged with.
  EXPECT_EQ("2", Got(r.out, "Text1(5)"));
  EXPECT_EQ("1\r\n", st.read("C:\\DATA\\EventNumber.txt"));
}

TEST_F(EventNumbers, NoAndNoSwitchToLocalOperationWithTheProgramDirectoryFile) {
  st.seed();
  st.remove("C:\\DATA\\EventNumber.txt");
  const auto r = st.run(
      "answer No No Yes Yes\nstart\nget eventNumberPath\nget mnuEventNumFile.caption\n"
      "get Text1(5)\nget mnuAuto.checked\n");
  ASSERT_EQ(0, r.code) << r.err;
  const std::string local = "MSGBOX |  | Auto/Network Mode Disabled - Press Start then manually enter data. | OK";
  const std::string localCreate =
      "MSGBOX | Unable to find Eventnumber.txt - create one? | Unable to find C:\\RuvekGPS\\EventNumber.txt! Create "
      "one? Y/N ('No' if network is down or to config) | YesNo | none | Yes";
  const std::size_t a = r.out.find(std::string(kCreateQuestion) + "No");
  const std::size_t b = r.out.find(std::string(kRemapQuestion) + "No");
  const std::size_t c = r.out.find(local);
  const std::size_t d = r.out.find(localCreate);
  ASSERT_TRUE(a != std::string::npos && b != std::string::npos && c != std::string::npos && d != std::string::npos)
      << r.out;
  EXPECT_TRUE(a < b && b < c && c < d) << r.out;
  EXPECT_EQ("C:\\RuvekGPS\\EventNumber.txt", Got(r.out, "eventNumberPath"));
  EXPECT_EQ("C:\\RuvekGPS\\EventNumber.txt", Got(r.out, "mnuEventNumFile.caption"));
  EXPECT_EQ("2", Got(r.out, "Text1(5)"));
  EXPECT_EQ("1\r\n", st.read("C:\\RuvekGPS\\EventNumber.txt"));
  EXPECT_FALSE(st.exists("C:\\DATA\\EventNumber.txt"));
}

TEST_F(EventNumbers, YesToTheRemapQuestionLooksForTheNetworkFileAgain) {
  st.seed();
  st.remove("C:\\DATA\\EventNumber.txt");
  // The operator remaps the drive before answering Yes: here the file is back
  // only on the second pass, so the question is asked twice then the box is set.
  const auto r = st.run("answer No Yes Yes Yes\nstart\nget Text1(5)\nget eventNumberPath\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(1u, Count(r.out, kRemapQuestion)) << r.out;
  EXPECT_EQ(2u, Count(r.out, kCreateQuestion)) << r.out;
  EXPECT_EQ("C:\\DATA\\EventNumber.txt", Got(r.out, "eventNumberPath"));
  EXPECT_EQ("2", Got(r.out, "Text1(5)"));
}

TEST_F(EventNumbers, ManualOverrideUnlocksTheBoxAndHoldsItAgainstThePoll) {
  st.seed();
  const auto r = st.run(
      "answer Yes\nstart\nget Text1(5).locked\nanswer No\ndblclick Text1(5)\n"
      "get Text1(5).locked\nanswer Yes\ndblclick Text1(5)\nget Text1(5).locked\n"
      "get manualEventNumber\n" +
      OtherStationWrites("EventNumber.txt", "40") + "tick Timer1\nget Text1(5)\nget nextEventNumber\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(2u, Count(r.out,
                      "MSGBOX | Enter Event Number Manually Y/N? | This field is auto-incremented by the program! "
                      "Manual entry override? Y/N? | YesNo | question |"));
  EXPECT_TRUE(r.out.find("Text1(5).locked=true\nMSGBOX") != std::string::npos) << r.out;
  EXPECT_TRUE(r.out.find("| No\nText1(5).locked=true\n") != std::string::npos) << r.out;
  EXPECT_EQ("false", Got(r.out, "Text1(5).locked"));
  EXPECT_EQ("true", Got(r.out, "manualEventNumber"));
  EXPECT_EQ("11", Got(r.out, "Text1(5)"));
  EXPECT_EQ("41", Got(r.out, "nextEventNumber"));
}

// The event number file exists but cannot be read: it is made a link to a file
// every read of which fails.
std::string BreakTheNumberFile() { return "sh ln -sf /proc/self/mem \"$RUVEK_ROOT/C/DATA/EventNumber.txt\"\n"; }

const char* kQuitQuestion =
    "MSGBOX | Can't Find the Event Number file, Quit? | Unable to find Event Number file...Quit the program?<CR>  "
    "[Yes] to quit or [No] for manual entry | YesNo | warning | ";

TEST_F(EventNumbers, SevenEventFileFailuresAskToQuitAndNoSwitchesToManualEntry) {
  st.seed();
  const auto r = st.run("answer Yes\nstart\n" + BreakTheNumberFile() +
                        "answer No\ntick Timer1\nget clock\nget mnuAuto.checked\nget mnuSelectLine.checked\n"
                        "get Text1(5)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(1u, Count(r.out, std::string(kQuitQuestion) + "No")) << r.out;
  EXPECT_EQ("false", Got(r.out, "mnuAuto.checked"));
  EXPECT_EQ("true", Got(r.out, "mnuSelectLine.checked"));
  EXPECT_EQ("11", Got(r.out, "Text1(5)"));
}

TEST_F(EventNumbers, SevenEventFileFailuresYesSavesTheGridAndQuits) {
  st.seed();
  const auto r = st.run("answer Yes\nstart\n" + BreakTheNumberFile() + "answer Yes\ntick Timer1\necho unreached\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(1u, Count(r.out, std::string(kQuitQuestion) + "Yes\nENDED")) << r.out;
  EXPECT_EQ(std::string::npos, r.out.find("unreached"));
  EXPECT_TRUE(st.exists("C:\\RuvekGPS\\0708SREvents.ins"));
}

}  // namespace
}  // namespace ruvek::test

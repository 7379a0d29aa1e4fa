// Start-up of the main window and the operator-script contract, run headless
// on a temporary station.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/Station.h"
#include "harness/Command.h"

namespace ruvek::test {
namespace {

bool Has(const std::string& out, const std::string& line) { return out.find(line + "\n") != std::string::npos; }

class Startup : public ::testing::Test {
 protected:
  Station st;
  RunResult start(const std::string& more, const std::map<int, std::string>& rows = {}) {
    st.seed(rows);
    return st.run("clock 2026-06-08 03:00:00\nanswer Yes\nstart\n" + more);
  }
};

TEST_F(Startup, CaptionsPathsMenusAndGridFollowTheConfiguration) {
  const auto r = start(
      "get frmActivity.caption\nget Text1(0)\nget frmSelectEvent.caption\nget frmSelectEvent.tooltip\n"
      "get mnuEventNumFile.caption\nget mnuCurrPos.caption\nget frmActivity.width\n"
      "get mnuAuto.checked\nget mnuAutoEvent.checked\nget mnuStndLine.checked\nget mnuLastEvent.checked\n"
      "get mnuhtml.checked\nget mnuCalcLine.checked\nget mnuMulti.checked\nget mnuAllEvents.checked\n"
      "get EventLog.rows\nget EventLog(0,0)\nget EventLog(0,9)\nget frmEventEdit.EventList(0,1)\n"
      "get Command1(0)\nget Text1(5).width\nget Combo1.width\nget Combo1.left\nget gridRowCount\n");
  ASSERT_EQ(0, r.code) << r.err;
  for (const char* line :
       {"frmActivity.caption=Tesmora 0708SR Ruvek Event Log",
        "Text1(0)=0708SR",
        "frmSelectEvent.caption=Cruise Events",
        "frmSelectEvent.tooltip=Events loaded from C:\\RuvekGPS\\CruiseEvents.txt (Double-click to edit)",
        "mnuEventNumFile.caption=C:\\DATA\\EventNumber.txt",
        "mnuCurrPos.caption=C:\\DATA\\CurrPos.txt",
        "frmActivity.width=14085",
        "mnuAuto.checked=true",
        "mnuAutoEvent.checked=true",
        "mnuStndLine.checked=true",
        "mnuLastEvent.checked=true",
        "mnuhtml.checked=true",
        "mnuCalcLine.checked=false",
        "mnuMulti.checked=false",
        "mnuAllEvents.checked=false",
        "EventLog.rows=2000",
        "EventLog(0,0)=Evt#",
        "EventLog(0,9)=Comments",
        "frmEventEdit.EventList(0,1)=Event",
        "Command1(0)=Record Event",
        "Text1(5).width=56",
        "Combo1.width=530",
        "Combo1.left=63"})
    EXPECT_TRUE(Has(r.out, line)) << line << "\n--- output:\n" << r.out;
  EXPECT_TRUE(Has(r.out,
                  "MSGBOX | Ready to Start? Y/N | Press YES if you are Ready For Event Logging; Press NO "
                  "to configure EventLog. | YesNo | none | Yes"))
      << r.out;
}

TEST_F(Startup, JulianLayoutsWidenTheNumberBox) {
  auto r = start("get Text1(5).width\nget Combo1.width\nget Combo1.left\n", {{19, "JULIAN"}, {20, "long"}});
  EXPECT_TRUE(Has(r.out, "Text1(5).width=112") && Has(r.out, "Combo1.width=377") && Has(r.out, "Combo1.left=120"))
      << r.out;
  r = start("get Text1(5).width\nget Combo1.width\nget Combo1.left\n", {{19, "julian"}, {20, "SHORT"}});
  EXPECT_TRUE(Has(r.out, "Text1(5).width=96") && Has(r.out, "Combo1.width=395") && Has(r.out, "Combo1.left=102"))
      << r.out;
}

TEST_F(Startup, CommentOptionsAreAbbreviatedIntoTheThreeGroups) {
  st.seed();
  st.write("C:\\RuvekGPS\\CommentOpt.txt",
           CrLf({"Station Type Of This Survey Cruise Plan!!", "Standard", "", "SCCOOS", "Sea Conditions", "Calm",
                 "Moderate", "Rough", "Day/Night", "Day", "Night"}));
  const auto r = st.run(
      "answer Yes\nstart\nget Frame5.caption\nget Option5(0)\nget Option5(0).tooltip\nget Option5(1)\n"
      "get Option5(1).tooltip\nget Option5(2)\nget Option3(1)\nget Option3(1).tooltip\nget Option4(1).tooltip\n");
  for (const char* line : {"Frame5.caption=Station Type Of This Survey Crui", "Option5(0)=STNDRD",
                           "Option5(0).tooltip=Station Type Of This Survey Crui: Standard", "Option5(1)=Prodo",
                           "Option5(1).tooltip=", "Option5(2)=SCCOOS", "Option3(1)=MODRT",
                           "Option3(1).tooltip=Sea Conditions: Moderate", "Option4(1).tooltip=Day/Night: Night"})
    EXPECT_TRUE(Has(r.out, line)) << line << "\n--- output:\n" << r.out;
}

TEST_F(Startup, AShortCommentOptionsFileIsRetriedOnceThenReported) {
  st.seed();
  st.write("C:\\RuvekGPS\\CommentOpt.txt", CrLf({"Station Type", "Standard"}));
  const auto r = st.run("answer Yes\nstart\nget Option3(1)\nget Frame6.caption\nget Combo2.items\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_TRUE(Has(r.out, "MSGBOX |  | Event File is not available...retrying | OK | none | OK")) << r.out;
  EXPECT_TRUE(Has(
      r.out, "MSGBOX |  | Unable to read C:\\RuvekGPS\\CommentOpt.txt - going on without it | OK | exclamation | OK"))
      << r.out;
  EXPECT_TRUE(Has(r.out, "Option3(1)=Modrt")) << r.out;
  EXPECT_TRUE(Has(r.out, "Frame6.caption=Sea Conditions")) << r.out;
  EXPECT_TRUE(Has(r.out, "Combo2.items=ABC|XYZ")) << r.out;  // read once, not twice
}

TEST_F(Startup, MissingInitialsFileIsReportedByItsPath) {
  st.seed();
  st.remove("C:\\RuvekGPS\\Watch.txt");
  const auto r = st.run("answer Yes\nstart\nget Combo2\n");
  EXPECT_TRUE(Has(r.out, "MSGBOX |  | Unable to find C:\\RuvekGPS\\Watch.txt | OK | none | OK")) << r.out;
  EXPECT_TRUE(Has(r.out, "Combo2=")) << r.out;
}

TEST_F(Startup, NavigationSourceLineStaMethodAndClockFollowTheirRows) {
  auto r =
      start("get gpsSource\nget frmCommCheck.visible\nget frmActivity.visible\nget mnuAuto.checked\n", {{11, " gps "}});
  EXPECT_TRUE(Has(r.out, "gpsSource=GPS") && Has(r.out, "frmCommCheck.visible=true") &&
              Has(r.out, "frmActivity.visible=false"))
      << r.out;
  r = start("get gpsSource\nget mnuAuto.checked\n", {{11, "JD"}});
  EXPECT_TRUE(Has(r.out, "gpsSource=") && Has(r.out, "mnuAuto.checked=true")) << r.out;
  r = start("get gpsSource\n", {{11, "jordan"}});
  EXPECT_TRUE(Has(r.out, "gpsSource=SCS")) << r.out;
  r = start("get mnuCalcLine.checked\nget mnuStndLine.checked\nget optPST(2).value\n",
            {{16, "CALCULATE"}, {21, " utc"}});
  EXPECT_TRUE(Has(r.out, "mnuCalcLine.checked=true") && Has(r.out, "mnuStndLine.checked=false") &&
              Has(r.out, "optPST(2).value=true"))
      << r.out;
  r = start("get mnuCalcLine.checked\nget mnuStndLine.checked\nget optPST(0).value\n",
            {{16, "calculate"}, {21, "EST"}});
  EXPECT_TRUE(Has(r.out, "mnuCalcLine.checked=false") && Has(r.out, "mnuStndLine.checked=true") &&
              Has(r.out, "optPST(0).value=false"))
      << r.out;
}

TEST_F(Startup, LocalRowWithAFoundNumberFileStillAsksTheReadyQuestion) {
  const auto r = start("get networkMode\n", {{10, "LOCAL"}});
  EXPECT_TRUE(Has(r.out, "networkMode=true")) << r.out;
  EXPECT_NE(r.out.find("Ready to Start? Y/N"), std::string::npos) << r.out;
}

TEST_F(Startup, F9StopsThePollAndExitAsksFirst) {
  const auto r = start(
      "get Timer1.enabled\nkey F9\nget Timer1.enabled\nanswer No\nclick mnuExit\n"
      "echo still here\nanswer Yes\nclick mnuExit\necho never\n");
  EXPECT_EQ(0, r.code);
  EXPECT_TRUE(Has(r.out, "Timer1.enabled=true") && Has(r.out, "Timer1.enabled=false")) << r.out;
  EXPECT_TRUE(Has(r.out, "MSGBOX | Close Program? Y/N | Do you really want to quit? Y/N | YesNo | none | No")) << r.out;
  EXPECT_TRUE(Has(r.out, "still here")) << r.out;
  EXPECT_TRUE(r.out.size() >= 6 && r.out.compare(r.out.size() - 6, 6, "ENDED\n") == 0) << r.out;
  EXPECT_EQ(std::string::npos, r.out.find("never"));
}

TEST_F(Startup, AMissingConfigurationIsReportedAndTheWindowOpensOnEmptyRows) {
  // No to the demo station. Nothing the empty rows name is looked for or
  // offered for creation: the window opens to be set up, and Exit ends the
  // program.
  const auto r = st.run(
      "answer No\nstart\nget frmActivity.caption\nget CruiseConfig(1)\nget networkMode\n"
      "answer Yes\nclick mnuExit\n");
  ASSERT_EQ(0, r.code) << r.out << r.err;
  EXPECT_EQ(0u, r.out.rfind("MSGBOX |  | Unable to find C:\\RuvekGPS\\RuvekGPS.cfg | OK | none | OK\n", 0)) << r.out;
  EXPECT_FALSE(Has(r.out, "Unable to find Event Number File.")) << r.out;
  EXPECT_TRUE(Has(r.out, "frmActivity.caption=  Ruvek Event Log")) << r.out;
  EXPECT_TRUE(Has(r.out, "CruiseConfig(1)=")) << r.out;
  EXPECT_TRUE(Has(r.out, "networkMode=true")) << r.out;
  EXPECT_TRUE(Has(r.out, "ENDED")) << r.out;
}

TEST(ScriptContract, ErrorsAndUnansweredBoxesEndWithTheirCodes) {
  Station st;
  st.seed();
  auto r = st.run("click Command1(0)\n");
  EXPECT_EQ(2, r.code);
  EXPECT_NE(r.err.find("ERROR"), std::string::npos);
  r = st.run("answer Yes\nstart\nfrobnicate\n");
  EXPECT_EQ(2, r.code);
  r = st.run("answer Yes\nstart\nget NoSuchControl\n");
  EXPECT_EQ(2, r.code);
  r = st.run("answer Yes\nstart\nget Text1(5).nosuchproperty\n");
  EXPECT_EQ(2, r.code);
  r = st.run("start\necho never\n");
  EXPECT_EQ(3, r.code);
  EXPECT_TRUE(Has(r.out,
                  "MSGBOX | Ready to Start? Y/N | Press YES if you are Ready For Event Logging; Press NO to "
                  "configure EventLog. | YesNo | none | NONE"))
      << r.out;
  EXPECT_EQ("ERROR unanswered message box\n", r.err);
  r = st.run(
      "clock 2026-02-02 14:05:09\necho \"  two blanks<TAB>\"\nanswer Yes\nstart\nget clock\nadvance 1500\nget clock\n");
  EXPECT_TRUE(Has(r.out, "  two blanks\t")) << r.out;
  EXPECT_TRUE(Has(r.out, "clock=2026-02-02 14:05:09") && Has(r.out, "clock=2026-02-02 14:05:10")) << r.out;
}

// A first run without a configuration: the described message, then one
// question naming where the program looked. Yes sets up the demo station,
// keeping the files already there, and an event is recorded on it at once;
// where a folder cannot be made it writes what it can and says so (the No
// answer is the test above).
TEST(FirstRun, OffersTheDemoStationThatRecordsAtOnceAndEveryQuestionHasAWayOn) {
  struct Case {
    const char* name;
    const char* answers;
    const char* more;                   // the script after the start
    std::vector<std::string> expected;  // lines of the output
  } cases[] = {
      {"yes",
       "Yes Yes",
       "tick Timer1\nclick Option1(1)\nclick Command1(0)\nadvance 4000\nget EventLog(1,0)\n",
       {"frmActivity.caption=Tesmora 2607SR Ruvek Event Log", "EventLog(1,0)=1\n"}},
      {"unwritable",
       "Yes No No No No No",
       "",
       {"MSGBOX | Set up the demo station? | Unable to set up the whole demo station: cannot create "}},
  };
  for (const Case& c : cases) {
    Station st;
    st.remove("C:\\RuvekGPS");
    st.remove("C:\\DATA");
    st.write("C:\\RuvekGPS\\Watch.txt", "ZZ\r\n");
    const bool unwritable = std::string(c.name) == "unwritable";
    // The navigation simulator's position file, or a file where the data folder goes.
    if (unwritable)
      st.write("C:\\DATA", "a file where the data folder goes");
    else
      st.write("C:\\DATA\\CurrPos.txt",
               "$GPGGA,183012.00,3254.0000,N,11724.0000,W,2,09,0.9,5.1,M,-35.2,M,,*58\r\n"
               "$GPRMC,183012.00,A,3254.0000,N,11724.0000,W,10.0,240.0,070618,12.5,E,D*23\r\n");
    const auto r = st.run("clock 2026-06-08 03:00:00\nanswer " + std::string(c.answers) +
                          "\nstart\nget frmActivity.caption\n" + c.more + "answer Yes\nclick mnuExit\n");
    ASSERT_EQ(0, r.code) << c.name << "\n" << r.out << r.err;
    for (const std::string& line : c.expected)
      EXPECT_NE(std::string::npos, r.out.find(line)) << c.name << "\n" << r.out;
    EXPECT_TRUE(Has(r.out, "MSGBOX |  | Unable to find C:\\RuvekGPS\\RuvekGPS.cfg | OK | none | OK")) << r.out;
    EXPECT_TRUE(Has(r.out,
                    "MSGBOX | Set up the demo station? | No configuration was found at C:\\RuvekGPS\\RuvekGPS.cfg (on "
                    "this computer " +
                        ProgramHostPath(st.host("C:\\RuvekGPS\\RuvekGPS.cfg")) +
                        "). Set up the demo station in C:\\RuvekGPS\\ now? It brings a ready configuration, event "
                        "lists and line files, and files already there are kept. Y/N ('No' opens the program without a "
                        "configuration) | YesNo | information | Yes"))
        << r.out;
    EXPECT_TRUE(Has(r.out, "ENDED")) << c.name << "\n" << r.out;
    EXPECT_EQ("ZZ\r\n", st.read("C:\\RuvekGPS\\Watch.txt"));
    EXPECT_TRUE(st.exists("C:\\RuvekGPS\\Line93.txt")) << c.name;
    if (!unwritable) {
      // The event went into the demo cruise's shared log with the first number.
      EXPECT_EQ(0u, st.read("C:\\DATA\\2607SREvents.csv").rfind("2607SR,1,", 0))
          << st.read("C:\\DATA\\2607SREvents.csv");
      EXPECT_EQ("1", st.read("C:\\DATA\\EventNumber.txt").substr(0, 1));
    }
  }
}

}  // namespace
}  // namespace ruvek::test

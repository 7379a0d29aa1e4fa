// Event lists, the pickers and the condition options, driven headless by
// operator scripts on a temporary station.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <vector>

#include "e2e/Station.h"

namespace ruvek::test {
namespace {

const char* kCfg = "C:\\RuvekGPS\\RuvekGPS.cfg";
const char* kCruiseList = "C:\\RuvekGPS\\CruiseEvents.txt";

std::vector<std::string> Lines(const std::string& out) {
  std::vector<std::string> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Every value printed by `get NAME`, in order.
std::vector<std::string> Got(const std::string& out, const std::string& name) {
  std::vector<std::string> values;
  for (const auto& line : Lines(out))
    if (line.rfind(name + "=", 0) == 0) values.push_back(line.substr(name.size() + 1));
  return values;
}

// The last value printed by `get NAME`, or "<none>".
std::string Last(const std::string& out, const std::string& name) {
  const auto values = Got(out, name);
  return values.empty() ? "<none>" : values.back();
}

// The message boxes shown, as "title | text | buttons | icon | answer".
std::vector<std::string> Boxes(const std::string& out) {
  std::vector<std::string> boxes;
  for (const auto& line : Lines(out))
    if (line.rfind("MSGBOX | ", 0) == 0) boxes.push_back(line.substr(9));
  return boxes;
}

int CountBoxes(const std::string& out, const std::string& box) {
  int n = 0;
  for (const auto& b : Boxes(out)) n += b == box;
  return n;
}

// Forward: a list file of `count` events "Event 01", "Event 02", ...
std::string EventName(int i);
std::string Numbered(int count) {
  std::string out;
  for (int i = 1; i <= count; ++i) out += EventName(i) + "\r\n";
  return out;
}

// "Event 07" for i = 7.
std::string EventName(int i) { return std::string("Event ") + (i < 10 ? "0" : "") + std::to_string(i); }

// A drop-down's items, one a line.
std::string ReplaceBars(std::string items) {
  for (char& c : items)
    if (c == '|') c = '\n';
  return items;
}

const std::string kSaveQuestion = "Save change to cfg? | Save to RuvekGPS.cfg? Y/N | YesNo | none";
const std::string kLimit30 =
    " | There is a maximum of 30 events options - combine events or use the comments for events above 30 | OK | "
    "none | OK";
const std::string kLimit26 =
    " | There is a maximum of 26 events options - combine events or use the comments for events above 26 | OK | "
    "none | OK";
const std::string kStartLimit30 =
    " | You've reach the notation limit - combine events or use the comments for events above 30 | OK | none | OK";

class Selection : public ::testing::Test {
 protected:
  Station st;
  // A seeded station whose cruise list holds `list`, started with a Yes to the ready question.
  RunResult run(const std::string& list, const std::string& script, const std::map<int, std::string>& rows = {}) {
    st.seed(rows);
    st.write(kCruiseList, list);
    return st.run("clock 2026-06-08 03:00:00\nanswer Yes\nstart\n" + script);
  }
};

TEST_F(Selection, BlankLinesTakeNoPickerAndLeadingBlanksStay) {
  const auto r = run(CrLf({"Bongo", "", "   ", "Manta", " Secchi", "\t"}),
                     "get lastPickerIndex\nget Combo1.items\nget Combo1\nget Option1(0)\nget Option1(1)\n"
                     "get Option1(2)\nget Option1(2).visible\nget Option1(3).visible\nget frmEventEdit.EventList(3,1)\n"
                     "get frmEventEdit.EventList(4,1)\nclick Option1(2)\nget Combo1\nget txtComments\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("2", Last(r.out, "lastPickerIndex"));
  EXPECT_EQ("Bongo|Manta| Secchi", Last(r.out, "Combo1.items"));
  EXPECT_EQ((std::vector<std::string>{"Bongo", " Secchi"}), Got(r.out, "Combo1"));
  EXPECT_EQ("Manta", Last(r.out, "Option1(1)"));
  EXPECT_EQ(" Secchi", Last(r.out, "Option1(2)"));
  EXPECT_EQ("true", Last(r.out, "Option1(2).visible"));
  EXPECT_EQ("false", Last(r.out, "Option1(3).visible"));
  EXPECT_EQ(" Secchi", Last(r.out, "frmEventEdit.EventList(3,1)"));
  EXPECT_EQ("", Last(r.out, "frmEventEdit.EventList(4,1)"));
  EXPECT_EQ("Comments:", Last(r.out, "txtComments"));  // a picked event leaves the comments alone
}

TEST_F(Selection, EachModeLoadsUpToItsCapacityAndSaysSoOnce) {
  // The start load and then the menu load of the same list: each shows its limit message once.
  struct Case {
    const char* mode;
    int lines, loaded;
    std::string startBox, menuBox;  // empty: no limit message
  } cases[] = {
      {"SINGLE", 29, 29, "", ""},
      {"SINGLE", 30, 30, kStartLimit30, kLimit30},
      {"SINGLE", 31, 30, kStartLimit30, kLimit30},
      {"MULTI", 26, 26, kLimit26, kLimit26},
      {"MULTI", 40, 26, kLimit26, kLimit26},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.mode) + " " + std::to_string(c.lines));
    const bool multi = std::string(c.mode) == "MULTI";
    const std::string pickers = multi ? "Check1" : "Option1";
    const std::string last = pickers + "(" + std::to_string(c.loaded - 1) + ")";
    // The picker after the last one filled; Option1 has no 31st, so its last is checked instead.
    const std::string next = pickers + "(" + std::to_string(c.loaded == 30 ? 29 : c.loaded) + ")";
    const auto r =
        run(Numbered(c.lines),
            "get lastPickerIndex\nget Combo1.items\nget " + last + "\nget " + last + ".visible\nget " + next +
                ".visible\nget multiMode\nget frmSelectMulti.visible\nget frmSelectEvent.visible\n"
                "answer No\nclick mnuCruise\nget lastPickerIndex\n",
            {{20, c.mode}});
    ASSERT_EQ(0, r.code) << r.err;
    const std::string lastIndex = std::to_string(c.loaded - 1);
    EXPECT_EQ((std::vector<std::string>{lastIndex, lastIndex}), Got(r.out, "lastPickerIndex"));
    EXPECT_EQ(std::size_t(c.loaded), Lines(ReplaceBars(Last(r.out, "Combo1.items"))).size());
    EXPECT_EQ(EventName(c.loaded), Last(r.out, last));
    EXPECT_EQ("true", Last(r.out, last + ".visible"));
    EXPECT_EQ(c.loaded == 30 ? "true" : "false", Last(r.out, next + ".visible"));
    EXPECT_EQ(multi ? "true" : "false", Last(r.out, "multiMode"));
    EXPECT_EQ(multi ? "true" : "false", Last(r.out, "frmSelectMulti.visible"));
    EXPECT_EQ(multi ? "false" : "true", Last(r.out, "frmSelectEvent.visible"));
    if (c.startBox.empty()) {
      for (const auto& b : Boxes(r.out)) EXPECT_EQ(std::string::npos, b.find("events above")) << b;
    } else if (c.startBox == c.menuBox) {
      EXPECT_EQ(2, CountBoxes(r.out, c.startBox)) << r.out;
    } else {
      EXPECT_EQ(1, CountBoxes(r.out, c.startBox)) << r.out;
      EXPECT_EQ(1, CountBoxes(r.out, c.menuBox)) << r.out;
    }
  }
}

TEST_F(Selection, FrameGridAndTimerBoxFollowTheListLength) {
  struct Case {
    int events, frameHeight, gridWidth;
    bool text2Visible;
    int text2Top;
  } cases[] = {
      {0, 286, 812, true, 255},  {11, 286, 812, true, 255}, {12, 286, 812, false, 0}, {13, 520, 688, true, 540},
      {28, 520, 688, true, 540}, {29, 520, 688, false, 0},  {30, 520, 688, false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.events) + " events");
    const auto r = run(Numbered(c.events),
                       "get frmSelectEvent.width\nget frmSelectEvent.height\nget EventLog.width\nget Text2.visible\n"
                       "get Text2.top\nget lastPickerIndex\nget Combo1\nget Option1(0).visible\n");
    ASSERT_EQ(0, r.code) << r.err;
    EXPECT_EQ("220", Last(r.out, "frmSelectEvent.width"));
    EXPECT_EQ(std::to_string(c.frameHeight), Last(r.out, "frmSelectEvent.height"));
    EXPECT_EQ(std::to_string(c.gridWidth), Last(r.out, "EventLog.width"));
    EXPECT_EQ(c.text2Visible ? "true" : "false", Last(r.out, "Text2.visible"));
    if (c.text2Visible) {
      EXPECT_EQ(std::to_string(c.text2Top), Last(r.out, "Text2.top"));
    }
    EXPECT_EQ(std::to_string(c.events - 1), Last(r.out, "lastPickerIndex"));
    EXPECT_EQ(c.events ? "Event 01" : "", Last(r.out, "Combo1"));
    EXPECT_EQ(c.events ? "true" : "false", Last(r.out, "Option1(0).visible"));
  }
}

TEST_F(Selection, BridgeListIsLoadedAndStoredInRow5OnYes) {
  st.seed();
  st.write("C:\\RuvekGPS\\BridgeEvents.txt", CrLf({"Bridge Arrival", "Bridge Departure"}));
  const std::string cfgBefore = st.read(kCfg);
  const auto r = st.run(
      "answer Yes\nstart\nanswer Yes\nclick mnuBridge\nget frmSelectEvent.caption\nget frmSelectEvent.tooltip\n"
      "get eventListPath\nget eventListType\nget CruiseConfig(5)\nget Combo1\nget Combo1.items\nget lastPickerIndex\n"
      "get Option1(1).visible\nget Option1(2).visible\nget frmEventEdit.EventList(2,1)\n"
      "get frmEventEdit.EventList(3,1)\nget frmSelectMulti.caption\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("Bridge Events", Last(r.out, "frmSelectEvent.caption"));
  EXPECT_EQ("Events loaded from C:\\RuvekGPS\\BridgeEvents.txt (Double-click to edit)",
            Last(r.out, "frmSelectEvent.tooltip"));
  EXPECT_EQ("C:\\RuvekGPS\\BridgeEvents.txt", Last(r.out, "eventListPath"));
  EXPECT_EQ("Bridge", Last(r.out, "eventListType"));
  EXPECT_EQ("BridgeEvents.txt", Last(r.out, "CruiseConfig(5)"));
  EXPECT_EQ("Bridge Arrival", Last(r.out, "Combo1"));
  EXPECT_EQ("Bridge Arrival|Bridge Departure", Last(r.out, "Combo1.items"));
  EXPECT_EQ("1", Last(r.out, "lastPickerIndex"));
  EXPECT_EQ("true", Last(r.out, "Option1(1).visible"));
  EXPECT_EQ("false", Last(r.out, "Option1(2).visible"));  // the cruise list had eight
  EXPECT_EQ("Bridge Departure", Last(r.out, "frmEventEdit.EventList(2,1)"));
  EXPECT_EQ("", Last(r.out, "frmEventEdit.EventList(3,1)"));
  EXPECT_EQ("Select All That Apply", Last(r.out, "frmSelectMulti.caption"));
  EXPECT_EQ(1, CountBoxes(r.out, kSaveQuestion + " | Yes"));

  // The file is rewritten whole: 21 rows, only row 5 changed.
  std::string expected = cfgBefore;
  const std::string oldRow = "\r\nCruiseEvents.txt\r\n";
  expected.replace(expected.find(oldRow), oldRow.size(), "\r\nBridgeEvents.txt\r\n");
  EXPECT_EQ(expected, st.read(kCfg));
  EXPECT_EQ(21u, Lines(st.read(kCfg)).size());
}

TEST_F(Selection, BridgeListAnsweredNoHoldsForThisRunOnly) {
  st.seed();
  st.write("C:\\RuvekGPS\\BridgeEvents.txt", CrLf({"Bridge Arrival"}));
  const std::string cfgBefore = st.read(kCfg);
  const auto r = st.run(
      "answer Yes\nstart\nanswer No\nclick mnuBridge\nget frmSelectEvent.caption\n"
      "get CruiseConfig(5)\nget eventListPath\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("Bridge Events", Last(r.out, "frmSelectEvent.caption"));
  EXPECT_EQ("CruiseEvents.txt", Last(r.out, "CruiseConfig(5)"));
  EXPECT_EQ("C:\\RuvekGPS\\BridgeEvents.txt", Last(r.out, "eventListPath"));
  EXPECT_EQ(cfgBefore, st.read(kCfg));
}

TEST_F(Selection, MissingMenuListIsReportedAndChangesNothing) {
  // No answer is queued: a question would end the run with code 3.
  const auto r = run(CrLf({"Bongo", "Manta", "Secchi"}),
                     "click mnuCUFES\nget lastPickerIndex\nget eventListPath\nget eventListType\n"
                     "get frmSelectEvent.caption\nget Combo1.items\nchoose Combo1 Manta\nget Option1(1).value\n");
  ASSERT_EQ(0, r.code) << r.err << r.out;
  EXPECT_EQ(1, CountBoxes(r.out, " | Unable to find C:\\RuvekGPS\\CUFESEvents.txt | OK | none | OK"));
  EXPECT_EQ("2", Last(r.out, "lastPickerIndex"));
  EXPECT_EQ("C:\\RuvekGPS\\CruiseEvents.txt", Last(r.out, "eventListPath"));
  EXPECT_EQ("Cruise", Last(r.out, "eventListType"));
  EXPECT_EQ("Cruise Events", Last(r.out, "frmSelectEvent.caption"));
  EXPECT_EQ("Bongo|Manta|Secchi", Last(r.out, "Combo1.items"));
  EXPECT_EQ("true", Last(r.out, "Option1(1).value"));
}

TEST_F(Selection, MissingListAtStartIsReportedByItsOwnPath) {
  st.seed();
  st.remove(kCruiseList);
  const auto r = st.run(
      "answer Yes\nstart\nget lastPickerIndex\nget Combo1.items\nget Combo1\n"
      "get Option1(0).visible\nget eventNumberPath\nget mnuEventNumFile.caption\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(1, CountBoxes(r.out, " | Unable to find C:\\RuvekGPS\\CruiseEvents.txt | OK | none | OK")) << r.out;
  EXPECT_EQ("-1", Last(r.out, "lastPickerIndex"));
  EXPECT_EQ("", Last(r.out, "Combo1.items"));
  EXPECT_EQ("", Last(r.out, "Combo1"));
  EXPECT_EQ("false", Last(r.out, "Option1(0).visible"));
  // A missing list says nothing about the network: the event number file stays.
  EXPECT_EQ("C:\\DATA\\EventNumber.txt", Last(r.out, "eventNumberPath"));
  EXPECT_EQ("C:\\DATA\\EventNumber.txt", Last(r.out, "mnuEventNumFile.caption"));
  for (const auto& b : Boxes(r.out)) EXPECT_EQ(std::string::npos, b.find("Event Number File")) << b;
}

TEST_F(Selection, LowerCaseListNameKeepsItsWholeNameAsType) {
  st.seed({{5, "bridgeevents.txt"}});
  st.write("C:\\RuvekGPS\\bridgeevents.txt", CrLf({"Bridge Arrival"}));
  const auto r = st.run("answer Yes\nstart\nget frmSelectEvent.caption\nget eventListType\nget Combo1\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("bridgeevents.txt Events", Last(r.out, "frmSelectEvent.caption"));
  EXPECT_EQ("bridgeevents.txt", Last(r.out, "eventListType"));
  EXPECT_EQ("Bridge Arrival", Last(r.out, "Combo1"));
}

// A list that exists but cannot be read: /proc/self/mem stats as a regular file
// and fails every read from its start.
void MakeUnreadable(const Station& st, const std::string& winPath) {
  st.remove(winPath);
  std::filesystem::create_symlink("/proc/self/mem", st.host(winPath));
}

TEST_F(Selection, ListThatCannotBeReadTwiceIsReportedAndTheShownListStays) {
  st.seed();
  st.write(kCruiseList, CrLf({"Bongo", "Manta"}));
  MakeUnreadable(st, "C:\\RuvekGPS\\BridgeEvents.txt");
  const auto r = st.run(
      "clock 2026-06-08 03:00:00\nanswer Yes\nstart\nget clock\nclick mnuBridge\nget clock\nget Combo1.items\n"
      "get eventListPath\nget frmSelectEvent.caption\nget Option1(1).visible\n");
  ASSERT_EQ(0, r.code) << r.err << r.out;
  // One wait of a second between the two reads.
  EXPECT_EQ((std::vector<std::string>{"2026-06-08 03:00:00", "2026-06-08 03:00:01"}), Got(r.out, "clock"));
  EXPECT_EQ(1, CountBoxes(r.out, " | Unable to read C:\\RuvekGPS\\BridgeEvents.txt | OK | exclamation | OK")) << r.out;
  for (const auto& b : Boxes(r.out)) EXPECT_EQ(std::string::npos, b.find("Save to RuvekGPS.cfg")) << b;
  EXPECT_EQ("Bongo|Manta", Last(r.out, "Combo1.items"));
  EXPECT_EQ("C:\\RuvekGPS\\CruiseEvents.txt", Last(r.out, "eventListPath"));
  EXPECT_EQ("Cruise Events", Last(r.out, "frmSelectEvent.caption"));
  EXPECT_EQ("true", Last(r.out, "Option1(1).visible"));
}

TEST_F(Selection, ConfigurationThatCannotBeRewrittenIsAskedTwiceThenReported) {
  st.seed();
  st.write("C:\\RuvekGPS\\BridgeEvents.txt", CrLf({"Bridge Arrival"}));
  // After start the configuration file is turned into a folder, which no rename can replace.
  const auto r = st.run(
      "clock 2026-06-08 03:00:00\nanswer Yes\nstart\n"
      "sh rm \"$RUVEK_ROOT/C/RuvekGPS/RuvekGPS.cfg\" && mkdir \"$RUVEK_ROOT/C/RuvekGPS/RuvekGPS.cfg\"\n"
      "answer Yes Yes\nclick mnuBridge\nget clock\nget CruiseConfig(5)\nget Combo1.items\nget eventListType\n");
  ASSERT_EQ(0, r.code) << r.err << r.out;
  EXPECT_EQ(2, CountBoxes(r.out, kSaveQuestion + " | Yes"));
  EXPECT_EQ(1, CountBoxes(r.out,
                          " | Unable to save C:\\RuvekGPS\\RuvekGPS.cfg - the event list is in use for this run only | "
                          "OK | exclamation | OK"))
      << r.out;
  EXPECT_EQ("2026-06-08 03:00:01", Last(r.out, "clock"));
  EXPECT_EQ("CruiseEvents.txt", Last(r.out, "CruiseConfig(5)"));  // memory and file stay alike
  EXPECT_EQ("Bridge Arrival", Last(r.out, "Combo1.items"));
  EXPECT_EQ("Bridge", Last(r.out, "eventListType"));
}

TEST_F(Selection, StartLoadThatCannotBeReadIsRetriedByStartUpThenSkipped) {
  st.seed();
  MakeUnreadable(st, kCruiseList);
  const auto r = st.run("answer Yes\nstart\nget lastPickerIndex\nget Combo1.items\nget Option1(0).visible\n");
  ASSERT_EQ(0, r.code) << r.err << r.out;
  EXPECT_EQ(1, CountBoxes(r.out, " | Event File is not available...retrying | OK | none | OK")) << r.out;
  EXPECT_EQ("-1", Last(r.out, "lastPickerIndex"));
  EXPECT_EQ("", Last(r.out, "Combo1.items"));
  EXPECT_EQ("false", Last(r.out, "Option1(0).visible"));
}

TEST_F(Selection, CheckBoxWalkMakesTheLoneTickedBoxTheEvent) {
  const auto r = run(CrLf({"Bongo", "Manta", "Secchi"}),
                     "type txtComments Comments: X\n"
                     "click Check1(1)\nget Combo1\nget txtComments\n"  // Manta alone: the event
                     "click Check1(2)\nget Combo1\nget txtComments\n"  // Secchi beside it: a comment
                     "click Check1(1)\nget Combo1\nget txtComments\n"  // Manta cleared: Secchi is the event
                     "click Check1(2)\nget Combo1\nget txtComments\n"  // none left: the event stays
                     "click Check1(0)\nget Combo1\n"                   // the first box alone
                     "type txtComments Comments:\nclick Check1(2)\nget txtComments\n",
                     {{20, "MULTI"}});
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ((std::vector<std::string>{"Manta", "Manta", "Secchi", "Secchi", "Bongo"}), Got(r.out, "Combo1"));
  EXPECT_EQ((std::vector<std::string>{"Comments: X", "Comments: X;Secchi", "Comments: X;Secchi", "Comments: X",
                                      "Comments:Secchi"}),
            Got(r.out, "txtComments"));
}

TEST_F(Selection, DropDownChoiceSelectsTheMatchingPickerInEitherMode) {
  const auto r = run(CrLf({"Bongo", "Manta", "Secchi", "Bongo"}),
                     "choose Combo1 Manta\nget Option1(1).value\nget Option1(0).value\n"
                     "choose Combo1 Bongo\nget Option1(0).value\nget Option1(3).value\nget Combo1\n"
                     "type Combo1 Not Listed\nget Option1(3).value\nget Combo1\n"
                     "click mnuMulti\nchoose Combo1 Manta\nget Check1(1).value\nget Combo1\n"
                     "click Check1(1)\nchoose Combo1 Bongo\nget Check1(0).value\nget Check1(3).value\nget Combo1\n"
                     "get txtComments\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("true", Last(r.out, "Option1(1).value"));
  EXPECT_EQ((std::vector<std::string>{"false", "false"}), Got(r.out, "Option1(0).value"));
  // With duplicate captions the last matching option stays selected and every matching box is ticked.
  EXPECT_EQ((std::vector<std::string>{"true", "true"}), Got(r.out, "Option1(3).value"));
  EXPECT_EQ("true", Last(r.out, "Check1(1).value"));
  EXPECT_EQ("true", Last(r.out, "Check1(0).value"));
  EXPECT_EQ("true", Last(r.out, "Check1(3).value"));
  EXPECT_EQ((std::vector<std::string>{"Bongo", "Not Listed", "Manta", "Bongo"}), Got(r.out, "Combo1"));
  EXPECT_EQ("Comments:Bongo", Last(r.out, "txtComments"));  // the second Bongo went into the comments
}

TEST_F(Selection, SwitchingToCheckBoxesAndBackRefillsFromTheSameFile) {
  const auto r = run(Numbered(30),
                     "click Option1(4)\nclick mnuMulti\n"
                     "get multiMode\nget mnuMulti.checked\nget mnuMulti\nget frmSelectMulti.visible\n"
                     "get frmSelectEvent.visible\nget lastPickerIndex\nget Check1(25)\nget Check1(25).visible\n"
                     "get Check1(26).visible\nget Combo1\nget CruiseConfig(20)\nget frmSelectEvent.height\n"
                     "click mnuMulti\n"
                     "get multiMode\nget mnuMulti.checked\nget frmSelectMulti.visible\nget frmSelectEvent.visible\n"
                     "get lastPickerIndex\nget Option1(4).value\nget Option1(29)\nget Combo1\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ((std::vector<std::string>{"true", "false"}), Got(r.out, "multiMode"));
  EXPECT_EQ((std::vector<std::string>{"true", "false"}), Got(r.out, "mnuMulti.checked"));
  EXPECT_EQ("Switch to CheckBox Mode", Last(r.out, "mnuMulti"));
  EXPECT_EQ((std::vector<std::string>{"true", "false"}), Got(r.out, "frmSelectMulti.visible"));
  EXPECT_EQ((std::vector<std::string>{"false", "true"}), Got(r.out, "frmSelectEvent.visible"));
  EXPECT_EQ((std::vector<std::string>{"25", "29"}), Got(r.out, "lastPickerIndex"));
  EXPECT_EQ("Event 26", Last(r.out, "Check1(25)"));
  EXPECT_EQ("true", Last(r.out, "Check1(25).visible"));
  EXPECT_EQ("false", Last(r.out, "Check1(26).visible"));
  EXPECT_EQ((std::vector<std::string>{"Event 05", "Event 05"}), Got(r.out, "Combo1"));
  EXPECT_EQ("SINGLE", Last(r.out, "CruiseConfig(20)"));
  EXPECT_EQ("520", Last(r.out, "frmSelectEvent.height"));
  EXPECT_EQ("true", Last(r.out, "Option1(4).value"));
  EXPECT_EQ("Event 30", Last(r.out, "Option1(29)"));
  EXPECT_EQ(1, CountBoxes(r.out, kLimit26));
  EXPECT_EQ(1, CountBoxes(r.out, kLimit30));
}

TEST_F(Selection, SwitchAfterTheListFileHasGoneKeepsTheListInUse) {
  const auto r = run(CrLf({"Bongo", "Manta"}),
                     "sh rm \"$RUVEK_ROOT/C/RuvekGPS/CruiseEvents.txt\"\nclick mnuMulti\n"
                     "get Check1(0)\nget Check1(1)\nget Check1(1).visible\nget Check1(2).visible\nget lastPickerIndex\n"
                     "get Combo1.items\nclick Check1(1)\nget Combo1\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(1, CountBoxes(r.out, " | Unable to find C:\\RuvekGPS\\CruiseEvents.txt | OK | none | OK")) << r.out;
  EXPECT_EQ("Bongo", Last(r.out, "Check1(0)"));
  EXPECT_EQ("Manta", Last(r.out, "Check1(1)"));
  EXPECT_EQ("true", Last(r.out, "Check1(1).visible"));
  EXPECT_EQ("false", Last(r.out, "Check1(2).visible"));
  EXPECT_EQ("1", Last(r.out, "lastPickerIndex"));
  EXPECT_EQ("Bongo|Manta", Last(r.out, "Combo1.items"));
  EXPECT_EQ("Manta", Last(r.out, "Combo1"));
}

TEST_F(Selection, DoubleClickOnThePickerFrameOpensTheListEditor) {
  const auto r = run(CrLf({"Bongo"}), "get frmEventEdit.visible\ndblclick frmSelectEvent\nget frmEventEdit.visible\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ((std::vector<std::string>{"false", "true"}), Got(r.out, "frmEventEdit.visible"));
}

TEST_F(Selection, ConditionClicksAndDoubleClicksWriteTheCommentText) {
  const auto r = run(CrLf({"Bongo"}),
                     // The walk from an empty box: Calm, Night, Modrt, Day.
                     "type txtComments \"Comments: \"\n"
                     "click Option3(0)\nget txtComments\nclick Option4(1)\nget txtComments\n"
                     "click Option3(1)\nget txtComments\nclick Option4(0)\nget txtComments\n"
                     // The short-text rule: Night has none, Day has.
                     "type txtComments \"Comments: \"\nclick Option4(1)\nget txtComments\n"
                     "type txtComments \"Comments: \"\nclick Option4(0)\nget txtComments\n"
                     // Separators on a long text: ";" for Rough, "; " for Calm.
                     "type txtComments Comments: long remark\nclick Option3(2)\nget txtComments\n"
                     "type txtComments Comments: long remark\nclick Option3(0)\nget txtComments\n"
                     // Double clicks take the text out with its separator, or alone.
                     "dblclick Option3(0)\nget txtComments\nget Option3(0).value\n"
                     "click Option3(1)\ntype txtComments Comments: x; Sea Conditions: Modrt\n"
                     "dblclick Option3(1)\nget txtComments\nget Option3(1).value\n"
                     "click Option4(0)\ntype txtComments Comments: nothing of it\n"
                     "dblclick Option4(0)\nget txtComments\nget Option4(0).value\n"
                     // A double click on an option not selected clicks it first.
                     "type txtComments Comments: long remark\ndblclick Option5(1)\nget txtComments\n"
                     "get Option5(1).value\n"
                     // The clean-up of the box.
                     "type txtComments ;;\nget txtComments\n"
                     "type txtComments Comments:;Bongo\nget txtComments\n"
                     "type txtComments \"Comments:;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;; a;;;;;;;:;;;b\"\n"
                     "get txtComments\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ((std::vector<std::string>{
                "Comments: Sea Conditions: Calm",
                "Comments: Sea Conditions: Calm;Day/Night: Night",
                "Comments: Sea Conditions: Modrt;Day/Night: Night",
                "Comments: Sea Conditions: Modrt;Day/Night: Day",
                "Comments: ;Day/Night: Night",
                "Comments: Day/Night: Day",
                "Comments: long remark;Sea Conditions: Rough",
                "Comments: long remark; Sea Conditions: Calm",
                "Comments: long remark",
                "Comments: x; ",
                "Comments: nothing of it",
                "Comments: long remark;",
                ";",
                "Comments:Bongo",
                "Comments: a;:b",
            }),
            Got(r.out, "txtComments"));
  EXPECT_EQ("false", Last(r.out, "Option3(0).value"));
  EXPECT_EQ("false", Last(r.out, "Option3(1).value"));
  EXPECT_EQ("true", Last(r.out, "Option4(0).value"));  // its text was not in the box
  EXPECT_EQ("false", Last(r.out, "Option5(1).value"));
}

TEST_F(Selection, WithoutCommentOptionsTheConditionTextsAreEmpty) {
  st.seed();
  st.remove("C:\\RuvekGPS\\CommentOpt.txt");
  const auto r = st.run(
      "answer Yes\nstart\nget txtComments\nclick Option3(0)\nget txtComments\n"
      "type txtComments Comments: a;b;c\nclick Option4(1)\ndblclick Option4(1)\nget txtComments\n"
      "get Option4(1).value\ntype txtComments Comments: a; b; c\ndblclick Option5(2)\nget txtComments\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(1, CountBoxes(r.out, " | Unable to find C:\\RuvekGPS\\CommentOpt.txt | OK | none | OK"));
  EXPECT_EQ((std::vector<std::string>{"Comments:", "Comments: ", "Comments: abc", "Comments: abc"}),
            Got(r.out, "txtComments"));
  EXPECT_EQ("false", Last(r.out, "Option4(1).value"));
}

}  // namespace
}  // namespace ruvek::test

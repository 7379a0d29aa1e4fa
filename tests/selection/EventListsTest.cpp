// Event list rules, and the reload and reset routines called directly on a
// main window (their callers, the list editor and the recording workflow,
// live elsewhere).
#include "selection/EventLists.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "events/WindowFixture.h"
#include "selection/Pickers.h"

namespace ruvek {
namespace {

TEST(EventNamesFrom, SkipsBlankLinesKeepsNamesExactlyAndStopsAtCapacity) {
  struct Case {
    std::vector<std::string> lines;
    int capacity;
    std::vector<std::string> names;
    bool full;
  } cases[] = {
      {{"Bongo", "", "   ", "Manta"}, 30, {"Bongo", "Manta"}, false},
      {{" Secchi", "\t", "CTD Deployed "}, 30, {" Secchi", "CTD Deployed "}, false},
      {{}, 30, {}, false},
      {{"a", "b", "c"}, 3, {"a", "b", "c"}, true},  // full with no line after it
      {{"a", "", "b", "c", "d"}, 2, {"a", "b"}, true},
      {{"a"}, 0, {}, false},
  };
  for (const auto& c : cases) {
    const EventNamesRead read = EventNamesFrom(c.lines, c.capacity);
    EXPECT_EQ(c.names, read.names);
    EXPECT_EQ(c.full, read.full);
  }
}

TEST(EventListTypeOf, RemovesEveryEventsTxtCaseSensitively) {
  const std::pair<const char*, const char*> cases[] = {
      {"BridgeEvents.txt", "Bridge"},
      {" CruiseEvents.txt ", "Cruise"},
      {"bridgeevents.txt", "bridgeevents.txt"},
      {"AEvents.txtBEvents.txt", "AB"},
      {"", ""},
  };
  for (const auto& [file, type] : cases) EXPECT_EQ(type, EventListTypeOf(file)) << file;
}

TEST(PickerLayoutFor, FrameGridAndTimerBoxByLastIndex) {
  struct Case {
    int last, height, width;
    bool text2;
    int top;
  } cases[] = {
      {-1, 286, 812, true, 255}, {10, 286, 812, true, 255}, {11, 286, 812, false, 255},
      {12, 520, 688, true, 540}, {27, 520, 688, true, 540}, {28, 520, 688, false, 255},
      {29, 520, 688, false, 255},
  };
  for (const auto& c : cases) {
    const PickerLayout l = PickerLayoutFor(c.last);
    EXPECT_EQ(220, l.frameWidth) << c.last;
    EXPECT_EQ(c.height, l.frameHeight) << c.last;
    EXPECT_EQ(c.width, l.gridWidth) << c.last;
    EXPECT_EQ(c.text2, l.text2Visible) << c.last;
    if (c.text2) {
      EXPECT_EQ(c.top, l.text2Top) << c.last;
    }
  }
}

TEST(CapacityMessage, NamesTheLimitOfEachMode) {
  EXPECT_EQ("There is a maximum of 30 events options - combine events or use the comments for events above 30",
            CapacityMessage(false));
  EXPECT_EQ("There is a maximum of 26 events options - combine events or use the comments for events above 26",
            CapacityMessage(true));
}

class LoadedWindow : public ::testing::Test {
 protected:
  LoadedWindow() : root(test::MakeTempRoot()), platform(root), w(platform) {
    WireSelection(w);
    for (auto* o : w.option1) o->visible = false;  // as start-up leaves single-choice pickers
    w.eventList->setCell(1, 1, "edited, not yet reloaded");
  }
  ~LoadedWindow() override {
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }
  void write(const std::string& winPath, const std::string& content) {
    const std::filesystem::path p = platform.files().hostPath(winPath);
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << content;
  }

  std::string root;
  // An unexpected question fails the test: no answer is ever queued.
  test::ScriptedPlatform platform;
  MainWindow w;
};

TEST_F(LoadedWindow, ReloadRefillsPickersButNotTheEditorGridAndAsksNothing) {
  write("C:\\RuvekGPS\\BridgeEvents.txt", "Bridge Arrival\r\n\r\nBridge Departure\r\n");
  w.settings.eventListPath = "C:\\RuvekGPS\\BridgeEvents.txt";
  w.option1[1]->setValue(true);  // the selection survives a reload
  ReloadEventList(w);
  EXPECT_EQ(std::vector<std::string>{}, platform.boxes);
  EXPECT_EQ(1, w.lastPickerIndex);
  EXPECT_EQ((std::vector<std::string>{"Bridge Arrival", "Bridge Departure"}), w.combo1->items);
  EXPECT_EQ("Bridge Arrival", w.combo1->text());
  EXPECT_EQ("Bridge Departure", w.option1[1]->caption);
  EXPECT_TRUE(w.option1[1]->visible);
  EXPECT_TRUE(w.option1[1]->value());
  EXPECT_FALSE(w.option1[2]->visible);
  EXPECT_EQ("edited, not yet reloaded", w.eventList->cell(1, 1));
  EXPECT_EQ("Bridge", w.settings.eventListType);
  EXPECT_EQ("Bridge Events", w.frmSelectEvent->caption);
  EXPECT_EQ("Events loaded from C:\\RuvekGPS\\BridgeEvents.txt (Double-click to edit)", w.frmSelectEvent->tooltip);
  EXPECT_EQ("C:\\RuvekGPS\\BridgeEvents.txt  Event List", w.eventEditForm.caption);
  EXPECT_EQ(286, w.frmSelectEvent->geo.height);
}

TEST_F(LoadedWindow, ReloadOfAListOutsideTheProgramDirectoryKeepsItsFolderInTheType) {
  write("D:\\Lists\\ShipEvents.txt", "Anchor Up\r\n");
  w.settings.eventListPath = "D:\\Lists\\ShipEvents.txt";
  ReloadEventList(w);
  EXPECT_EQ("D:\\Lists\\Ship", w.settings.eventListType);
  EXPECT_EQ("D:\\Lists\\Ship Events", w.frmSelectEvent->caption);
}

TEST_F(LoadedWindow, ReloadOfAMissingListReportsItAndKeepsThePickers) {
  write("C:\\RuvekGPS\\CruiseEvents.txt", "Bongo\r\nManta\r\n");
  w.settings.eventListPath = "C:\\RuvekGPS\\CruiseEvents.txt";
  ReloadEventList(w);
  std::filesystem::remove(platform.files().hostPath("C:\\RuvekGPS\\CruiseEvents.txt"));
  ReloadEventList(w);
  EXPECT_EQ((std::vector<std::string>{" | Unable to find C:\\RuvekGPS\\CruiseEvents.txt"}), platform.boxes);
  EXPECT_EQ((std::vector<std::string>{"Bongo", "Manta"}), w.combo1->items);
  EXPECT_TRUE(w.option1[1]->visible);
  EXPECT_EQ(0, platform.waitedMs);
}

TEST_F(LoadedWindow, ResetConditionsClearsTheGroupsWithoutRunningTheirClicks) {
  const auto all = {w.option3[0], w.option3[1], w.option3[2], w.option4[0], w.option4[1],
                   w.option5[0], w.option5[1], w.option5[2]};
  for (auto* o : all) o->tooltip = "Group: " + o->caption;
  w.txtComments->setText("Comments: ");
  w.option3[1]->setValue(true);
  w.option4[0]->setValue(true);
  w.option5[2]->setValue(true);
  ASSERT_EQ("Comments: Group: Modrt;Group: Day;Group: SCCOOS", w.txtComments->text());
  ResetConditions(w);
  for (auto* o : all) EXPECT_FALSE(o->value()) << o->name();
  EXPECT_EQ("Comments: ", w.txtComments->text());
}

}  // namespace
}  // namespace ruvek

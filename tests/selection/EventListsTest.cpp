// Event list rules, and the reload and reset routines called directly on a
// main window (their callers, the list editor and the recording workflow,
// live elsewhere).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/Wiring.h"
#include "events/StationFixture.h"
#include "selection/Conditions.h"
#include "selection/EventLists.h"

namespace ruvek {
namespace {

TEST(EventNamesFrom, SkipsBlankLinesKeepsNamesExactlyAndStopsAtCapacity) {
  struct Case {
    std::vector<std::string> lines;
    int capacity;
    std::vector<std::string> names;
    bool full;
    std::vector<std::string> beyond;  // the event lines after the capacity
  } cases[] = {
      {{"Bongo", "", "   ", "Manta"}, 30, {"Bongo", "Manta"}, false, {}},
      {{" Secchi", "\t", "CTD Deployed "}, 30, {" Secchi", "CTD Deployed "}, false, {}},
      {{}, 30, {}, false, {}},
      {{"a", "b", "c"}, 3, {"a", "b", "c"}, true, {}},  // full with no line after it
      {{"a", "", "b", "c", " ", " d "}, 2, {"a", "b"}, true, {"c", " d "}},
      {{"a"}, 0, {}, false, {}},
  };
  for (const auto& c : cases) {
    const EventNamesRead read = EventNamesFrom(c.lines, c.capacity);
    EXPECT_EQ(c.names, read.names);
    EXPECT_EQ(c.full, read.full);
    EXPECT_EQ(c.beyond, read.beyond);
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
      {-1, 286, 812, true, 255}, {10, 286, 812, true, 255},  {11, 286, 812, false, 255}, {12, 520, 688, true, 540},
      {27, 520, 688, true, 540}, {28, 520, 688, false, 255}, {29, 520, 688, false, 255},
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

// An unexpected question fails the test: no answer is ever queued.
class LoadedWindow : public test::DriveFixture {
 protected:
  LoadedWindow() {
    WireStation(station);
    for (auto* o : w.pickers.options) o->visible = false;  // as start-up leaves single-choice pickers
    station.listEditor.eventList.setCell(1, 1, "edited, not yet reloaded");
  }
};

TEST_F(LoadedWindow, ReloadRefillsPickersButNotTheEditorGridAndAsksNothing) {
  write("C:\\RuvekGPS\\BridgeEvents.txt", "Bridge Arrival\r\n\r\nBridge Departure\r\n");
  station.settings.eventListPath = "C:\\RuvekGPS\\BridgeEvents.txt";
  w.pickers.options[1]->setValue(true);  // the selection survives a reload
  ReloadEventList(EventListContext::of(station));
  EXPECT_EQ(std::vector<std::string>{}, platform.boxes);
  EXPECT_EQ(1, st.lastPickerIndex);
  EXPECT_EQ((std::vector<std::string>{"Bridge Arrival", "Bridge Departure"}), w.eventCombo.items);
  EXPECT_EQ("Bridge Arrival", w.eventCombo.text());
  EXPECT_EQ("Bridge Departure", w.pickers.options[1]->caption);
  EXPECT_TRUE(w.pickers.options[1]->visible);
  EXPECT_TRUE(w.pickers.options[1]->value());
  EXPECT_FALSE(w.pickers.options[2]->visible);
  EXPECT_EQ("edited, not yet reloaded", station.listEditor.eventList.cell(1, 1));
  EXPECT_EQ("Bridge", station.settings.eventListType);
  EXPECT_EQ("Bridge Events", w.pickers.singleFrame.caption);
  EXPECT_EQ("Events loaded from C:\\RuvekGPS\\BridgeEvents.txt (Double-click to edit)", w.pickers.singleFrame.tooltip);
  EXPECT_EQ("C:\\RuvekGPS\\BridgeEvents.txt  Event List", station.listEditor.form.caption);
  EXPECT_EQ(286, w.pickers.singleFrame.geo.height);
}

TEST_F(LoadedWindow, ReloadOfAListOutsideTheProgramDirectoryKeepsItsFolderInTheType) {
  write("D:\\Lists\\ShipEvents.txt", "Anchor Up\r\n");
  station.settings.eventListPath = "D:\\Lists\\ShipEvents.txt";
  ReloadEventList(EventListContext::of(station));
  EXPECT_EQ("D:\\Lists\\Ship", station.settings.eventListType);
  EXPECT_EQ("D:\\Lists\\Ship Events", w.pickers.singleFrame.caption);
}

TEST_F(LoadedWindow, ReloadOfAMissingListReportsItAndKeepsThePickers) {
  write("C:\\RuvekGPS\\CruiseEvents.txt", "Bongo\r\nManta\r\n");
  station.settings.eventListPath = "C:\\RuvekGPS\\CruiseEvents.txt";
  ReloadEventList(EventListContext::of(station));
  std::filesystem::remove(platform.files().hostPath("C:\\RuvekGPS\\CruiseEvents.txt"));
  ReloadEventList(EventListContext::of(station));
  EXPECT_EQ((std::vector<std::string>{" | Unable to find C:\\RuvekGPS\\CruiseEvents.txt"}), platform.boxes);
  EXPECT_EQ((std::vector<std::string>{"Bongo", "Manta"}), w.eventCombo.items);
  EXPECT_TRUE(w.pickers.options[1]->visible);
  EXPECT_EQ(0, platform.waitedMs);
}

TEST_F(LoadedWindow, ResetConditionsClearsTheGroupsWithoutRunningTheirClicks) {
  const auto all = {w.conditions.sea[0],         w.conditions.sea[1],        w.conditions.sea[2],
                    w.conditions.dayNight[0],    w.conditions.dayNight[1],   w.conditions.stationType[0],
                    w.conditions.stationType[1], w.conditions.stationType[2]};
  for (auto* o : all) o->tooltip = "Group: " + o->caption;
  w.commentsBox.setText("Comments: ");
  w.conditions.sea[1]->setValue(true);
  w.conditions.dayNight[0]->setValue(true);
  w.conditions.stationType[2]->setValue(true);
  ASSERT_EQ("Comments: Group: Modrt;Group: Day;Group: SCCOOS", w.commentsBox.text());
  ResetConditions(w.conditions, w.commentsBox);
  for (auto* o : all) EXPECT_FALSE(o->value()) << o->name();
  EXPECT_EQ("Comments: ", w.commentsBox.text());
}

}  // namespace
}  // namespace ruvek

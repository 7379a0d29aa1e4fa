// Event number file values, the station-arrival rule and the number steps of
// Record Event, run on a main window over a temporary drive.
#include "events/EventNumber.h"
#include "events/StationFixture.h"

namespace ruvek {
namespace {

TEST(EventNumberValue, ReadsTheLeadingNumberOfTheLine) {
  struct Case {
    const char* line;
    std::optional<double> value;
  };
  const Case cases[] = {
      {"57", 57}, {" 57 ", 57},   {"57abc", 57}, {"abc", 0}, {"", std::nullopt}, {"   ", std::nullopt},
      {"-3", -3}, {"12.5", 12.5}, {"1e9", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(c.value, EventNumberValue(c.line)) << "line '" << c.line << "'";
}

TEST(EventNumberValue, HugeValuesAreLimitedSoCountingNeverOverflows) {
  EXPECT_EQ(double(kEventNumberLimit), EventNumberValue("99999999999999999999999"));
  EXPECT_EQ(-double(kEventNumberLimit), EventNumberValue("-99999999999999999999999"));
  EXPECT_EQ(kEventNumberLimit + 1, NumberPlus(double(kEventNumberLimit), 1));
}

TEST(NumberPlus, CountsPast32767AndRoundsHalvesToEven) {
  EXPECT_EQ(32768, NumberPlus(32767, 1));
  EXPECT_EQ(56, NumberPlus(57, -1));
  EXPECT_EQ(14, NumberPlus(12.5, 1));  // 13.5 -> 14
  EXPECT_EQ(12, NumberPlus(11.5, 1));  // 12.5 -> 12
}

TEST(ArrivalBump, SkipsNumbersByThePreviousEvent) {
  struct Case {
    const char* event;
    const char* previous;
    int bump;
  };
  const Case cases[] = {
      {"Station Arrival", "", 1},
      {"Station Arrival", "CTD Recovered", 2},
      {"Station Arrival", "Station Arrival", 0},
      {"station arrival", "STATION ARRIVAL", 0},
      {"Station Arrival", "Station Departure", 0},
      {"Arrival at buoy", "Bongo", 2},
      {"CTD Deployed", "", 0},
      {"CTD Deployed", "Bongo", 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.bump, ArrivalBump(c.event, c.previous)) << c.event << " after '" << c.previous << "'";
}

TEST(ReadingNumberStatus, PutsOneBlankBeforeANumberThatIsNotNegative) {
  EXPECT_EQ("Reading Event Number file... 58", ReadingNumberStatus(58));
  EXPECT_EQ("Reading Event Number file... 0", ReadingNumberStatus(0));
  EXPECT_EQ("Reading Event Number file...-1", ReadingNumberStatus(-1));
  EXPECT_EQ("Reading Event Number file... 40000", ReadingNumberStatus(40000));
}

class RecordSteps : public test::StationFixture {
 protected:
  EventNumbering numbering() { return EventNumbering::of(station); }

  // The steps in the order Record Event runs them for a plain network event.
  void RecordNetworkEvent(const std::string& eventName) {
    NumberStepAfterChecks(numbering(), false);
    StationArrivalRule(st, eventName);
    RememberEventName(st, eventName);
    LocalNumberStep(numbering());
    PublishStep(numbering());
    KeepNumberNew(numbering());
    NoteNumberLogged(numbering());
    AdvanceAfterRecord(numbering());
    ReleaseManualOverride(st.numbers);
  }
};

TEST_F(RecordSteps, NetworkEventUsesTheBoxNumberAndPublishesIt) {
  write("C:\\DATA\\EventNumber.txt", "10\r\n");
  w.boxes.eventNumber.setText("11");
  RecordNetworkEvent("CTD Deployed");
  EXPECT_EQ("11\r\n", read("C:\\DATA\\EventNumber.txt"));
  EXPECT_EQ("11\r\n", read("C:\\RuvekGPS\\EventNumber.txt"));  // the local copy
  EXPECT_EQ("12", box());
  EXPECT_EQ(12, st.numbers.nextEventNumber);
  EXPECT_EQ("Reading Event Number file... 11", w.statusBar.panel(1).text);
}

TEST_F(RecordSteps, NetworkEventTakesTheFileNumberWhenAnotherStationWentAhead) {
  write("C:\\DATA\\EventNumber.txt", "20\r\n");
  w.boxes.eventNumber.setText("11");
  RecordNetworkEvent("Station Arrival");
  EXPECT_EQ("21\r\n", read("C:\\DATA\\EventNumber.txt"));
  EXPECT_EQ("22", box());
}

TEST_F(RecordSteps, ManualOverrideIsLoggedAndTheCounterGoesOn) {
  write("C:\\DATA\\EventNumber.txt", "10\r\n");
  w.boxes.eventNumber.setText("11");
  platform.answers = {ui::Answer::Yes};
  RequestManualOverride(numbering());
  EXPECT_FALSE(w.boxes.eventNumber.locked);
  w.boxes.eventNumber.setText("50");
  RecordNetworkEvent("CTD Deployed");
  EXPECT_EQ("50\r\n", read("C:\\DATA\\EventNumber.txt"));
  EXPECT_EQ("51", box());  // the counter goes on above the number logged
  EXPECT_FALSE(st.numbers.manualEventNumber);
  EXPECT_FALSE(w.boxes.eventNumber.locked);  // stays unlocked
}

TEST_F(RecordSteps, LocalOperationCountsOnFromTheFileWithTheArrivalBump) {
  struct Case {
    const char* previous;
    const char* event;
    const char* logged;
  };
  // F = 10: F + 1 when the bump is 0 or 1, F + 2 when it is 2.
  const Case cases[] = {{"", "Station Arrival", "11"},
                        {"CTD Recovered", "Station Arrival", "12"},
                        {"Station Arrival", "Station Arrival", "11"},
                        {"Bongo", "CTD Deployed", "11"}};
  for (const auto& c : cases) {
    st.networkMode = false;
    station.settings.eventNumberPath = station.settings.localEventNumberPath;
    write(station.settings.eventNumberPath, "10\r\n");
    w.boxes.eventNumber.setText("11");
    st.previousEventName = c.previous;
    NumberStepAfterChecks(numbering(), false);
    StationArrivalRule(st, c.event);
    LocalNumberStep(numbering());
    PublishStep(numbering());
    EXPECT_EQ(c.logged, box()) << c.event << " after '" << c.previous << "'";
    EXPECT_EQ(std::string(c.logged) + "\r\n", read(station.settings.eventNumberPath));
  }
}

TEST_F(RecordSteps, ConfirmedZeroPositionInLocalOperationLogsFilePlusTwoPlusBump) {
  st.networkMode = false;
  station.settings.eventNumberPath = station.settings.localEventNumberPath;
  write(station.settings.eventNumberPath, "10\r\n");
  w.boxes.eventNumber.setText("11");
  NumberStepAfterChecks(numbering(), true);
  StationArrivalRule(st, "Station Arrival");  // bump 1 after no previous event
  LocalNumberStep(numbering());
  PublishStep(numbering());
  EXPECT_EQ("13", box());
}

TEST_F(RecordSteps, NumbersPast32767KeepCounting) {
  write("C:\\DATA\\EventNumber.txt", "32767\r\n");
  w.boxes.eventNumber.setText("32768");
  RecordNetworkEvent("CTD Deployed");
  EXPECT_EQ("32768\r\n", read("C:\\DATA\\EventNumber.txt"));
  EXPECT_EQ("32769", box());
}

TEST_F(RecordSteps, AMissingOrBlankFileThrowsForTheWorkflowRetryAndAFailedWriteSaysSo) {
  for (const char* content : {"", "\r\n", " \r\n57\r\n"}) {
    if (*content) write("C:\\DATA\\EventNumber.txt", content);
    w.boxes.eventNumber.setText("11");
    EXPECT_THROW(NumberStepAfterChecks(numbering(), false), os::FileError) << "'" << content << "'";
    EXPECT_THROW(PublishStep(numbering()), os::FileError);
    EXPECT_EQ("11", box());
  }
  write("C:\\DATA\\EventNumber.txt", "10\r\n");
  write("C:\\RuvekGPS\\EventNumber.txt\\blocker", "x");  // the local copy cannot be replaced
  EXPECT_THROW(PublishStep(numbering()), NumberFileWriteError);
}

TEST_F(RecordSteps, JulianSchemeNeverTouchesTheFile) {
  station.settings.numberScheme = NumberScheme::Julian;
  station.settings.longJulian = true;
  platform.clock = {2026, 2, 2, 14, 5, 9};
  RecordNetworkEvent("Station Arrival");
  EXPECT_EQ("033.140509", box());
  EXPECT_FALSE(platform.files().exists("C:\\DATA\\EventNumber.txt"));
}

TEST_F(RecordSteps, ClearLastRollsBackAndHoldsTheClearedNumber) {
  write("C:\\DATA\\EventNumber.txt", "11\r\n");
  w.boxes.eventNumber.setText("12");
  EXPECT_TRUE(RollBackEventNumber(numbering(), "11"));
  EXPECT_EQ("10\r\n", read("C:\\DATA\\EventNumber.txt"));
  EXPECT_EQ("11", box());
  EXPECT_EQ(11, st.numbers.nextEventNumber);
  EXPECT_TRUE(st.numbers.numberRolledBack);
  // The poll reads 10 meanwhile but leaves the held number alone.
  EXPECT_FALSE(RaiseFromFile(numbering(), true));
  EXPECT_EQ("11", box());
}

TEST_F(RecordSteps, ClearLastNeverGoesBackBelowAnotherStationsNumberNorTouchesTheFileInTheJulianScheme) {
  // Another computer logged 12 after this station's 11.
  write("C:\\DATA\\EventNumber.txt", "12\r\n");
  w.boxes.eventNumber.setText("12");
  EXPECT_FALSE(RollBackEventNumber(numbering(), "11"));
  EXPECT_EQ("12\r\n", read("C:\\DATA\\EventNumber.txt"));
  EXPECT_EQ("12", box());
  EXPECT_FALSE(st.numbers.numberRolledBack);

  station.settings.numberScheme = NumberScheme::Julian;
  w.boxes.eventNumber.setText("157.1010");
  EXPECT_TRUE(RollBackEventNumber(numbering(), "157.1005"));
  EXPECT_EQ("157.1005", box());
  EXPECT_EQ("12\r\n", read("C:\\DATA\\EventNumber.txt"));
}

// Whatever the event number file says, a new event never gets a number this
// station logged in this run; Clear Last and the operator reuse one on purpose.
TEST_F(RecordSteps, ANewEventNeverGetsANumberThisStationLogged) {
  struct Case {
    const char* box;
    bool manual, rolledBack;
    const char* kept;
  };
  const Case cases[] = {{"5", false, false, "13"}, {"12", false, false, "13"}, {"13", false, false, "13"},
                        {"", false, false, "13"},  {"5", true, false, "5"},    {"12", false, true, "12"},
                        {"", true, false, "13"}};
  for (const auto& c : cases) {
    st.numbers.highestNumberLogged = 12;
    st.numbers.nextEventNumber = 6;
    w.boxes.eventNumber.setText(c.box);
    st.numbers.manualEventNumber = c.manual;
    st.numbers.numberRolledBack = c.rolledBack;
    KeepNumberNew(numbering());
    EXPECT_EQ(c.kept, box()) << "box '" << c.box << "'";
  }
  // The file is stale (its write failed): the box goes on from the number logged.
  st.numbers.manualEventNumber = st.numbers.numberRolledBack = false;
  w.boxes.eventNumber.setText("13");
  st.numbers.nextEventNumber = 11;
  NoteNumberLogged(numbering());
  AdvanceAfterRecord(numbering());
  EXPECT_EQ("14", box());
}

// Record Event's work between the number steps, noted in the order it is called.
struct NotedWork : EventWork {
  std::string calls;
  std::function<void()> onAfterChecks;
  std::string name = "CTD Deployed";
  void numberFileStep(const std::function<void()>& step) override { step(); }
  void lockShare() override { calls += "lock "; }
  void catchUp() override { calls += "catchUp "; }
  void afterChecks() override {
    calls += "afterChecks ";
    if (onAfterChecks) onAfterChecks();
  }
  const std::string& eventName() const override { return name; }
  void orderOccupied() override { calls += "orderOccupied "; }
  void fillRow() override { calls += "fillRow "; }
  void writeLogs() override { calls += "writeLogs"; }
};

// The file is read once, under the lock, before the grid row: a value written
// afterwards (as by a station that ignores the lock) is not read again. A
// corrected event keeps its number and touches no number file.
TEST_F(RecordSteps, RecordEventNumbersRunsTheStepsInOrderAndReadsTheFileOnce) {
  struct Case {
    bool editing;
    const char* calls;
    const char* file;
    const char* box;
  };
  const Case cases[] = {{false, "lock catchUp afterChecks orderOccupied fillRow lock writeLogs", "11\r\n", "12"},
                        {true, "afterChecks fillRow writeLogs", "20\r\n", "11"}};
  for (const auto& c : cases) {
    write("C:\\DATA\\EventNumber.txt", "10\r\n");
    w.boxes.eventNumber.setText("11");
    st.editingRow = c.editing;
    st.numbers.manualEventNumber = true;
    NotedWork work;
    work.onAfterChecks = [&] { write("C:\\DATA\\EventNumber.txt", "20\r\n"); };
    RecordEventNumbers(numbering(), false, work);
    EXPECT_EQ(work.calls, c.calls);
    EXPECT_EQ(read("C:\\DATA\\EventNumber.txt"), c.file);
    EXPECT_EQ(box(), c.box);
    EXPECT_FALSE(st.numbers.manualEventNumber);
  }
}

TEST_F(RecordSteps, RaiseFromFileOnlyRaises) {
  struct Case {
    const char* file;
    const char* boxBefore;
    bool manual;
    const char* boxAfter;
  };
  const Case cases[] = {{"57\r\n", "12", false, "58"},
                        {"57\r\n", "58", false, "58"},
                        {"57\r\n", "60", false, "60"},
                        {"57\r\n", "12", true, "12"},
                        {"\r\n99\r\n", "12", false, "12"}};
  for (const auto& c : cases) {
    write("C:\\DATA\\EventNumber.txt", c.file);
    w.boxes.eventNumber.setText(c.boxBefore);
    st.numbers.manualEventNumber = c.manual;
    RaiseFromFile(numbering());
    EXPECT_EQ(c.boxAfter, box()) << "file " << c.file << " box " << c.boxBefore;
  }
}

}  // namespace
}  // namespace ruvek

#include "events/Recording.h"

#include <algorithm>
#include <initializer_list>
#include <optional>

#include "core/Format.h"
#include "core/TextRoutines.h"
#include "events/Activity.h"
#include "events/EventLogs.h"
#include "events/EventNumber.h"
#include "events/OrderOccupied.h"
#include "logview/EventGrid.h"
#include "logview/GridSnapshot.h"
#include "selection/Conditions.h"

namespace ruvek {
namespace {

constexpr int kSettleMs = 3000;
constexpr int kRetryWaitMs = 2000;
constexpr int kFailuresBeforeQuestion = 6;

// One press of a button: the failure count of the retry, and whether the
// operator chose to record this event without the event number file.
struct Press {
  int failures = 0;
  bool numberFileDeclined = false;
};

void StartPollTimer(ui::Timer& pollTimer, int intervalMs) {
  pollTimer.setInterval(intervalMs);
  pollTimer.setEnabled(true);
}

ui::Answer AskRetry(const EventNumbering& n) {
  return n.platform.ask(
      "Having trouble reading " + n.settings.eventNumberPath + " Y to retry after checking Q is available.",
      "Unable to READ from the server!", ui::Buttons::YesNo, ui::Icon::Error);
}

// Runs `step` until it succeeds. Each file failure waits 2 seconds and counts;
// past six failures the operator is asked, and Yes starts the count again. No
// keeps the count (the question returns at the next failure) and, where the
// event can go on without the step (mayDecline), gives the step up: the path
// of the file that failed is returned.
template <typename Step>
std::optional<std::string> Retry(const EventNumbering& n, Press& press, bool mayDecline, Step step) {
  while (true) {
    try {
      step();
      return std::nullopt;
    } catch (const ui::FileError& e) {
      n.platform.wait(kRetryWaitMs);
      if (++press.failures <= kFailuresBeforeQuestion) continue;
      if (AskRetry(n) == ui::Answer::Yes) {
        press.failures = 0;
      } else if (mayDecline) {
        return e.path;
      }
    }
  }
}

// A step that reads or writes the event number file. Once the operator has
// declined to retry it, the event is recorded with the number the box shows
// and the file is left alone for the rest of this event.
template <typename Step>
void NumberFileStep(const EventNumbering& n, Press& press, Step step) {
  if (press.numberFileDeclined) return;
  if (Retry(n, press, true, step)) press.numberFileDeclined = true;
}

// The number is published. When the shared file took the number but its local
// copy failed, a retry writes the number again without reading the shared
// file: it now holds this event's own number, which must not raise the box
// past it.
void PublishNumber(const EventNumbering& n, Press& press) {
  bool sharedFileWritten = false;
  NumberFileStep(n, press, [&] {
    if (sharedFileWritten) return PublishEventNumber(n);
    try {
      PublishStep(n);
    } catch (const ui::FileError& e) {
      sharedFileWritten = e.path != n.settings.eventNumberPath && e.path == n.settings.localEventNumberPath;
      throw;
    }
  });
}

// The questions for a position of 0, 0 and for a clock that has not moved,
// then the first event number step. False when the operator said No.
bool PassChecks(const EventNumbering& n, const Boxes& boxes, Press& press) {
  const bool zeroPosition = LeadingNumber(boxes.lat.text()) == 0 && LeadingNumber(boxes.lon.text()) == 0;
  if (zeroPosition) {
    if (n.platform.ask("Navigation fields have not updated, record event anyways? Y/N",
                       "Navigation fields not updated!", ui::Buttons::YesNo, ui::Icon::Warning) == ui::Answer::No)
      return false;
  } else if (n.state.nav.localTime == n.state.previousEventTime) {
    if (n.platform.ask("GPS Time hasn't changed since the last event, record anyways? Y/N", "Time hasn't updated!",
                       ui::Buttons::YesNo, ui::Icon::Warning) == ui::Answer::No)
      return false;
  }
  // A corrected event keeps the number it was loaded with.
  if (!n.state.editingRow) NumberFileStep(n, press, [&] { NumberStepAfterChecks(n, zeroPosition); });
  return true;
}

void WriteCells(ui::Grid& grid, int row, int firstCol, std::initializer_list<std::string> cells) {
  int c = firstCol;
  for (const std::string& cell : cells) grid.setCell(row, c++, cell);
}

// An arrival is counted once: not when the last event seen from another
// computer is already an arrival.
void OrderOccupiedStep(const ui::FileSystem& fs, const Settings& settings, StationState& state, ui::StatusBar& status,
                       ui::Menu& fileEntry, const std::string& eventName) {
  if (Contains(ToUpper(eventName), "ARRIVAL") && !Contains(state.lastSeenLastEvent, "ARRIVAL"))
    IncrementOrderOccupied(fs, settings.dataDir, state.orderOccupied, status);
  else
    LoadOrderOccupied(fs, settings.dataDir, state.orderOccupied, status, fileEntry);
}

// The event as the logs record it, read from the screen and the navigation
// snapshot at the moment the logs are written.
LoggedEvent EventOnScreen(const MainWindow& w, const StationState& state, const std::string& eventName,
                          const std::string& activity) {
  const NavSnapshot& nav = state.nav;
  LoggedEvent event;
  EventFields& f = event.fields;
  f.cruise = w.boxes.cruise.text();
  f.eventNo = w.boxes.eventNumber.text();
  f.stndLine = w.lineCombo.text();
  f.stndSta = w.stationCombo.text();
  f.calcLine = nav.calcLine;
  f.calcSta = nav.calcSta;
  f.localDate = nav.localDate;
  f.localTime = nav.localTime;
  f.decLat = w.boxes.lat.text();
  f.decLon = w.boxes.lon.text();
  f.activity = activity;
  f.event = eventName;
  f.oper = w.initialsCombo.text();
  f.utcDate = nav.utcDate;
  f.utcTime = nav.utcTime;
  f.comments = CommentsField(w.commentsBox.text());
  f.ordOcc = state.orderOccupied;
  event.snapshotLat = nav.decLat;
  event.snapshotLon = nav.decLon;
  event.tail = NavigationTail(nav.rawLine, nav.metItems);
  return event;
}

// The local logs, then in network mode the network logs. A network write the
// operator gives up on ends the network part with the message naming the
// local copy; the local logs already hold the event.
void WriteLogs(const EventNumbering& n, Press& press, const LogTarget& target, const LoggedEvent& event,
               bool autoFill) {
  EventLogJob job;
  Retry(n, press, false, [&] { WriteLocalLogs(target, event, job); });
  n.state.numberRolledBack = false;
  if (!n.state.networkMode || !autoFill) return;
  if (auto failed = Retry(n, press, true, [&] { WriteNetworkLogs(target, event, n.state, job); }))
    EndNetworkPart(target, job, *failed);
}

void RecordEvent(Station& s, Press& press) {
  MainWindow& w = s.main;
  StationState& st = s.state;
  const EventNumbering n = EventNumbering::of(s);
  StartPollTimer(w.pollTimer, s.settings.sampleIntervalMs);
  SetRecording(st, w.buttons, Recording::Saving);
  if (!PassChecks(n, w.boxes, press)) return SetRecording(st, w.buttons, Recording::Ready);

  // The event's name is read once; everything after the checks uses this value.
  const std::string eventName = w.eventCombo.text();
  const bool editing = st.editingRow;
  // A corrected event goes over the row loaded for editing, even when another
  // row has been selected since.
  const int row = editing ? std::clamp(st.editedGridRow, 1, kEventRows) : RowForNewEvent(w.eventGrid, st.gridRowCount);
  WriteCells(w.eventGrid, row, GridColumn::EventNo,
             {w.boxes.eventNumber.text(), w.lineCombo.text(), w.stationCombo.text(), st.nav.localDate, st.nav.localTime,
              eventName});
  st.previousEventTime = w.eventGrid.cell(row, GridColumn::Time);
  if (!editing) {
    StationArrivalRule(st, eventName);
    OrderOccupiedStep(s.platform.files(), s.settings, st, w.statusBar, w.menus.orderOccupiedFile, eventName);
    RememberEventName(st, eventName);
  }
  WriteCells(w.eventGrid, row, GridColumn::Lat,
             {w.boxes.lat.text(), w.boxes.lon.text(), w.initialsCombo.text(), CommentsField(w.commentsBox.text())});

  const std::string activity = ClassifyActivity(eventName, s.settings.eventListType);
  if (!editing) {
    EventRowFilled(st.gridRowCount, row);
    LocalNumberStep(n);
    PublishNumber(n, press);
  }
  // The logs carry the local date and time of the moment they are written.
  SetLocalClock(st.nav, w.clockOptions.selected(), s.platform.now());
  // The order-occupied value is never written with a closing table tag.
  st.orderOccupied = StripTableTag(st.orderOccupied);
  const LoggedEvent event = EventOnScreen(w, st, eventName, activity);
  const LogTarget target{
      s.platform,
      LogFileNamesFor(s.settings.programDir, s.settings.dataDir, event.fields.cruise, s.settings.eventListType),
      s.settings.config.row(1), w.menus.generateHtml.checked};
  WriteLogs(n, press, target, event, w.menus.autoFill.checked);

  if (!editing) AdvanceAfterRecord(n);
  ResetConditions(w.conditions, w.commentsBox);
  if (!editing && !w.stopAdvanceCheck.value()) AdvanceEventPicker(w.pickers, eventName, st);
  st.editingRow = false;
  ReleaseManualOverride(st);
  s.platform.wait(kSettleMs);
  SetRecording(st, w.buttons, Recording::Ready);
}

void StartButton(Station& s) {
  MainWindow& w = s.main;
  // Asked whenever the serial input is not running: never started, or stopped
  // again (the GO button then shows "Go").
  if (s.state.gpsSource == "GPS" && !s.state.gpsInput.portRunning &&
      s.platform.ask("GPS is not started, return to GPS startup form? Y/N", "GPS not logging, return to activate?",
                     ui::Buttons::YesNo, ui::Icon::Error) == ui::Answer::Yes) {
    s.platform.show(s.gps.form);
    return;
  }
  SetRecording(s.state, w.buttons, Recording::Ready);
  w.buttons.record.tooltip = "Saves the event number and all data displayed into the Cruise events log.";
  ReleaseManualOverride(s.state);
  s.platform.wait(kSettleMs);
  SetRecording(s.state, w.buttons, Recording::Ready);
}

// Standby pauses the poll's navigation reading; Resume (or the record button
// while standing by) takes it up again.
void StandbyButton(Station& s) {
  if (s.state.recording == Recording::Ready)
    SetRecording(s.state, s.main.buttons, Recording::StandingBy);
  else if (s.state.recording == Recording::StandingBy)
    SetRecording(s.state, s.main.buttons, Recording::Ready);
}

void QuitButton(Station& s) {
  MainWindow& w = s.main;
  if (s.platform.ask("Do you really want to quit? Y/N", "Close Program? Y/N", ui::Buttons::YesNo) != ui::Answer::Yes)
    return SetRecording(s.state, w.buttons, Recording::Ready);
  SaveEventGrid(s.platform.files(), s.settings.programDir, w.boxes.cruise.text(), w.eventGrid, s.state.gridRowCount);
  s.gps.form.visible = false;
  EndProgram(s.platform, w.pollTimer, s.gps.timer);
}

// The cleared event stays in every log; the next event takes its number again
// and says so in its comments. When the event number file cannot be written
// the number is not rolled back: the box keeps its number and nothing marks the
// cleared event as void, so no number is ever used twice.
void ClearLastButton(Station& s) {
  MainWindow& w = s.main;
  w.pollTimer.setEnabled(false);
  if (s.platform.ask("Do You want to erase an event entry? Y/N", "Erase Last Event?", ui::Buttons::YesNo,
                     ui::Icon::Warning) == ui::Answer::Yes &&
      ClearLastEventRow(w.eventGrid, s.state.gridRowCount)) {
    const std::string boxBefore = w.boxes.eventNumber.text();
    try {
      RollBackEventNumber(EventNumbering::of(s));
      if (!JulianScheme(s.settings)) w.commentsBox.setText(w.commentsBox.text() + "erase previous event ;");
    } catch (const ui::FileError& e) {
      w.boxes.eventNumber.setText(boxBefore);
      s.platform.ask("Unable to write " + e.path + " - the event number was not rolled back.", "Erase Last Event?",
                     ui::Buttons::OK, ui::Icon::Warning);
    }
  }
  w.pollTimer.setEnabled(true);
  SetRecording(s.state, w.buttons, Recording::Ready);
}

}  // namespace

void AdvanceEventPicker(Pickers& pickers, const std::string& eventName, const StationState& state) {
  const std::string name = ToUpper(eventName);
  if (Contains(name, "SAMPLE") || Contains(name, "DEPARTURE") || state.multiMode) return;
  const int last = std::min(state.lastPickerIndex, kOptionPickers - 1);
  if (last < 0) return;
  auto& options = pickers.options;
  if (options[std::size_t(last)]->value()) return options[0]->setValue(true);
  for (int i = 0; i < last; ++i) {
    if (!options[std::size_t(i)]->value()) continue;
    options[std::size_t(i)]->setValue(false);
    options[std::size_t(i + 1)]->setValue(true);
    return;
  }
}

void Command1_Click(Station& s, int index) {
  Press press;
  switch (index) {
    case 0:
      s.state.eventFileRetries = 0;
      switch (s.state.recording) {
        case Recording::NotStarted: return StartButton(s);
        case Recording::Ready: return RecordEvent(s, press);
        case Recording::StandingBy:
          StandbyButton(s);
          s.platform.wait(kSettleMs);
          return SetRecording(s.state, s.main.buttons, Recording::Ready);
        case Recording::Saving: return;
      }
      return;
    case 1: return StandbyButton(s);
    case 2: return QuitButton(s);
    case 3: return ClearLastButton(s);
  }
}

}  // namespace ruvek

#include "events/Recording.h"

#include <algorithm>
#include <optional>

#include "core/Format.h"
#include "core/TextRoutines.h"
#include "events/Activity.h"
#include "events/EventLogs.h"
#include "events/EventNumber.h"
#include "logview/EventGrid.h"
#include "logview/GridSnapshot.h"
#include "selection/Pickers.h"

namespace ruvek {
namespace {

constexpr const char* kRecordEvent = "Record Event";
constexpr const char* kSavingEvent = "Saving Event";
constexpr const char* kStandingBy = "Standingby";
constexpr int kSettleMs = 3000;
constexpr int kRetryWaitMs = 2000;
constexpr int kFailuresBeforeQuestion = 6;

// One press of a button: the failure count of the retry, and whether the
// operator chose to record this event without the event number file.
struct Press {
  int failures = 0;
  bool numberFileDeclined = false;
};

std::string OrderOccupiedPath(const MainWindow& w) { return w.settings.dataDir + "OrderOcc.txt"; }

void ShowRecordEvent(MainWindow& w) {
  w.command1[0]->caption = kRecordEvent;
  w.command1[0]->enabled = true;
}

void StartPollTimer(MainWindow& w) {
  w.timer1->setInterval(w.settings.sampleIntervalMs);
  w.timer1->setEnabled(true);
}

ui::Answer AskRetry(MainWindow& w) {
  return w.ask("Having trouble reading " + w.settings.eventNumberPath + " Y to retry after checking Q is available.",
               "Unable to READ from the server!", ui::Buttons::YesNo, ui::Icon::Error);
}

// Runs `step` until it succeeds. Each file failure waits 2 seconds and counts;
// past six failures the operator is asked, and Yes starts the count again. No
// keeps the count (the question returns at the next failure) and, where the
// event can go on without the step (mayDecline), gives the step up: the path
// of the file that failed is returned.
template <typename Step>
std::optional<std::string> Retry(MainWindow& w, Press& press, bool mayDecline, Step step) {
  while (true) {
    try {
      step();
      return std::nullopt;
    } catch (const ui::FileError& e) {
      w.wait(kRetryWaitMs);
      if (++press.failures <= kFailuresBeforeQuestion) continue;
      if (AskRetry(w) == ui::Answer::Yes) {
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
void NumberFileStep(MainWindow& w, Press& press, Step step) {
  if (press.numberFileDeclined) return;
  if (Retry(w, press, true, step)) press.numberFileDeclined = true;
}

// Event number step 4. When the shared file took the number but its local copy
// failed, a retry writes the number again without reading the shared file: it
// now holds this event's own number, which must not raise the box past it.
void PublishNumber(MainWindow& w, Press& press) {
  bool sharedFileWritten = false;
  NumberFileStep(w, press, [&] {
    if (sharedFileWritten) return PublishEventNumber(w);
    try {
      PublishStep(w);
    } catch (const ui::FileError& e) {
      sharedFileWritten = e.path != w.settings.eventNumberPath && e.path == w.settings.localEventNumberPath;
      throw;
    }
  });
}

// Steps 3 and 4: the questions for a position of 0, 0 and for a clock that has
// not moved, then the first event number step. False when the operator said No.
bool PassChecks(MainWindow& w, Press& press) {
  const bool zeroPosition = LeadingNumber(w.text1[3]->text()) == 0 && LeadingNumber(w.text1[4]->text()) == 0;
  if (zeroPosition) {
    if (w.ask("Navigation fields have not updated, record event anyways? Y/N", "Navigation fields not updated!",
              ui::Buttons::YesNo, ui::Icon::Warning) == ui::Answer::No)
      return false;
  } else if (w.nav.localTime == w.previousEventTime) {
    if (w.ask("GPS Time hasn't changed since the last event, record anyways? Y/N", "Time hasn't updated!",
              ui::Buttons::YesNo, ui::Icon::Warning) == ui::Answer::No)
      return false;
  }
  NumberFileStep(w, press, [&] { NumberStepAfterChecks(w, zeroPosition); });
  return true;
}

void WriteScreenToRow(MainWindow& w, int row, int firstCol, std::initializer_list<std::string> cells) {
  int c = firstCol;
  for (const std::string& cell : cells) w.eventLog->setCell(row, c++, cell);
}

// An arrival is counted once: not when the last event seen from another
// computer is already an arrival.
void OrderOccupiedStep(MainWindow& w, const std::string& eventName) {
  if (Contains(ToUpper(eventName), "ARRIVAL") && !Contains(w.lastSeenLastEvent, "ARRIVAL"))
    IncrementOrderOccupied(w);
  else
    LoadOrderOccupied(w);
}

// Step 12: the local logs, then in network mode the network logs. A network
// write the operator gives up on ends the network part with the message naming
// the local copy; the local logs already hold the event.
void WriteLogs(MainWindow& w, Press& press, EventLogJob& job) {
  Retry(w, press, false, [&] { WriteLocalLogs(w, job); });
  w.numberRolledBack = false;
  if (!w.networkMode) return;
  if (auto failed = Retry(w, press, true, [&] { WriteNetworkLogs(w, job); })) EndNetworkPart(w, job, *failed);
}

void RecordEvent(MainWindow& w, Press& press) {
  StartPollTimer(w);
  w.command1[0]->caption = kSavingEvent;
  w.command1[0]->enabled = false;
  if (!PassChecks(w, press)) return ShowRecordEvent(w);

  const bool editing = w.editingRow;
  const int row = editing ? std::clamp(w.eventLog->row, 1, kEventRows) : RowForNewEvent(w);
  const std::string eventName = w.combo1->text();
  WriteScreenToRow(
      w, row, 0, {w.text1[5]->text(), w.combo3->text(), w.combo4->text(), w.nav.localDate, w.nav.localTime, eventName});
  w.previousEventTime = w.eventLog->cell(row, 4);
  if (!editing) {
    StationArrivalRule(w, eventName);
    OrderOccupiedStep(w, eventName);
    RememberEventName(w, eventName);
  }
  WriteScreenToRow(w, row, 6,
                   {w.text1[3]->text(), w.text1[4]->text(), w.combo2->text(), CommentsField(w.txtComments->text())});

  EventLogJob job;
  job.activity = ClassifyActivity(eventName, w.settings.eventListType);
  if (!editing) {
    ++w.gridRowCount;
    LocalNumberStep(w);
    PublishNumber(w, press);
  }
  // The logs carry the local date and time of the moment they are written.
  SetLocalClock(w.nav, SelectedClock(w.optPST), w.platform.now());
  WriteLogs(w, press, job);
  if (!editing) AdvanceAfterRecord(w);
  ResetConditions(w);
  if (!editing && !w.check2->value()) AdvanceEventPicker(w);
  w.editingRow = false;
  ReleaseManualOverride(w);
  w.wait(kSettleMs);
  ShowRecordEvent(w);
}

void StartButton(MainWindow& w) {
  if (w.gpsSource == "GPS" && w.btnGo->caption == "GO" &&
      w.ask("GPS is not started, return to GPS startup form? Y/N", "GPS not logging, return to activate?",
            ui::Buttons::YesNo, ui::Icon::Error) == ui::Answer::Yes) {
    w.commCheckForm.visible = true;
    w.platform.formShown(w.commCheckForm);
    return;
  }
  w.command1[0]->caption = kRecordEvent;
  w.command1[0]->tooltip = "Saves the event number and all data displayed into the Cruise events log.";
  ReleaseManualOverride(w);
  w.wait(kSettleMs);
  ShowRecordEvent(w);
}

void StandbyButton(MainWindow& w) {
  Button& record = *w.command1[0];
  Button& standby = *w.command1[1];
  if (record.caption == kRecordEvent) {
    record.caption = kStandingBy;
    standby.caption = "Resume";
  } else if (record.caption == kStandingBy) {
    record.caption = kRecordEvent;
    standby.caption = "Standby";
  }
  record.enabled = true;
}

void QuitButton(MainWindow& w) {
  if (w.ask("Do you really want to quit? Y/N", "Close Program? Y/N", ui::Buttons::YesNo) != ui::Answer::Yes)
    return ShowRecordEvent(w);
  SaveEventGrid(w);
  w.commCheckForm.visible = false;
  EndProgram(w);
}

// The cleared event stays in every log; the next event takes its number again
// and says so in its comments. When the event number file cannot be written
// the number is not rolled back: the box keeps its number and nothing marks the
// cleared event as void, so no number is ever used twice.
void ClearLastButton(MainWindow& w) {
  w.timer1->setEnabled(false);
  if (w.ask("Do You want to erase an event entry? Y/N", "Erase Last Event?", ui::Buttons::YesNo, ui::Icon::Warning) ==
          ui::Answer::Yes &&
      w.gridRowCount > 1) {
    const int row = std::min(w.gridRowCount - 1, kEventRows);
    for (int c = 0; c < kGridCols; ++c) w.eventLog->setCell(row, c, "");
    const std::string boxBefore = w.text1[5]->text();
    try {
      RollBackEventNumber(w);
      --w.gridRowCount;
      if (!JulianScheme(w)) w.txtComments->setText(w.txtComments->text() + "erase previous event ;");
    } catch (const ui::FileError& e) {
      --w.gridRowCount;
      w.text1[5]->setText(boxBefore);
      w.ask("Unable to write " + e.path + " - the event number was not rolled back.", "Erase Last Event?",
            ui::Buttons::OK, ui::Icon::Warning);
    }
  }
  w.timer1->setEnabled(true);
  ShowRecordEvent(w);
}

}  // namespace

void LoadOrderOccupied(MainWindow& w) {
  const std::string path = OrderOccupiedPath(w);
  w.mnuOrderOccFile->caption = path;
  try {
    if (w.fs().exists(path)) {
      w.orderOccupied = w.fs().firstLine(path);
      w.statusBar->panel(6).text = "OrderOcc: " + w.orderOccupied;
      return;
    }
    // Without a data directory (no configuration) there is no shared file to start.
    if (w.settings.dataDir.empty()) return;
    static const std::string kFirst = "1";
    w.fs().replace(path, kFirst + "\r\n");
    w.orderOccupied = kFirst;
  } catch (const ui::FileError&) {
    // An unreadable or uncreatable file leaves the value as it was; the next
    // load tries again.
  }
}

void IncrementOrderOccupied(MainWindow& w) {
  const std::string path = OrderOccupiedPath(w);
  try {
    if (w.fs().exists(path)) {
      // "12" -> "13"; text that is not a number counts as 0.
      const std::string value = FormatNumber(LeadingNumber(w.fs().firstLine(path)) + 1, "0.##########");
      w.fs().replace(path, value + "\r\n");
      w.orderOccupied = value;
      w.statusBar->panel(6).text = "Order_Occ: " + value;
      return;
    }
  } catch (const ui::FileError&) {
    // A file that cannot be read or written is as good as missing: the event
    // is marked with the missing value rather than with a number another
    // computer may also hand out.
  }
  w.orderOccupied = kMissingOrderOccupied;
}

void AdvanceEventPicker(MainWindow& w) {
  const std::string name = ToUpper(w.combo1->text());
  if (Contains(name, "SAMPLE") || Contains(name, "DEPARTURE") || w.multiMode) return;
  const int last = std::min(w.lastPickerIndex, kOptionPickers - 1);
  if (last < 0) return;
  if (w.option1[std::size_t(last)]->value()) return w.option1[0]->setValue(true);
  if (w.check2->value()) return;
  for (int i = 0; i < last; ++i) {
    if (!w.option1[std::size_t(i)]->value()) continue;
    w.option1[std::size_t(i)]->setValue(false);
    w.option1[std::size_t(i + 1)]->setValue(true);
    return;
  }
}

void Command1_Click(MainWindow& w, int index) {
  Press press;
  switch (index) {
    case 0: {
      w.eventFileRetries = 0;
      const std::string& caption = w.command1[0]->caption;
      if (caption == "Start") return StartButton(w);
      if (caption == kRecordEvent) return RecordEvent(w, press);
      if (caption == kStandingBy) {
        StandbyButton(w);
        w.wait(kSettleMs);
        return ShowRecordEvent(w);
      }
      return;
    }
    case 1: return StandbyButton(w);
    case 2: return QuitButton(w);
    case 3: return ClearLastButton(w);
  }
}

void WireEvents(MainWindow& w) {
  for (int i = 0; i < 4; ++i) w.command1[std::size_t(i)]->onClick = [&w, i] { Command1_Click(w, i); };
  w.mnuOrderOccFile->onClick = [&w] { LoadOrderOccupied(w); };
}

}  // namespace ruvek

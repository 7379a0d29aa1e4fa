#include "events/Recording.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <initializer_list>
#include <optional>
#include <utility>

#include "core/FixAge.h"
#include "core/Format.h"
#include "core/TextRoutines.h"
#include "events/Activity.h"
#include "events/Backlog.h"
#include "events/CatchUp.h"
#include "events/EventLogs.h"
#include "events/EventNumber.h"
#include "events/OrderOccupied.h"
#include "logview/CorrectionView.h"
#include "logview/EventGrid.h"
#include "logview/GridSnapshot.h"
#include "logview/RowEditing.h"
#include "selection/Conditions.h"

namespace ruvek {
namespace {

constexpr int kSettleMs = 3000;
constexpr int kRetryWaitMs = 2000;
constexpr int kFailuresBeforeQuestion = 6;

// One press of a button: the failure count of the retry, what the operator
// gave up in this event, and the share lock the event holds while it changes
// the shared files (never across a message box or a wait).
struct Press {
  // The share is looked at afresh for every press, and after every failure.
  explicit Press(Station& s) : share(s.state.dataShare), lock(s.platform, s.main.statusBar, s.state.lockStats) {
    share.recheck();
  }
  os::ShareMount& share;
  int failures = 0;
  bool numberFileDeclined = false;
  // A file of the data directory was given up: the others of this event are
  // tried once, and not asked about again.
  bool shareDeclined = false;
  ui::ShareLock lock;
  // What a catch-up of the backlog had to tell, shown after the lock's release.
  std::string caughtUp;
};

void StartPollTimer(ui::Timer& pollTimer, int intervalMs) {
  pollTimer.setInterval(intervalMs);
  pollTimer.setEnabled(true);
}

// Takes the share lock, unless the data directory is not the share (nothing is
// created in a bare mount point). Without a full event number path (a station
// without configuration) the lock takes no file.
void LockShare(const EventNumbering& n, ui::ShareLock& lock) {
  if (lock.held()) return;
  if (NumberFileReachable(n)) lock.acquire(ShareLockPath(n.settings));
}

// The drive letter a path names ("Q"), for the retry questions.
std::string DriveOf(const std::string& path) {
  return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' ? path.substr(0, 1)
                                                                                                 : "the drive";
}

struct Question {
  std::string text, title;
};

Question NumberFileQuestion(const Settings& settings, const os::FileError& e) {
  // The local copy in the program directory is no file of the server.
  const bool local = e.path.rfind(settings.programDir, 0) == 0;
  if (dynamic_cast<const NumberFileWriteError*>(&e))
    return {"Unable to write " + e.path + " Y to retry after checking " + DriveOf(e.path) + " is available.",
            local ? "Unable to write to the local drive!" : "Unable to WRITE to the server!"};
  return {"Having trouble reading " + e.path + " Y to retry after checking " + DriveOf(e.path) + " is available.",
          "Unable to READ from the server!"};
}

Question LogQuestion(LogWrite step, const std::string& path) {
  if (IsNetworkWrite(step))
    return {"Unable to write " + path + " Y to retry after checking " + DriveOf(path) +
                " is available, N to go on without it.",
            "Unable to WRITE to the server!"};
  return {"Unable to write " + path + " Y to retry, N to go on without it.", "Unable to write to the local drive!"};
}

// Runs `step` until it returns. Each file failure releases the share lock,
// waits 2 seconds and counts; past six failures the operator is asked
// `question(e)`, and Yes starts the count again. No (or, when `quick(e)`, the
// failure itself) calls giveUp(e): true ends the retry, false runs the step
// again (a writer then goes on with its next file).
template <typename Step, typename Ask, typename Quick, typename GiveUp>
void Retry(ui::Platform& platform, Press& press, Step step, Ask question, Quick quick, GiveUp giveUp) {
  while (true) {
    try {
      step();
      return;
    } catch (const os::FileError& e) {
      press.lock.release();
      press.share.recheck();
      if (!quick(e)) {
        platform.wait(kRetryWaitMs);
        if (++press.failures <= kFailuresBeforeQuestion) continue;
        const Question q = question(e);
        if (platform.ask(q.text, q.title, ui::Buttons::YesNo, ui::Icon::Error) == ui::Answer::Yes) {
          press.failures = 0;
          continue;
        }
      }
      if (giveUp(e)) return;
    }
  }
}

// A step that reads or writes the event number file. Once the operator has
// declined to retry it, the event is recorded with the number the box shows
// (never one this station has logged) and the file is left alone for the rest
// of this event.
template <typename Step>
void NumberFileStep(const EventNumbering& n, Press& press, Step step) {
  if (press.numberFileDeclined) return;
  Retry(
      n.platform, press, step, [&](const os::FileError& e) { return NumberFileQuestion(n.settings, e); },
      [](const os::FileError&) { return false; },
      [&](const os::FileError& e) {
        press.numberFileDeclined = true;
        const std::string& dataDir = n.settings.dataDir;
        press.shareDeclined = press.shareDeclined || (!dataDir.empty() && e.path.rfind(dataDir, 0) == 0);
        return true;
      });
}

// The age of the fix the running poll fills the boxes with, when it is older
// than five of the poll's intervals (the fix-age badge is red). Nothing while
// the poll is stopped (Auto Fill off, F9): the boxes are then the operator's,
// as they are while a loaded row is corrected.
std::optional<FixAge> StaleFix(const Station& s) {
  const MainWindow& w = s.main;
  if (!w.menus.autoFill.checked || !w.pollTimer.isEnabled() || s.state.editingRow) return std::nullopt;
  const FixAge age = FixAgeAt(s.state.poll.lastFix, s.platform.now().toMillis(), w.pollTimer.interval(), true);
  if (age.level != FixAgeLevel::Red) return std::nullopt;
  return age;
}

bool NavigationQuestion(ui::Platform& platform, const std::string& text) {
  return platform.ask(text, "Navigation fields not updated!", ui::Buttons::YesNo, ui::Icon::Warning) == ui::Answer::Yes;
}

// "The last position fix is 42 s old (UTC 03:00:18). Record event anyways? Y/N"
std::string StaleFixText(const FixAge& age, const std::string& fixTime) {
  return "The last position fix is " + std::to_string(age.seconds.value_or(0)) + " s old" +
         (fixTime.empty() ? "" : " (" + fixTime + ")") + ". Record event anyways? Y/N";
}

// The questions for a position of 0, 0, for a fix gone stale and for a clock
// that has not moved (one of them at most). False when the operator said No.
bool PassChecks(const EventNumbering& n, bool zeroPosition, const std::optional<FixAge>& staleFix) {
  if (zeroPosition) {
    if (!NavigationQuestion(n.platform, "Navigation fields have not updated, record event anyways? Y/N")) return false;
  } else if (staleFix) {
    if (!NavigationQuestion(n.platform, StaleFixText(*staleFix, n.state.poll.lastFix.time))) return false;
  } else if (n.state.poll.nav.localTime == n.state.previousEventTime) {
    if (n.platform.ask("GPS Time hasn't changed since the last event, record anyways? Y/N", "Time hasn't updated!",
                       ui::Buttons::YesNo, ui::Icon::Warning) == ui::Answer::No)
      return false;
  }
  return true;
}

void WriteCells(ui::Grid& grid, int row, int firstCol, std::initializer_list<std::string> cells) {
  int c = firstCol;
  for (const std::string& cell : cells) grid.setCell(row, c++, cell);
}

// An arrival is counted once: not when the last event seen from another
// computer is already an arrival. A data directory that is not the share is
// neither read nor written: an arrival then gets the missing value.
void OrderOccupiedStep(const os::FileSystem& fs, const Settings& settings, StationState& state, ui::StatusBar& status,
                       ui::Menu& fileEntry, const std::string& eventName) {
  const bool arrival = Contains(ToUpper(eventName), "ARRIVAL") && !Contains(state.numbers.lastSeenLastEvent, "ARRIVAL");
  if (!state.dataShare.reachable(fs)) {
    if (arrival) state.orderOccupied = kMissingOrderOccupied;
    return;
  }
  if (arrival)
    IncrementOrderOccupied(fs, settings.dataDir, state.orderOccupied, status);
  else
    LoadOrderOccupied(fs, settings.dataDir, state.orderOccupied, status, fileEntry);
}

// The event as the logs record it, read from the screen and the navigation
// snapshot at the moment the logs are written. Without "Auto Fill Data" the
// operator typed the navigation: the boxes' position stands for the snapshot's.
LoggedEvent EventOnScreen(const MainWindow& w, const StationState& state, const std::string& eventName,
                          const std::string& activity) {
  const NavSnapshot& nav = state.poll.nav;
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
  const bool typed = !w.menus.autoFill.checked;
  event.snapshotLat = typed ? FormatNumber(LeadingNumber(f.decLat), "00.000000") : nav.decLat;
  event.snapshotLon = typed ? FormatNumber(LeadingNumber(f.decLon), "00.000000") : nav.decLon;
  event.tail = NavigationTail(nav.rawLine, nav.metItems);
  return event;
}

// A correction keeps the event's own values from its logged row: the UTC date
// and time, the calculated line and station, the order-occupied value and the
// navigation tail, and the local date and time and the position unless the
// operator changed those boxes (a changed position is the typed one in every
// log). Without the row the correction is logged as the screen and the
// snapshot have it.
void KeepLoggedValues(const Correction& c, const Boxes& boxes, LoggedEvent& event) {
  if (!c.logged || c.loaded.size() < std::size_t(kGridCols)) return;
  const LoggedRow& o = *c.logged;
  EventFields& f = event.fields;
  using C = LogColumn;
  f.calcLine = o.columns[C::CalcLine];
  f.calcSta = o.columns[C::CalcSta];
  f.utcDate = o.columns[C::UtcDate];
  f.utcTime = o.columns[C::UtcTime];
  f.ordOcc = o.columns[C::OrdOcc];
  event.tail = o.tail;
  const auto kept = [&c](int column, const ui::TextBox& box) { return box.text() == c.loaded[std::size_t(column)]; };
  f.localDate = kept(GridColumn::Date, boxes.date) ? o.columns[C::LocalDate] : boxes.date.text();
  f.localTime = kept(GridColumn::Time, boxes.time) ? o.columns[C::LocalTime] : boxes.time.text();
  const auto position = [&](int column, const ui::TextBox& box, const std::string& csv, const std::string& six,
                            std::string& field, std::string& snapshot) {
    field = kept(column, box) ? csv : box.text();
    snapshot = kept(column, box) ? six : FormatNumber(LeadingNumber(box.text()), "00.000000");
  };
  position(GridColumn::Lat, boxes.lat, o.decLat, o.snapshotLat, f.decLat, event.snapshotLat);
  position(GridColumn::Lon, boxes.lon, o.decLon, o.snapshotLon, f.decLon, event.snapshotLon);
}

// The local logs, then in network mode the network logs, under the share lock.
// A file the operator gives up is skipped alone; once the lock is released the
// operator is told which files were not written.
void WriteLogs(Station& s, const EventNumbering& n, Press& press, const LogTarget& target, const LoggedEvent& event) {
  EventLogJob job;
  const auto question = [&](const os::FileError& e) { return LogQuestion(job.current, e.path); };
  const auto quick = [&](const os::FileError&) { return press.shareDeclined && IsNetworkWrite(job.current); };
  const auto skipFile = [&](const os::FileError&) {
    job.markFailed(job.current);
    press.shareDeclined = press.shareDeclined || IsNetworkWrite(job.current);
    return false;
  };
  Retry(
      n.platform, press, [&] { WriteLocalLogs(target, event, job); }, question, quick, skipFile);
  n.state.numbers.numberRolledBack = false;
  if (n.state.networkMode)
    Retry(
        n.platform, press,
        [&] {
          const bool reachable = n.state.dataShare.reachable(target.files);
          if (reachable) LockShare(n, press.lock);
          // The backlog goes first; a file that still waits for rows takes
          // this event's row behind them.
          press.caughtUp += CatchUpStation(s, press.lock);
          DeferBehindBacklog(target, n.state.backlog, job);
          WriteNetworkLogs(target, event, n.state, job, reachable);
        },
        question, quick, skipFile);
  const std::string backlog = BacklogPath(n.settings.programDir, event.fields.cruise);
  const bool forwarded = AddToBacklog(target.files, backlog, UnwrittenRows(target, event, job), n.state.backlog);
  // The event's new names are on the disk before anyone is told what was written.
  target.files.flushFolders();
  press.lock.release();
  ReportUnwrittenLogs(n.platform, target.names, job, forwarded ? std::string() : backlog);
  if (!press.caughtUp.empty())
    n.platform.ask(std::exchange(press.caughtUp, {}), "", ui::Buttons::OK, ui::Icon::Information);
  if (n.state.backlog.events) n.status.setText(BacklogWaitingText(n.state.backlog));
}

// Record Event's work between its number steps (RecordEventNumbers).
class RecordWork final : public EventWork {
 public:
  RecordWork(Station& s, Press& press) : s_(s), w_(s.main), st_(s.state), press_(press), n_(EventNumbering::of(s)) {}

  bool editing() const { return editing_; }
  const LoggedEvent& event() const { return event_; }

  void numberFileStep(const std::function<void()>& step) override { NumberFileStep(n_, press_, step); }
  // The lock is held from the number's read to the network logs, so that the
  // number, the rows and the last-event line of this event go together.
  void lockShare() override { LockShare(n_, press_.lock); }
  // Events waiting in the backlog reach the share before this one takes its
  // number: the number file is raised past theirs.
  void catchUp() override { press_.caughtUp += CatchUpStation(s_, press_.lock); }

  void afterChecks() override {
    eventName_ = w_.eventCombo.text();
    editing_ = st_.editingRow;
    // A corrected event goes over the row loaded for editing, even when another
    // row has been selected since.
    row_ = editing_ ? std::clamp(st_.correction.gridRow, 1, kEventRows) : w_.eventRows.rowForNewEvent();
    WriteCells(w_.eventGrid, row_, GridColumn::EventNo,
               {w_.boxes.eventNumber.text(), w_.lineCombo.text(), w_.stationCombo.text(), st_.poll.nav.localDate,
                st_.poll.nav.localTime, eventName_});
    // The time check compares the poll's time, not the one the logs get below.
    st_.previousEventTime = st_.poll.nav.localTime;
  }
  const std::string& eventName() const override { return eventName_; }

  void orderOccupied() override {
    OrderOccupiedStep(s_.platform.files(), s_.settings, st_, w_.statusBar, w_.menus.orderOccupiedFile, eventName_);
  }

  void fillRow() override {
    WriteCells(
        w_.eventGrid, row_, GridColumn::Lat,
        {w_.boxes.lat.text(), w_.boxes.lon.text(), w_.initialsCombo.text(), CommentsField(w_.commentsBox.text())});
    activity_ = ClassifyActivity(eventName_, s_.settings.eventListType);
    if (!editing_) w_.eventRows.filled(row_);
  }

  void writeLogs() override {
    // The logs carry the local date and time of the moment they are written.
    SetLocalClock(st_.poll.nav, w_.clockOptions.selected(), s_.platform.now());
    // The order-occupied value is never written with a closing table tag.
    st_.orderOccupied = StripTableTag(st_.orderOccupied);
    event_ = EventOnScreen(w_, st_, eventName_, activity_);
    if (editing_) KeepLoggedValues(st_.correction, w_.boxes, event_);
    // The grid row carries the number, the local date and the time the logs carry.
    w_.eventGrid.setCell(row_, GridColumn::EventNo, event_.fields.eventNo);
    WriteCells(w_.eventGrid, row_, GridColumn::Date, {event_.fields.localDate, event_.fields.localTime});
    const LogTarget target{
        s_.platform.files(),
        LogFileNamesFor(s_.settings.programDir, s_.settings.dataDir, event_.fields.cruise, s_.settings.eventListType),
        s_.settings.config[ConfigRow::Project], w_.menus.generateHtml.checked};
    WriteLogs(s_, n_, press_, target, event_);
  }

 private:
  Station& s_;
  MainWindow& w_;
  StationState& st_;
  Press& press_;
  const EventNumbering n_;
  // The event's name is read once; everything after the checks uses this value.
  std::string eventName_;
  bool editing_ = false;
  int row_ = 0;
  std::string activity_;
  LoggedEvent event_;
};

void RecordEvent(Station& s, Press& press) {
  MainWindow& w = s.main;
  StationState& st = s.state;
  const EventNumbering n = EventNumbering::of(s);
  // Taken before the poll is started again: whether the poll was filling the boxes.
  const std::optional<FixAge> staleFix = StaleFix(s);
  StartPollTimer(w.pollTimer, s.settings.sampleIntervalMs);
  SetRecording(st, w.buttons, Recording::Saving);
  const bool zeroPosition = LeadingNumber(w.boxes.lat.text()) == 0 && LeadingNumber(w.boxes.lon.text()) == 0;
  if (!PassChecks(n, zeroPosition, staleFix)) return SetRecording(st, w.buttons, Recording::Ready);

  // A folder that gets several new names in the event is flushed once.
  const os::FolderFlushes flushes(s.platform.files());
  RecordWork work(s, press);
  RecordEventNumbers(n, zeroPosition, work);
  ResetConditions(w.conditions, w.commentsBox);
  if (!work.editing() && !w.stopAdvanceCheck.value()) AdvanceEventPicker(w.pickers, work.eventName(), st);
  st.editingRow = false;
  st.correction = {};
  ShowCorrection(w, st);
  w.statusBar.note = "Event " + Trim(work.event().fields.eventNo) + (work.editing() ? " corrected" : " recorded");
  s.platform.wait(kSettleMs);
  SetRecording(st, w.buttons, Recording::Ready);
  // The next event is chosen next: a Space on the record or standby button
  // would act on the station instead.
  w.form.focusTo = w.eventCombo.name();
  const auto& options = w.pickers.options;
  const auto shown = std::find_if(options.begin(), options.end(), [](auto* o) { return o->visible; });
  const auto chosen = std::find_if(options.begin(), options.end(), [](auto* o) { return o->visible && o->value(); });
  if (!st.multiMode && shown != options.end()) w.form.focusTo = (*(chosen != options.end() ? chosen : shown))->name();
}

void StartRecording(Station& s) {
  MainWindow& w = s.main;
  // Asked whenever the serial input is not running: never started, or stopped
  // again (the GO button then shows "Go").
  if (s.state.poll.gpsSource == NavSource::Gps && !s.state.poll.gpsInput.portRunning &&
      s.platform.ask("GPS is not started, return to GPS startup form? Y/N", "GPS not logging, return to activate?",
                     ui::Buttons::YesNo, ui::Icon::Error) == ui::Answer::Yes) {
    s.platform.show(s.gps.form);
    return;
  }
  SetRecording(s.state, w.buttons, Recording::Ready);
  w.buttons.record.tooltip = "Saves the event number and all data displayed into the Cruise events log.";
  ReleaseManualOverride(s.state.numbers);
  s.platform.wait(kSettleMs);
  SetRecording(s.state, w.buttons, Recording::Ready);
}

// Standby pauses the poll's navigation reading; Resume (or the record button
// while standing by) takes it up again.
void ToggleStandby(Station& s) {
  if (s.state.recording == Recording::Ready) {
    SetRecording(s.state, s.main.buttons, Recording::StandingBy);
    s.main.statusBar.note = "Standing by";
  } else if (s.state.recording == Recording::StandingBy) {
    SetRecording(s.state, s.main.buttons, Recording::Ready);
    s.main.statusBar.note = "Resumed";
  }
}

void AskAndQuit(Station& s) {
  MainWindow& w = s.main;
  if (s.platform.ask("Do you really want to quit? Y/N", "Close Program? Y/N", ui::Buttons::YesNo) != ui::Answer::Yes)
    return SetRecording(s.state, w.buttons, Recording::Ready);
  SaveEventGrid(s.platform.files(), s.settings.programDir, w.boxes.cruise.text(), w.eventGrid, w.eventRows.next());
  s.gps.form.visible = false;
  EndProgram(s.platform, w.pollTimer, s.gps.timer);
}

// The cleared event stays in every log; the next event takes its number again
// and says so in its comments. When the event number file cannot be read or
// written, or another computer has used a number since (going back would give
// it twice), the number is not rolled back: the box keeps its number and
// nothing marks the cleared event as void, so no number is ever used twice.
void ClearLastEvent(Station& s) {
  MainWindow& w = s.main;
  // A row loaded for editing is let go first, unwritten: what is erased is
  // the last event, and the number rolled back is the next event's.
  EndCorrection(w, s.state);
  w.pollTimer.setEnabled(false);
  if (s.platform.ask("Do You want to erase an event entry? Y/N", "Erase Last Event?", ui::Buttons::YesNo,
                     ui::Icon::Warning) == ui::Answer::Yes &&
      w.eventRows.lastEventRow() > 0) {
    const std::string cleared = w.eventGrid.cell(w.eventRows.lastEventRow(), GridColumn::EventNo);
    w.eventRows.clearLast();
    w.statusBar.note = "Event " + Trim(cleared) + " erased";
    const EventNumbering n = EventNumbering::of(s);
    const std::string boxBefore = w.boxes.eventNumber.text();
    std::string refused;
    {
      ui::ShareLock lock(s.platform, w.statusBar, s.state.lockStats);
      try {
        if (!JulianScheme(s.settings)) LockShare(n, lock);
        if (!RollBackEventNumber(n, cleared))
          refused = "Another logging computer has used a number after " + cleared +
                    " - the event number was not rolled back.";
      } catch (const os::FileError& e) {
        w.boxes.eventNumber.setText(boxBefore);
        refused = "Unable to write " + e.path + " - the event number was not rolled back.";
      }
    }
    if (refused.empty() && !JulianScheme(s.settings))
      w.commentsBox.setText(w.commentsBox.text() + "erase previous event ;");
    if (!refused.empty()) s.platform.ask(refused, "Erase Last Event?", ui::Buttons::OK, ui::Icon::Warning);
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
    options[std::size_t(i) + 1]->setValue(true);
    return;
  }
}

void StartOrRecord(Station& s) {
  Press press(s);
  s.state.numbers.eventFileRetries = 0;
  switch (s.state.recording) {
    case Recording::NotStarted: return StartRecording(s);
    case Recording::Ready: return RecordEvent(s, press);
    case Recording::StandingBy:
      ToggleStandby(s);
      s.platform.wait(kSettleMs);
      return SetRecording(s.state, s.main.buttons, Recording::Ready);
    case Recording::Saving: return;
  }
}

// Each button looks at the share afresh, as a press of the record button does.
void StandBy(Station& s) {
  Press press(s);
  ToggleStandby(s);
}

void Quit(Station& s) {
  Press press(s);
  AskAndQuit(s);
}

void ClearLast(Station& s) {
  Press press(s);
  ClearLastEvent(s);
}

}  // namespace ruvek

#include "nav/PollCycle.h"

#include <vector>

#include "app/core/EventGridFile.h"
#include "app/core/Format.h"
#include "app/core/TextRoutines.h"
#include "events/EventNumber.h"
#include "grid/LineStaModes.h"
#include "grid/LineStation.h"
#include "logview/EventGrid.h"
#include "nav/CurrPos.h"

namespace ruvek {
namespace {

constexpr int kUnsetRateMs = 20000;
constexpr int kTimerMaxMs = 65535;
constexpr int kPositionWaitMs = 2000;
constexpr int kNumberWaitMs = 1000;
constexpr int kSilentRetries = 6;
constexpr float kMissing = -99.0f;
constexpr int kLastEventFields = 20;

struct Position {
  float lat = 0, lon = 0;
};

// The tick ends early when the operator chose manual entry or to cancel.
enum class Outcome { Go, EndTick };

bool Started(const MainWindow& w) { return w.command1[0]->caption == "Record Event"; }

void SetTickInterval(MainWindow& w) {
  bool clamped = false;
  const int ms = TickIntervalFromRow(w.config.row(9), clamped);
  if (clamped)
    w.statusBar->panel(2).text = "Sampling Rate " + Trim(w.config.row(9)) + " ms is too long: polling every " +
                                 std::to_string(kTimerMaxMs) + " ms";
  w.timer1->setInterval(ms);
}

void ShowLocalClock(MainWindow& w) {
  const DateTime now = w.platform.now();
  LocalClock local;
  if (w.optPST[2]->value()) {
    const DateTime t = now.plusHours(-8);  // the PC keeps UTC; local is Pacific standard time
    local = CutDateTimeText(t.shortDate() + " " + t.longTime());
  } else if (w.optPST[1]->value()) {
    const DateTime t = now.plusHours(-1);  // the PC keeps daylight time
    local = CutDateTimeText(t.shortDate() + " " + t.longTime());
  } else if (w.optPST[0]->value()) {
    local = {now.shortDate(), now.longTime()};
  } else {
    return;
  }
  if (!local.date.empty()) w.nav.localDate = local.date;
  w.nav.localTime = local.time;
}

Position ReadNmea(MainWindow& w) {
  const DecimalPosition p = ToDecimal(ReadCurrPos(w, w.settings.currPosPath));
  ShowLocalClock(w);
  w.text1[1]->setText(w.nav.localDate);
  w.text1[2]->setText(w.nav.localTime);
  w.text1[3]->setText(FormatNumber(p.lat, "00.00000"));
  w.text1[4]->setText(FormatNumber(p.lon, "#000.00000"));
  return {p.lat, p.lon};
}

// Steps 6 and 7: the position of this tick from the configured source. Errors
// throw ui::FileError to the position retry.
Position ReadPosition(MainWindow& w) {
  const std::string& path = w.settings.currPosPath;
  if (!w.fs().exists(path)) {
    w.setStatus(w.gpsSource == "KNORR" ? "Reading Current Position file..."
                                       : "Unable to find " + path + " file - retrying...");
    return {};
  }
  if (w.gpsSource == "NETWORK" || w.gpsSource == "GPS") return ReadNmea(w);
  if (w.gpsSource == "UDP") {
    ShowDatagram(w);
    return {};
  }
  if (w.gpsSource == "MET") {
    const DecimalPosition p = ReadMetRecord(w, path);
    return {p.lat, p.lon};
  }
  return {};
}

// Steps 8 and 9: line and station of the active Line.Sta mode. The survey grid
// is defined north and west only; a position elsewhere leaves the boxes as they are.
void ShowLineStation(MainWindow& w, Position p) {
  if (!UsablePosition(p.lat, p.lon)) {
    if (!HasPosition(p.lat, p.lon) && !w.mnuSelectLine->checked)
      w.setStatus("Unable to find " + w.settings.currPosPath + " file...retrying");
    return;
  }
  const LineStation calc = CalcLineSta(p.lat, p.lon);
  const LineStation stnd = NearestStandard(calc, w.mnuCalcLine->checked);
  w.nav.calcLine = calc.line, w.nav.calcSta = calc.sta;
  w.nav.stndLine = stnd.line, w.nav.stndSta = stnd.sta;
  w.combo3->tooltip = "Calculated line = " + calc.line;
  w.combo4->tooltip = "Calculated station = " + calc.sta;
  RefreshStations(w, stnd.line);
  if (w.mnuCalcLine->checked) {
    w.combo3->setText(calc.line);
    w.combo4->setText(calc.sta);
  } else if (w.mnuStndLine->checked) {
    w.combo3->setText(stnd.line);
    w.combo4->setText(stnd.sta);
  }
}

// "No" to a quit question: the operator types the navigation from now on.
void SwitchToManualEntry(MainWindow& w) {
  w.mnuAuto->checked = false;
  // The three Line.Sta entries exclude each other.
  w.mnuSelectLine->checked = true;
  w.mnuCalcLine->checked = false;
  w.mnuStndLine->checked = false;
}

[[noreturn]] void SaveAndQuit(MainWindow& w) {
  SaveEventGrid(w);
  EndProgram(w);
}

Outcome PositionPart(MainWindow& w, Position& p) {
  int failures = 0;
  while (true) {
    try {
      p = ReadPosition(w);
      ShowLineStation(w, p);
      return Outcome::Go;
    } catch (const ui::FileError&) {
      p = {};
      w.wait(kPositionWaitMs);
      ++failures;
      w.setStatus("Unable to find " + w.settings.currPosPath + " file...retry:" + std::to_string(failures));
      if (failures <= kSilentRetries) {
        w.setStatus("Unable to find Current Position file...Retry" + std::to_string(failures) + ".");
        continue;
      }
      const auto answer = w.ask(
          "Unable to find Current Position file...Quit & Restart the program?\r"
          "[Yes] to quit or [No] for manual entry, [Cancel] retries",
          "Can't Find the MET data file, Quit?", ui::Buttons::YesNoCancel, ui::Icon::Warning);
      if (answer == ui::Answer::Yes) SaveAndQuit(w);
      if (answer == ui::Answer::No) SwitchToManualEntry(w);
      return Outcome::EndTick;
    }
  }
}

// Another logging computer has used a number: show its last event in the grid
// and count on from its number.
void PullLastEvent(MainWindow& w) {
  const std::string path = w.settings.dataDir + w.text1[0]->text() + "LastEvent.csv";
  if (!w.fs().exists(path)) return;
  const std::string line = w.fs().firstLine(path);
  if (line == w.lastSeenLastEvent) return;
  w.lastSeenLastEvent = line;
  // Cruise,Event#,StndLine,StndSta,CalcLine,CalcSta,DatePST,TimePST,DecLat,DecLon,Activity,Event,Operator,
  // DateUTC,TimeUTC,Comments,Ord_Occ,<navigation tail>
  std::vector<std::string> f(kLastEventFields);
  SplitCommas(line, f, kLastEventFields);
  // A new cruise's empty grid counts 0 rows: the event goes to row 1, never
  // over the headings; a full grid gives up its oldest row.
  const int row = RowForNewEvent(w);
  // Grid columns Evt#, Line, Sta, Date, Time, Event, Lat, Lon, Init, Comments.
  static const int kFieldOfColumn[kGridCols] = {1, 2, 3, 13, 14, 11, 8, 9, 12, 15};
  for (int c = 0; c < kGridCols; ++c) w.eventLog->setCell(row, c, f[std::size_t(kFieldOfColumn[c])]);
  w.gridRowCount = row + 1;
  w.eventLog->row = row;
  w.nextEventNumber = NumberPlus(EventNumberValue(f[1]).value_or(0), 1);
  w.text1[5]->setText(EventNumberText(w.nextEventNumber));
}

void ReadEventNumber(MainWindow& w) {
  if (RaiseFromFile(w, /*holdWhileRolledBack=*/true)) PullLastEvent(w);
  w.setStatus("Reading Event Number file..." + EventNumberText(w.nextEventNumber));
}

// Steps 10 and 11 with the event number retry.
void EventNumberPart(MainWindow& w, Position p) {
  while (true) {
    w.nav.decLat = FormatNumber(p.lat, "00.000000");
    w.nav.decLon = FormatNumber(p.lon, "00.000000");
    if (JulianScheme(w)) return ShowJulianNumber(w);
    if (!w.fs().exists(w.settings.eventNumberPath)) {
      w.setStatus("Unable to find Event Number file...Retry" + std::to_string(w.eventFileRetries) + ".");
      return;
    }
    try {
      return ReadEventNumber(w);
    } catch (const ui::FileError&) {
      w.wait(kNumberWaitMs);
      ++w.eventFileRetries;
      if (w.eventFileRetries <= kSilentRetries) {
        w.setStatus("Unable to find Event Number file...Retry" + std::to_string(w.eventFileRetries) + ".");
        continue;
      }
      const auto answer = w.ask(
          "Unable to find Event Number file...Quit the program?\r  [Yes] to quit or [No] for manual entry",
          "Can't Find the Event Number file, Quit?", ui::Buttons::YesNo, ui::Icon::Warning);
      if (answer == ui::Answer::Yes) SaveAndQuit(w);
      SwitchToManualEntry(w);
      w.eventFileRetries = 0;
      return;
    }
  }
}

void AskAutoFill(MainWindow& w) {
  if (w.mnuAuto->checked) {
    if (w.ask("Turn off Auto-Fill and manually enter all fields? Y/N", "Turn Off Auto Log? Y/N",
              ui::Buttons::YesNo, ui::Icon::Warning) != ui::Answer::Yes)
      return;
    w.mnuAuto->checked = false;
    for (int i = 1; i <= 4; ++i) w.text1[std::size_t(i)]->setText("");
    w.timer1->setEnabled(false);
    return;
  }
  if (w.ask("Turn Auto-Fill on for automatic entry of navigational fields? Y/N", "Turn On Auto Log? Y/N",
            ui::Buttons::YesNo, ui::Icon::Warning) != ui::Answer::Yes)
    return;
  w.mnuAuto->checked = true;
  w.timer1->setEnabled(true);
}

}  // namespace

int TickIntervalFromRow(const std::string& row9, bool& clamped) {
  const double rate = LeadingNumber(row9);
  clamped = rate > kTimerMaxMs;
  if (!(rate > 0)) return kUnsetRateMs;
  if (clamped) return kTimerMaxMs;
  const long long ms = RoundHalfEven(rate);
  return ms < 1 ? 1 : int(ms);
}

LocalClock CutDateTimeText(const std::string& text) {
  LocalClock out;
  if (Contains(text, "/"))
    out.date = text.substr(0, 10);
  else if (Contains(text, "-"))
    out.date = text.substr(0, 11);
  out.time = text.size() >= 8 ? text.substr(text.size() - 8) : text;
  return out;
}

bool UsablePosition(float lat, float lon) { return lat > 0 && lon < 0 && lat != kMissing && lon != kMissing; }

bool HasPosition(float lat, float lon) { return lat != kMissing && lon != kMissing && (lat != 0 || lon != 0); }

void Timer1_Timer(MainWindow& w) {
  if (!w.mnuAuto->checked) return w.timer1->setEnabled(false);
  SetTickInterval(w);
  const DateTime now = w.platform.now();
  const std::string heartbeat = now.shortDate() + "," + now.longTime();
  Position p;
  if (Started(w)) {
    w.text2->setText(heartbeat);
    if (PositionPart(w, p) == Outcome::EndTick) return;
  }
  EventNumberPart(w, p);
}

void mnuAuto_Click(MainWindow& w) { AskAutoFill(w); }

void WireNav(MainWindow& w) {
  w.timer1->onTimer = [&w] { Timer1_Timer(w); };
  w.mnuAuto->onClick = [&w] { mnuAuto_Click(w); };
  WireEventNumber(w);
}

}  // namespace ruvek

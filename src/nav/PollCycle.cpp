#include "nav/PollCycle.h"

#include "core/FixAge.h"
#include "core/Format.h"
#include "core/TextRoutines.h"
#include "events/CatchUp.h"
#include "events/EventNumber.h"
#include "events/NumberSync.h"
#include "grid/LineStaModes.h"
#include "grid/LineStation.h"
#include "logview/GridSnapshot.h"
#include "nav/CurrPos.h"
#include "nav/GpsSettings.h"

namespace ruvek {
namespace {

constexpr int kPositionWaitMs = 2000;
constexpr int kSilentRetries = 6;
constexpr float kMissing = -99.0f;

struct Position {
  float lat = 0, lon = 0;
};

// The tick ends early when the operator chose manual entry or to cancel.
enum class Outcome { Go, EndTick };

// What one tick reads and changes: the position and number files, the
// navigation boxes, the line and station boxes and the Line.Sta menu entries,
// the status bar, the event grid (for another computer's event) and the
// timers it stops when the operator gives up.
struct Poll {
  ui::Platform& platform;
  Settings& settings;
  StationState& state;
  Boxes& boxes;
  ui::ComboBox& lineCombo;
  ui::ComboBox& stationCombo;
  const ClockOptions& clockOptions;
  Menus& menus;
  ui::StatusBar& status;
  ui::Grid& eventGrid;
  EventGridRows& eventRows;
  ui::Timer& pollTimer;
  ui::Timer& gpsTimer;
};

void SetTickInterval(const CruiseConfig& config, ui::StatusBar& status, ui::Timer& pollTimer) {
  const PollInterval interval = IntervalFromRow(config[ConfigRow::SamplingRate], kTickIntervalMs);
  if (interval.clamped)
    status.panel(2).text = "Sampling Rate " + Trim(config[ConfigRow::SamplingRate]) +
                           " ms is too long: polling every " + std::to_string(kLongestInterval) + " ms";
  pollTimer.setInterval(interval.ms);
}

Position ReadNmea(const Poll& p) {
  NavSnapshot& nav = p.state.poll.nav;
  const DecimalPosition d =
      ToDecimal(ReadCurrPos(p.platform, p.settings.config, p.settings.currPosPath, p.status, nav));
  SetLocalClock(nav, p.clockOptions.selected(), p.platform.now());
  p.boxes.date.setText(nav.localDate);
  p.boxes.time.setText(nav.localTime);
  p.boxes.lat.setText(FormatNumber(d.lat, "00.00000"));
  p.boxes.lon.setText(FormatNumber(d.lon, "#000.00000"));
  return {d.lat, d.lon};
}

// The position of this tick from the configured source. Errors throw
// os::FileError to the position retry.
Position ReadPosition(const Poll& p) {
  const std::string& path = p.settings.currPosPath;
  const NavSource source = p.state.poll.gpsSource;
  // The datagram takes the place of the position file, which need not exist.
  if (source == NavSource::Udp) {
    ShowDatagram(p.state.poll.udpDatagram, p.boxes);
    return {};
  }
  if (!p.platform.files().exists(path)) {
    p.status.setText(source == NavSource::Knorr ? "Reading Current Position file..."
                                                : "Unable to find " + path + " file - retrying...");
    return {};
  }
  if (source == NavSource::Network || source == NavSource::Gps) return ReadNmea(p);
  if (source == NavSource::Met) {
    const DecimalPosition d = ReadMetRecord(p.platform.files(), path, p.state.poll, p.boxes, p.status);
    return {d.lat, d.lon};
  }
  return {};
}

// What this tick read as a position, for the age of the fix: the raw sentence,
// the MET record's date, time and position, or the datagram; empty when it
// read none.
std::string FixReading(const Poll& p, Position pos) {
  const NavSource source = p.state.poll.gpsSource;
  if (source == NavSource::Udp) {
    // A datagram without a position (junk on the port) is no fix: it must not
    // make a dead feed look fresh.
    const DatagramDisplay d = ParseDatagram(p.state.poll.udpDatagram);
    return HasPosition(float(LeadingNumber(d.latText)), float(LeadingNumber(d.lonText))) ? p.state.poll.udpDatagram
                                                                                         : std::string();
  }
  if (!HasPosition(pos.lat, pos.lon)) return {};
  if (source == NavSource::Met)
    return p.boxes.date.text() + "," + p.boxes.time.text() + "," + p.boxes.lat.text() + "," + p.boxes.lon.text();
  return p.state.poll.nav.rawLine;
}

// The time the fix of this tick carries, as the operator is told it: the
// sentence's UTC time, or the time field of the datagram or MET record.
std::string FixTime(const Poll& p) {
  const NavSource source = p.state.poll.gpsSource;
  const std::string time = source == NavSource::Udp   ? ParseDatagram(p.state.poll.udpDatagram).localTime
                           : source == NavSource::Met ? p.boxes.time.text()
                                                      : p.state.poll.nav.utcTime;
  if (time.empty()) return {};
  return (source == NavSource::Udp || source == NavSource::Met ? "time " : "UTC ") + time;
}

// The line and station of the position, shown by the active Line.Sta mode. The
// survey grid is defined north and west only; a position elsewhere leaves the
// boxes as they are.
void ShowLineStation(const Poll& p, Position pos) {
  Menus& menus = p.menus;
  if (!UsablePosition(pos.lat, pos.lon)) {
    if (HasPosition(pos.lat, pos.lon) || menus.selectedLine.checked) return;
    // The UDP source reads no file; its datagrams give no line and station.
    if (p.state.poll.gpsSource == NavSource::Udp)
      p.status.setText(p.state.poll.udpDatagram.empty() ? "No navigation datagram yet - waiting..."
                                                        : "Reading navigation datagrams...");
    else
      p.status.setText("Unable to find " + p.settings.currPosPath + " file...retrying");
    return;
  }
  NavSnapshot& nav = p.state.poll.nav;
  const LineStation calc = CalcLineSta(pos.lat, pos.lon);
  const LineStation stnd = NearestStandard(calc, menus.calcLine.checked);
  nav.calcLine = calc.line, nav.calcSta = calc.sta;
  nav.stndLine = stnd.line, nav.stndSta = stnd.sta;
  p.lineCombo.tooltip = "Calculated line = " + calc.line;
  p.stationCombo.tooltip = "Calculated station = " + calc.sta;
  RefreshStations(p.platform.files(), p.settings.programDir, p.stationCombo, stnd.line);
  if (menus.calcLine.checked) {
    p.lineCombo.setText(calc.line);
    p.stationCombo.setText(calc.sta);
  } else if (menus.standardLine.checked) {
    p.lineCombo.setText(stnd.line);
    p.stationCombo.setText(stnd.sta);
  }
}

// "No" to a quit question: the operator types the navigation from now on.
void SwitchToManualEntry(Menus& menus) {
  menus.autoFill.checked = false;
  CheckLineStaMode(menus, LineStaMode::Selected);
}

[[noreturn]] void SaveAndQuit(const Poll& p) {
  SaveEventGrid(p.platform.files(), p.settings.programDir, p.boxes.cruise.text(), p.eventGrid, p.eventRows.next());
  EndProgram(p.platform, p.pollTimer, p.gpsTimer);
}

Outcome PositionPart(const Poll& p, Position& pos) {
  int failures = 0;
  while (true) {
    try {
      pos = ReadPosition(p);
      if (NoteFix(p.state.poll.lastFix, FixReading(p, pos), p.platform.now().toMillis()))
        p.state.poll.lastFix.time = FixTime(p);
      ShowLineStation(p, pos);
      return Outcome::Go;
    } catch (const os::FileError&) {
      pos = {};
      p.platform.wait(kPositionWaitMs);
      ++failures;
      p.status.setText("Unable to find " + p.settings.currPosPath + " file...retry:" + std::to_string(failures));
      if (failures <= kSilentRetries) {
        p.status.setText("Unable to find Current Position file...Retry" + std::to_string(failures) + ".");
        continue;
      }
      const auto answer = p.platform.ask(
          "Unable to find Current Position file...Quit & Restart the program?\r"
          "[Yes] to quit or [No] for manual entry, [Cancel] retries",
          "Can't Find the MET data file, Quit?", ui::Buttons::YesNoCancel, ui::Icon::Warning);
      if (answer == ui::Answer::Yes) SaveAndQuit(p);
      if (answer == ui::Answer::No) SwitchToManualEntry(p.menus);
      return Outcome::EndTick;
    }
  }
}

// The position's decimal texts, then the event number file and another
// station's last event.
void EventNumberPart(const Poll& p, Position pos) {
  StationState& st = p.state;
  st.poll.nav.decLat = FormatNumber(pos.lat, "00.000000");
  st.poll.nav.decLon = FormatNumber(pos.lon, "00.000000");
  const EventNumbering n{p.platform, p.settings, st, p.boxes.eventNumber, p.status};
  switch (SyncEventNumber(n)) {
    case NumberSync::Read: PullPendingLastEvent(n, p.eventGrid, p.eventRows, p.boxes.cruise.text()); break;
    case NumberSync::NotRead: break;
    case NumberSync::Quit: SaveAndQuit(p);
    case NumberSync::ManualEntry: SwitchToManualEntry(p.menus); break;
  }
}

}  // namespace

bool UsablePosition(float lat, float lon) { return lat > 0 && lon < 0 && lat != kMissing && lon != kMissing; }

bool HasPosition(float lat, float lon) { return lat != kMissing && lon != kMissing && (lat != 0 || lon != 0); }

void PollTick(Station& s) {
  MainWindow& w = s.main;
  if (!w.menus.autoFill.checked) return w.pollTimer.setEnabled(false);
  // A row loaded for editing keeps the poll stopped until Record Event, also
  // when "Auto Fill Data" or a Record Event answered No started the timer
  // again: a tick would overwrite the loaded number, position, line and station.
  if (s.state.editingRow) return w.pollTimer.setEnabled(false);
  SetTickInterval(s.settings.config, w.statusBar, w.pollTimer);
  const DateTime now = s.platform.now();
  const std::string heartbeat = now.shortDate() + "," + now.longTime();
  const Poll p{s.platform, s.settings,  s.state,     w.boxes,     w.lineCombo, w.stationCombo, w.clockOptions,
               w.menus,    w.statusBar, w.eventGrid, w.eventRows, w.pollTimer, s.gps.timer};
  Position pos;
  // Before Start and in standby the tick reads no navigation.
  if (s.state.recording == Recording::Ready) {
    w.timerActivityBox.setText(heartbeat);
    // The newest datagram is this tick's position, however short a time ago
    // it came: the GPS window's timer, which lists them, may not have run yet.
    if (s.state.poll.gpsSource == NavSource::Udp)
      TakeDatagrams(s.platform.udp(), s.state.poll.udpDatagram, s.gps.display);
    if (PositionPart(p, pos) == Outcome::EndTick) return;
  }
  EventNumberPart(p, pos);
  // Events saved locally while the share was away are forwarded once it is back.
  CatchUpTick(s);
}

void ToggleAutoFill(Station& s) {
  MainWindow& w = s.main;
  if (w.menus.autoFill.checked) {
    if (s.platform.ask("Turn off Auto-Fill and manually enter all fields? Y/N", "Turn Off Auto Log? Y/N",
                       ui::Buttons::YesNo, ui::Icon::Warning) != ui::Answer::Yes)
      return;
    w.menus.autoFill.checked = false;
    for (ui::TextBox* box : {&w.boxes.date, &w.boxes.time, &w.boxes.lat, &w.boxes.lon}) box->setText("");
    w.pollTimer.setEnabled(false);
    return;
  }
  if (s.platform.ask("Turn Auto-Fill on for automatic entry of navigational fields? Y/N", "Turn On Auto Log? Y/N",
                     ui::Buttons::YesNo, ui::Icon::Warning) != ui::Answer::Yes)
    return;
  w.menus.autoFill.checked = true;
  w.pollTimer.setEnabled(true);
}

}  // namespace ruvek

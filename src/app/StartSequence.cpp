#include "app/StartSequence.h"

#include <functional>
#include <iterator>

#include "app/ConfigEditor.h"
#include "app/DemoStation.h"
#include "core/CommentOptions.h"
#include "core/TextRoutines.h"
#include "events/Backlog.h"
#include "events/EventNumber.h"
#include "events/OrderOccupied.h"
#include "grid/LineStaModes.h"
#include "logview/EventGrid.h"
#include "nav/GpsSettings.h"
#include "selection/EventLists.h"

namespace ruvek {
namespace {

const char* kDesignCaption = "Ruvek Event Log";

void ReportMissing(ui::Platform& platform, const std::string& path) { platform.ask("Unable to find " + path, ""); }

// Where the configuration of this start came from.
enum class ConfigOrigin { File, Missing, DemoSetUp };

Settings ReadSettings(ui::Platform& platform, ConfigOrigin& origin) {
  origin = ConfigOrigin::File;
  CruiseConfig config;
  try {
    ReadConfig(platform.files(), config);
    // A directory that is not a full path is never taken relative to the
    // working folder: its files cannot be reached, and the operator is told.
    for (const std::string& problem : DirectoryRowProblems(config))
      platform.ask(problem, kConfigPath, ui::Buttons::OK, ui::Icon::Exclamation);
  } catch (const os::FileError&) {
    // Without its configuration the station still opens, on empty rows, so the
    // operator can see what is wrong and set it up; a first run may set up the
    // demo station instead.
    config = CruiseConfig{};
    ReportMissing(platform, kConfigPath);
    const bool missing = !platform.files().exists(kConfigPath);
    if (missing) origin = ConfigOrigin::Missing;
    if (missing && OfferDemoStation(platform, kConfigPath)) {
      try {
        ReadConfig(platform.files(), config);
        origin = ConfigOrigin::DemoSetUp;
      } catch (const os::FileError& e) {
        config = CruiseConfig{};
        platform.ask("Unable to read " + std::string(kConfigPath) + ": " + e.what(), "", ui::Buttons::OK,
                     ui::Icon::Exclamation);
      }
    }
  }
  return DeriveSettings(config);
}

// Temporary files a killed run of this computer left beside the files it writes.
void RemoveStaleTemporaries(const os::FileSystem& fs, const Settings& settings) {
  for (const std::string* folder : {&settings.programDir, &settings.dataDir, &settings.navDir})
    fs.removeStaleTemporaries(*folder);
}

void ShowCaptions(const Settings& settings, MainWindow& w) {
  ShowListCaptions(w.pickers.singleFrame, settings.eventListType, settings.eventListPath);
  w.menus.eventNumberFile.caption = settings.eventNumberPath;
  w.menus.currentPositionFile.caption = settings.currPosPath;
  w.form.caption = settings.config[ConfigRow::Project] + " " + settings.config[ConfigRow::Study] + " " + kDesignCaption;
}

void ChoosePickerMode(const Settings& settings, StationState& state, Pickers& pickers, ui::Menu& checkBoxMode) {
  const bool multi = StartsInCheckBoxMode(settings.config);
  state.multiMode = multi;
  pickers.singleFrame.visible = !multi;
  pickers.multiFrame.visible = multi;
  if (multi) {
    checkBoxMode.checked = true;
    for (auto* c : pickers.checks) c->visible = false;
  } else {
    for (auto* o : pickers.options) o->visible = false;
  }
}

// The event number box is wider for Julian numbers, and the event drop-down
// beside it narrower.
void LayOutNumberBox(const Settings& settings, Boxes& boxes, ui::ComboBox& eventCombo) {
  int boxWidth = 56, comboWidth = 530, comboLeft = 63;
  if (JulianScheme(settings)) {
    if (settings.longJulian) {
      boxWidth = 112, comboWidth = 377, comboLeft = 120;
    } else {
      boxWidth = 96, comboWidth = 395, comboLeft = 102;
    }
  }
  boxes.eventNumber.geo.width = boxWidth;
  eventCombo.geo.width = comboWidth;
  eventCombo.geo.left = comboLeft;
}

void PrepareListEditor(ListEditorWindow& editor, const std::string& eventListPath) {
  editor.form.caption = ListEditorCaption(eventListPath);
  editor.eventList.setCell(0, 0, "Num");
  editor.eventList.setCell(0, 1, "Event");
}

void LoadInitials(ui::Platform& platform, const std::string& path, ui::ComboBox& initialsCombo) {
  if (!platform.files().exists(path)) return ReportMissing(platform, path);
  for (const auto& line : platform.files().readLines(path))
    if (!TrimView(line).empty()) initialsCombo.items.push_back(line);
}

void ShowFirstItems(MainWindow& w) {
  for (ui::ComboBox* c : {&w.eventCombo, &w.initialsCombo, &w.lineCombo, &w.stationCombo})
    c->setText(c->items.empty() ? "" : c->items.front());
}

void LoadCommentOptions(ui::Platform& platform, const std::string& path, Conditions& conditions) {
  if (platform.files().exists(path))
    ApplyCommentOptions(platform.files(), path, conditions);
  else
    ReportMissing(platform, path);
}

// The event list and the other start-up files. A read error shows a message,
// waits a second and reads them all again; a second failure reports the file
// and start-up goes on without it.
void LoadStartFiles(Station& s) {
  MainWindow& w = s.main;
  ui::Platform& platform = s.platform;
  const Settings& settings = s.settings;
  const std::function<void()> loads[] = {
      [&] { PrepareListEditor(s.listEditor, settings.eventListPath); },
      [&] { StartLoadEventList(EventListContext::of(s)); },
      [&] { LoadCommentOptions(platform, settings.commentOptionsPath, w.conditions); },
      [&] { LoadInitials(platform, settings.initialsPath, w.initialsCombo); },
      [&] {
        LoadLineLists(platform, settings.programDir, w.lineCombo, w.stationCombo);
        ShowFirstItems(w);
      },
  };
  bool retried = false;
  for (std::size_t i = 0; i < std::size(loads);) {
    try {
      loads[i]();
    } catch (const os::FileError& e) {
      if (!retried) {
        retried = true;
        platform.ask("Event File is not available...retrying", "");
        platform.wait(1000);
        w.initialsCombo.items.clear();
        i = 0;  // all of them again, from the first
        continue;
      }
      platform.ask("Unable to read " + e.path + " - going on without it", "", ui::Buttons::OK, ui::Icon::Exclamation);
    }
    ++i;
  }
}

void AskReadyToStart(Station& s) {
  if (s.settings.logMode != LogMode::Network && !s.state.networkMode) return;
  s.state.networkMode = true;
  s.main.statusBar.setText("Auto/Network Mode Enabled - Press Start to load Current Position.");
  const auto a = s.platform.ask("Press YES if you are Ready For Event Logging; Press NO to configure EventLog.",
                                "Ready to Start? Y/N", ui::Buttons::YesNo);
  if (a == ui::Answer::Yes) SetRecording(s.state, s.main.buttons, Recording::Ready);
}

void ChooseNavigationSource(Station& s) {
  const NavSource source = s.settings.navSource;
  ui::Menu& autoFill = s.main.menus.autoFill;
  switch (source) {
    case NavSource::Gps:
    case NavSource::Udp:
      s.state.poll.gpsSource = source;
      autoFill.checked = true;
      if (source == NavSource::Udp) ListenForDatagrams(s);
      // The serial GPS window comes to the front; it shows the main window again.
      FillGpsWindow(s);
      s.platform.show(s.gps.form);
      s.platform.hide(s.main.form);
      break;
    case NavSource::Knorr:
    case NavSource::Network:
      s.state.poll.gpsSource = source;
      autoFill.checked = true;
      break;
    case NavSource::Met:
    case NavSource::Scs: s.state.poll.gpsSource = source; break;
    // "JD" and unknown words leave the source as it is.
    case NavSource::None:
    case NavSource::Unknown: break;
  }
}

void ApplyLineStaMethod(const Settings& settings, Menus& menus) {
  if (const auto mode = LineStaModeOfRow(settings.config[ConfigRow::LineStaMethod])) CheckLineStaMode(menus, *mode);
}

void ApplyClockOption(const Settings& settings, ClockOptions& clockOptions) {
  switch (settings.clockZone) {
    case ClockZone::Pst: clockOptions.option(PcClock::Pst).setValue(true); break;
    case ClockZone::Pdt: clockOptions.option(PcClock::Pdt).setValue(true); break;
    case ClockZone::Utc: clockOptions.option(PcClock::Utc).setValue(true); break;
    case ClockZone::Unknown: break;
  }
}

void ApplyOptionLine(ui::OptionButton& option, const std::string& heading, const std::string& line,
                     std::string (*abbreviate)(const std::string&)) {
  if (OptionLineIsBlank(line)) return;
  option.tooltip = OptionCommentText(heading, line);
  option.caption = abbreviate(line);
}

// Without a configuration every file the station reads is unnamed: asking
// for each (and for an event number file "" to create or remap) helps no one
// and some questions would come back for ever. The window opens empty, with
// recording off, the status saying what is missing, and the configuration
// editor in front; saving it restarts the program on the new file.
void OpenForSetUp(Station& s) {
  MainWindow& w = s.main;
  LayOutEventGrid(w.eventGrid);
  ChoosePickerMode(s.settings, s.state, w.pickers, w.menus.checkBoxMode);
  w.pollTimer.setEnabled(false);
  for (ui::Button* b : {&w.buttons.record, &w.buttons.standby, &w.buttons.clearLast}) b->enabled = false;
  w.statusBar.setText(std::string("No configuration: ") + kConfigPath + " is missing");
  w.statusBar.note = "Set up: Config > Edit ruvek.cfg";
  s.platform.show(w.form);
  OpenConfigEditor(s);
}

// The demo station reads the position file the navigation simulator writes:
// started beside the window where the platform can, else the operator is
// told how.
void StartDemoNavigation(Station& s) {
  const os::FileSystem& fs = s.platform.files();
  std::string host;
  try {
    host = fs.hostPath(s.settings.currPosPath);
  } catch (const os::FileError&) {
    return;  // the demo's own configuration always names a place; an edited one may not
  }
  if (s.platform.startNavigationSimulator(host)) {
    s.main.statusBar.note = "Navigation simulator writing " + s.settings.currPosPath;
    return;
  }
  s.platform.ask(
      "The demo station's position comes from the navigation simulator. Start it in a terminal with\n"
      "ruvek-navsim --file \"" +
          host + "\" --interval 2000\n(scripts/demo starts it beside the window).",
      "Demo station", ui::Buttons::OK, ui::Icon::Information);
}

}  // namespace

void ApplyCommentOptions(const os::FileSystem& fs, const std::string& path, Conditions& c) {
  const auto lines = fs.readLines(path);
  if (lines.size() < 11) throw os::FileError("too few lines in " + path, path);
  c.stationTypeFrame.caption = StationTypeHeading(lines[0]);
  for (int i = 0; i < 3; ++i)
    ApplyOptionLine(*c.stationType[i], c.stationTypeFrame.caption, lines[1 + i], StationTypeCaption);
  c.seaFrame.caption = SeaConditionsHeading(lines[4]);
  for (int i = 0; i < 3; ++i) ApplyOptionLine(*c.sea[i], c.seaFrame.caption, lines[5 + i], SeaConditionCaption);
  c.dayNightFrame.caption = DayNightHeading(lines[8]);
  for (int i = 0; i < 2; ++i) ApplyOptionLine(*c.dayNight[i], c.dayNightFrame.caption, lines[9 + i], DayNightCaption);
}

// The rows a former run could not write to the share wait for it again.
void LoadCruiseBacklog(Station& s) {
  if (s.settings.programDir.empty()) return;
  const std::string note =
      LoadBacklog(s.platform.files(), BacklogPath(s.settings.programDir, s.main.boxes.cruise.text()), s.state.backlog);
  if (!note.empty())
    s.platform.ask(note, "Events waiting for the network drive", ui::Buttons::OK, ui::Icon::Exclamation);
  if (s.state.backlog.events) s.main.statusBar.setText(BacklogWaitingText(s.state.backlog));
}

void FormLoad(Station& s) {
  MainWindow& w = s.main;
  StationState& st = s.state;
  w.form.geo.width = 14085;
  st.networkMode = true;
  st.numbers.manualEventNumber = false;
  st.editingRow = false;
  ConfigOrigin origin = ConfigOrigin::File;
  s.settings = ReadSettings(s.platform, origin);
  // The configuration editor is loaded with the window: its fields always hold rows to save.
  ShowConfigRows(s.platform.files(), s.settings.config, s.configEditor);
  RemoveStaleTemporaries(s.platform.files(), s.settings);
  ShowCaptions(s.settings, w);
  if (origin == ConfigOrigin::Missing) return OpenForSetUp(s);
  w.boxes.cruise.setText(s.settings.config[ConfigRow::Study]);
  LoadOrderOccupied(s.platform.files(), s.settings.dataDir, st.orderOccupied, w.statusBar, w.menus.orderOccupiedFile);
  ChoosePickerMode(s.settings, st, w.pickers, w.menus.checkBoxMode);
  LayOutNumberBox(s.settings, w.boxes, w.eventCombo);
  LayOutEventGrid(w.eventGrid);
  LoadStartFiles(s);
  const Settings& settings = s.settings;
  PreloadEventLog(s.platform.files(),
                  {LogFileNamesFor(settings.programDir, settings.dataDir, w.boxes.cruise.text(), settings.eventListType)
                       .networkEvents,
                   settings.preloadMode, w.lineCombo.text(), w.stationCombo.text()},
                  w.eventRows, st.numbers);
  MarkDisplayedEvents(w.menus, settings.preloadMode);
  LoadEventNumber(EventNumbering::of(s), w.menus.autoFill, w.menus.eventNumberFile);
  // The share as it is now: a bare mount point left by an unmounted share is not it.
  st.dataShare.note(s.platform.files(), s.settings.dataDir);
  s.platform.show(w.form);
  LoadCruiseBacklog(s);
  AskReadyToStart(s);
  ChooseNavigationSource(s);
  ApplyLineStaMethod(s.settings, w.menus);
  ApplyClockOption(s.settings, w.clockOptions);
  if (origin == ConfigOrigin::DemoSetUp) StartDemoNavigation(s);
}

}  // namespace ruvek

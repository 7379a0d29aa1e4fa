#include "windows/MainWindow.h"

#include <iterator>

#include "windows/Placing.h"

namespace ruvek {
namespace {

using ui::Button;
using ui::CheckBox;
using ui::ComboBox;
using ui::Form;
using ui::Frame;
using ui::Grid;
using ui::Label;
using ui::Menu;
using ui::OptionButton;
using ui::StatusBar;
using ui::TextBox;
using ui::Timer;

// ---- the boxes

constexpr const char* kEntryStrip = "fraEventEntry";
constexpr int kEventNumberBox = 5;

// A borderless strip that holds the event number box and the event drop-down,
// whose positions the start sequence sets inside it.
Frame& AddEntryStrip(Form& form) { return AddPlaced<Frame>(form, kEntryStrip, {236, 74, 600, 30}); }

// Text1(i) and its label Label1(i).
TextBox& AddBox(Form& form, int i) {
  static const char* kTips[8] = {"Cruise Designation",
                                 "Underway Data System Date (DD-MMM-YYYY)",
                                 "Underway Data System Time (HH:MM:SS)",
                                 "Underway GPS Lat; display is rounded but saved lat is full precision",
                                 "Underway GPS Lon; display is rounded but saved lat is full precision",
                                 "Event Number: read in from Eventnumber.txt over network in auto-mode",
                                 "TSG Temperature from MET",
                                 "TSG Salinity from MET"};
  static const char* kLabels[8] = {"Cruise", "Date", "Time", "Lat", "Lon", "Evt#", "UTC Date", "UTC Time"};
  static const int kLeft[8] = {240, 308, 404, 476, 560, 6, 652, 748};
  static const int kWidth[8] = {64, 92, 68, 80, 88, 56, 92, 68};
  if (i == kEventNumberBox) {
    auto& box = AddPlaced<TextBox>(form, ui::IndexedName("Text1", i), {6, 4, 56, 22}, kTips[i], kEntryStrip);
    box.locked = true;  // the number is the program's until the operator takes it over
    auto& label = form.add<Label>(ui::IndexedName("Label1", i), kEntryStrip);
    label.caption = kLabels[i];
    label.visible = false;
    return box;
  }
  auto& box = AddPlaced<TextBox>(form, ui::IndexedName("Text1", i), {kLeft[i], 34, kWidth[i], 22}, kTips[i]);
  auto& label = AddPlaced<Label>(form, ui::IndexedName("Label1", i), {kLeft[i], 16, kWidth[i], 16});
  label.caption = kLabels[i];
  return box;
}

// ---- the drop-downs

ComboBox& AddInitialsCombo(Form& form) {
  auto& combo = AddPlaced<ComboBox>(form, "Combo2", {820, 34, 111, 22}, "Operators Initials");
  AddPlaced<Label>(form, "lblInit", {820, 16, 111, 16}).caption = "Init";
  return combo;
}

ComboBox& AddLineStationCombo(Form& form, const char* name, const char* tooltip, const char* text, int left) {
  auto& combo = AddPlaced<ComboBox>(form, name, {left, 114, 90, 22}, tooltip);
  combo.setText(text);
  return combo;
}

// ---- the other single controls

Button& AddButton(Form& form, int i) {
  static const char* kCaptions[4] = {"Start", "Standby", "Quit", "Clear Last"};
  static const char* kTips[4] = {"Start Event Data Display", "Pauses Nav Data Display until Resume is pressed",
                                 "Exits the program and saves displayed data to the server",
                                 "Erases last event and rolls back event number"};
  auto& button = AddPlaced<Button>(form, ui::IndexedName("Command1", i), {240 + 90 * i, 110, 86, 28}, kTips[i]);
  button.caption = kCaptions[i];
  return button;
}

// Beside the line and station drop-downs, hidden until a row is loaded.
Button& AddCancelCorrectionButton(Form& form) {
  auto& button = AddPlaced<Button>(form, "cmdCancelEdit", {832, 110, 98, 28},
                                   "Lets go of the row loaded for editing: nothing is written (Esc)");
  button.caption = "Cancel Correction";
  button.visible = false;
  return button;
}

TextBox& AddCommentsBox(Form& form) {
  auto& box = AddPlaced<TextBox>(
      form, "txtComments", {240, 194, 690, 40},
      "Enter any comments of interest; Options above will enter automatically when selected; Enter or delete any "
      "info using keyboard/stylus");
  box.setText("Comments:");
  box.multiLine = true;
  return box;
}

CheckBox& AddStopAdvanceCheck(Form& form) {
  auto& check = AddPlaced<CheckBox>(form, "Check2", {610, 238, 140, 20});
  check.caption = "Stop Event Advance";
  return check;
}

TextBox& AddTimerActivityBox(Form& form) {
  auto& box = AddPlaced<TextBox>(form, "Text2", {760, 255, 170, 22}, "Timer Activity");
  box.locked = true;
  return box;
}

Grid& AddEventGrid(Form& form) {
  auto& grid = AddPlaced<Grid>(
      form, "EventLog", {243, 262, 688, 272},
      "Event Log; Edit any row by double-clicking the row or field; make your changes then [Record Event] to replace");
  grid.resize(2, kGridCols);
  return grid;
}

StatusBar& AddStatusBar(Form& form) {
  auto& bar = form.add<StatusBar>("StatusBar1");
  bar.panel(1).text = "Ready...";
  bar.panel(2).text = "Press F1 for Help";
  bar.panel(3).tooltip = "If current GPS position is parsing correctly, it will indicate here";
  bar.panel(6).text = "OrderOcc:";
  bar.panel(6).tooltip = "Order Occupied aka Proc#";
  return bar;
}

Timer& AddPollTimer(Form& form) {
  auto& timer = form.add<Timer>("Timer1");
  timer.setInterval(10000);
  timer.enabled = true;
  return timer;
}

// ---- groups of options

Frame& AddPickerFrame(Form& form, const char* name, const char* caption, const char* tooltip) {
  auto& frame = AddPlaced<Frame>(form, name, {8, 16, 220, 520}, tooltip);
  frame.caption = caption;
  return frame;
}

// frmSelectEvent and its option buttons, one below the other.
Frame& AddSingleChoicePickers(Form& form, ui::OptionGroup& group, std::array<OptionButton*, kOptionPickers>& options) {
  auto& frame = AddPickerFrame(form, "frmSelectEvent", "STANDARD EVENT",
                               "Standard Events, select one or use drop-down arrow to select Event");
  for (int i = 0; i < kOptionPickers; ++i) {
    options[std::size_t(i)] =
        &AddOption(form, ui::IndexedName("Option1", i), {8, 18 + 16 * i, 204, 16}, "Option1", group, frame.name());
  }
  return frame;
}

// frmSelectMulti and its check boxes, in the same place.
Frame& AddCheckBoxPickers(Form& form, std::array<CheckBox*, kCheckPickers>& checks) {
  auto& frame = AddPickerFrame(form, "frmSelectMulti", "Select All That Apply",
                               "First Checked becomes Event, all others are Comments");
  for (int i = 0; i < kCheckPickers; ++i) {
    auto& check = AddPlaced<CheckBox>(form, ui::IndexedName("Check1", i), {8, 18 + 16 * i, 204, 16}, "", frame.name());
    check.caption = "Check1";
    checks[std::size_t(i)] = &check;
  }
  return frame;
}

// A condition frame and its options, side by side.
template <std::size_t N>
Frame& AddConditionGroup(Form& form, const char* frameName, const char* heading, int left, int width,
                         const char* arrayName, const std::array<const char*, N>& captions, ui::OptionGroup& group,
                         std::array<OptionButton*, N>& options) {
  auto& frame = AddPlaced<Frame>(form, frameName, {left, 146, width, 44});
  frame.caption = heading;
  const int each = (width - 12) / int(N);
  for (std::size_t i = 0; i < N; ++i)
    options[i] = &AddOption(form, ui::IndexedName(arrayName, int(i)), {6 + each * int(i), 18, each, 20}, captions[i],
                            group, frameName);
  return frame;
}

}  // namespace

Boxes::Boxes(Form& form)
    : entryStrip(AddEntryStrip(form)),
      cruise(AddBox(form, 0)),
      date(AddBox(form, 1)),
      time(AddBox(form, 2)),
      lat(AddBox(form, 3)),
      lon(AddBox(form, 4)),
      eventNumber(AddBox(form, kEventNumberBox)),
      utcDate(AddBox(form, 6)),
      utcTime(AddBox(form, 7)) {}

Buttons::Buttons(Form& form)
    : record(AddButton(form, 0)),
      standby(AddButton(form, 1)),
      quit(AddButton(form, 2)),
      clearLast(AddButton(form, 3)),
      cancelCorrection(AddCancelCorrectionButton(form)) {}

Pickers::Pickers(Form& form)
    : singleFrame(AddSingleChoicePickers(form, group, options)), multiFrame(AddCheckBoxPickers(form, checks)) {}

Conditions::Conditions(Form& form)
    : seaFrame(AddConditionGroup<3>(form, "Frame6", "Sea Conditions", 240, 220, "Option3", {"Calm", "Modrt", "Rough"},
                                    seaGroup, sea)),
      dayNightFrame(AddConditionGroup<2>(form, "Frame4", "Day/Night", 464, 130, "Option4", {"Day", "Night"},
                                         dayNightGroup, dayNight)),
      stationTypeFrame(AddConditionGroup<3>(form, "Frame5", "Station Type", 598, 260, "Option5",
                                            {"Standard", "Prodo", "SCCOOS"}, stationTypeGroup, stationType)) {}

ClockOptions::ClockOptions(Form& form) {
  static const char* kCaptions[3] = {"PC Time is PST", "PC Time is PDT", "PC Time is UTC"};
  for (int i = 0; i < 3; ++i)
    options[std::size_t(i)] =
        &AddOption(form, ui::IndexedName("optPST", i), {240 + 120 * i, 238, 116, 20}, kCaptions[i], group);
}

std::optional<PcClock> ClockOptions::selected() const {
  for (PcClock clock : {PcClock::Utc, PcClock::Pdt, PcClock::Pst})
    if (options[std::size_t(clock)]->value()) return clock;
  return std::nullopt;
}

Menus::Menus(Form& form)
    : config(form.addMenu("mnuCfg", "Config")),
      autoFill(form.addMenu("mnuAuto", "Auto Fill Data", "mnuCfg")),
      autoIncrement(form.addMenu("mnuAutoEvent", "Auto Increment Event", "mnuCfg")),
      lineSta(form.addMenu("mnuLineSta", "Line.Sta Setting", "mnuCfg")),
      standardLine(form.addMenu("mnuStndLine", "Use nearest Standard Line.Sta", "mnuLineSta")),
      selectedLine(form.addMenu("mnuSelectLine", "Use selected Line.Sta", "mnuLineSta")),
      calcLine(form.addMenu("mnuCalcLine", "Use calculated Line.Sta", "mnuLineSta")),
      displayedEvents(form.addMenu("PreLoad", "Displayed Events", "mnuCfg")),
      lastEvent(form.addMenu("mnuLastEvent", "Last Event Only", "PreLoad")),
      currentStation(form.addMenu("mnuCurrSta", "Current Sta Events", "PreLoad")),
      lastStation(form.addMenu("mnuLastSta", "Last Station Events", "PreLoad")),
      allEvents(form.addMenu("mnuAllEvents", "All Events (last 1000 or less)", "PreLoad")),
      cruiseMap(form.addMenu("mnuCruiseMap", "Cruise Map...", "mnuCfg")),
      eventLists(form.addMenu("mnuSelectEvents", "Select Different Events", "mnuCfg")),
      cruiseList(form.addMenu("mnuCruise", "Cruise", "mnuSelectEvents")),
      bridgeList(form.addMenu("mnuBridge", "Bridge/AftControl", "mnuSelectEvents")),
      mammalList(form.addMenu("mnuMMammals", "Marine Mammals", "mnuSelectEvents")),
      cufesList(form.addMenu("mnuCUFES", "CUFES", "mnuSelectEvents")),
      checkBoxMode(form.addMenu("mnuMulti", "Switch to CheckBox Mode", "mnuCfg")),
      editConfig(form.addMenu("mnuEditCfg", "Edit ruvek.cfg", "mnuCfg")),
      comPortSettings(form.addMenu("mnuComSet", "Com Port Settings/Input Display", "mnuCfg")),
      configFiles(form.addMenu("mnuCfgFiles", "Create/Edit Cfg Files", "mnuCfg")),
      editEventsFile(form.addMenu("mnuMakeEvFile", "Create/Edit Events File", "mnuCfgFiles")),
      editLineFiles(form.addMenu("mnuLineFileEdit", "Edit Line or Sta Files", "mnuCfgFiles")),
      editComments(form.addMenu("mnuCommentEdit", "Edit Comment Boxes", "mnuCfgFiles")),
      generateHtml(form.addMenu("mnuhtml", "Generate html", "mnuCfg")),
      fileSettings(form.addMenu("mnuFileSettings", "File Settings")),
      htmlHelp(form.addMenu("mnuNetwork", "HTML Help", "mnuFileSettings")),
      about(form.addMenu("mnuAbout", "About Ruvek Event Log", "mnuFileSettings")),
      orderOccupied(form.addMenu("mnuOrderOcc", "OrderOcc File", "mnuFileSettings")),
      orderOccupiedFile(form.addMenu("mnuOrderOccFile", "OrderOcc.txt", "mnuOrderOcc")),
      eventNumber(form.addMenu("mnuEventNum", "EventNumberFile", "mnuFileSettings")),
      eventNumberFile(form.addMenu("mnuEventNumFile", "EventNumber.txt", "mnuEventNum")),
      position(form.addMenu("mnuPosition", "PostitionFile", "mnuFileSettings")),
      currentPositionFile(form.addMenu("mnuCurrPos", "CurrPos.txt", "mnuPosition")),
      print(form.addMenu("mnuPrint", "Print")),
      printLog(form.addMenu("mnuPrintLog", "Print Log", "mnuPrint")),
      exportCruise(form.addMenu("mnuAllEvents2File", "Generate Entire Cruise Event File", "mnuPrint")),
      exportGis(form.addMenu("mnuExportGis", "Export Events for GIS...", "mnuPrint")),
      exit(form.addMenu("mnuExit", "Exit")) {
  // The entries that carry a check mark or not; the others (the event lists
  // among them: loading a list marks nothing) are commands. Of the Line.Sta
  // modes and of the displayed events one carries the mark at a time.
  for (Menu* m : {&standardLine, &selectedLine, &calcLine}) m->group = "Line.Sta";
  for (Menu* m : {&lastEvent, &currentStation, &lastStation, &allEvents}) m->group = "Displayed Events";
  for (Menu* m : {&autoFill, &autoIncrement, &standardLine, &selectedLine, &calcLine, &lastEvent, &currentStation,
                  &lastStation, &allEvents, &checkBoxMode, &generateHtml})
    m->checkable = true;
  // The five check marks the window opens with.
  for (Menu* m : {&autoFill, &autoIncrement, &standardLine, &lastEvent, &generateHtml}) m->checked = true;
  // The sections of the menus.
  for (Menu* m : {&lineSta, &checkBoxMode, &editConfig, &generateHtml, &orderOccupied}) m->separatorBefore = true;
  htmlHelp.shortcut = "F1";
  exit.shortcut = "Ctrl+Q";
}

MainWindow::MainWindow()
    : boxes(form),
      eventCombo(AddPlaced<ComboBox>(form, "Combo1", {63, 4, 530, 22},
                                     "Event: Read in from configured \"xxxevent.txt\" file set in ruvek.cfg, 4th row",
                                     kEntryStrip)),
      initialsCombo(AddInitialsCombo(form)),
      lineCombo(AddLineStationCombo(form, "Combo3",
                                    "Tesmora Line calculated by lat & lon to the nearest standard sta in auto-mode",
                                    "Line", 640)),
      stationCombo(AddLineStationCombo(
          form, "Combo4", "Tesmora Sta calculated by lat & lon to the nearest standard sta in auto-mode", "Sta", 736)),
      buttons(form),
      pickers(form),
      conditions(form),
      commentsBox(AddCommentsBox(form)),
      clockOptions(form),
      stopAdvanceCheck(AddStopAdvanceCheck(form)),
      timerActivityBox(AddTimerActivityBox(form)),
      eventGrid(AddEventGrid(form)),
      eventRows(eventGrid),
      statusBar(AddStatusBar(form)),
      pollTimer(AddPollTimer(form)),
      menus(form) {
  form.caption = "Ruvek Event Log";
  form.geo = {0, 0, 14085, 600 * ui::kTwipsPerPixel};  // in twips, as the window sets its width at start
}

void SetRecording(StationState& state, Buttons& buttons, Recording recording) {
  state.recording = recording;
  const RecordingCaptions captions = CaptionsFor(recording);
  buttons.record.caption = recording == Recording::Ready && state.editingRow ? "Record Correction" : captions.record;
  buttons.standby.caption = captions.standby;
  buttons.record.enabled = recording != Recording::Saving;
}

void LayOutEventGrid(Grid& grid) {
  static const int kWidths[kGridCols] = {800, 600, 600, 1250, 950, 2400, 1000, 1100, 600, 3000};
  static const char* kHeadings[kGridCols] = {"Evt#",  "Line", "Sta", "Date", "Time",
                                             "Event", "Lat",  "Lon", "Init", "Comments"};
  grid.fixedRows = 1;
  grid.fixedCols = 0;
  grid.resize(kGridRows, kGridCols);
  grid.colWidths.assign(std::begin(kWidths), std::end(kWidths));
  for (int c = 0; c < kGridCols; ++c) grid.setCell(0, c, kHeadings[c]);
}

void SetEventGridWidth(Grid& grid, int width) {
  // The wide grid sits below the short picker frame; the narrow one beside the tall frame.
  if (width >= 812)
    grid.geo = {119, 310, width, 224};
  else
    grid.geo = {243, 262, width, 272};
}

}  // namespace ruvek

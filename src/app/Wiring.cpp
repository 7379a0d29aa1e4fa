#include "app/Wiring.h"

#include <string>
#include <utility>

#include "app/ConfigEditor.h"
#include "events/CruiseExport.h"
#include "events/EventNumber.h"
#include "events/OrderOccupied.h"
#include "events/PrintLog.h"
#include "events/Recording.h"
#include "grid/LineStaModes.h"
#include "logview/CorrectionView.h"
#include "logview/EventGrid.h"
#include "logview/RowEditing.h"
#include "map/CruiseMap.h"
#include "map/GisExport.h"
#include "nav/GpsSettings.h"
#include "nav/PollCycle.h"
#include "selection/Conditions.h"
#include "selection/EventLists.h"
#include "selection/ListEditor.h"
#include "selection/Pickers.h"

namespace ruvek {
namespace {

void WireShell(Station& s) {
  MainWindow& w = s.main;
  // F9 stops the navigation poll until the recording workflow starts it again.
  w.form.onKeyF9 = [&w] {
    w.pollTimer.setEnabled(false);
    w.statusBar.note = "Poll stopped (F9)";
  };
  w.menus.exit.onClick = [&s] {
    if (s.platform.ask("Do you really want to quit? Y/N", "Close Program? Y/N", ui::Buttons::YesNo) == ui::Answer::Yes)
      EndProgram(s.platform, s.main.pollTimer, s.gps.timer);
  };
  // Closing the window from its title bar asks as Exit does; No keeps it open.
  w.form.onClose = w.menus.exit.onClick;
  w.menus.htmlHelp.onClick = [&s] { s.platform.openHelp(); };
  w.menus.about.onClick = [&s] { s.platform.showAbout(); };
  w.menus.printLog.onClick = [&s] { PrintEventLog(s); };
}

void WireLineStation(Station& s) {
  MainWindow& w = s.main;
  w.lineCombo.onClick = [&s] { ChooseLine(s); };
  const std::pair<ui::Menu*, LineStaMode> modes[] = {{&w.menus.standardLine, LineStaMode::Standard},
                                                     {&w.menus.calcLine, LineStaMode::Calculated},
                                                     {&w.menus.selectedLine, LineStaMode::Selected}};
  for (const auto& [menu, mode] : modes) menu->onClick = [&s, mode = mode] { ChooseLineStaMode(s, mode); };
  w.menus.editLineFiles.onClick = [&s] { EditLineFile(s); };
}

template <std::size_t N>
void WireConditionGroup(MainWindow& w, const std::array<ui::OptionButton*, N>& options, Group group) {
  for (std::size_t i = 0; i < N; ++i) {
    const int index = int(i);
    options[i]->onClick = [&w, group, index] { AddConditionComment(w.conditions, w.commentsBox, group, index); };
    options[i]->onDblClick = [&w, group, index] { RemoveConditionComment(w.conditions, w.commentsBox, group, index); };
  }
}

void WireSelection(Station& s) {
  MainWindow& w = s.main;
  for (int i = 0; i < kOptionPickers; ++i)
    w.pickers.options[std::size_t(i)]->onClick = [&w, i] { PickEvent(w.pickers, w.eventCombo, i); };
  for (int i = 0; i < kCheckPickers; ++i)
    w.pickers.checks[std::size_t(i)]->onClick = [&w, i] { TickEvent(w.pickers, w.eventCombo, w.commentsBox, i); };
  w.eventCombo.onClick = [&s] { SelectPickersNamed(s.main.pickers, s.main.eventCombo, s.state); };
  w.menus.checkBoxMode.onClick = [&s] { ToggleCheckBoxMode(s); };
  w.pickers.singleFrame.onDblClick = [&s] { OpenListEditor(s); };
  const std::pair<ui::Menu*, const char*> lists[] = {{&w.menus.cruiseList, "CruiseEvents.txt"},
                                                     {&w.menus.bridgeList, "BridgeEvents.txt"},
                                                     {&w.menus.mammalList, "MMammalEvents.txt"},
                                                     {&w.menus.cufesList, "CUFESEvents.txt"}};
  for (const auto& [menu, file] : lists) menu->onClick = [&s, file = std::string(file)] { LoadNamedList(s, file); };
  WireConditionGroup(w, w.conditions.sea, Group::SeaConditions);
  WireConditionGroup(w, w.conditions.dayNight, Group::DayNight);
  WireConditionGroup(w, w.conditions.stationType, Group::StationType);
  w.commentsBox.onChange = [&w] { FoldCommentSeparators(w.commentsBox); };
}

void WireLogView(Station& s) {
  Menus& menus = s.main.menus;
  const std::pair<ui::Menu*, PreloadMode> entries[] = {{&menus.lastEvent, PreloadMode::LastEvent},
                                                       {&menus.currentStation, PreloadMode::CurrentSta},
                                                       {&menus.lastStation, PreloadMode::LastSta},
                                                       {&menus.allEvents, PreloadMode::AllEvents}};
  for (const auto& [entry, mode] : entries)
    entry->onClick = [&s, entry = entry, mode = mode] {
      ChooseDisplayedEvents(s.main.menus, *entry, mode, s.settings);
    };
  s.main.eventGrid.onDblClick = [&s] { LoadRowForCorrection(s); };
  s.main.eventGrid.greyedRows = SupersededGridRows;
  s.main.buttons.cancelCorrection.onClick = [&s] { CancelCorrection(s); };
  s.main.form.onKeyEscape = [&s] { CancelCorrection(s); };
}

void WireEvents(Station& s) {
  MainWindow& w = s.main;
  const std::pair<ui::Button*, void (*)(Station&)> actions[] = {{&w.buttons.record, StartOrRecord},
                                                                {&w.buttons.standby, StandBy},
                                                                {&w.buttons.quit, Quit},
                                                                {&w.buttons.clearLast, ClearLast}};
  // The map follows every event recorded, corrected or cleared here.
  for (const auto& [button, act] : actions)
    button->onClick = [&s, act = act] {
      act(s);
      RefreshCruiseMap(s);
    };
  w.menus.orderOccupiedFile.onClick = [&s] {
    LoadOrderOccupied(s.platform.files(), s.settings.dataDir, s.state.orderOccupied, s.main.statusBar,
                      s.main.menus.orderOccupiedFile);
  };
  w.boxes.eventNumber.onDblClick = [&s] { RequestManualOverride(EventNumbering::of(s)); };
  w.menus.exportCruise.onClick = [&s] { ExportCruiseEvents(s); };
  w.menus.exportGis.onClick = [&s] { ExportCruiseForGis(s); };
}

void WireNav(Station& s) {
  s.main.pollTimer.onTimer = [&s] {
    PollTick(s);
    FollowPollOnMap(s);
  };
  s.main.menus.autoFill.onClick = [&s] { ToggleAutoFill(s); };
}

void WireConfigEditor(Station& s) {
  ConfigEditorWindow& w = s.configEditor;
  s.main.menus.editConfig.onClick = [&s] { OpenConfigEditor(s); };
  w.study.onKeyPress = [&w](char&) { NoteStudyTyped(w); };
  w.study.onLostFocus = [&s] { OfferNewCruiseFolders(s); };
  for (int n = 1; n <= kConfigRowsWritten; ++n)
    w.fields[std::size_t(n)]->onChange = [&s] { ShowConfigWarnings(s.platform.files(), s.configEditor); };
  w.save.onClick = [&s] { SaveConfigEdits(s); };
  w.close.onClick = [&s] { CloseConfigEditor(s); };
  w.form.onClose = w.close.onClick;
}

void WireListEditor(Station& s) {
  ListEditorWindow& w = s.listEditor;
  s.main.menus.editEventsFile.onClick = [&s] { s.platform.show(s.listEditor.form); };
  w.eventList.onKeyPress = [&w](char& key) { TypeIntoEventName(w.eventList, key); };
  w.update.onClick = [&s] { UpdateEventList(s); };
  w.saveAs.onClick = [&s] { SaveToNewEventFile(s); };
  w.exit.onClick = [&s] { CloseListEditor(s); };
}

void WireGpsWindow(Station& s) {
  GpsWindow& g = s.gps;
  s.main.menus.comPortSettings.onClick = [&s] { OpenGpsWindow(s); };
  g.goButton.onClick = [&s] { StartOrStopGpsInput(s); };
  g.saveButton.onClick = [&s] { SaveGpsSettings(s); };
  g.hideButton.onClick = [&s] { HideGpsWindow(s); };
  g.form.onClose = [&s] { HideGpsWindow(s); };
  g.timer.onTimer = [&s] { CollectGpsInput(s); };
  g.portBox.onChange = [&s] { ShowDeviceNames(s.platform.serial(), s.gps); };
  for (int i = 0; i < 5; ++i)
    g.ports[std::size_t(i)]->onClick = [&s, i] { NotePortChosen(s.gps, s.settings.config, i); };
  // Every line setting but the rate box's option enables Save Settings.
  const auto enableSave = [&g] { g.saveButton.enabled = true; };
  for (int i = 0; i < 3; ++i) g.bauds[std::size_t(i)]->onClick = enableSave;
  for (auto* group : {&g.parity, &g.dataBits, &g.stopBits})
    for (ui::OptionButton* option : *group) option->onClick = enableSave;
}

void WireCruiseMap(Station& s) {
  CruiseMapWindow& w = s.cruiseMap;
  s.main.menus.cruiseMap.onClick = [&s] { OpenCruiseMap(s); };
  w.fit.onClick = [&s] { FitCruiseMap(s); };
  w.zoomIn.onClick = [&s] { ZoomCruiseMap(s, 2); };
  w.zoomOut.onClick = [&s] { ZoomCruiseMap(s, 0.5); };
  w.saveAs.onClick = [&s] { SaveCruiseMapAs(s); };
  w.map.onResize = [&s](int width, int height) { ResizeCruiseMap(s, width, height); };
  w.map.onZoom = [&s](double factor, double x, double y) { ZoomCruiseMap(s, factor, x, y); };
  w.map.onPan = [&s](double dx, double dy) { PanCruiseMap(s, dx, dy); };
  w.map.onPick = [&s](double x, double y) { PickOnCruiseMap(s, x, y); };
  w.map.tipAt = [&s](double x, double y) { return CruiseMapTip(s, x, y); };
}

}  // namespace

void WireStation(Station& s) {
  WireShell(s);
  WireLineStation(s);
  WireSelection(s);
  WireLogView(s);
  WireEvents(s);
  WireNav(s);
  WireConfigEditor(s);
  WireListEditor(s);
  WireGpsWindow(s);
  WireCruiseMap(s);
}

}  // namespace ruvek

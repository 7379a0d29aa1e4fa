#include "windows/MainWindow.h"

namespace ruvek {
namespace {

void place(ui::Control& c, int left, int top, int width, int height) { c.geo = {left, top, width, height}; }

}  // namespace

MainWindow::MainWindow(ui::Platform& p) : platform(p) {
  buildControls();
  buildMenus();
  buildOtherForms();
}

void MainWindow::buildControls() {
  form.caption = "Ruvek Event Log";
  form.geo = {0, 0, 14085, 600};  // width in twips, as the window sets it at start

  static const char* kTextTips[8] = {"Cruise Designation",
                                     "Underway Data System Date (DD-MMM-YYYY)",
                                     "Underway Data System Time (HH:MM:SS)",
                                     "Underway GPS Lat; display is rounded but saved lat is full precision",
                                     "Underway GPS Lon; display is rounded but saved lat is full precision",
                                     "Event Number: read in from Eventnumber.txt over network in auto-mode",
                                     "TSG Temperature from MET",
                                     "TSG Salinity from MET"};
  static const char* kTextLabels[8] = {"Cruise", "Date", "Time", "Lat", "Lon", "Evt#", "UTC Date", "UTC Time"};
  static const int kTextLeft[8] = {240, 308, 404, 476, 560, 6, 652, 748};
  static const int kTextWidth[8] = {64, 92, 68, 80, 88, 56, 92, 68};

  // A borderless strip that holds the event number box and the event drop-down,
  // whose positions the start sequence sets inside it.
  auto& entry = form.add<Frame>("fraEventEntry");
  place(entry, 236, 74, 600, 30);

  for (int i = 0; i < 8; ++i) {
    auto& t = form.add<TextBox>(ui::IndexedName("Text1", i), i == 5 ? "fraEventEntry" : "");
    t.tooltip = kTextTips[i];
    if (i == 5)
      place(t, 6, 4, 56, 22);
    else
      place(t, kTextLeft[i], 34, kTextWidth[i], 22);
    auto& label = form.add<ui::Label>(ui::IndexedName("Label1", i), i == 5 ? "fraEventEntry" : "");
    label.caption = kTextLabels[i];
    if (i == 5)
      label.visible = false;
    else
      place(label, kTextLeft[i], 16, kTextWidth[i], 16);
    text1[std::size_t(i)] = &t;
  }
  text1[5]->locked = true;

  combo1 = &form.add<ComboBox>("Combo1", "fraEventEntry");
  combo1->tooltip = "Event: Read in from configured \"xxxevent.txt\" file set in ruvek.cfg, 4th row";
  place(*combo1, 63, 4, 530, 22);
  combo2 = &form.add<ComboBox>("Combo2");
  combo2->tooltip = "Operators Initials";
  place(*combo2, 820, 34, 111, 22);
  auto& initLabel = form.add<ui::Label>("lblInit");
  initLabel.caption = "Init";
  place(initLabel, 820, 16, 111, 16);
  combo3 = &form.add<ComboBox>("Combo3");
  combo3->tooltip = "Tesmora Line calculated by lat & lon to the nearest standard sta in auto-mode";
  combo3->setText("Line");
  place(*combo3, 640, 114, 90, 22);
  combo4 = &form.add<ComboBox>("Combo4");
  combo4->tooltip = "Tesmora Sta calculated by lat & lon to the nearest standard sta in auto-mode";
  combo4->setText("Sta");
  place(*combo4, 736, 114, 90, 22);

  static const char* kButtonCaptions[4] = {"Start", "Standby", "Quit", "Clear Last"};
  static const char* kButtonTips[4] = {"Start Event Data Display", "Pauses Nav Data Display until Resume is pressed",
                                       "Exits the program and saves displayed data to the server",
                                       "Erases last event and rolls back event number"};
  for (int i = 0; i < 4; ++i) {
    auto& b = form.add<Button>(ui::IndexedName("Command1", i));
    b.caption = kButtonCaptions[i];
    b.tooltip = kButtonTips[i];
    place(b, 240 + 90 * i, 110, 86, 28);
    command1[std::size_t(i)] = &b;
  }

  frmSelectEvent = &form.add<Frame>("frmSelectEvent");
  frmSelectEvent->caption = "STANDARD EVENT";
  frmSelectEvent->tooltip = "Standard Events, select one or use drop-down arrow to select Event";
  place(*frmSelectEvent, 8, 16, 220, 520);
  for (int i = 0; i < kOptionPickers; ++i) {
    auto& o = form.add<OptionButton>(ui::IndexedName("Option1", i), "frmSelectEvent");
    o.caption = "Option1";
    o.group = &selectEventGroup_;
    selectEventGroup_.members.push_back(&o);
    place(o, 8, 18 + 16 * i, 204, 16);
    option1[std::size_t(i)] = &o;
  }
  frmSelectMulti = &form.add<Frame>("frmSelectMulti");
  frmSelectMulti->caption = "Select All That Apply";
  frmSelectMulti->tooltip = "First Checked becomes Event, all others are Comments";
  place(*frmSelectMulti, 8, 16, 220, 520);
  for (int i = 0; i < kCheckPickers; ++i) {
    auto& c = form.add<CheckBox>(ui::IndexedName("Check1", i), "frmSelectMulti");
    c.caption = "Check1";
    place(c, 8, 18 + 16 * i, 204, 16);
    check1[std::size_t(i)] = &c;
  }

  auto addGroup = [&](const char* frameName, const char* heading, int left, int width, const char* arrayName,
                      std::initializer_list<const char*> captions, ui::OptionGroup& group, auto& out) -> Frame* {
    auto& f = form.add<Frame>(frameName);
    f.caption = heading;
    place(f, left, 146, width, 44);
    int i = 0;
    const int each = (width - 12) / int(captions.size());
    for (const char* cap : captions) {
      auto& o = form.add<OptionButton>(ui::IndexedName(arrayName, i), frameName);
      o.caption = cap;
      o.group = &group;
      group.members.push_back(&o);
      place(o, 6 + each * i, 18, each, 20);
      out[std::size_t(i)] = &o;
      ++i;
    }
    return &f;
  };
  frame6 = addGroup("Frame6", "Sea Conditions", 240, 220, "Option3", {"Calm", "Modrt", "Rough"}, seaGroup_, option3);
  frame4 = addGroup("Frame4", "Day/Night", 464, 130, "Option4", {"Day", "Night"}, dayNightGroup_, option4);
  frame5 = addGroup("Frame5", "Station Type", 598, 260, "Option5", {"Standard", "Prodo", "SCCOOS"}, stationTypeGroup_,
                    option5);

  txtComments = &form.add<TextBox>("txtComments");
  txtComments->setText("Comments:");
  txtComments->multiLine = true;
  txtComments->tooltip =
      "Enter any comments of interest; Options above will enter automatically when selected; Enter or delete any "
      "info using keyboard/stylus";
  place(*txtComments, 240, 194, 690, 40);

  static const char* kClockCaptions[3] = {"PC Time is PST", "PC Time is PDT", "PC Time is UTC"};
  for (int i = 0; i < 3; ++i) {
    auto& o = form.add<OptionButton>(ui::IndexedName("optPST", i));
    o.caption = kClockCaptions[i];
    o.group = &clockGroup_;
    clockGroup_.members.push_back(&o);
    place(o, 240 + 120 * i, 238, 116, 20);
    optPST[std::size_t(i)] = &o;
  }
  check2 = &form.add<CheckBox>("Check2");
  check2->caption = "Stop Event Advance";
  place(*check2, 610, 238, 140, 20);
  text2 = &form.add<TextBox>("Text2");
  text2->tooltip = "Timer Activity";
  text2->locked = true;
  place(*text2, 760, 255, 170, 22);

  eventLog = &form.add<Grid>("EventLog");
  eventLog->tooltip =
      "Event Log; Edit any row by double-clicking the row or field; make your changes then [Record Event] to replace";
  eventLog->resize(2, kGridCols);
  place(*eventLog, 243, 262, 688, 272);

  statusBar = &form.add<StatusBar>("StatusBar1");
  statusBar->panel(1).text = "Ready...";
  statusBar->panel(2).text = "Press F1 for Help";
  statusBar->panel(3).tooltip = "If current GPS position is parsing correctly, it will indicate here";
  statusBar->panel(6).text = "OrderOcc:";
  statusBar->panel(6).tooltip = "Order Occupied aka Proc#";

  timer1 = &form.add<Timer>("Timer1");
  timer1->setInterval(10000);
  timer1->enabled = true;
}

void MainWindow::buildMenus() {
  mnuCfg = &form.addMenu("mnuCfg", "Config");
  mnuAuto = &form.addMenu("mnuAuto", "Auto Fill Data", "mnuCfg");
  mnuAutoEvent = &form.addMenu("mnuAutoEvent", "Auto Increment Event", "mnuCfg");
  mnuLineSta = &form.addMenu("mnuLineSta", "Line.Sta Setting", "mnuCfg");
  mnuStndLine = &form.addMenu("mnuStndLine", "Use nearest Standard Line.Sta", "mnuLineSta");
  mnuSelectLine = &form.addMenu("mnuSelectLine", "Use selected Line.Sta", "mnuLineSta");
  mnuCalcLine = &form.addMenu("mnuCalcLine", "Use calculated Line.Sta", "mnuLineSta");
  preLoad = &form.addMenu("PreLoad", "Displayed Events", "mnuCfg");
  mnuLastEvent = &form.addMenu("mnuLastEvent", "Last Event Only", "PreLoad");
  mnuCurrSta = &form.addMenu("mnuCurrSta", "Current Sta Events", "PreLoad");
  mnuLastSta = &form.addMenu("mnuLastSta", "Last Station Events", "PreLoad");
  mnuAllEvents = &form.addMenu("mnuAllEvents", "All Events (last 1000 or less)", "PreLoad");
  mnuSelectEvents = &form.addMenu("mnuSelectEvents", "Select Different Events", "mnuCfg");
  mnuCruise = &form.addMenu("mnuCruise", "Cruise", "mnuSelectEvents");
  mnuBridge = &form.addMenu("mnuBridge", "Bridge/AftControl", "mnuSelectEvents");
  mnuMMammals = &form.addMenu("mnuMMammals", "Marine Mammals", "mnuSelectEvents");
  mnuCUFES = &form.addMenu("mnuCUFES", "CUFES", "mnuSelectEvents");
  mnuMulti = &form.addMenu("mnuMulti", "Switch to CheckBox Mode", "mnuCfg");
  mnuEditCfg = &form.addMenu("mnuEditCfg", "Edit ruvek.cfg", "mnuCfg");
  mnuComSet = &form.addMenu("mnuComSet", "Com Port Settings/Input Display", "mnuCfg");
  mnuCfgFiles = &form.addMenu("mnuCfgFiles", "Create/Edit Cfg Files", "mnuCfg");
  mnuEventsFileEdit = &form.addMenu("mnuEventsFileEdit", "Create/Edit Events File", "mnuCfgFiles");
  mnuLineFileEdit = &form.addMenu("mnuLineFileEdit", "Edit Line or Sta Files", "mnuCfgFiles");
  mnuCommentEdit = &form.addMenu("mnuCommentEdit", "Edit Comment Boxes", "mnuCfgFiles");
  mnuhtml = &form.addMenu("mnuhtml", "Generate html", "mnuCfg");
  mnuFileSettings = &form.addMenu("mnuFileSettings", "File Settings");
  mnuNetwork = &form.addMenu("mnuNetwork", "HTML Help", "mnuFileSettings");
  mnuOrderOcc = &form.addMenu("mnuOrderOcc", "OrderOcc File", "mnuFileSettings");
  mnuOrderOccFile = &form.addMenu("mnuOrderOccFile", "OrderOcc.txt", "mnuOrderOcc");
  mnuEventNum = &form.addMenu("mnuEventNum", "EventNumberFile", "mnuFileSettings");
  mnuEventNumFile = &form.addMenu("mnuEventNumFile", "EventNumber.txt", "mnuEventNum");
  mnuPosition = &form.addMenu("mnuPosition", "PostitionFile", "mnuFileSettings");
  mnuCurrPos = &form.addMenu("mnuCurrPos", "CurrPos.txt", "mnuPosition");
  mnuPrint = &form.addMenu("mnuPrint", "Print");
  mnuPrintLog = &form.addMenu("mnuPrintLog", "Print Log", "mnuPrint");
  mnuExport = &form.addMenu("mnuExport", "Generate Entire Cruise Event File", "mnuPrint");
  mnuExit = &form.addMenu("mnuExit", "Exit");

  // The five check marks the window opens with.
  for (Menu* m : {mnuAuto, mnuAutoEvent, mnuStndLine, mnuLastEvent, mnuhtml}) m->checked = true;
}

void MainWindow::buildOtherForms() {
  eventEditForm.caption = "Event List";
  eventEditForm.geo = {0, 0, 420, 560};
  eventList = &eventEditForm.add<Grid>("EventList");
  eventList->resize(31, 2);
  eventList->colWidths = {600, 4000};
  place(*eventList, 8, 8, 400, 500);
  for (int i = 0; i < 3; ++i) {
    auto& b = eventEditForm.add<Button>(ui::IndexedName("Command1", i));
    place(b, 8 + 134 * i, 516, 130, 28);
  }
  eventEditForm.find("Command1(0)")->caption = "Update Event File";
  eventEditForm.find("Command1(1)")->caption = "Save To New Event File";
  eventEditForm.find("Command1(2)")->caption = "Close";

  commCheckForm.caption = "GPS Input";
  commCheckForm.geo = {0, 0, 480, 320};
  btnGo = &commCheckForm.add<Button>("btnGo");
  btnGo->caption = "GO";
  place(*btnGo, 8, 8, 80, 28);
  commTimer = &commCheckForm.add<Timer>("Timer1");
  commTimer->enabled = false;

  editCfgForm.caption = "C:\\RuvekGPS.cfg Current Settings";
  editCfgForm.geo = {0, 0, 520, 640};
}

ui::Control* MainWindow::findControl(const std::string& name) {
  for (Form* f : forms()) {
    if (name == f->name()) return f;
    const std::string prefix = f->name() + ".";
    if (name.rfind(prefix, 0) == 0) return f->find(name.substr(prefix.size()));
  }
  return form.find(name);
}

std::optional<PcClock> SelectedClock(const std::array<OptionButton*, 3>& options) {
  for (PcClock clock : {PcClock::Utc, PcClock::Pdt, PcClock::Pst})
    if (options[std::size_t(clock)]->value()) return clock;
  return std::nullopt;
}

void SetEventLogWidth(MainWindow& w, int width) {
  // The wide grid sits below the short picker frame; the narrow one beside the tall frame.
  if (width >= 812)
    w.eventLog->geo = {119, 310, width, 224};
  else
    w.eventLog->geo = {243, 262, width, 272};
}

void EndProgram(MainWindow& w) {
  w.timer1->setEnabled(false);
  w.commTimer->setEnabled(false);
  if (w.platform.serial().isOpen()) w.platform.serial().close();
  throw ui::ProgramEnded{};
}

}  // namespace ruvek

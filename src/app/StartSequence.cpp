#include "app/StartSequence.h"

#include "core/CommentOptions.h"
#include "core/TextRoutines.h"
#include "events/Recording.h"
#include "grid/LineStaModes.h"
#include "logview/EventGrid.h"
#include "selection/Pickers.h"

namespace ruvek {
namespace {

const char* kDesignCaption = "Ruvek Event Log";
const int kColumnWidths[kGridCols] = {800, 600, 600, 1250, 950, 2400, 1000, 1100, 600, 3000};
const char* kHeadings[kGridCols] = {"Evt#", "Line", "Sta", "Date", "Time", "Event", "Lat", "Lon", "Init", "Comments"};

void ReportMissing(MainWindow& w, const std::string& path) { w.ask("Unable to find " + path, ""); }

void ReadConfiguration(MainWindow& w) {
  try {
    ReadConfig(w.fs(), w.config);
  } catch (const ui::FileError&) {
    // Without its configuration the station still opens, on empty rows, so the
    // operator can see what is wrong and set it up.
    w.config = CruiseConfig{};
    ReportMissing(w, kConfigPath);
  }
  w.settings = DeriveSettings(w.config);
}

void ShowCaptions(MainWindow& w) {
  const auto& s = w.settings;
  w.frmSelectEvent->caption = s.eventListType + " Events";
  w.frmSelectEvent->tooltip = "Events loaded from " + s.eventListPath + " (Double-click to edit)";
  w.mnuEventNumFile->caption = s.eventNumberPath;
  w.mnuCurrPos->caption = s.currPosPath;
  w.form.caption = w.config.row(1) + " " + w.config.row(2) + " " + kDesignCaption;
}

void ChoosePickerMode(MainWindow& w) {
  const bool multi = w.config.row(20).find("MULTI") != std::string::npos;
  w.multiMode = multi;
  w.frmSelectEvent->visible = !multi;
  w.frmSelectMulti->visible = multi;
  if (multi) {
    w.mnuMulti->checked = true;
    for (auto* c : w.check1) c->visible = false;
  } else {
    for (auto* o : w.option1) o->visible = false;
  }
}

void LayOutNumberAndGrid(MainWindow& w) {
  int boxWidth = 56, comboWidth = 530, comboLeft = 63;
  if (w.settings.numberScheme == "JULIAN") {
    if (ToUpper(w.config.row(20)) == "LONG") {
      boxWidth = 112, comboWidth = 377, comboLeft = 120;
    } else {
      boxWidth = 96, comboWidth = 395, comboLeft = 102;
    }
  }
  w.text1[5]->geo.width = boxWidth;
  w.combo1->geo.width = comboWidth;
  w.combo1->geo.left = comboLeft;

  Grid& g = *w.eventLog;
  g.fixedRows = 1;
  g.fixedCols = 0;
  g.resize(kGridRows, kGridCols);
  g.colWidths.assign(std::begin(kColumnWidths), std::end(kColumnWidths));
  for (int c = 0; c < kGridCols; ++c) g.setCell(0, c, kHeadings[c]);
}

void PrepareListEditor(MainWindow& w) {
  w.eventList->setCell(0, 0, "Num");
  w.eventList->setCell(0, 1, "Event");
}

void LoadInitials(MainWindow& w) {
  const std::string& path = w.settings.initialsPath;
  if (!w.fs().exists(path)) return ReportMissing(w, path);
  for (const auto& line : w.fs().readLines(path))
    if (!Trim(line).empty()) w.combo2->items.push_back(line);
}

void ShowFirstItems(MainWindow& w) {
  for (ComboBox* c : {w.combo1, w.combo2, w.combo3, w.combo4}) c->setText(c->items.empty() ? "" : c->items.front());
}

// Steps 10 to 14 read the event list and the other start-up files. A read
// error shows a message, waits a second and reads them all again from step
// 10; a second failure reports the file and start-up goes on without it.
void LoadStartFiles(MainWindow& w) {
  bool retried = false;
  for (int step = 10; step <= 14; ++step) {
    try {
      switch (step) {
        case 10: PrepareListEditor(w); break;
        case 11: StartLoadEventList(w); break;
        case 12:
          if (w.fs().exists(w.settings.commentOptionsPath))
            ApplyCommentOptions(w, w.settings.commentOptionsPath);
          else
            ReportMissing(w, w.settings.commentOptionsPath);
          break;
        case 13: LoadInitials(w); break;
        case 14:
          LoadLineLists(w);
          ShowFirstItems(w);
          break;
      }
    } catch (const ui::FileError& e) {
      if (!retried) {
        retried = true;
        w.ask("Event File is not available...retrying", "");
        w.wait(1000);
        w.combo2->items.clear();
        step = 9;
        continue;
      }
      w.ask("Unable to read " + e.path + " - going on without it", "", ui::Buttons::OK, ui::Icon::Exclamation);
    }
  }
}

void AskReadyToStart(MainWindow& w) {
  if (w.config.row(10) != "NETWORK" && !w.networkMode) return;
  w.networkMode = true;
  w.setStatus("Auto/Network Mode Enabled - Press Start to load Current Position.");
  const auto a = w.ask("Press YES if you are Ready For Event Logging; Press NO to configure EventLog.",
                       "Ready to Start? Y/N", ui::Buttons::YesNo);
  if (a == ui::Answer::Yes) w.command1[0]->caption = "Record Event";
}

void ChooseNavigationSource(MainWindow& w) {
  const std::string source = ToUpper(Trim(w.config.row(11)));
  if (source == "GPS" || source == "UDP") {
    w.gpsSource = source;
    w.mnuAuto->checked = true;
    // The serial GPS window comes to the front; it shows the main window again.
    w.commCheckForm.visible = true;
    w.platform.formShown(w.commCheckForm);
    w.form.visible = false;
    w.platform.formShown(w.form);
  } else if (source == "KNORR" || source == "NETWORK") {
    w.gpsSource = source;
    w.mnuAuto->checked = true;
  } else if (source == "MET") {
    w.gpsSource = "MET";
  } else if (source == "JORDAN" || source == "SCS") {
    w.gpsSource = "SCS";
  }
}

void ApplyLineStaMethod(MainWindow& w) {
  const std::string& method = w.config.row(16);
  Menu* chosen = method == "CALCULATE"  ? w.mnuCalcLine
                 : method == "STANDARD" ? w.mnuStndLine
                 : method == "SELECT"   ? w.mnuSelectLine
                                        : nullptr;
  if (!chosen) return;
  for (Menu* m : {w.mnuCalcLine, w.mnuStndLine, w.mnuSelectLine}) m->checked = m == chosen;
}

void ApplyClockOption(MainWindow& w) {
  const std::string zone = ToUpper(Trim(w.config.row(21)));
  if (zone == "PST") w.optPST[0]->setValue(true);
  if (zone == "PDT") w.optPST[1]->setValue(true);
  if (zone == "UTC") w.optPST[2]->setValue(true);
}

void ApplyOptionLine(OptionButton& option, const std::string& heading, const std::string& line,
                     std::string (*abbreviate)(const std::string&)) {
  if (Trim(line).empty()) return;
  option.tooltip = heading + ": " + line;
  option.caption = abbreviate(line);
}

}  // namespace

void ApplyCommentOptions(MainWindow& w, const std::string& path) {
  const auto lines = w.fs().readLines(path);
  if (lines.size() < 11) throw ui::FileError("too few lines in " + path, path);
  w.frame5->caption = StationTypeHeading(lines[0]);
  for (int i = 0; i < 3; ++i) ApplyOptionLine(*w.option5[i], w.frame5->caption, lines[1 + i], StationTypeCaption);
  w.frame6->caption = SeaConditionsHeading(lines[4]);
  for (int i = 0; i < 3; ++i) ApplyOptionLine(*w.option3[i], w.frame6->caption, lines[5 + i], SeaConditionCaption);
  w.frame4->caption = DayNightHeading(lines[8]);
  for (int i = 0; i < 2; ++i) ApplyOptionLine(*w.option4[i], w.frame4->caption, lines[9 + i], DayNightCaption);
}

void FormLoad(MainWindow& w) {
  w.form.geo.width = 14085;
  w.networkMode = true;
  w.manualEventNumber = false;
  w.editingRow = false;
  ReadConfiguration(w);
  ShowCaptions(w);
  w.text1[0]->setText(w.config.row(2));
  LoadOrderOccupied(w);
  w.gridRowCount = 1;
  ChoosePickerMode(w);
  LayOutNumberAndGrid(w);
  LoadStartFiles(w);
  PreloadEventLog(w);
  LoadEventNumber(w);
  w.form.visible = true;
  w.platform.formShown(w.form);
  AskReadyToStart(w);
  ChooseNavigationSource(w);
  ApplyLineStaMethod(w);
  ApplyClockOption(w);
}

}  // namespace ruvek

#include "grid/LineStaModes.h"

#include "core/TextRoutines.h"
#include "grid/LineStation.h"

namespace ruvek {
namespace {

// Every line that is not blank becomes an entry, as read (not trimmed).
std::vector<std::string> ListEntries(const std::vector<std::string>& lines) {
  std::vector<std::string> entries;
  for (const auto& line : lines)
    if (!Trim(line).empty()) entries.push_back(line);
  return entries;
}

// Fills a drop-down from a list file; a missing file is reported and leaves the
// box empty. A read error throws ui::FileError.
void LoadList(MainWindow& w, ComboBox& box, const std::string& path) {
  box.items.clear();
  if (!w.fs().exists(path)) {
    w.ask("Unable to find " + path, "");
  } else {
    box.items = ListEntries(w.fs().readLines(path));
  }
  box.setText(box.items.empty() ? "" : box.items.front());
}

std::string FirstEntry(const ComboBox& box) { return box.items.empty() ? "" : box.items.front(); }

void CheckOnly(MainWindow& w, Menu* mode) {
  for (Menu* m : {w.mnuStndLine, w.mnuCalcLine, w.mnuSelectLine}) m->checked = m == mode;
}

void Combo3Click(MainWindow& w) {
  if (!RefreshStations(w, w.combo3->text())) return;
  w.combo4->setText(FirstEntry(*w.combo4));
  if (!w.mnuAuto->checked || w.mnuSelectLine->checked) return;
  const auto answer = w.ask("Line & Station are automatically calculated from Lat & Lon. Disable feature? Y/N",
                            "Turn of Line.Sta Calculation?", ui::Buttons::YesNo, ui::Icon::Information);
  // Selected mode keeps the operator's line and station from the next ticks.
  if (answer == ui::Answer::Yes) CheckOnly(w, w.mnuSelectLine);
}

void ChooseMode(MainWindow& w, Menu* mode, const std::string& line, const std::string& station, const char* rowValue) {
  if (mode->checked) return;
  CheckOnly(w, mode);
  w.combo3->setText(line);
  w.combo4->setText(station);
  // Reaches the configuration file the next time the file is written.
  w.config.row(16) = rowValue;
}

void EditLineFile(MainWindow& w) {
  if (auto chosen = w.platform.fileDialog("C:\\RuvekGPS")) w.lastEditorFile = *chosen;
  // A cancelled dialog opens the file it last held; the name is passed to the
  // editor as an argument, never through a shell.
  w.platform.startEditor(w.lastEditorFile);
}

}  // namespace

void LoadLineLists(MainWindow& w) {
  LoadList(w, *w.combo3, w.settings.programDir + "Lines.txt");
  LoadList(w, *w.combo4, w.settings.programDir + "Line93.txt");
}

bool RefreshStations(MainWindow& w, const std::string& lineText) {
  const auto file = StationFileFor(lineText);
  if (!file) return false;
  const std::string path = w.settings.programDir + *file;
  std::vector<std::string> lines;
  try {
    if (!w.fs().exists(path)) return false;
    lines = w.fs().readLines(path);
  } catch (const ui::FileError&) {
    return false;  // the box keeps its list
  }
  w.combo4->items = ListEntries(lines);
  return true;
}

void WireGrid(MainWindow& w) {
  w.combo3->onClick = [&w] { Combo3Click(w); };
  w.mnuStndLine->onClick = [&w] { ChooseMode(w, w.mnuStndLine, w.nav.stndLine, w.nav.stndSta, "STANDARD"); };
  w.mnuCalcLine->onClick = [&w] { ChooseMode(w, w.mnuCalcLine, w.nav.calcLine, w.nav.calcSta, "CALCULATE"); };
  w.mnuSelectLine->onClick = [&w] {
    ChooseMode(w, w.mnuSelectLine, FirstEntry(*w.combo3), FirstEntry(*w.combo4), "SELECT");
  };
  w.mnuLineFileEdit->onClick = [&w] { EditLineFile(w); };
}

}  // namespace ruvek

#include "grid/LineStaModes.h"

#include "core/Config.h"
#include "core/Settings.h"
#include "core/TextRoutines.h"
#include "grid/LineStation.h"

namespace ruvek {
namespace {

constexpr const char* kLineFileFolder = "C:\\RuvekGPS";

// Every line that is not blank becomes an entry, as read (not trimmed).
std::vector<std::string> ListEntries(const std::vector<std::string>& lines) {
  std::vector<std::string> entries;
  for (const auto& line : lines)
    if (!TrimView(line).empty()) entries.push_back(line);
  return entries;
}

std::string FirstEntry(const ui::ComboBox& box) { return box.items.empty() ? "" : box.items.front(); }

// Fills a drop-down from a list file; a missing file is reported and leaves the
// box empty. A read error throws os::FileError.
void LoadList(ui::Platform& platform, ui::ComboBox& box, const std::string& path) {
  box.items.clear();
  if (!platform.files().exists(path)) {
    platform.ask("Unable to find " + path, "");
  } else {
    box.items = ListEntries(platform.files().readLines(path));
  }
  box.setText(FirstEntry(box));
}

ui::Menu& MenuOf(Menus& menus, LineStaMode mode) {
  switch (mode) {
    case LineStaMode::Standard: return menus.standardLine;
    case LineStaMode::Calculated: return menus.calcLine;
    case LineStaMode::Selected: break;
  }
  return menus.selectedLine;
}

const char* RowValueOf(LineStaMode mode) {
  switch (mode) {
    case LineStaMode::Standard: return "STANDARD";
    case LineStaMode::Calculated: return "CALCULATE";
    case LineStaMode::Selected: break;
  }
  return "SELECT";
}

}  // namespace

std::optional<LineStaMode> LineStaModeOfRow(const std::string& row16) {
  for (LineStaMode mode : {LineStaMode::Calculated, LineStaMode::Standard, LineStaMode::Selected})
    if (row16 == RowValueOf(mode)) return mode;
  return std::nullopt;
}

void CheckLineStaMode(Menus& menus, LineStaMode mode) {
  ui::Menu& chosen = MenuOf(menus, mode);
  for (ui::Menu* m : {&menus.standardLine, &menus.calcLine, &menus.selectedLine}) m->checked = m == &chosen;
}

void LoadLineLists(ui::Platform& platform, const std::string& programDir, ui::ComboBox& lineBox,
                   ui::ComboBox& stationBox) {
  LoadList(platform, lineBox, programDir + "Lines.txt");
  LoadList(platform, stationBox, programDir + "Line93.txt");
}

bool RefreshStations(const os::FileSystem& fs, const std::string& programDir, ui::ComboBox& stationBox,
                     const std::string& lineText) {
  const auto file = StationFileFor(lineText);
  if (!file) return false;
  const std::string path = programDir + *file;
  std::vector<std::string> lines;
  try {
    if (!fs.exists(path)) return false;
    lines = fs.readLines(path);
  } catch (const os::FileError&) {
    return false;  // the box keeps its list
  }
  stationBox.items = ListEntries(lines);
  return true;
}

void ChooseLine(Station& s) {
  MainWindow& w = s.main;
  if (!RefreshStations(s.platform.files(), s.settings.programDir, w.stationCombo, w.lineCombo.text())) return;
  w.stationCombo.setText(FirstEntry(w.stationCombo));
  if (!w.menus.autoFill.checked || w.menus.selectedLine.checked) return;
  const auto answer = s.platform.ask("Line & Station are automatically calculated from Lat & Lon. Disable feature? Y/N",
                                     "Turn of Line.Sta Calculation?", ui::Buttons::YesNo, ui::Icon::Information);
  // Selected mode keeps the operator's line and station from the next ticks.
  if (answer == ui::Answer::Yes) CheckLineStaMode(w.menus, LineStaMode::Selected);
}

void ChooseLineStaMode(Station& s, LineStaMode mode) {
  MainWindow& w = s.main;
  if (MenuOf(w.menus, mode).checked) return;
  CheckLineStaMode(w.menus, mode);
  const NavSnapshot& nav = s.state.poll.nav;
  switch (mode) {
    case LineStaMode::Standard:
      w.lineCombo.setText(nav.stndLine);
      w.stationCombo.setText(nav.stndSta);
      break;
    case LineStaMode::Calculated:
      w.lineCombo.setText(nav.calcLine);
      w.stationCombo.setText(nav.calcSta);
      break;
    case LineStaMode::Selected: {
      const std::string line = FirstEntry(w.lineCombo), station = FirstEntry(w.stationCombo);
      w.lineCombo.setText(line);
      w.stationCombo.setText(station);
      break;
    }
  }
  // Reaches the configuration file the next time the file is written.
  SetRowFromMenu(s.settings, ConfigRow::LineStaMethod, RowValueOf(mode));
}

void EditLineFile(Station& s) {
  if (auto chosen = s.platform.fileDialog(kLineFileFolder)) {
    // A bare name is a file of the dialog's folder: the editor always gets a
    // full path, never a name it could take for an option ("-x").
    s.state.lastEditorFile = chosen->empty() || IsFullPath(*chosen) ? *chosen : std::string(kProgramDir) + *chosen;
  }
  // A cancelled dialog opens the file it last held, and nothing when there is
  // none; the name is passed to the editor as an argument, never through a shell.
  const std::string& file = s.state.lastEditorFile;
  if (file.empty() || s.platform.startEditor(file)) return;
  // Nothing opened: the operator learns how to name an editor rather than
  // waiting for a window that never comes.
  const auto editor = ui::EditorProgram();
  const std::string how =
      "Set VISUAL or EDITOR to the command of a text editor (for example VISUAL=gedit) before starting "
      "Ruvek Event Log, or install xdg-open.";
  s.platform.ask(editor ? "Unable to start the text editor " + *editor + " on " + file + ". " + how
                        : "No text editor is set to open " + file + ". " + how,
                 "Edit Line or Sta Files", ui::Buttons::OK, editor ? ui::Icon::Exclamation : ui::Icon::Information);
}

}  // namespace ruvek

#include "app/ConfigEditor.h"

#include <algorithm>

#include "core/Format.h"
#include "core/Settings.h"
#include "core/TextRoutines.h"

namespace ruvek {
namespace {

constexpr std::size_t kYearFolderAt = 9;  // position 10, counted from 1

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool PositiveNumber(const std::string& text) {
  const std::string_view t = TrimView(text);
  const auto points = std::count(t.begin(), t.end(), '.');
  const bool numeric =
      points <= 1 && std::all_of(t.begin(), t.end(), [](char c) { return c == '.' || (c >= '0' && c <= '9'); });
  return numeric && LeadingNumber(t) > 0;
}

std::string Row(const CruiseConfig& rows, int n) { return Trim(rows.row(n), " "); }

void CheckFolder(const ui::FileSystem& fs, std::map<int, std::string>& why, int row, const std::string& folder) {
  if (folder.empty())
    why[row] = "No directory given";
  else if (!fs.folderExists(folder))
    why[row] = folder + " does not exist";
}

void CheckFile(const ui::FileSystem& fs, std::map<int, std::string>& why, int row, const std::string& folder,
               const std::string& name) {
  if (name.empty())
    why[row] = "No file given";
  else if (!fs.exists(folder + name))
    why[row] = folder + name + " does not exist";
}

// The rows the menus changed are in the file now as the editor wrote them,
// unless a menu changed one after the editor showed it: that is still to be
// written.
void SettleMenuRows(Settings& settings, const CruiseConfig& shown, const CruiseConfig& written) {
  std::erase_if(settings.menuRows, [&](int n) {
    const std::string& inMemory = settings.config.row(n);
    return inMemory == shown.row(n) || inMemory == written.row(n);
  });
}

void AskRestart(Station& s) {
  const auto answer = s.platform.ask("You have to restart the program to load the changes. Restart now? Y/N",
                                     "Restart Program?", ui::Buttons::YesNo, ui::Icon::Error);
  if (answer != ui::Answer::Yes) return;
  s.platform.show(s.configEditor.form, false);
  RestartProgram(s.platform, s.main.pollTimer, s.gps.timer);
}

void SaveConfig(Station& s) {
  ConfigEditorWindow& w = s.configEditor;
  // A closed editor saves what it would show when opened.
  if (!w.form.visible) RefreshConfigRows(s.platform.files(), s.settings.config, w);
  const CruiseConfig rows = RowsOfFields(w);
  try {
    WriteConfig(s.platform.files(), rows);
  } catch (const ui::FileError&) {
    // The file is replaced whole or not at all: the old settings stay.
    s.platform.ask(std::string("Unable to write ") + kConfigPath + " - the settings were not saved", "",
                   ui::Buttons::OK, ui::Icon::Error);
    return;
  }
  SettleMenuRows(s.settings, w.shownRows, rows);
  w.studyEdited = false;
  AskRestart(s);
}

void ReportNoNewCruise(ui::Platform& platform, const NewCruiseDirectory& dirs, const std::string& dataDir) {
  const std::string text =
      dirs.yearFolder.empty() ? "The Study needs the two digits of the year (for example 0708SR) to set up a new cruise"
                              : "The year folder " + dirs.yearFolder + " was not found in the Data Directory " +
                                    dataDir + " - set the Data and Nav Directories by hand";
  platform.ask(text, "Reset for new cruise?", ui::Buttons::OK, ui::Icon::Exclamation);
}

}  // namespace

NewCruiseDirectory NewCruiseDataDir(const std::string& dataDir, const std::string& study) {
  NewCruiseDirectory out;
  const std::string code = Trim(study, " ").substr(0, 4);
  if (code.size() < 2) return out;
  out.yearFolder = "20" + code.substr(0, 2);
  std::size_t at = dataDir.find(out.yearFolder);
  if (at == std::string::npos && dataDir.size() >= kYearFolderAt + 4) {
    const std::string oldYear = dataDir.substr(kYearFolderAt, 4);
    if (AllDigits(oldYear)) at = dataDir.find(oldYear);
  }
  if (at == std::string::npos) return out;
  out.dataDir = dataDir.substr(0, at) + out.yearFolder + "\\" + code + "\\Events\\";
  return out;
}

std::map<int, std::string> ConfigWarnings(const ui::FileSystem& fs, const CruiseConfig& rows) {
  std::map<int, std::string> why;
  const std::string dataDir = Row(rows, 3), navDir = Row(rows, 4);
  CheckFolder(fs, why, 3, dataDir);
  CheckFolder(fs, why, 4, navDir);
  for (int row : {5, 6, 18}) CheckFile(fs, why, row, kProgramDir, Row(rows, row));
  CheckFile(fs, why, 7, dataDir, Row(rows, 7));
  CheckFile(fs, why, 8, navDir, Row(rows, 8));
  if (!PositiveNumber(rows.row(9))) why[9] = "The sampling rate is not a positive number of milliseconds";
  return why;
}

CruiseConfig RowsOfFields(const ConfigEditorWindow& w) {
  CruiseConfig rows;
  for (int n = 1; n <= kConfigRowsWritten; ++n) {
    std::string text = w.fields[std::size_t(n)]->text();
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    rows.row(n) = text;
  }
  return rows;
}

void ShowConfigRows(const ui::FileSystem& fs, const CruiseConfig& config, ConfigEditorWindow& w) {
  w.shownRows = config;
  for (int n = 1; n <= kConfigRowsWritten; ++n) w.fields[std::size_t(n)]->setText(config.row(n));
  ShowConfigWarnings(fs, w);
}

void RefreshConfigRows(const ui::FileSystem& fs, const CruiseConfig& config, ConfigEditorWindow& w) {
  for (int n = 1; n <= kConfigRowsWritten; ++n) {
    ui::EditableText& field = *w.fields[std::size_t(n)];
    if (field.text() != w.shownRows.row(n)) continue;
    w.shownRows.row(n) = config.row(n);
    field.setText(config.row(n));
  }
  ShowConfigWarnings(fs, w);
}

void ShowConfigWarnings(const ui::FileSystem& fs, ConfigEditorWindow& w) {
  const std::map<int, std::string> why = ConfigWarnings(fs, RowsOfFields(w));
  for (int n = 1; n <= kConfigRowsWritten; ++n) {
    ui::Label& mark = *w.warnings[std::size_t(n)];
    const auto it = why.find(n);
    mark.visible = it != why.end();
    mark.caption = n == 9 ? "<- not a number" : "<- not found";
    mark.tooltip = mark.visible ? it->second : "";
  }
}

void EditConfig_Click(Station& s) {
  // An open editor keeps what has been typed into it.
  if (!s.configEditor.form.visible) RefreshConfigRows(s.platform.files(), s.settings.config, s.configEditor);
  s.platform.show(s.configEditor.form);
}

void Study_KeyPress(ConfigEditorWindow& w) { w.studyEdited = true; }

void Study_LostFocus(Station& s) {
  ConfigEditorWindow& w = s.configEditor;
  if (!w.studyEdited) return;
  if (s.platform.ask("New cruise number entered, setup for a new cruise? Y/N", "Reset for new cruise?",
                     ui::Buttons::YesNoCancel) != ui::Answer::Yes)
    return;
  const NewCruiseDirectory dirs = NewCruiseDataDir(w.dataDir.text(), w.study.text());
  if (!dirs.dataDir) return ReportNoNewCruise(s.platform, dirs, w.dataDir.text());
  w.dataDir.setText(*dirs.dataDir);
  w.navDir.setText(*dirs.dataDir);
}

void ConfigEditor_Click(Station& s, int index) {
  if (index == 0) return SaveConfig(s);
  if (index != 1) return;
  // The window is unloaded: what was typed into it and not saved is dropped.
  s.platform.show(s.configEditor.form, false);
  ShowConfigRows(s.platform.files(), s.settings.config, s.configEditor);
}

}  // namespace ruvek

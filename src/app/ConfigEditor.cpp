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

// Digits with at most one point: "2000", "2500.6".
bool PlainNumber(std::string_view t) {
  const auto points = std::count(t.begin(), t.end(), '.');
  return points <= 1 && std::any_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
         std::all_of(t.begin(), t.end(), [](char c) { return c == '.' || (c >= '0' && c <= '9'); });
}

// Whether a number can be read from the start of `t`, as LeadingNumber reads it.
bool StartsWithNumber(std::string_view t) {
  std::size_t i = !t.empty() && (t[0] == '+' || t[0] == '-') ? 1 : 0;
  if (i < t.size() && t[i] == '.') ++i;
  return i < t.size() && t[i] >= '0' && t[i] <= '9';
}

std::string Row(const CruiseConfig& rows, int n) { return Trim(rows.row(n), " "); }

using Marks = std::map<int, FieldMark>;
const char* const kNotFound = "<- not found";

void CheckFolder(const os::FileSystem& fs, Marks& marks, int row, const std::string& folder) {
  if (folder.empty())
    marks[row] = {kNotFound, "No directory given"};
  else if (!fs.folderExists(folder))
    marks[row] = {kNotFound, folder + " does not exist"};
}

// The file a row names (`name`), looked for at `path`.
void CheckFile(const os::FileSystem& fs, Marks& marks, int row, const std::string& name, const std::string& path) {
  if (name.empty())
    marks[row] = {kNotFound, "No file given"};
  else if (!fs.exists(path))
    marks[row] = {kNotFound, path + " does not exist"};
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
                                     "Restart Program?", ui::Buttons::YesNo, ui::Icon::Question);
  if (answer != ui::Answer::Yes) return;
  s.platform.hide(s.configEditor.form);
  RestartProgram(s.platform, s.main.pollTimer, s.gps.timer);
}

// Writes the fields to the file and offers the restart; false when the file
// could not be written.
bool SaveConfig(Station& s) {
  ConfigEditorWindow& w = s.configEditor;
  // A closed editor saves what it would show when opened.
  if (!w.form.visible) RefreshConfigRows(s.platform.files(), s.settings.config, w);
  const CruiseConfig rows = RowsOfFields(w);
  try {
    WriteConfig(s.platform.files(), rows);
  } catch (const os::FileError&) {
    // The file is replaced whole or not at all: the old settings stay.
    s.platform.ask(std::string("Unable to write ") + kConfigPath + " - the settings were not saved", "",
                   ui::Buttons::OK, ui::Icon::Error);
    return false;
  }
  SettleMenuRows(s.settings, w.shownRows, rows);
  w.studyEdited = false;
  w.savedRows = rows;
  AskRestart(s);
  return true;
}

// A field holds what the operator typed and no save has written.
bool HasUnsavedEdits(const ConfigEditorWindow& w) {
  const CruiseConfig rows = RowsOfFields(w);
  const CruiseConfig& kept = w.savedRows ? *w.savedRows : w.shownRows;
  for (int n = 1; n <= kConfigRowsWritten; ++n)
    if (rows.row(n) != kept.row(n)) return true;
  return false;
}

void ReportNoNewCruise(ui::Platform& platform, const NewCruiseDirectory& dirs, const std::string& study,
                       const std::string& dataDir) {
  const std::string text =
      dirs.yearFolder.empty()
          ? "The Study " + Trim(study, " ") +
                " does not begin with the two digits of the year (for example 0708SR) - set the Data and Nav "
                "Directories by hand"
          : "The year folder " + dirs.yearFolder + " was not found in the Data Directory " + dataDir +
                " - set the Data and Nav Directories by hand";
  platform.ask(text, "Reset for new cruise?", ui::Buttons::OK, ui::Icon::Exclamation);
}

}  // namespace

NewCruiseDirectory NewCruiseDataDir(const std::string& dataDir, const std::string& study) {
  NewCruiseDirectory out;
  const std::string code = Trim(study, " ").substr(0, 4);
  if (code.size() < 2 || !AllDigits(std::string_view(code).substr(0, 2))) return out;
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

std::optional<FieldMark> SamplingRateMark(const std::string& row9) {
  const std::string rate = Trim(row9, " ");
  const PollInterval start = IntervalFromRow(rate, kStartIntervalMs);
  const double value = LeadingNumber(rate);
  if (PlainNumber(rate) && value == start.ms) return std::nullopt;
  const std::string readAs = "<- read as " + std::to_string(start.ms);
  if (!(value > 0)) {
    const bool number = StartsWithNumber(rate);
    const std::string what = rate.empty() ? "No sampling rate is given"
                             : number     ? rate + " is no positive number"
                                          : rate + " is not a number";
    return FieldMark{number || rate.empty() ? readAs : "<- not a number",
                     what + ": a start polls first after " + std::to_string(kStartIntervalMs) + " ms, then every " +
                         std::to_string(kTickIntervalMs) + " ms"};
  }
  if (start.clamped)
    return FieldMark{readAs, rate + " ms is beyond the timer's " + std::to_string(kLongestInterval) +
                                 " ms: a start polls every " + std::to_string(kLongestInterval) + " ms"};
  return FieldMark{readAs, "A start reads " + rate + " as " + std::to_string(start.ms) + " ms"};
}

std::map<int, FieldMark> ConfigWarnings(const os::FileSystem& fs, const CruiseConfig& rows) {
  Marks marks;
  const std::string dataDir = Row(rows, 3), navDir = Row(rows, 4);
  CheckFolder(fs, marks, 3, dataDir);
  CheckFolder(fs, marks, 4, navDir);
  const std::string list = Row(rows, 5);
  CheckFile(fs, marks, 5, list, EventListPathOf(kProgramDir, list));
  for (int row : {6, 18}) CheckFile(fs, marks, row, Row(rows, row), kProgramDir + Row(rows, row));
  CheckFile(fs, marks, 7, Row(rows, 7), dataDir + Row(rows, 7));
  CheckFile(fs, marks, 8, Row(rows, 8), navDir + Row(rows, 8));
  if (auto mark = SamplingRateMark(rows.row(9))) marks[9] = *mark;
  return marks;
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

void ShowConfigRows(const os::FileSystem& fs, const CruiseConfig& config, ConfigEditorWindow& w) {
  w.shownRows = config;
  w.savedRows.reset();
  w.filling = true;
  for (int n = 1; n <= kConfigRowsWritten; ++n) w.fields[std::size_t(n)]->setText(config.row(n));
  w.filling = false;
  ShowConfigWarnings(fs, w);
}

void RefreshConfigRows(const os::FileSystem& fs, const CruiseConfig& config, ConfigEditorWindow& w) {
  w.filling = true;
  for (int n = 1; n <= kConfigRowsWritten; ++n) {
    ui::EditableText& field = *w.fields[std::size_t(n)];
    if (field.text() != w.shownRows.row(n)) continue;
    w.shownRows.row(n) = config.row(n);
    field.setText(config.row(n));
  }
  w.filling = false;
  ShowConfigWarnings(fs, w);
}

void ShowConfigWarnings(const os::FileSystem& fs, ConfigEditorWindow& w) {
  // Each field filled would look for every file again; a fill marks once.
  if (w.filling) return;
  const std::map<int, FieldMark> marks = ConfigWarnings(fs, RowsOfFields(w));
  for (int n = 1; n <= kConfigRowsWritten; ++n) {
    ui::Label& label = *w.warnings[std::size_t(n)];
    const auto it = marks.find(n);
    label.visible = it != marks.end();
    label.caption = label.visible ? it->second.caption : "";
    label.tooltip = label.visible ? it->second.why : "";
  }
}

void OpenConfigEditor(Station& s) {
  // An open editor keeps what has been typed into it.
  if (!s.configEditor.form.visible) RefreshConfigRows(s.platform.files(), s.settings.config, s.configEditor);
  s.platform.show(s.configEditor.form);
}

void NoteStudyTyped(ConfigEditorWindow& w) { w.studyEdited = true; }

void OfferNewCruiseFolders(Station& s) {
  ConfigEditorWindow& w = s.configEditor;
  if (!w.studyEdited) return;
  if (s.platform.ask("New cruise number entered, setup for a new cruise? Y/N", "Reset for new cruise?",
                     ui::Buttons::YesNoCancel) != ui::Answer::Yes)
    return;
  const NewCruiseDirectory dirs = NewCruiseDataDir(w.dataDir.text(), w.study.text());
  if (!dirs.dataDir) return ReportNoNewCruise(s.platform, dirs, w.study.text(), w.dataDir.text());
  w.dataDir.setText(*dirs.dataDir);
  w.navDir.setText(*dirs.dataDir);
}

void SaveConfigEdits(Station& s) { SaveConfig(s); }

// Close Window: edits not saved are saved first, dropped or kept open, as
// the operator answers.
void CloseConfigEditor(Station& s) {
  ConfigEditorWindow& w = s.configEditor;
  if (HasUnsavedEdits(w)) {
    const auto answer =
        s.platform.ask(std::string("The settings were changed. Save them to ") + kConfigPath + " before closing?",
                       "Save Changes?", ui::Buttons::YesNoCancel, ui::Icon::Question);
    if (answer == ui::Answer::Cancel) return;
    if (answer == ui::Answer::Yes && !SaveConfig(s)) return;
  }
  // The window is unloaded: what was typed into it and not saved is dropped.
  s.platform.hide(w.form);
  ShowConfigRows(s.platform.files(), s.settings.config, w);
}

}  // namespace ruvek

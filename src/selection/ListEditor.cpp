#include "selection/ListEditor.h"

#include <functional>

#include "core/TextRoutines.h"
#include "selection/EventLists.h"

namespace ruvek {
namespace {

const char* kProgramFolder = "C:\\RuvekGPS";
constexpr int kEventColumn = 1;

// Runs one step of a save; a failure waits and runs the step again, at most
// kListSaveAttempts times. False when the last attempt failed.
bool SaveStep(ui::Platform& platform, const std::function<void()>& step) {
  for (int attempt = 1;; ++attempt) {
    try {
      step();
      return true;
    } catch (const os::FileError&) {
      if (attempt == kListSaveAttempts) return false;
      platform.wait(kListSaveRetryMs);
    }
  }
}

void ReportUnwritten(ui::Platform& platform, const std::string& path) {
  platform.ask("Unable to write " + path, "", ui::Buttons::OK, ui::Icon::Error);
}

// Writes the list to `path` whole: a new file beside it renamed over it, so a
// save that fails never leaves half a list. False, after saying so, when it
// could not be written; the grid keeps what was typed.
bool WriteList(ui::Platform& platform, const ListEditorWindow& editor, const std::string& path) {
  const ListFile file = ListFileFrom(editor.eventList, editor.linesBeyondGrid);
  if (!SaveStep(platform, [&] { platform.files().replace(path, file.text); })) {
    ReportUnwritten(platform, path);
    return false;
  }
  platform.ask(path + " updated with " + std::to_string(file.events) + " events.", "");
  return true;
}

// How configuration row 5 names the list saved at `path`: by its file name in
// the program directory, as stored files have it ("LabEvents.txt"); by its
// full path anywhere else, so the next start finds it there.
std::string Row5Of(const std::string& programDir, const std::string& path) {
  const std::size_t nameAt = path.find_last_of("\\/") + 1;
  return path.compare(0, nameAt, programDir) == 0 ? path.substr(nameAt) : path;
}

}  // namespace

std::string TypedCellText(const std::string& text, char key) {
  const auto code = static_cast<unsigned char>(key);
  if (code == '\b') return text.empty() ? text : text.substr(0, text.size() - 1);
  if (code < 32 || code > 127) return text;
  return text + ToUpper(std::string(1, key));
}

ListFile ListFileFrom(const ui::Grid& eventList, const std::vector<std::string>& linesBeyondGrid) {
  ListFile file;
  auto add = [&file](const std::string& line) {
    file.text += line + "\r\n";
    ++file.events;
  };
  for (int r = 1; r <= kListEditorRows; ++r)
    if (const std::string name = Trim(eventList.cell(r, 1)); !name.empty()) add(name);
  for (const std::string& line : linesBeyondGrid) add(line);
  return file;
}

void TypeIntoEventName(ui::Grid& eventList, char& key) {
  // The event rows take typing, into their event name: the headings and the
  // row numbers are not the operator's to change.
  const int row = eventList.row;
  if (row >= eventList.fixedRows && row <= kListEditorRows)
    eventList.setCell(row, kEventColumn, TypedCellText(eventList.cell(row, kEventColumn), key));
  key = 0;
}

void UpdateEventList(Station& s) {
  const std::string path = s.settings.eventListPath;
  if (s.platform.ask("Overwrite existing events file " + path + "? Y/N", "Update exisiting Event File?",
                     ui::Buttons::YesNo) == ui::Answer::Yes) {
    if (!WriteList(s.platform, s.listEditor, path)) return;
    ReloadEventList(EventListContext::of(s));
  }
  s.platform.hide(s.listEditor.form);
}

void SaveToNewEventFile(Station& s) {
  s.platform.ask("Save the event file to C:\\RuvekGPS\\xxxxxEvents.txt (xxxxx = eventlist type)", "");
  const std::optional<std::string> chosen = s.platform.saveFileDialog(kProgramFolder);
  if (!chosen || chosen->empty()) return;
  // The list in use changes only once the new file holds it.
  if (!WriteList(s.platform, s.listEditor, *chosen)) return;
  s.settings.eventListPath = *chosen;
  ReloadEventList(EventListContext::of(s));
  if (s.platform.ask("Save to RuvekGPS.cfg? Y/N", "Save change to cfg?", ui::Buttons::YesNo) == ui::Answer::Yes) {
    const std::string row5 = Row5Of(s.settings.programDir, *chosen);
    if (!SaveStep(s.platform, [&] { StoreListInConfig(s.platform, s.settings, row5); }))
      ReportUnwritten(s.platform, kConfigPath);
  }
  s.platform.hide(s.listEditor.form);
}

void CloseListEditor(Station& s) { s.platform.hide(s.listEditor.form); }

}  // namespace ruvek

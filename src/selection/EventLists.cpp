#include "selection/EventLists.h"

#include <algorithm>
#include <optional>

#include "core/TextRoutines.h"
#include "selection/Pickers.h"

namespace ruvek {
namespace {

// The start load says it in its own words in single-choice mode.
const char* kStartLimitMessage =
    "You've reach the notation limit - combine events or use the comments for events above 30";

int Capacity(bool multiMode) { return multiMode ? kCheckBoxCapacity : kSingleChoiceCapacity; }
int PickerCount(bool multiMode) { return multiMode ? kCheckPickers : kOptionPickers; }

ui::Control& Picker(MainWindow& w, bool multiMode, int i) {
  if (multiMode) return *w.check1[std::size_t(i)];
  return *w.option1[std::size_t(i)];
}

void ReportMissing(MainWindow& w, const std::string& path) { w.ask("Unable to find " + path, ""); }

void ReportUnreadable(MainWindow& w, const std::string& path) {
  w.ask("Unable to read " + path, "", ui::Buttons::OK, ui::Icon::Exclamation);
}

void ReportUnsaved(MainWindow& w, const std::string& path) {
  w.ask("Unable to save " + path + " - the event list is in use for this run only", "", ui::Buttons::OK,
        ui::Icon::Exclamation);
}

// Hides the pickers `from` to `to` of one mode; indexes outside its array are skipped.
void HidePickers(MainWindow& w, bool multiMode, int from, int to) {
  to = std::min(to, PickerCount(multiMode) - 1);
  for (int i = std::max(from, 0); i <= to; ++i) Picker(w, multiMode, i).visible = false;
}

EventNamesRead ReadEventNames(MainWindow& w, const std::string& path) {
  return EventNamesFrom(w.fs().readLines(path), Capacity(w.multiMode));
}

// The file layer reads a list whole, so a failed read has changed nothing on
// screen yet. One more try after a second; then the list shown stays as it was.
std::optional<EventNamesRead> ReadWithRetry(MainWindow& w, const std::string& path) {
  for (int attempt = 1;; ++attempt) {
    try {
      return ReadEventNames(w, path);
    } catch (const ui::FileError&) {
      if (attempt == 2) {
        ReportUnreadable(w, path);
        return std::nullopt;
      }
      w.wait(1000);
    }
  }
}

// Puts the names into Combo1's list and onto the pickers of the current mode
// (and, with `editorGrid`, into column 1 of the list editor's grid), so one
// index names the same event in each. The pickers must have been hidden.
void FillNames(MainWindow& w, const EventNamesRead& read, bool editorGrid, const std::string& limitMessage) {
  w.combo1->items = read.names;
  if (editorGrid) {
    for (int r = 1; r <= kSingleChoiceCapacity; ++r) w.eventList->setCell(r, 1, "");
    for (std::size_t i = 0; i < read.names.size(); ++i) w.eventList->setCell(int(i) + 1, 1, read.names[i]);
  }
  for (std::size_t i = 0; i < read.names.size(); ++i) {
    ui::Control& p = Picker(w, w.multiMode, int(i));
    p.caption = read.names[i];
    p.visible = true;
  }
  if (read.full) w.ask(limitMessage, "");
  w.lastPickerIndex = int(read.names.size()) - 1;
}

// Replaces the list on screen with `read`: the path, pickers, drop-down and layout.
void ShowList(MainWindow& w, const std::string& path, const EventNamesRead& read, bool editorGrid) {
  w.settings.eventListPath = path;
  HidePickers(w, w.multiMode, 0, w.lastPickerIndex);
  FillNames(w, read, editorGrid, CapacityMessage(w.multiMode));
  LayOutPickers(w);
  w.combo1->setText(w.combo1->items.empty() ? std::string() : w.combo1->items.front());
}

// The list's type names the picker frame (and the per-list log files).
void NameList(MainWindow& w, const std::string& path, const std::string& type) {
  w.settings.eventListType = type;
  w.frmSelectEvent->caption = type + " Events";
  w.frmSelectEvent->tooltip = "Events loaded from " + path + " (Double-click to edit)";
}

// Row 5 changes in memory only once the file holds it too.
void OfferToStoreInConfig(MainWindow& w, const std::string& fileName) {
  if (w.ask("Save to RuvekGPS.cfg? Y/N", "Save change to cfg?", ui::Buttons::YesNo) != ui::Answer::Yes) return;
  CruiseConfig updated = w.config;
  updated.row(5) = fileName;
  WriteConfig(w.fs(), updated);
  w.config.row(5) = fileName;
}

}  // namespace

EventNamesRead EventNamesFrom(const std::vector<std::string>& lines, int capacity) {
  EventNamesRead read;
  if (capacity <= 0) return read;
  for (const std::string& line : lines) {
    if (Trim(line).empty()) continue;
    read.names.push_back(line);
    if (int(read.names.size()) == capacity) {
      read.full = true;
      break;
    }
  }
  return read;
}

std::string EventListTypeOf(const std::string& fileName) { return ReplaceAll(Trim(fileName), "Events.txt", ""); }

PickerLayout PickerLayoutFor(int lastIndex) {
  PickerLayout l;
  if (lastIndex > 11) {
    l.frameHeight = 520;
    l.gridWidth = 688;
  }
  // Text2 sits below the grid; with 12 events or with 29 and more there is no room for it.
  if (lastIndex > 27 || lastIndex == 11)
    l.text2Visible = false;
  else if (lastIndex > 10)
    l.text2Top = 540;
  return l;
}

std::string CapacityMessage(bool multiMode) {
  const std::string n = std::to_string(Capacity(multiMode));
  return "There is a maximum of " + n + " events options - combine events or use the comments for events above " + n;
}

void StartLoadEventList(MainWindow& w) {
  const std::string& path = w.settings.eventListPath;
  // Start-up may run this twice (its read retry), so the pickers are cleared first each time.
  if (!w.fs().exists(path)) {
    HidePickers(w, w.multiMode, 0, w.lastPickerIndex);
    FillNames(w, EventNamesRead{}, true, "");
    ReportMissing(w, path);
    return;
  }
  const EventNamesRead read = ReadEventNames(w, path);  // a read error goes back to the start sequence
  HidePickers(w, w.multiMode, 0, w.lastPickerIndex);
  FillNames(w, read, true, w.multiMode ? CapacityMessage(true) : kStartLimitMessage);
  LayOutPickers(w);
}

void LoadEventList(MainWindow& w, const std::string& path, const std::string& fileName) {
  if (!w.fs().exists(path)) return ReportMissing(w, path);
  // A failed read or configuration rewrite runs the load once more from reading
  // the file; a second failure is reported and what has been loaded stays.
  for (int attempt = 1; attempt <= 2; ++attempt) {
    bool saving = false;
    try {
      const EventNamesRead read = ReadEventNames(w, path);
      ShowList(w, path, read, true);
      NameList(w, path, EventListTypeOf(fileName));
      saving = true;
      OfferToStoreInConfig(w, fileName);
      return;
    } catch (const ui::FileError& e) {
      if (attempt == 2) return saving ? ReportUnsaved(w, e.path) : ReportUnreadable(w, path);
      w.wait(1000);
    }
  }
}

void FillPickers(MainWindow& w, const std::string& path) {
  std::optional<EventNamesRead> read;
  if (!w.fs().exists(path))
    ReportMissing(w, path);
  else
    read = ReadWithRetry(w, path);
  // Without the file the pickers of the new mode show the list already held in
  // the drop-down, so the operator can go on picking from it.
  if (!read) read = EventNamesFrom(w.combo1->items, Capacity(w.multiMode));
  HidePickers(w, w.multiMode, 0, PickerCount(w.multiMode) - 1);
  FillNames(w, *read, false, CapacityMessage(w.multiMode));
}

void ReloadEventList(MainWindow& w) {
  const std::string path = w.settings.eventListPath;
  if (!w.fs().exists(path)) return ReportMissing(w, path);
  const std::optional<EventNamesRead> read = ReadWithRetry(w, path);
  if (!read) return;
  // The editor grid keeps the text just saved from it.
  ShowList(w, path, *read, false);
  // A list saved outside the program directory keeps its folder in the type.
  NameList(w, path, ReplaceAll(ReplaceAll(Trim(path), "Events.txt", ""), w.settings.programDir, ""));
  w.eventEditForm.caption = path + "  Event List";
}

void LayOutPickers(MainWindow& w) {
  const PickerLayout l = PickerLayoutFor(w.lastPickerIndex);
  // Both picker frames take the same place, so the grid beside or below them fits either.
  for (Frame* f : {w.frmSelectEvent, w.frmSelectMulti}) {
    f->geo.width = l.frameWidth;
    f->geo.height = l.frameHeight;
  }
  SetEventLogWidth(w, l.gridWidth);
  w.text2->visible = l.text2Visible;
  if (l.text2Visible) w.text2->geo.top = l.text2Top;
}

void WireEventListMenus(MainWindow& w) {
  const std::pair<Menu*, const char*> lists[] = {{w.mnuCruise, "CruiseEvents.txt"},
                                                 {w.mnuBridge, "BridgeEvents.txt"},
                                                 {w.mnuMMammals, "MMammalEvents.txt"},
                                                 {w.mnuCUFES, "CUFESEvents.txt"}};
  for (const auto& [menu, file] : lists) {
    const std::string fileName = file;
    menu->onClick = [&w, fileName] { LoadEventList(w, w.settings.programDir + fileName, fileName); };
  }
}

}  // namespace ruvek

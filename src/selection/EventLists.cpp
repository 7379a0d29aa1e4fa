#include "selection/EventLists.h"

#include <algorithm>
#include <optional>

#include "core/TextRoutines.h"

namespace ruvek {
namespace {

// The start load says it in its own words in single-choice mode.
const char* kStartLimitMessage =
    "You've reach the notation limit - combine events or use the comments for events above 30";

int Capacity(bool multiMode) { return multiMode ? kCheckBoxCapacity : kSingleChoiceCapacity; }
int PickerCount(bool multiMode) { return multiMode ? kCheckPickers : kOptionPickers; }

ui::Control& Picker(Pickers& pickers, bool multiMode, int i) {
  if (multiMode) return *pickers.checks[std::size_t(i)];
  return *pickers.options[std::size_t(i)];
}

void ReportMissing(ui::Platform& platform, const std::string& path) { platform.ask("Unable to find " + path, ""); }

void ReportUnreadable(ui::Platform& platform, const std::string& path) {
  platform.ask("Unable to read " + path, "", ui::Buttons::OK, ui::Icon::Exclamation);
}

void ReportUnsaved(ui::Platform& platform, const std::string& path) {
  platform.ask("Unable to save " + path + " - the event list is in use for this run only", "", ui::Buttons::OK,
               ui::Icon::Exclamation);
}

// Hides the pickers `from` to `to` of one mode; indexes outside its array are skipped.
void HidePickers(Pickers& pickers, bool multiMode, int from, int to) {
  to = std::min(to, PickerCount(multiMode) - 1);
  for (int i = std::max(from, 0); i <= to; ++i) Picker(pickers, multiMode, i).visible = false;
}

EventNamesRead ReadEventNames(const EventListContext& c, const std::string& path) {
  return EventNamesFrom(c.platform.files().readLines(path), Capacity(c.state.multiMode));
}

// The file layer reads a list whole, so a failed read has changed nothing on
// screen yet. One more try after a second; then the list shown stays as it was.
std::optional<EventNamesRead> ReadWithRetry(const EventListContext& c, const std::string& path) {
  for (int attempt = 1;; ++attempt) {
    try {
      return ReadEventNames(c, path);
    } catch (const os::FileError&) {
      if (attempt == 2) {
        ReportUnreadable(c.platform, path);
        return std::nullopt;
      }
      c.platform.wait(1000);
    }
  }
}

// Puts the names into Combo1's list and onto the pickers of the current mode
// (and, with `editorGrid`, into column 1 of the list editor's grid), so one
// index names the same event in each. The pickers must have been hidden.
void FillNames(const EventListContext& c, const EventNamesRead& read, bool editorGrid,
               const std::string& limitMessage) {
  c.eventCombo.items = read.names;
  if (editorGrid) {
    ui::Grid& grid = c.editor.eventList;
    for (int r = 1; r <= kSingleChoiceCapacity; ++r) grid.setCell(r, 1, "");
    for (std::size_t i = 0; i < read.names.size(); ++i) grid.setCell(int(i) + 1, 1, read.names[i]);
    c.editor.linesBeyondGrid = read.beyond;
  }
  for (std::size_t i = 0; i < read.names.size(); ++i) {
    ui::Control& p = Picker(c.pickers, c.state.multiMode, int(i));
    p.caption = read.names[i];
    p.visible = true;
  }
  if (read.full) c.platform.ask(limitMessage, "");
  c.state.lastPickerIndex = int(read.names.size()) - 1;
}

void LayOut(const EventListContext& c) {
  LayOutPickers(c.pickers, c.eventGrid, c.timerActivityBox, c.state.lastPickerIndex);
}

// Replaces the list on screen with `read`: the path, pickers, drop-down and layout.
void ShowList(const EventListContext& c, const std::string& path, const EventNamesRead& read, bool editorGrid) {
  c.settings.eventListPath = path;
  HidePickers(c.pickers, c.state.multiMode, 0, c.state.lastPickerIndex);
  FillNames(c, read, editorGrid, CapacityMessage(c.state.multiMode));
  LayOut(c);
  c.eventCombo.setText(c.eventCombo.items.empty() ? std::string() : c.eventCombo.items.front());
}

// The list's type names the picker frame (and the per-list log files).
void NameList(const EventListContext& c, const std::string& path, const std::string& type) {
  c.settings.eventListType = type;
  ShowListCaptions(c.pickers.singleFrame, type, path);
}

// Row 5 changes in memory only once the file holds it too.
void OfferToStoreInConfig(const EventListContext& c, const std::string& fileName) {
  if (c.platform.ask("Save to RuvekGPS.cfg? Y/N", "Save change to cfg?", ui::Buttons::YesNo) != ui::Answer::Yes) return;
  StoreListInConfig(c.platform, c.settings, fileName);
}

}  // namespace

EventNamesRead EventNamesFrom(const std::vector<std::string>& lines, int capacity) {
  EventNamesRead read;
  if (capacity <= 0) return read;
  for (const std::string& line : lines) {
    if (Trim(line).empty()) continue;
    if (read.full) {
      read.beyond.push_back(line);
      continue;
    }
    read.names.push_back(line);
    read.full = int(read.names.size()) == capacity;
  }
  return read;
}

void StoreListInConfig(ui::Platform& platform, Settings& settings, const std::string& row5) {
  SaveConfigRows(platform, settings, {{ConfigRow::EventFile, row5}});
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

void ShowListCaptions(ui::Frame& singleFrame, const std::string& type, const std::string& path) {
  singleFrame.caption = type + " Events";
  singleFrame.tooltip = "Events loaded from " + path + " (Double-click to edit)";
}

EventListContext EventListContext::of(Station& s) {
  MainWindow& w = s.main;
  return {s.platform, s.settings, s.state, w.eventCombo, w.pickers, w.eventGrid, w.timerActivityBox, s.listEditor};
}

void StartLoadEventList(const EventListContext& c) {
  const std::string& path = c.settings.eventListPath;
  // Start-up may run this twice (its read retry), so the pickers are cleared first each time.
  if (!c.platform.files().exists(path)) {
    HidePickers(c.pickers, c.state.multiMode, 0, c.state.lastPickerIndex);
    FillNames(c, EventNamesRead{}, true, "");
    ReportMissing(c.platform, path);
    return;
  }
  const EventNamesRead read = ReadEventNames(c, path);  // a read error goes back to the start sequence
  HidePickers(c.pickers, c.state.multiMode, 0, c.state.lastPickerIndex);
  FillNames(c, read, true, c.state.multiMode ? CapacityMessage(true) : kStartLimitMessage);
  LayOut(c);
}

void LoadEventList(const EventListContext& c, const std::string& path, const std::string& fileName) {
  if (!c.platform.files().exists(path)) return ReportMissing(c.platform, path);
  // A failed read or configuration rewrite runs the load once more from reading
  // the file; a second failure is reported and what has been loaded stays.
  for (int attempt = 1; attempt <= 2; ++attempt) {
    bool saving = false;
    try {
      const EventNamesRead read = ReadEventNames(c, path);
      ShowList(c, path, read, true);
      NameList(c, path, EventListTypeOf(fileName));
      c.editor.form.caption = ListEditorCaption(path);
      saving = true;
      OfferToStoreInConfig(c, fileName);
      return;
    } catch (const os::FileError& e) {
      if (attempt == 2) return saving ? ReportUnsaved(c.platform, e.path) : ReportUnreadable(c.platform, path);
      c.platform.wait(1000);
    }
  }
}

void FillPickers(const EventListContext& c, const std::string& path) {
  std::optional<EventNamesRead> read;
  if (!c.platform.files().exists(path))
    ReportMissing(c.platform, path);
  else
    read = ReadWithRetry(c, path);
  // Without the file the pickers of the new mode show the list already held in
  // the drop-down, so the operator can go on picking from it.
  if (!read) read = EventNamesFrom(c.eventCombo.items, Capacity(c.state.multiMode));
  HidePickers(c.pickers, c.state.multiMode, 0, PickerCount(c.state.multiMode) - 1);
  FillNames(c, *read, false, CapacityMessage(c.state.multiMode));
}

void ReloadEventList(const EventListContext& c) {
  const std::string path = c.settings.eventListPath;
  if (!c.platform.files().exists(path)) return ReportMissing(c.platform, path);
  const std::optional<EventNamesRead> read = ReadWithRetry(c, path);
  if (!read) return;
  // The editor grid keeps the text just saved from it.
  ShowList(c, path, *read, false);
  // A list saved outside the program directory keeps its folder in the type.
  NameList(c, path, ReplaceAll(ReplaceAll(Trim(path), "Events.txt", ""), c.settings.programDir, ""));
  c.editor.form.caption = ListEditorCaption(path);
}

std::string ListEditorCaption(const std::string& path) { return path + "  Event List"; }

void LayOutPickers(Pickers& pickers, ui::Grid& eventGrid, ui::TextBox& timerActivityBox, int lastPickerIndex) {
  const PickerLayout l = PickerLayoutFor(lastPickerIndex);
  // Both picker frames take the same place, so the grid beside or below them fits either.
  for (ui::Frame* f : {&pickers.singleFrame, &pickers.multiFrame}) {
    f->geo.width = l.frameWidth;
    f->geo.height = l.frameHeight;
  }
  SetEventGridWidth(eventGrid, l.gridWidth);
  timerActivityBox.visible = l.text2Visible;
  if (l.text2Visible) timerActivityBox.geo.top = l.text2Top;
}

void LoadNamedList(Station& s, const std::string& fileName) {
  LoadEventList(EventListContext::of(s), s.settings.programDir + fileName, fileName);
}

}  // namespace ruvek

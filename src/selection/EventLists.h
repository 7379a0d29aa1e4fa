#pragma once
// Event list files (one event name a line, in the program directory) and their
// loading into the event drop-down, the pickers of the current mode and the
// list editor's grid.
#include <string>
#include <vector>

#include "core/Settings.h"
#include "core/StationState.h"
#include "ui/Platform.h"
#include "windows/ListEditorWindow.h"
#include "windows/MainWindow.h"
#include "windows/Station.h"

namespace ruvek {

// Pickers a list can fill: 30 option buttons, or 26 of the 27 check boxes.
inline constexpr int kSingleChoiceCapacity = 30;
inline constexpr int kCheckBoxCapacity = 26;

// ---- pure rules

struct EventNamesRead {
  std::vector<std::string> names;   // in file order, exactly as read
  bool full = false;                // the capacity was reached (the limit message is due)
  std::vector<std::string> beyond;  // the event lines after the capacity, exactly as read
};
// The events of a list file's lines, at most `capacity`. Example lines:
//   "CTD Deployed"  -> the event "CTD Deployed"
//   " Secchi"       -> the event " Secchi" (blanks are part of the name)
//   "   "           -> skipped, takes no picker
EventNamesRead EventNamesFrom(const std::vector<std::string>& lines, int capacity);

// The list type shown in the picker frame's caption: the file name trimmed,
// with every "Events.txt" removed (case-sensitive). "BridgeEvents.txt" -> "Bridge".
std::string EventListTypeOf(const std::string& fileName);

// Where the picker frame, the event log grid and the timer box go for a list
// whose last picker index is `lastIndex` (-1 for an empty list).
struct PickerLayout {
  int frameWidth = 220;
  int frameHeight = 286;
  int gridWidth = 812;
  bool text2Visible = true;
  int text2Top = 255;
};
PickerLayout PickerLayoutFor(int lastIndex);

// "There is a maximum of 30 events options - ..." (26 in check-box mode).
std::string CapacityMessage(bool multiMode);

// ---- loads into the main window

// What loading an event list reads and changes: the files and questions, the
// list path and type, the picker mode and last picker index, and where the
// list is shown: the event drop-down, the pickers of the current mode and the
// list editor's grid, with the event grid and the timer box making room for
// the pickers' frame.
struct EventListContext {
  ui::Platform& platform;
  Settings& settings;
  StationState& state;
  ui::ComboBox& eventCombo;
  Pickers& pickers;
  ui::Grid& eventGrid;
  ui::TextBox& timerActivityBox;
  ListEditorWindow& editor;

  // The parts of a station; for the handlers and the start sequence.
  static EventListContext of(Station& s);
};

// Start-up: loads eventListPath into the drop-down, the editor grid and the
// pickers of the current mode. A read error throws os::FileError (the start
// sequence retries).
void StartLoadEventList(const EventListContext& c);
// Loads the list file at `path` (the program directory and `fileName`) into the
// pickers of the current mode, then offers to store `fileName` as configuration
// row 5.
void LoadEventList(const EventListContext& c, const std::string& path, const std::string& fileName);
// Refills the pickers of the mode just switched to from the file at `path`.
void FillPickers(const EventListContext& c, const std::string& path);
// Stores `row5` as configuration row 5 (SaveConfigRows): the file is rewritten
// with it and then the row in memory changes. Throws os::FileError when the
// file cannot be read or written; the row in memory is then unchanged.
void StoreListInConfig(ui::Platform& platform, Settings& settings, const std::string& row5);
// Reloads eventListPath after the list editor has written it; asks nothing.
void ReloadEventList(const EventListContext& c);
// Sizes the picker frames, the event log grid and the timer box for a list
// whose last picker index is `lastPickerIndex`.
void LayOutPickers(Pickers& pickers, ui::Grid& eventGrid, ui::TextBox& timerActivityBox, int lastPickerIndex);
// The list editor's caption for the list loaded from `path`: it names the list its grid holds.
std::string ListEditorCaption(const std::string& path);
// The picker frame's caption and tooltip for a list of `type` loaded from `path`.
void ShowListCaptions(ui::Frame& singleFrame, const std::string& type, const std::string& path);

// The four "Select Different Events" menu entries: the list `fileName` of the
// program directory.
void LoadNamedList(Station& s, const std::string& fileName);

}  // namespace ruvek

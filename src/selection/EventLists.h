#pragma once
// Event list files (one event name a line, in the program directory) and their
// loading into the event drop-down, the pickers of the current mode and the
// list editor's grid.
#include <string>
#include <vector>

#include "windows/MainWindow.h"

namespace ruvek {

// Pickers a list can fill: 30 option buttons, or 26 of the 27 check boxes.
inline constexpr int kSingleChoiceCapacity = 30;
inline constexpr int kCheckBoxCapacity = 26;

// ---- pure rules

struct EventNamesRead {
  std::vector<std::string> names;  // in file order, exactly as read
  bool full = false;               // the capacity was reached (the limit message is due)
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

// Loads the list file at `path` (the program directory and `fileName`) into the
// pickers of the current mode, then offers to store `fileName` as configuration
// row 5. The four "Select Different Events" menu entries call it.
void LoadEventList(MainWindow& w, const std::string& path, const std::string& fileName);
// Refills the pickers of the mode just switched to from the file at `path`.
void FillPickers(MainWindow& w, const std::string& path);
// Reloads eventListPath after the list editor has written it; asks nothing.
void ReloadEventList(MainWindow& w);
// Sizes the picker frame, the event log grid and Text2 for the loaded list.
void LayOutPickers(MainWindow& w);

// Connects "Cruise", "Bridge/AftControl", "Marine Mammals" and "CUFES".
void WireEventListMenus(MainWindow& w);

}  // namespace ruvek

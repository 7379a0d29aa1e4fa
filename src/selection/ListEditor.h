#pragma once
// The event list editor: typing over the event names in its grid, and saving
// the grid to the list file or to a new list file, after which the pickers
// are reloaded from the file.
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "windows/Station.h"

namespace ruvek {

// A failed step of a save is run again 2 seconds later, at most 5 times in all.
inline constexpr int kListSaveAttempts = 5;
inline constexpr int kListSaveRetryMs = 2000;

// ---- pure rules

// A cell's text after one key: a key of code 32 to 127 is added upper-cased,
// Backspace (8) removes the last character, any other key changes nothing.
// Examples: "MANT" + 'a' -> "MANTA"; "" + Backspace -> ""; "AB" + Tab -> "AB".
std::string TypedCellText(const std::string& text, char key);

// The list file the editor writes: column 1 of the grid's rows 1 to 30, each
// trimmed, empty rows skipped, then the list lines the grid never held,
// unchanged; every line ends in CR LF.
struct ListFile {
  std::string text;
  int events = 0;  // the lines written
};
ListFile ListFileFrom(const ui::Grid& eventList, const std::vector<std::string>& linesBeyondGrid);

// ---- handlers

// A key typed on the grid goes into the event name of its current row.
void TypeIntoEventName(ui::Grid& eventList, char& key);
// "Update": rewrites the list file in use, when the operator agrees.
void UpdateEventList(Station& s);
// "Save To New Event File": writes the list to a file the operator names and
// uses it from then on.
void SaveToNewEventFile(Station& s);
// "Exit back to Logger".
void CloseListEditor(Station& s);

}  // namespace ruvek

#pragma once
// The event list editor frmEventEdit: the loaded event list in a grid, to
// type over and save to the list file or to a new one.
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace ruvek {

inline constexpr int kListEditorRows = 30;

struct ListEditorWindow {
  ListEditorWindow();

  ui::Form form{"frmEventEdit"};
  ui::Grid& eventList;  // EventList: "Num" and "Event", rows 1 to 30 an event each
  ui::Button& update;   // Command1(0) "Update"
  ui::Button& saveAs;   // Command1(1) "Save To New Event File"
  ui::Button& exit;     // Command1(2) "Exit back to Logger"

  // The lines of the list file beyond the pickers' capacity, which the grid
  // never held: a save writes them after the grid's rows, unchanged.
  std::vector<std::string> linesBeyondGrid;
};

}  // namespace ruvek

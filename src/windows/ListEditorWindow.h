#pragma once
// The event list editor frmEventEdit: the loaded event list in a grid, to
// change and save.
#include "platform/Controls.h"

namespace ruvek {

struct ListEditorWindow {
  ListEditorWindow();

  ui::Form form{"frmEventEdit"};
  ui::Grid& eventList;     // EventList: "Num" and "Event", one row an event
  ui::Button& updateFile;  // Command1(0) "Update Event File"
  ui::Button& saveAsNew;   // Command1(1) "Save To New Event File"
  ui::Button& close;       // Command1(2) "Close"
};

}  // namespace ruvek

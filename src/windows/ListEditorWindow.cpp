#include "windows/ListEditorWindow.h"

namespace ruvek {
namespace {

ui::Grid& AddEventList(ui::Form& form) {
  auto& grid = form.add<ui::Grid>("EventList");
  grid.resize(kListEditorRows + 1, 2);
  grid.colWidths = {800, 5000};
  grid.geo = {8, 8, 412, 364};
  grid.tooltip = "EventList; User-editable";
  for (int r = 1; r <= kListEditorRows; ++r) grid.setCell(r, 0, std::to_string(r));
  grid.col = 1;  // the first event name is the current cell
  return grid;
}

ui::Button& AddButton(ui::Form& form, int i, const char* caption, int left, int width) {
  auto& button = form.add<ui::Button>(ui::IndexedName("Command1", i));
  button.caption = caption;
  button.geo = {left, 380, width, 28};
  return button;
}

}  // namespace

ListEditorWindow::ListEditorWindow()
    : eventList(AddEventList(form)),
      update(AddButton(form, 0, "Update", 8, 100)),
      saveAs(AddButton(form, 1, "Save To New Event File", 114, 170)),
      exit(AddButton(form, 2, "Exit back to Logger", 290, 130)) {
  form.caption = "Event Editor";
  form.geo = {0, 0, 428, 416};
}

}  // namespace ruvek

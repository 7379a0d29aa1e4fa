#include "windows/ListEditorWindow.h"

namespace ruvek {
namespace {

ui::Grid& AddEventList(ui::Form& form) {
  auto& grid = form.add<ui::Grid>("EventList");
  grid.resize(31, 2);
  grid.colWidths = {600, 4000};
  grid.geo = {8, 8, 400, 500};
  return grid;
}

ui::Button& AddButton(ui::Form& form, int i, const char* caption) {
  auto& button = form.add<ui::Button>(ui::IndexedName("Command1", i));
  button.caption = caption;
  button.geo = {8 + 134 * i, 516, 130, 28};
  return button;
}

}  // namespace

ListEditorWindow::ListEditorWindow()
    : eventList(AddEventList(form)),
      updateFile(AddButton(form, 0, "Update Event File")),
      saveAsNew(AddButton(form, 1, "Save To New Event File")),
      close(AddButton(form, 2, "Close")) {
  form.caption = "Event List";
  form.geo = {0, 0, 420, 560};
}

}  // namespace ruvek

#include "windows/CruiseMapWindow.h"

namespace ruvek {
namespace {

ui::Button& AddButton(ui::Form& form, const char* name, const char* caption, int left, int width) {
  auto& button = form.add<ui::Button>(name);
  button.caption = caption;
  button.geo = {left, 6, width, 26};
  return button;
}

ui::Picture& AddMap(ui::Form& form) {
  auto& map = form.add<ui::Picture>("picMap");
  map.geo = {0, 38, 720, 482};
  map.tooltip = "Wheel or +/- zoom, drag or arrow keys pan; click an event to select its row";
  return map;
}

}  // namespace

CruiseMapWindow::CruiseMapWindow()
    : map(AddMap(form)),
      fit(AddButton(form, "cmdFit", "Fit Cruise", 6, 90)),
      zoomIn(AddButton(form, "cmdZoomIn", "+", 102, 30)),
      zoomOut(AddButton(form, "cmdZoomOut", "-", 136, 30)),
      saveAs(AddButton(form, "mnuSaveAs", "Save as...", 172, 90)),
      status(form.add<ui::Label>("lblStatus")) {
  status.geo = {272, 10, 440, 20};
  form.caption = "Cruise Map";
  form.geo = {0, 0, 720, 520};
}

}  // namespace ruvek

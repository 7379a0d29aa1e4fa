#include "windows/GpsWindow.h"

namespace ruvek {
namespace {

ui::Button& AddGoButton(ui::Form& form) {
  auto& button = form.add<ui::Button>("btnGo");
  button.caption = "GO";
  button.geo = {8, 8, 80, 28};
  return button;
}

ui::Timer& AddInputTimer(ui::Form& form) {
  auto& timer = form.add<ui::Timer>("Timer1");
  timer.enabled = false;
  return timer;
}

}  // namespace

GpsWindow::GpsWindow() : goButton(AddGoButton(form)), timer(AddInputTimer(form)) {
  form.caption = "GPS Input";
  form.geo = {0, 0, 480, 320};
}

}  // namespace ruvek

#include "windows/Station.h"

namespace ruvek {

ui::Control* Station::findControl(const std::string& name) {
  for (ui::Form* form : forms()) {
    if (name == form->name()) return form;
    const std::string prefix = form->name() + ".";
    if (name.rfind(prefix, 0) == 0) return form->find(name.substr(prefix.size()));
  }
  return main.form.find(name);
}

void StopStation(ui::Platform& platform, ui::Timer& pollTimer, ui::Timer& gpsTimer) {
  pollTimer.setEnabled(false);
  gpsTimer.setEnabled(false);
  if (platform.serial().isOpen()) platform.serial().close();
  platform.udp().close();
}

void EndProgram(ui::Platform& platform, ui::Timer& pollTimer, ui::Timer& gpsTimer) {
  StopStation(platform, pollTimer, gpsTimer);
  throw ui::ProgramEnded{};
}

void RestartProgram(ui::Platform& platform, ui::Timer& pollTimer, ui::Timer& gpsTimer) {
  StopStation(platform, pollTimer, gpsTimer);
  throw ui::RestartRequested{};
}

}  // namespace ruvek

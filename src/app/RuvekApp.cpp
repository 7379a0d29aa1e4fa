#include "app/RuvekApp.h"

#include "app/StartSequence.h"
#include "app/StateNames.h"
#include "app/Wiring.h"

namespace ruvek {

void RuvekApp::start() {
  station_ = std::make_unique<Station>(platform_);
  Station& s = *station_;
  WireStation(s);
  for (ui::Form* f : s.forms())
    for (const auto& c : f->controls())
      if (c->kind() == ui::Kind::Timer) {
        auto& t = static_cast<ui::Timer&>(*c);
        t.onReset = [this](ui::Timer& timer) { platform_.timerReset(timer); };
        platform_.timerReset(t);
      }
  if (onWindowsCreated) onWindowsCreated();
  FormLoad(s);
}

ui::Control* RuvekApp::find(const std::string& name) { return station_ ? station_->findControl(name) : nullptr; }

std::vector<ui::Form*> RuvekApp::forms() { return station_ ? station_->forms() : std::vector<ui::Form*>{}; }

void RuvekApp::keyF9() {
  if (station_ && station_->main.form.onKeyF9) station_->main.form.onKeyF9();
}

std::optional<std::string> RuvekApp::state(const std::string& name) {
  if (!station_) return std::nullopt;
  return StateValue(*station_, name);
}

}  // namespace ruvek

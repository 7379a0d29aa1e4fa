#include "app/RuvekApp.h"

#include "app/StartSequence.h"
#include "app/StateNames.h"
#include "app/Wiring.h"

namespace ruvek {
namespace {

template <class F>
void ForEachTimer(Station& s, F f) {
  for (ui::Form* form : s.forms())
    for (const auto& c : form->controls())
      if (c->kind() == ui::Kind::Timer) f(static_cast<ui::Timer&>(*c));
}

}  // namespace

void RuvekApp::start() {
  station_ = std::make_unique<Station>(platform_);
  Station& s = *station_;
  WireStation(s);
  ForEachTimer(s, [this](ui::Timer& t) {
    t.onReset = [this](ui::Timer& timer) { platform_.timerReset(timer); };
    platform_.timerReset(t);
  });
  if (onWindowsCreated) onWindowsCreated();
  FormLoad(s);
}

void RuvekApp::restart() {
  // The old windows live until the new ones are built and the front end has
  // bound its view to them, so no view ever points at destroyed controls.
  std::unique_ptr<Station> old = std::move(station_);
  if (old)
    ForEachTimer(*old, [this](ui::Timer& t) {
      t.setEnabled(false);
      t.onReset = nullptr;
      platform_.timerRemoved(t);
    });
  start();
}

ui::Control* RuvekApp::find(const std::string& name) { return station_ ? station_->findControl(name) : nullptr; }

std::vector<ui::Form*> RuvekApp::forms() { return station_ ? station_->forms() : std::vector<ui::Form*>{}; }

void RuvekApp::keyF9() {
  if (station_ && station_->main.form.onKeyF9) station_->main.form.onKeyF9();
}

void RuvekApp::keyEscape() {
  if (station_ && station_->main.form.onKeyEscape) station_->main.form.onKeyEscape();
}

std::optional<std::string> RuvekApp::state(const std::string& name) {
  if (!station_) return std::nullopt;
  return StateValue(*station_, name);
}

}  // namespace ruvek

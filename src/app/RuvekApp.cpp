#include "app/RuvekApp.h"

#include <functional>
#include <map>
#include <regex>

#include "app/StartSequence.h"
#include "events/Recording.h"
#include "grid/LineStaModes.h"
#include "logview/EventGrid.h"
#include "logview/GridSnapshot.h"
#include "nav/PollCycle.h"
#include "selection/Pickers.h"

namespace ruvek {
namespace {

std::string Flag(bool b) { return b ? "true" : "false"; }

void WireShell(MainWindow& w) {
  // F9 stops the navigation poll until the recording workflow starts it again.
  w.form.onKeyF9 = [&w] { w.timer1->setEnabled(false); };
  w.mnuExit->onClick = [&w] {
    if (w.ask("Do you really want to quit? Y/N", "Close Program? Y/N", ui::Buttons::YesNo) == ui::Answer::Yes)
      EndProgram(w);
  };
  w.mnuPrintLog->onClick = [&w] { w.ask("Under construction... Stay tuned.", ""); };
  w.mnuEditCfg->onClick = [&w] {
    w.editCfgForm.visible = true;
    w.platform.formShown(w.editCfgForm);
  };
}

}  // namespace

void WireMainWindow(MainWindow& w) {
  WireShell(w);
  WireGrid(w);
  WireSelection(w);
  WireLogView(w);
  WireEvents(w);
  WireNav(w);
}

void RuvekApp::start() {
  window_ = std::make_unique<MainWindow>(platform_);
  MainWindow& w = *window_;
  WireMainWindow(w);
  for (ui::Form* f : w.forms())
    for (const auto& c : f->controls())
      if (c->kind() == ui::Kind::Timer) {
        auto& t = static_cast<ui::Timer&>(*c);
        t.onReset = [this](ui::Timer& timer) { platform_.timerReset(timer); };
        platform_.timerReset(t);
      }
  if (onWindowsCreated) onWindowsCreated();
  FormLoad(w);
}

ui::Control* RuvekApp::find(const std::string& name) { return window_ ? window_->findControl(name) : nullptr; }

std::vector<ui::Form*> RuvekApp::forms() { return window_ ? window_->forms() : std::vector<ui::Form*>{}; }

void RuvekApp::keyF9() {
  if (window_ && window_->form.onKeyF9) window_->form.onKeyF9();
}

void RuvekApp::serialArrived(const std::string& text) {
  auto& port = platform_.serial();
  (void)port;
  (void)text;
}

std::optional<std::string> RuvekApp::state(const std::string& name) {
  if (!window_) return std::nullopt;
  MainWindow& w = *window_;
  const auto& s = w.settings;
  using Getter = std::function<std::string()>;
  const std::map<std::string, Getter> values = {
      {"networkMode", [&] { return Flag(w.networkMode); }},
      {"gpsSource", [&] { return w.gpsSource; }},
      {"manualEventNumber", [&] { return Flag(w.manualEventNumber); }},
      {"numberRolledBack", [&] { return Flag(w.numberRolledBack); }},
      {"editingRow", [&] { return Flag(w.editingRow); }},
      {"gridRowCount", [&] { return std::to_string(w.gridRowCount); }},
      {"orderOccupied", [&] { return w.orderOccupied; }},
      {"nextEventNumber", [&] { return std::to_string(w.nextEventNumber); }},
      {"lastPickerIndex", [&] { return std::to_string(w.lastPickerIndex); }},
      {"lastSeenLastEvent", [&] { return w.lastSeenLastEvent; }},
      {"multiMode", [&] { return Flag(w.multiMode); }},
      {"preloadMode", [&] { return s.preloadMode; }},
      {"numberScheme", [&] { return s.numberScheme; }},
      {"programDir", [&] { return s.programDir; }},
      {"dataDir", [&] { return s.dataDir; }},
      {"navDir", [&] { return s.navDir; }},
      {"eventListPath", [&] { return s.eventListPath; }},
      {"eventListType", [&] { return s.eventListType; }},
      {"eventNumberPath", [&] { return s.eventNumberPath; }},
      {"localEventNumberPath", [&] { return s.localEventNumberPath; }},
      {"currPosPath", [&] { return s.currPosPath; }},
      {"sampleIntervalMs", [&] { return std::to_string(s.sampleIntervalMs); }},
      {"NavSnapshot.localDate", [&] { return w.nav.localDate; }},
      {"NavSnapshot.localTime", [&] { return w.nav.localTime; }},
      {"NavSnapshot.utcDate", [&] { return w.nav.utcDate; }},
      {"NavSnapshot.utcTime", [&] { return w.nav.utcTime; }},
      {"NavSnapshot.decLat", [&] { return w.nav.decLat; }},
      {"NavSnapshot.decLon", [&] { return w.nav.decLon; }},
      {"NavSnapshot.calcLine", [&] { return w.nav.calcLine; }},
      {"NavSnapshot.calcSta", [&] { return w.nav.calcSta; }},
      {"NavSnapshot.stndLine", [&] { return w.nav.stndLine; }},
      {"NavSnapshot.stndSta", [&] { return w.nav.stndSta; }},
  };
  if (auto it = values.find(name); it != values.end()) return it->second();

  static const std::regex kConfigRow(R"(^CruiseConfig\((\d+)\)$)");
  static const std::regex kMetItem(R"(^NavSnapshot\.metItems\((\d+)\)$)");
  std::smatch m;
  if (std::regex_match(name, m, kConfigRow)) {
    const int n = std::stoi(m[1]);
    if (n >= 1 && n <= kConfigRows) return w.config.row(n);
  }
  if (std::regex_match(name, m, kMetItem)) {
    const int n = std::stoi(m[1]);
    if (n >= 0 && std::size_t(n) < kMetItems) return w.nav.metItems[std::size_t(n)];
  }
  return std::nullopt;
}

}  // namespace ruvek

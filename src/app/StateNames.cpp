#include "app/StateNames.h"

#include <map>
#include <regex>

#include "core/FixAge.h"
#include "core/TextRoutines.h"

namespace ruvek {
namespace {

std::string Flag(bool b) { return b ? "true" : "false"; }

using Getter = std::string (*)(const Station&);

// The age of the last good position now, by the program's clock.
FixAge FixAgeNow(const Station& s) {
  const ui::Timer& poll = s.main.pollTimer;
  return FixAgeAt(s.state.poll.lastFix, s.platform.now().toMillis(), poll.interval(),
                  poll.isEnabled() && s.main.menus.autoFill.checked);
}

const std::map<std::string, Getter>& Table() {
  static const std::map<std::string, Getter> kTable = {
      {"networkMode", [](const Station& s) { return Flag(s.state.networkMode); }},
      {"gpsSource", [](const Station& s) { return std::string(NavSourceName(s.state.poll.gpsSource)); }},
      {"manualEventNumber", [](const Station& s) { return Flag(s.state.numbers.manualEventNumber); }},
      {"numberRolledBack", [](const Station& s) { return Flag(s.state.numbers.numberRolledBack); }},
      {"editingRow", [](const Station& s) { return Flag(s.state.editingRow); }},
      {"gridRowCount", [](const Station& s) { return std::to_string(s.main.eventRows.next()); }},
      {"orderOccupied", [](const Station& s) { return s.state.orderOccupied; }},
      {"nextEventNumber", [](const Station& s) { return std::to_string(s.state.numbers.nextEventNumber); }},
      {"lastPickerIndex", [](const Station& s) { return std::to_string(s.state.lastPickerIndex); }},
      {"lastSeenLastEvent", [](const Station& s) { return s.state.numbers.lastSeenLastEvent; }},
      {"multiMode", [](const Station& s) { return Flag(s.state.multiMode); }},
      // The words of the rows, unknown ones included: row 17 changes with the
      // preload mode, row 19 is read upper-cased.
      {"preloadMode", [](const Station& s) { return s.settings.config[ConfigRow::PreloadMode]; }},
      {"numberScheme", [](const Station& s) { return ToUpper(s.settings.config[ConfigRow::NumberScheme]); }},
      {"programDir", [](const Station& s) { return s.settings.programDir; }},
      {"dataDir", [](const Station& s) { return s.settings.dataDir; }},
      {"navDir", [](const Station& s) { return s.settings.navDir; }},
      {"eventListPath", [](const Station& s) { return s.settings.eventListPath; }},
      {"eventListType", [](const Station& s) { return s.settings.eventListType; }},
      {"eventNumberPath", [](const Station& s) { return s.settings.eventNumberPath; }},
      {"localEventNumberPath", [](const Station& s) { return s.settings.localEventNumberPath; }},
      {"currPosPath", [](const Station& s) { return s.settings.currPosPath; }},
      {"sampleIntervalMs", [](const Station& s) { return std::to_string(s.settings.sampleIntervalMs); }},
      {"fixAgeSeconds",
       [](const Station& s) {
         const auto seconds = FixAgeNow(s).seconds;
         return seconds ? std::to_string(*seconds) : std::string();
       }},
      {"fixAgeLevel", [](const Station& s) { return std::string(FixAgeLevelName(FixAgeNow(s).level)); }},
      {"lockWaits", [](const Station& s) { return std::to_string(s.state.lockStats.waits); }},
      {"lockTakeovers", [](const Station& s) { return std::to_string(s.state.lockStats.takeovers); }},
      {"backlogEvents", [](const Station& s) { return std::to_string(s.state.backlog.events); }},
      {"NavSnapshot.localDate", [](const Station& s) { return s.state.poll.nav.localDate; }},
      {"NavSnapshot.localTime", [](const Station& s) { return s.state.poll.nav.localTime; }},
      {"NavSnapshot.utcDate", [](const Station& s) { return s.state.poll.nav.utcDate; }},
      {"NavSnapshot.utcTime", [](const Station& s) { return s.state.poll.nav.utcTime; }},
      {"NavSnapshot.decLat", [](const Station& s) { return s.state.poll.nav.decLat; }},
      {"NavSnapshot.decLon", [](const Station& s) { return s.state.poll.nav.decLon; }},
      {"NavSnapshot.calcLine", [](const Station& s) { return s.state.poll.nav.calcLine; }},
      {"NavSnapshot.calcSta", [](const Station& s) { return s.state.poll.nav.calcSta; }},
      {"NavSnapshot.stndLine", [](const Station& s) { return s.state.poll.nav.stndLine; }},
      {"NavSnapshot.stndSta", [](const Station& s) { return s.state.poll.nav.stndSta; }},
  };
  return kTable;
}

}  // namespace

std::optional<std::string> StateValue(const Station& s, const std::string& name) {
  if (auto it = Table().find(name); it != Table().end()) return it->second(s);

  static const std::regex kConfigRow(R"(^CruiseConfig\((\d+)\)$)");
  static const std::regex kMetItem(R"(^NavSnapshot\.metItems\((\d+)\)$)");
  std::smatch m;
  if (std::regex_match(name, m, kConfigRow)) {
    const int n = std::stoi(m[1]);
    // Scripts address every row, 22 to 30 included, by its number.
    if (n >= 1 && n <= kConfigRows) return s.settings.config.rows.at(std::size_t(n));
  }
  if (std::regex_match(name, m, kMetItem)) {
    const int n = std::stoi(m[1]);
    if (n >= 0 && std::size_t(n) < kMetItems) return s.state.poll.nav.metItems[std::size_t(n)];
  }
  return std::nullopt;
}

}  // namespace ruvek

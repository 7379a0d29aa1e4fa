#include "events/EventNumber.h"

#include <algorithm>

#include "core/Format.h"
#include "core/TextRoutines.h"

namespace ruvek {
namespace {

double BoxValue(const EventNumbering& n) { return LeadingNumber(n.box.text()); }

void ShowNumber(const EventNumbering& n, long long number) { n.box.setText(EventNumberText(number)); }

// The first line of the event number file in use, trimmed.
std::string ReadNumberLine(const EventNumbering& n) {
  return Trim(n.platform.files().firstLine(n.settings.eventNumberPath));
}

// A number typed or computed with a fraction keeps it; whole numbers show
// without a point ("9", "31.140509").
std::string ValueText(double value) { return FormatNumber(value, "0.##########"); }

// The number from an existing file at start. Returns true when the number was
// set (or the line was blank); false when the file could not be read.
bool LoadFromExistingFile(const EventNumbering& n) {
  try {
    if (auto value = EventNumberValue(ReadNumberLine(n))) {
      n.state.nextEventNumber = NumberPlus(*value, 1);
      ShowNumber(n, n.state.nextEventNumber);
    }
    return true;
  } catch (const ui::FileError&) {
    return false;
  }
}

// Offers to create the missing file. Returns true when it was created.
bool OfferNewFile(const EventNumbering& n) {
  const std::string& path = n.settings.eventNumberPath;
  const auto answer =
      n.platform.ask("Unable to find " + path + "! Create one? Y/N ('No' if network is down or to config)",
                     "Unable to find Eventnumber.txt - create one?", ui::Buttons::YesNo);
  if (answer != ui::Answer::Yes) return false;
  try {
    n.platform.files().replace(path, "1\r\n");
  } catch (const ui::FileError&) {
    // A drive that cannot take the new file is a network that is down.
    return false;
  }
  n.state.nextEventNumber = 1;
  ShowNumber(n, 1);
  return true;
}

std::string LocalNumberPath(const Settings& settings) {
  return settings.programDir + FileNamePart(Trim(settings.config.row(7)));
}

void SwitchToLocalOperation(const EventNumbering& n, ui::Menu& autoFill, ui::Menu& numberFileEntry) {
  static const char* kDisabled = "Auto/Network Mode Disabled - Press Start then manually enter data.";
  n.state.networkMode = false;
  autoFill.checked = false;
  n.status.setText(kDisabled);
  n.platform.ask(kDisabled, "");
  n.settings.eventNumberPath = LocalNumberPath(n.settings);
  numberFileEntry.caption = n.settings.eventNumberPath;
}

bool UsingLocalFile(const EventNumbering& n) {
  return !n.state.networkMode && n.settings.eventNumberPath == LocalNumberPath(n.settings);
}

void GiveUpNumberFile(const EventNumbering& n) {
  n.platform.ask("Unable to use " + n.settings.eventNumberPath +
                     " - enter the event number by hand (double-click the event number box).",
                 "Unable to find Event Number File.", ui::Buttons::OK, ui::Icon::Exclamation);
}

}  // namespace

EventNumbering EventNumbering::of(Station& s) {
  return {s.platform, s.settings, s.state, s.main.boxes.eventNumber, s.main.statusBar};
}

std::optional<double> EventNumberValue(std::string_view line) {
  const std::string trimmed = Trim(line);
  if (trimmed.empty()) return std::nullopt;
  const double value = LeadingNumber(trimmed);
  const double limit = double(kEventNumberLimit);
  return std::clamp(value, -limit, limit);
}

long long NumberPlus(double value, int delta) { return RoundHalfEven(value + delta); }

int ArrivalBump(std::string_view eventName, std::string_view previousName) {
  const std::string event = ToUpper(eventName), previous = ToUpper(previousName);
  if (!Contains(event, "ARRIVAL") || Contains(previous, "DEPART")) return 0;
  if (previous.empty()) return 1;
  return previous == "STATION ARRIVAL" ? 0 : 2;
}

std::string ReadingNumberStatus(long long next) {
  return "Reading Event Number file..." + std::string(next >= 0 ? " " : "") + EventNumberText(next);
}

std::string EventNumberText(long long number) { return std::to_string(number); }

void LoadEventNumber(const EventNumbering& n, ui::Menu& autoFill, ui::Menu& numberFileEntry) {
  while (true) {
    if (JulianScheme(n.settings)) return ShowJulianNumber(n);
    const bool present = n.platform.files().exists(n.settings.eventNumberPath);
    if (present && LoadFromExistingFile(n)) return;
    if (!present && OfferNewFile(n)) return;
    const auto answer =
        n.platform.ask("Network is unavailable!  Remap drive then click 'Yes' to retry or 'No' for local operations",
                       "Remap Drive or network down?", ui::Buttons::YesNo);
    if (answer == ui::Answer::No) {
      // Local operation whose own file cannot be made or read would ask
      // these questions for ever: the station opens without a number instead.
      if (UsingLocalFile(n)) return GiveUpNumberFile(n);
      SwitchToLocalOperation(n, autoFill, numberFileEntry);
    }
  }
}

bool RaiseFromFile(const EventNumbering& n, bool holdWhileRolledBack) {
  const auto value = EventNumberValue(ReadNumberLine(n));
  if (!value) return false;
  StationState& st = n.state;
  st.nextEventNumber = NumberPlus(*value, 1);
  if (st.manualEventNumber || (holdWhileRolledBack && st.numberRolledBack)) return false;
  if (!(BoxValue(n) < double(st.nextEventNumber))) return false;
  ShowNumber(n, st.nextEventNumber);
  return true;
}

void ShowJulianNumber(const EventNumbering& n) { n.box.setText(JulianNumber(n.platform.now(), n.settings.longJulian)); }

void PublishEventNumber(const EventNumbering& n) {
  const std::string line = n.box.text() + "\r\n";
  const ui::FileSystem& fs = n.platform.files();
  fs.replace(n.settings.eventNumberPath, line);
  if (n.settings.localEventNumberPath != n.settings.eventNumberPath) fs.replace(n.settings.localEventNumberPath, line);
}

void RollBackEventNumber(const EventNumbering& n) {
  const double cleared = BoxValue(n) - 2;
  n.box.setText(ValueText(cleared));
  n.platform.files().replace(n.settings.eventNumberPath, n.box.text() + "\r\n");
  n.state.nextEventNumber = NumberPlus(cleared, 1);
  n.state.numberRolledBack = true;
  if (JulianScheme(n.settings))
    ShowJulianNumber(n);
  else
    ShowNumber(n, n.state.nextEventNumber);
}

void RequestManualOverride(const EventNumbering& n) {
  const auto answer = n.platform.ask("This field is auto-incremented by the program! Manual entry override? Y/N?",
                                     "Enter Event Number Manually Y/N?", ui::Buttons::YesNo, ui::Icon::Error);
  if (answer != ui::Answer::Yes) return;
  n.box.locked = false;
  n.state.manualEventNumber = true;
}

void NumberStepAfterChecks(const EventNumbering& n, bool zeroPosition) {
  if (JulianScheme(n.settings)) return ShowJulianNumber(n);
  const auto value = EventNumberValue(ReadNumberLine(n));
  if (!value) return;
  n.state.nextEventNumber = NumberPlus(*value, zeroPosition ? 1 : -1);
  if (!n.state.manualEventNumber && BoxValue(n) < double(n.state.nextEventNumber))
    ShowNumber(n, n.state.nextEventNumber);
}

void StationArrivalRule(StationState& state, const std::string& eventName) {
  state.nextEventNumber += ArrivalBump(eventName, state.previousEventName);
}

void RememberEventName(StationState& state, const std::string& eventName) { state.previousEventName = Trim(eventName); }

void LocalNumberStep(const EventNumbering& n) {
  if (JulianScheme(n.settings) || n.state.networkMode) return;
  ++n.state.nextEventNumber;
  if (!n.state.manualEventNumber) ShowNumber(n, n.state.nextEventNumber);
}

void PublishStep(const EventNumbering& n) {
  if (JulianScheme(n.settings)) return ShowJulianNumber(n);
  RaiseFromFile(n);
  n.status.setText(ReadingNumberStatus(n.state.nextEventNumber));
  PublishEventNumber(n);
}

void AdvanceAfterRecord(const EventNumbering& n) {
  if (JulianScheme(n.settings)) return;
  ++n.state.nextEventNumber;
  ShowNumber(n, n.state.nextEventNumber);
}

void ReleaseManualOverride(StationState& state) { state.manualEventNumber = false; }

}  // namespace ruvek

#include "events/EventNumber.h"

#include <algorithm>

#include "core/Format.h"
#include "core/TextRoutines.h"
#include "events/Recording.h"

namespace ruvek {
namespace {

double BoxValue(const MainWindow& w) { return LeadingNumber(w.text1[5]->text()); }

void ShowNumber(MainWindow& w, long long number) { w.text1[5]->setText(EventNumberText(number)); }

// The first line of the event number file in use, trimmed.
std::string ReadNumberLine(MainWindow& w) { return Trim(w.fs().firstLine(w.settings.eventNumberPath)); }

// A number typed or computed with a fraction keeps it; whole numbers show
// without a point ("9", "31.140509").
std::string ValueText(double value) { return FormatNumber(value, "0.##########"); }

// Step 2 of the start-up load. Returns true when the number was set (or the
// line was blank); false when the existing file could not be read.
bool LoadFromExistingFile(MainWindow& w) {
  try {
    if (auto value = EventNumberValue(ReadNumberLine(w))) {
      w.nextEventNumber = NumberPlus(*value, 1);
      ShowNumber(w, w.nextEventNumber);
    }
    return true;
  } catch (const ui::FileError&) {
    return false;
  }
}

// Step 3: offers to create the missing file. Returns true when it was created.
bool OfferNewFile(MainWindow& w) {
  const std::string& path = w.settings.eventNumberPath;
  const auto answer = w.ask("Unable to find " + path + "! Create one? Y/N ('No' if network is down or to config)",
                            "Unable to find Eventnumber.txt - create one?", ui::Buttons::YesNo);
  if (answer != ui::Answer::Yes) return false;
  try {
    w.fs().replace(path, "1\r\n");
  } catch (const ui::FileError&) {
    // A drive that cannot take the new file is a network that is down.
    return false;
  }
  w.nextEventNumber = 1;
  ShowNumber(w, 1);
  return true;
}

void SwitchToLocalOperation(MainWindow& w) {
  static const char* kDisabled = "Auto/Network Mode Disabled - Press Start then manually enter data.";
  w.networkMode = false;
  w.mnuAuto->checked = false;
  w.setStatus(kDisabled);
  w.ask(kDisabled, "");
  w.settings.eventNumberPath = w.settings.programDir + Trim(w.config.row(7));
  w.mnuEventNumFile->caption = w.settings.eventNumberPath;
}

bool UsingLocalFile(const MainWindow& w) {
  return !w.networkMode && w.settings.eventNumberPath == w.settings.programDir + Trim(w.config.row(7));
}

void GiveUpNumberFile(MainWindow& w) {
  w.ask("Unable to use " + w.settings.eventNumberPath +
            " - enter the event number by hand (double-click the event number box).",
        "Unable to find Event Number File.", ui::Buttons::OK, ui::Icon::Exclamation);
}

}  // namespace

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

bool JulianScheme(const MainWindow& w) { return w.settings.numberScheme == "JULIAN"; }

void LoadEventNumber(MainWindow& w) {
  while (true) {
    if (JulianScheme(w)) return ShowJulianNumber(w);
    const bool present = w.fs().exists(w.settings.eventNumberPath);
    if (present && LoadFromExistingFile(w)) return;
    if (!present && OfferNewFile(w)) return;
    const auto answer =
        w.ask("Network is unavailable!  Remap drive then click 'Yes' to retry or 'No' for local operations",
              "Remap Drive or network down?", ui::Buttons::YesNo);
    if (answer == ui::Answer::No) {
      // Local operation whose own file cannot be made or read would ask
      // these questions for ever: the station opens without a number instead.
      if (UsingLocalFile(w)) return GiveUpNumberFile(w);
      SwitchToLocalOperation(w);
    }
  }
}

bool RaiseFromFile(MainWindow& w, bool holdWhileRolledBack) {
  const auto value = EventNumberValue(ReadNumberLine(w));
  if (!value) return false;
  w.nextEventNumber = NumberPlus(*value, 1);
  if (w.manualEventNumber || (holdWhileRolledBack && w.numberRolledBack)) return false;
  if (!(BoxValue(w) < double(w.nextEventNumber))) return false;
  ShowNumber(w, w.nextEventNumber);
  return true;
}

void ShowJulianNumber(MainWindow& w) { w.text1[5]->setText(JulianNumber(w.platform.now(), w.settings.longJulian)); }

void PublishEventNumber(MainWindow& w) {
  const std::string line = w.text1[5]->text() + "\r\n";
  w.fs().replace(w.settings.eventNumberPath, line);
  if (w.settings.localEventNumberPath != w.settings.eventNumberPath)
    w.fs().replace(w.settings.localEventNumberPath, line);
}

void RollBackEventNumber(MainWindow& w) {
  const double cleared = BoxValue(w) - 2;
  w.text1[5]->setText(ValueText(cleared));
  w.fs().replace(w.settings.eventNumberPath, w.text1[5]->text() + "\r\n");
  w.nextEventNumber = NumberPlus(cleared, 1);
  w.numberRolledBack = true;
  if (JulianScheme(w))
    ShowJulianNumber(w);
  else
    ShowNumber(w, w.nextEventNumber);
}

void RequestManualOverride(MainWindow& w) {
  const auto answer = w.ask("This field is auto-incremented by the program! Manual entry override? Y/N?",
                            "Enter Event Number Manually Y/N?", ui::Buttons::YesNo, ui::Icon::Error);
  if (answer != ui::Answer::Yes) return;
  w.text1[5]->locked = false;
  w.manualEventNumber = true;
}

void NumberStepAfterChecks(MainWindow& w, bool zeroPosition) {
  if (JulianScheme(w)) return ShowJulianNumber(w);
  const auto value = EventNumberValue(ReadNumberLine(w));
  if (!value) return;
  w.nextEventNumber = NumberPlus(*value, zeroPosition ? 1 : -1);
  if (!w.manualEventNumber && BoxValue(w) < double(w.nextEventNumber)) ShowNumber(w, w.nextEventNumber);
}

void StationArrivalRule(MainWindow& w, const std::string& eventName) {
  w.nextEventNumber += ArrivalBump(eventName, w.previousEventName);
}

void RememberEventName(MainWindow& w, const std::string& eventName) { w.previousEventName = Trim(eventName); }

void LocalNumberStep(MainWindow& w) {
  if (JulianScheme(w) || w.networkMode) return;
  ++w.nextEventNumber;
  if (!w.manualEventNumber) ShowNumber(w, w.nextEventNumber);
}

void PublishStep(MainWindow& w) {
  if (JulianScheme(w)) return ShowJulianNumber(w);
  RaiseFromFile(w);
  w.setStatus(ReadingNumberStatus(w.nextEventNumber));
  PublishEventNumber(w);
}

void AdvanceAfterRecord(MainWindow& w) {
  if (JulianScheme(w)) return;
  ++w.nextEventNumber;
  ShowNumber(w, w.nextEventNumber);
}

void ReleaseManualOverride(MainWindow& w) { w.manualEventNumber = false; }

void WireEventNumber(MainWindow& w) {
  w.text1[5]->onDblClick = [&w] { RequestManualOverride(w); };
}

}  // namespace ruvek

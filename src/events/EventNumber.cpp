#include "events/EventNumber.h"

#include <algorithm>
#include <cmath>

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

// The value of the event number file at record time: a blank line, or a data
// directory that is not the share, is a file that cannot be read.
double RecordTimeValue(const EventNumbering& n) {
  const std::string& path = n.settings.eventNumberPath;
  if (!NumberFileReachable(n)) throw os::FileError("the share is not there: " + path, path);
  const auto value = EventNumberValue(ReadNumberLine(n));
  if (!value) throw os::FileError("blank event number file " + path, path);
  return *value;
}

// next = value + 1, shown in the box unless the operator took the number over,
// Clear Last holds it (with holdWhileRolledBack) or the box shows as much.
bool RaiseTo(const EventNumbering& n, double value, bool holdWhileRolledBack) {
  StationState& st = n.state;
  st.numbers.nextEventNumber = NumberPlus(value, 1);
  if (st.numbers.manualEventNumber || (holdWhileRolledBack && st.numbers.numberRolledBack)) return false;
  if (!(BoxValue(n) < double(st.numbers.nextEventNumber))) return false;
  ShowNumber(n, st.numbers.nextEventNumber);
  return true;
}

// The box's number into the file in use and its local copy, the share's
// presence checked by the caller.
void WriteNumberFiles(const EventNumbering& n) {
  const std::string line = n.box.text() + "\r\n";
  const os::FileSystem& fs = n.platform.files();
  try {
    fs.replace(n.settings.eventNumberPath, line);
    if (n.settings.localEventNumberPath != n.settings.eventNumberPath)
      fs.replace(n.settings.localEventNumberPath, line);
  } catch (const os::FileError& e) {
    throw NumberFileWriteError(e);
  }
}

// The number from an existing file at start. Returns true when the number was
// set; false when the file could not be read or its line is blank.
bool LoadFromExistingFile(const EventNumbering& n) {
  try {
    const auto value = EventNumberValue(ReadNumberLine(n));
    if (!value) return false;
    n.state.numbers.nextEventNumber = NumberPlus(*value, 1);
    ShowNumber(n, n.state.numbers.nextEventNumber);
    return true;
  } catch (const os::FileError&) {
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
  } catch (const os::FileError&) {
    // A drive that cannot take the new file is a network that is down.
    return false;
  }
  // The new file says 1 was used: the next event is logged as 2.
  n.state.numbers.nextEventNumber = 2;
  ShowNumber(n, 2);
  return true;
}

std::string LocalNumberPath(const Settings& settings) {
  return settings.programDir + FileNamePart(Trim(settings.config[ConfigRow::EventNumberFile]));
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

// The station counts from 0 on its own: its first event is logged as 1.
void GiveUpNumberFile(const EventNumbering& n) {
  n.state.numbers.nextEventNumber = 0;
  ShowNumber(n, 1);
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

std::string ShareLockPath(const Settings& settings) { return settings.eventNumberPath + ".lock"; }

bool NumberFileReachable(const EventNumbering& n) {
  const Settings& s = n.settings;
  const bool onShare = !s.dataDir.empty() && s.eventNumberPath.rfind(s.dataDir, 0) == 0;
  return !onShare || n.state.dataShare.reachable(n.platform.files());
}

void LoadEventNumber(const EventNumbering& n, ui::Menu& autoFill, ui::Menu& numberFileEntry) {
  while (true) {
    if (JulianScheme(n.settings)) return ShowJulianNumber(n);
    // A path without a file name (configuration row 7 empty) can be neither
    // created nor found by remapping a drive: asking would only come back.
    const std::string& path = n.settings.eventNumberPath;
    if (Trim(path.substr(std::min(path.size(), path.find_last_of("\\/") + 1))).empty()) return GiveUpNumberFile(n);
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
  return value && RaiseTo(n, *value, holdWhileRolledBack);
}

void ShowJulianNumber(const EventNumbering& n) { n.box.setText(JulianNumber(n.platform.now(), n.settings.longJulian)); }

void PublishEventNumber(const EventNumbering& n) {
  if (!NumberFileReachable(n))
    throw NumberFileWriteError(
        os::FileError("the share is not there: " + n.settings.eventNumberPath, n.settings.eventNumberPath));
  WriteNumberFiles(n);
}

bool RollBackEventNumber(const EventNumbering& n, const std::string& clearedNumber) {
  if (JulianScheme(n.settings)) {
    // The shared file belongs to the NUMERIC stations of the cruise.
    n.box.setText(clearedNumber);
  } else {
    const double previous = BoxValue(n) - 2;
    if (RecordTimeValue(n) > previous + 1) return false;
    try {
      n.platform.files().replace(n.settings.eventNumberPath, ValueText(previous) + "\r\n");
    } catch (const os::FileError& e) {
      throw NumberFileWriteError(e);
    }
    n.state.numbers.nextEventNumber = NumberPlus(previous, 1);
    ShowNumber(n, n.state.numbers.nextEventNumber);
  }
  n.state.numbers.numberRolledBack = true;
  return true;
}

void RequestManualOverride(const EventNumbering& n) {
  const auto answer = n.platform.ask("This field is auto-incremented by the program! Manual entry override? Y/N?",
                                     "Enter Event Number Manually Y/N?", ui::Buttons::YesNo, ui::Icon::Question);
  if (answer != ui::Answer::Yes) return;
  n.box.locked = false;
  n.state.numbers.manualEventNumber = true;
}

void RecordEventNumbers(const EventNumbering& n, bool zeroPosition, EventWork& work) {
  const bool newEvent = !n.state.editingRow;
  // The file's value under the present hold of the share lock: every failure
  // lets the lock go, and the file is then read again.
  std::optional<double> value;
  const auto fileStep = [&](const std::function<void()>& step) {
    work.numberFileStep([&] {
      try {
        step();
      } catch (const os::FileError&) {
        value.reset();
        throw;
      }
    });
  };
  if (newEvent)
    fileStep([&] {
      work.lockShare();
      work.catchUp();
      NumberStepAfterChecks(n, zeroPosition, &value);
    });
  work.afterChecks();
  if (newEvent) {
    StationArrivalRule(n.state, work.eventName());
    work.orderOccupied();
    RememberEventName(n.state, work.eventName());
  }
  work.fillRow();
  if (newEvent) {
    LocalNumberStep(n);
    // When the shared file took the number but its local copy failed, the
    // retry writes the number again without reading the shared file: it now
    // holds this event's own number, which must not raise the box past it.
    bool sharedFileWritten = false;
    fileStep([&] {
      work.lockShare();
      if (sharedFileWritten) return PublishEventNumber(n);
      try {
        PublishStep(n, &value);
      } catch (const os::FileError& e) {
        sharedFileWritten = e.path != n.settings.eventNumberPath && e.path == n.settings.localEventNumberPath;
        throw;
      }
    });
    // Again for when the operator gave the event number file up.
    KeepNumberNew(n);
  }
  work.writeLogs();
  if (newEvent) {
    NoteNumberLogged(n);
    AdvanceAfterRecord(n);
  }
  ReleaseManualOverride(n.state.numbers);
}

void NumberStepAfterChecks(const EventNumbering& n, bool zeroPosition, std::optional<double>* value) {
  if (JulianScheme(n.settings)) return ShowJulianNumber(n);
  const double read = RecordTimeValue(n);
  if (value) *value = read;
  n.state.numbers.nextEventNumber = NumberPlus(read, zeroPosition ? 1 : -1);
  if (!n.state.numbers.manualEventNumber && BoxValue(n) < double(n.state.numbers.nextEventNumber))
    ShowNumber(n, n.state.numbers.nextEventNumber);
}

void StationArrivalRule(StationState& state, const std::string& eventName) {
  state.numbers.nextEventNumber += ArrivalBump(eventName, state.previousEventName);
}

void RememberEventName(StationState& state, const std::string& eventName) { state.previousEventName = Trim(eventName); }

void LocalNumberStep(const EventNumbering& n) {
  if (JulianScheme(n.settings) || n.state.networkMode) return;
  ++n.state.numbers.nextEventNumber;
  if (!n.state.numbers.manualEventNumber) ShowNumber(n, n.state.numbers.nextEventNumber);
}

void PublishStep(const EventNumbering& n, const std::optional<double>* value) {
  if (JulianScheme(n.settings)) return ShowJulianNumber(n);
  RaiseTo(n, value && *value ? **value : RecordTimeValue(n), false);
  KeepNumberNew(n);
  n.status.setText(ReadingNumberStatus(n.state.numbers.nextEventNumber));
  WriteNumberFiles(n);
}

void KeepNumberNew(const EventNumbering& n) {
  StationState& st = n.state;
  if (JulianScheme(n.settings)) return;
  const bool blank = Trim(n.box.text()).empty();
  const bool reusedOnPurpose = st.numbers.manualEventNumber || st.numbers.numberRolledBack;
  if (!blank && (reusedOnPurpose || !st.numbers.highestNumberLogged || BoxValue(n) > *st.numbers.highestNumberLogged))
    return;
  long long next = std::max(st.numbers.nextEventNumber, 1LL);
  if (st.numbers.highestNumberLogged) next = std::max(next, NumberPlus(std::floor(*st.numbers.highestNumberLogged), 1));
  st.numbers.nextEventNumber = next;
  ShowNumber(n, next);
}

void NoteNumberLogged(const EventNumbering& n) {
  if (JulianScheme(n.settings)) return;
  const double logged = BoxValue(n);
  StationState& st = n.state;
  if (!st.numbers.highestNumberLogged || logged > *st.numbers.highestNumberLogged)
    st.numbers.highestNumberLogged = logged;
}

void AdvanceAfterRecord(const EventNumbering& n) {
  if (JulianScheme(n.settings)) return;
  StationState& st = n.state;
  ++st.numbers.nextEventNumber;
  if (st.numbers.highestNumberLogged)
    st.numbers.nextEventNumber =
        std::max(st.numbers.nextEventNumber, NumberPlus(std::floor(*st.numbers.highestNumberLogged), 1));
  ShowNumber(n, st.numbers.nextEventNumber);
}

void ReleaseManualOverride(NumberState& numbers) { numbers.manualEventNumber = false; }

}  // namespace ruvek

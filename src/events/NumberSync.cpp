#include "events/NumberSync.h"

#include <algorithm>
#include <vector>

#include "core/EventLogSchema.h"
#include "core/TextRoutines.h"

namespace ruvek {
namespace {

constexpr int kNumberWaitMs = 1000;
constexpr int kSilentRetries = 6;
// The last-event line is split into at most this many fields: the record and
// the first fields of its navigation tail.
constexpr int kLastEventFields = 20;

// Another logging computer has used a number: show its last event in the grid
// and count on from its number.
void PullLastEvent(const EventNumbering& n, ui::Grid& eventGrid, EventGridRows& rows, const std::string& cruise) {
  const os::FileSystem& fs = n.platform.files();
  const Settings& settings = n.settings;
  const std::string path =
      LogFileNamesFor(settings.programDir, settings.dataDir, cruise, settings.eventListType).lastEvent;
  if (!fs.exists(path)) return;
  const std::string line = fs.firstLine(path);
  StationState& st = n.state;
  // This station's own event is in its grid already (a corrected event leaves
  // the box below the file's number, so the raise that follows finds it).
  if (line == st.numbers.lastSeenLastEvent || line == st.numbers.ownLastEvent) return;
  st.numbers.lastSeenLastEvent = line;
  std::vector<std::string> f(kLastEventFields);
  SplitCommas(line, f, kLastEventFields);
  // A new cruise's empty grid counts 0 rows: the event goes to row 1, never
  // over the headings; a full grid gives up its oldest row.
  const int row = rows.rowForNewEvent();
  // Grid columns Evt#, Line, Sta, Date, Time, Event, Lat, Lon, Init, Comments:
  // an event pulled from another computer shows the UTC date and time.
  using C = LogColumn;
  static const std::size_t kFieldOfColumn[kGridCols] = {C::EventNo, C::StndLine, C::StndSta, C::UtcDate,  C::UtcTime,
                                                        C::Event,   C::DecLat,   C::DecLon,  C::Operator, C::Comments};
  for (int c = 0; c < kGridCols; ++c) eventGrid.setCell(row, c, f[kFieldOfColumn[c]]);
  rows.filled(row);
  eventGrid.row = row;
  // The number file's value was raised already; an older last-event line
  // (written a moment before the number) never takes the box back.
  st.numbers.nextEventNumber =
      std::max(st.numbers.nextEventNumber, NumberPlus(EventNumberValue(f[LogColumn::EventNo]).value_or(0), 1));
  n.box.setText(EventNumberText(st.numbers.nextEventNumber));
}

}  // namespace

NumberSync SyncEventNumber(const EventNumbering& n) {
  StationState& st = n.state;
  while (true) {
    if (JulianScheme(n.settings)) {
      ShowJulianNumber(n);
      return NumberSync::NotRead;
    }
    if (!n.platform.files().exists(n.settings.eventNumberPath)) {
      n.status.setText("Unable to find Event Number file...Retry" + std::to_string(st.numbers.eventFileRetries) + ".");
      return NumberSync::NotRead;
    }
    try {
      if (RaiseFromFile(n, /*holdWhileRolledBack=*/true)) st.numbers.lastEventPending = true;
      st.numbers.eventFileRetries = 0;
      n.status.setText("Reading Event Number file..." + EventNumberText(st.numbers.nextEventNumber));
      return NumberSync::Read;
    } catch (const os::FileError&) {
      n.platform.wait(kNumberWaitMs);
      ++st.numbers.eventFileRetries;
      if (st.numbers.eventFileRetries <= kSilentRetries) {
        n.status.setText("Unable to find Event Number file...Retry" + std::to_string(st.numbers.eventFileRetries) +
                         ".");
        continue;
      }
      const auto answer = n.platform.ask(
          "Unable to find Event Number file...Quit the program?\r  [Yes] to quit or [No] for manual entry",
          "Can't Find the Event Number file, Quit?", ui::Buttons::YesNo, ui::Icon::Warning);
      if (answer == ui::Answer::Yes) return NumberSync::Quit;
      st.numbers.eventFileRetries = 0;
      return NumberSync::ManualEntry;
    }
  }
}

void PullPendingLastEvent(const EventNumbering& n, ui::Grid& eventGrid, EventGridRows& rows,
                          const std::string& cruise) {
  if (!n.state.numbers.lastEventPending) return;
  try {
    PullLastEvent(n, eventGrid, rows, cruise);
    n.state.numbers.lastEventPending = false;
  } catch (const os::FileError&) {
  }
}

}  // namespace ruvek

#pragma once
// The state a station keeps while it runs, beside its windows: the navigation
// snapshot of the last poll tick and the clock option that turns the
// computer's clock into local (Pacific) time.
#include <optional>
#include <string>

#include "core/EventLogSchema.h"
#include "platform/DateTime.h"

namespace ruvek {

// The navigation values of the last poll tick.
struct NavSnapshot {
  std::string localDate, localTime, utcDate, utcTime;
  std::string decLat = "00.000000", decLon = "00.000000";
  std::string calcLine, calcSta, stndLine, stndSta;
  MetItems metItems{};
  std::string rawLine;  // the last raw line read from the position file
};

// What the computer's clock keeps (the clock options "PC Time is PST", "PC Time
// is PDT", "PC Time is UTC"); local time is Pacific standard time.
enum class PcClock { Pst, Pdt, Utc };

// How many hours the local time is behind the computer's clock: 0, 1 or 8.
int HoursBehind(PcClock clock);

// The local date and time texts from a clock reading, cut as the machine's
// default date-time text is: "01-Mar-2026 18:30:00" -> "01-Mar-2026", "18:30:00";
// a "/" date keeps its first 10 characters, a text with neither "/" nor "-"
// gives no date.
struct LocalClock {
  std::string date, time;
};
LocalClock CutDateTimeText(const std::string& dateTimeText);

// Sets the snapshot's local date and time from the clock `now` by the selected
// clock option; without one they stay as they are.
void SetLocalClock(NavSnapshot& nav, std::optional<PcClock> clock, const DateTime& now);

}  // namespace ruvek

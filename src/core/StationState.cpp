#include "core/StationState.h"

#include "core/TextRoutines.h"

namespace ruvek {

RecordingCaptions CaptionsFor(Recording recording) {
  switch (recording) {
    case Recording::NotStarted: return {"Start", "Standby"};
    case Recording::Ready: return {"Record Event", "Standby"};
    case Recording::Saving: return {"Saving Event", "Standby"};
    case Recording::StandingBy: return {"Standingby", "Resume"};
  }
  return {"Start", "Standby"};
}

int HoursBehind(PcClock clock) {
  switch (clock) {
    case PcClock::Pst: return 0;
    case PcClock::Pdt: return 1;  // the computer keeps daylight time
    case PcClock::Utc: return 8;
  }
  return 0;
}

LocalClock CutDateTimeText(const std::string& text) {
  LocalClock out;
  if (Contains(text, "/"))
    out.date = text.substr(0, 10);
  else if (Contains(text, "-"))
    out.date = text.substr(0, 11);
  out.time = text.size() >= 8 ? text.substr(text.size() - 8) : text;
  return out;
}

void SetLocalClock(NavSnapshot& nav, std::optional<PcClock> clock, const DateTime& now) {
  if (!clock) return;
  const DateTime t = now.plusHours(-HoursBehind(*clock));
  const LocalClock local = CutDateTimeText(t.shortDate() + " " + t.longTime());
  if (!local.date.empty()) nav.localDate = local.date;
  nav.localTime = local.time;
}

}  // namespace ruvek

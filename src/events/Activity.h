#pragma once
// The activity class of a logged event (the Activity column of the logs),
// found from keywords in the event name.
#include <string>

namespace ruvek {

// Keywords are tried in a fixed order and the first found wins. "CTD" must
// appear in capitals as typed; every other keyword is found in any case.
// An event matching none is "MMammals" while a marine-mammal list is loaded
// (listType containing "MAMMAL" in any case), else "Ancillary".
// "CTD Deployed" -> "CTD", "ctd deployed" -> "Ancillary", "Bongo at Station" -> "BONGO".
std::string ClassifyActivity(const std::string& eventName, const std::string& listType);

}  // namespace ruvek

#pragma once
// The station's state under the names the operator scripts read with `get`.
#include <optional>
#include <string>

#include "windows/Station.h"

namespace ruvek {

// A state value by name ("networkMode", "CruiseConfig(7)",
// "NavSnapshot.decLat"); nothing when the name is not a state name. A new state
// name is one line in the table of StateNames.cpp.
std::optional<std::string> StateValue(const Station& s, const std::string& name);

}  // namespace ruvek

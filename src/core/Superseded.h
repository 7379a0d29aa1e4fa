#pragma once
// Which entries of an event log a later entry replaces. The logs are
// append-only: a correction is logged again under its number, and a number
// Clear Last gave back is logged again by the next event, so the last entry of
// a number is the one that stands and every earlier one is superseded.
#include <string>
#include <vector>

namespace ruvek {

// Given the event numbers of the entries in log order, true for each entry a
// later entry with the same number replaces. Numbers are compared without
// their surrounding blanks; an empty number replaces nothing and is never
// replaced.
// Example: {"7", "8", "7", "", ""} -> {true, false, false, false, false}
std::vector<bool> SupersededEntries(const std::vector<std::string>& eventNumbers);

}  // namespace ruvek

#include "core/Superseded.h"

#include <unordered_set>

#include "core/TextRoutines.h"

namespace ruvek {

std::vector<bool> SupersededEntries(const std::vector<std::string>& eventNumbers) {
  std::vector<bool> superseded(eventNumbers.size(), false);
  std::unordered_set<std::string> later;
  for (std::size_t i = eventNumbers.size(); i-- > 0;) {
    std::string number = Trim(eventNumbers[i]);
    if (number.empty()) continue;
    superseded[i] = !later.insert(std::move(number)).second;
  }
  return superseded;
}

}  // namespace ruvek

#include "os/Lines.h"

namespace ruvek {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  ForEachLine(text, [&lines](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

}  // namespace ruvek

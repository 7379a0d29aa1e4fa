#include "core/CommentOptions.h"

#include <algorithm>

#include "core/TextRoutines.h"

namespace ruvek {
namespace {

std::string FirstCharacters(const std::string& line, std::size_t count) { return line.substr(0, count); }

}  // namespace

std::string AbbreviateOption(const std::string& line, std::size_t limit, std::string_view removalOrder,
                             std::size_t cutLength) {
  if (line.size() <= limit) return line;
  std::string caption = ToUpper(line);
  for (char letter : removalOrder) {
    if (caption.size() <= limit) return caption;
    caption.erase(std::remove(caption.begin(), caption.end(), letter), caption.end());
  }
  if (caption.size() > limit) caption.resize(cutLength);
  return caption;
}

std::string StationTypeCaption(const std::string& line) { return AbbreviateOption(line, 7, "EOIA", 6); }

std::string SeaConditionCaption(const std::string& line) { return AbbreviateOption(line, 5, "EAI0", 5); }

std::string DayNightCaption(const std::string& line) { return AbbreviateOption(line, 5, "EOIA", 5); }

std::string StationTypeHeading(const std::string& line) { return Trim(FirstCharacters(line, 32)); }

std::string SeaConditionsHeading(const std::string& line) { return FirstCharacters(line, 24); }

std::string DayNightHeading(const std::string& line) { return FirstCharacters(line, 15); }

std::string OptionCommentText(const std::string& heading, const std::string& line) { return heading + ": " + line; }

bool OptionLineIsBlank(const std::string& line) { return Trim(line).empty(); }

}  // namespace ruvek

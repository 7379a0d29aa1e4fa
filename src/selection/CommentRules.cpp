#include "selection/CommentRules.h"

#include "core/TextRoutines.h"

namespace ruvek {
namespace {

// A comment text this short holds nothing but the label: the first option
// clicked starts the comments afresh.
constexpr std::size_t kShortComment = 13;

bool OptionExists(Group group, int option) { return option >= 0 && option < (group == Group::DayNight ? 2 : 3); }

// Separator put between the existing text and an option's text when it is added.
std::string_view AddSeparator(Group group, int option) {
  if (group == Group::SeaConditions && option < 2) return "; ";
  return ";";
}

// Separator taken out together with an option's text on a double click.
std::string_view TakeOutSeparator(Group group, int option) {
  if (group == Group::SeaConditions && option == 0) return "; ";
  if (group == Group::StationType) return "; ";
  return ";";
}

std::string Append(const std::string& comments, std::string_view separator, const std::string& text) {
  std::string result = comments;
  result += separator;
  result += text;
  return result;
}

// Sea conditions and station type: the chosen option's text replaces another
// option's text where one is present, else is added.
std::string WithOneOfThree(Group group, int option, const std::string& comments,
                           const std::array<std::string, 3>& optionTexts) {
  const std::string& chosenText = optionTexts[option];
  if (comments.size() <= kShortComment) return std::string(kResetComments) + chosenText;
  const std::string& firstOther = optionTexts[option == 0 ? 1 : 0];
  const std::string& secondOther = optionTexts[option == 2 ? 1 : 2];
  if (Contains(comments, firstOther)) return ReplaceAll(comments, firstOther, chosenText);
  if (!Contains(comments, secondOther)) return Append(comments, AddSeparator(group, option), chosenText);
  return ReplaceAll(comments, secondOther, chosenText);
}

// Day/night: Day starts a short comment afresh, Night never does.
std::string WithDayNight(int option, const std::string& comments, const std::array<std::string, 3>& optionTexts) {
  const std::string& chosenText = optionTexts[option];
  const std::string& other = optionTexts[1 - option];
  if (option == 0 && comments.size() <= kShortComment) return std::string(kResetComments) + chosenText;
  if (Contains(comments, other)) return ReplaceAll(comments, other, chosenText);
  return Append(comments, ";", chosenText);
}

}  // namespace

std::string CommentsWithCondition(Group group, int option, const std::string& comments,
                                  const std::array<std::string, 3>& optionTexts) {
  if (!OptionExists(group, option)) return comments;
  if (group == Group::DayNight) return WithDayNight(option, comments, optionTexts);
  return WithOneOfThree(group, option, comments, optionTexts);
}

ConditionTakenOut CommentsWithoutCondition(Group group, int option, const std::string& comments,
                                           const std::array<std::string, 3>& optionTexts) {
  if (!OptionExists(group, option) || !Contains(comments, optionTexts[option])) return {comments, false};
  const std::string withSeparator = std::string(TakeOutSeparator(group, option)) + optionTexts[option];
  const std::string& removed = Contains(comments, withSeparator) ? withSeparator : optionTexts[option];
  return {ReplaceAll(comments, removed, ""), true};
}

std::string CleanComments(const std::string& text) {
  // Replacing ":;" and ";;" until neither is left comes to this: a semicolon
  // that follows a colon or a semicolon (after the clean-up so far) is dropped.
  std::string result;
  result.reserve(text.size());
  for (char c : text) {
    if (c == ';' && !result.empty() && (result.back() == ':' || result.back() == ';')) continue;
    result += c;
  }
  return result;
}

std::string AppendCheckComment(const std::string& comments, const std::string& caption) {
  return Append(comments, ";", caption);
}

std::string RemoveCheckComment(const std::string& comments, const std::string& caption) {
  return ReplaceAll(comments, ";" + caption, "");
}

TickOutcome CommentsAfterTick(const std::vector<bool>& ticked, int index, const std::string& caption,
                              const std::string& comments) {
  if (index < 0 || static_cast<std::size_t>(index) >= ticked.size()) return {-1, comments};
  int tickedCount = 0;
  int highestTicked = -1;
  for (std::size_t i = 0; i < ticked.size(); ++i) {
    if (!ticked[i]) continue;
    ++tickedCount;
    highestTicked = static_cast<int>(i);
  }
  const bool clickedTicked = ticked[static_cast<std::size_t>(index)];
  if (tickedCount == 1) {
    // The one box left ticked is the event; a box cleared to get there leaves the comments.
    return {highestTicked, clickedTicked ? comments : RemoveCheckComment(comments, caption)};
  }
  return {-1, clickedTicked ? AppendCheckComment(comments, caption) : RemoveCheckComment(comments, caption)};
}

}  // namespace ruvek

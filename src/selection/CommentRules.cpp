#include "selection/CommentRules.h"

#include "core/TextRoutines.h"

namespace ruvek {
namespace {

// A comment text this short holds nothing but the label: the first option
// clicked starts the comments afresh.
constexpr std::size_t kShortComment = 13;

bool OptionExists(Group g, int k) { return k >= 0 && k < (g == Group::DayNight ? 2 : 3); }

// Separator put between the existing text and an option's text when it is added.
std::string_view AddSeparator(Group g, int k) {
  if (g == Group::SeaConditions && k < 2) return "; ";
  return ";";
}

// Separator taken out together with an option's text on a double click.
std::string_view TakeOutSeparator(Group g, int k) {
  if (g == Group::SeaConditions && k == 0) return "; ";
  if (g == Group::StationType) return "; ";
  return ";";
}

std::string Append(const std::string& C, std::string_view separator, const std::string& text) {
  std::string result = C;
  result += separator;
  result += text;
  return result;
}

// Sea conditions and station type: the chosen option's text replaces another
// option's text where one is present, else is added.
std::string ThreeOptionClick(Group g, int k, const std::string& C, const std::array<std::string, 3>& T) {
  const std::string& Tk = T[k];
  if (C.size() <= kShortComment) return std::string(kResetComments) + Tk;
  const std::string& Ti = T[k == 0 ? 1 : 0];
  const std::string& Tj = T[k == 2 ? 1 : 2];
  if (Contains(C, Ti)) return ReplaceAll(C, Ti, Tk);
  if (!Contains(C, Tj)) return Append(C, AddSeparator(g, k), Tk);
  return ReplaceAll(C, Tj, Tk);
}

// Day/night: Day starts a short comment afresh, Night never does.
std::string DayNightClick(int k, const std::string& C, const std::array<std::string, 3>& T) {
  const std::string& Tk = T[k];
  const std::string& other = T[1 - k];
  if (k == 0 && C.size() <= kShortComment) return std::string(kResetComments) + Tk;
  if (Contains(C, other)) return ReplaceAll(C, other, Tk);
  return Append(C, ";", Tk);
}

}  // namespace

std::string ConditionClick(Group g, int k, const std::string& C, const std::array<std::string, 3>& T) {
  if (!OptionExists(g, k)) return C;
  if (g == Group::DayNight) return DayNightClick(k, C, T);
  return ThreeOptionClick(g, k, C, T);
}

DblClickResult ConditionDblClick(Group g, int k, const std::string& C, const std::array<std::string, 3>& T) {
  if (!OptionExists(g, k) || !Contains(C, T[k])) return {C, false};
  const std::string withSeparator = std::string(TakeOutSeparator(g, k)) + T[k];
  const std::string& removed = Contains(C, withSeparator) ? withSeparator : T[k];
  return {ReplaceAll(C, removed, ""), true};
}

std::string CleanComments(std::string text) {
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

CheckClickResult CheckBoxClick(const std::vector<bool>& ticked, int index, const std::string& caption,
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

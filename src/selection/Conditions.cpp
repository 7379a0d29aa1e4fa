#include "selection/Conditions.h"

#include <vector>

namespace ruvek {
namespace {

// The option buttons of a group; day/night has two.
std::vector<ui::OptionButton*> Options(Conditions& conditions, Group g) {
  switch (g) {
    case Group::SeaConditions: return {conditions.sea.begin(), conditions.sea.end()};
    case Group::DayNight: return {conditions.dayNight.begin(), conditions.dayNight.end()};
    case Group::StationType: break;
  }
  return {conditions.stationType.begin(), conditions.stationType.end()};
}

// Each option's comment text is its tooltip, set from the comment options file
// at start; without that file it is empty.
std::array<std::string, 3> CommentTexts(const std::vector<ui::OptionButton*>& options) {
  std::array<std::string, 3> texts{};
  for (std::size_t i = 0; i < options.size() && i < texts.size(); ++i) texts[i] = options[i]->tooltip;
  return texts;
}

}  // namespace

void AddConditionComment(Conditions& conditions, ui::TextBox& comments, Group g, int index) {
  const auto options = Options(conditions, g);
  if (index < 0 || std::size_t(index) >= options.size()) return;
  comments.setText(CommentsWithCondition(g, index, comments.text(), CommentTexts(options)));
}

void RemoveConditionComment(Conditions& conditions, ui::TextBox& comments, Group g, int index) {
  const auto options = Options(conditions, g);
  if (index < 0 || std::size_t(index) >= options.size()) return;
  const ConditionTakenOut r = CommentsWithoutCondition(g, index, comments.text(), CommentTexts(options));
  if (!r.cleared) return;
  comments.setText(r.text);
  options[std::size_t(index)]->setValue(false);
}

void FoldCommentSeparators(ui::TextBox& comments) {
  // The cleaned text is stable, so setting it raises at most one more change, which finds nothing to do.
  comments.setText(CleanComments(comments.text()));
}

void ResetConditions(Conditions& conditions, ui::TextBox& comments) {
  // Clearing an option runs no click handler, so the comments are set only once, below.
  for (Group g : {Group::SeaConditions, Group::DayNight, Group::StationType})
    for (ui::OptionButton* option : Options(conditions, g)) option->setValue(false);
  comments.setText(std::string(kResetComments));
}

}  // namespace ruvek

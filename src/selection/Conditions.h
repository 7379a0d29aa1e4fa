#pragma once
// The condition options beside the pickers (sea conditions, day or night,
// station type) and the comments box they write into.
#include "selection/CommentRules.h"
#include "windows/MainWindow.h"

namespace ruvek {

// A click selected option `index` of group `g`: its comment text (its tooltip)
// goes into the comments.
void AddConditionComment(Conditions& conditions, ui::TextBox& comments, Group g, int index);
// A double click takes the option's comment text out again and clears the option.
void RemoveConditionComment(Conditions& conditions, ui::TextBox& comments, Group g, int index);
// Runs after every change of the comments box: ":;" and ";;" are folded away.
void FoldCommentSeparators(ui::TextBox& comments);

// Clears the three condition groups and sets the comments box to "Comments: ".
void ResetConditions(Conditions& conditions, ui::TextBox& comments);

}  // namespace ruvek

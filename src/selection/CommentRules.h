#pragma once
// How the condition options and the check-box pickers change the comment text.
// Pure text rules: the handlers read the comments box and the options' comment
// texts, call these, and put the result back into the box (whose change rule,
// CleanComments, then runs on it).
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace ruvek {

// The three option groups beside the event pickers.
enum class Group {
  SeaConditions,  // Frame6, Option3(0..2): Calm, Modrt, Rough
  DayNight,       // Frame4, Option4(0..1): Day, Night
  StationType,    // Frame5, Option5(0..2): Standard, Prodo, SCCOOS
};

// Text of the comments box after ResetConditions.
inline constexpr std::string_view kResetComments = "Comments: ";

// Comment text after a click selects option `option` of group `group`. `comments` is the comment text
// before the click, `optionTexts` the comment texts of the group's options (the third unused for
// day/night). An option that does not exist (`option` out of range, or 2 for day/night)
// leaves `comments` unchanged.
std::string CommentsWithCondition(Group group, int option, const std::string& comments,
                                  const std::array<std::string, 3>& optionTexts);

struct ConditionTakenOut {
  std::string text;  // the new comment text
  bool cleared;      // the option's selection is to be cleared
};
// A double click on `option` takes its comment text out again. When `comments` does not
// contain its text nothing happens: the text stays and the option keeps its state.
ConditionTakenOut CommentsWithoutCondition(Group group, int option, const std::string& comments,
                                           const std::array<std::string, 3>& optionTexts);

// The comments box's change rule, run to its end: ":;" becomes ":" and ";;"
// becomes ";" until neither is left. So a run of semicolons right after a colon
// vanishes and any other run shrinks to one semicolon. One pass, linear time.
std::string CleanComments(const std::string& text);

// Check-box pickers: a ticked box beyond the first adds ";" and its caption to the
// comments; clearing it removes every ";" followed by its caption.
std::string AppendCheckComment(const std::string& comments, const std::string& caption);
std::string RemoveCheckComment(const std::string& comments, const std::string& caption);

struct TickOutcome {
  int eventIndex;        // the list item the event box is to show, or -1 to leave it
  std::string comments;  // the new comment text (unchanged when nothing applies)
};
// A check box changed state. ticked holds every box's state after the change,
// index is the box that changed and caption its caption. When exactly one box is
// left ticked it becomes the event; a box ticked beside others goes into the
// comments, and a cleared box comes out of them. An index outside ticked changes
// nothing.
TickOutcome CommentsAfterTick(const std::vector<bool>& ticked, int index, const std::string& caption,
                              const std::string& comments);

}  // namespace ruvek

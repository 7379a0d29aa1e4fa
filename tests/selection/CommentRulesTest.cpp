#include <gtest/gtest.h>

#include "core/TextRoutines.h"
#include "selection/CommentRules.h"

namespace ruvek {
namespace {

const std::array<std::string, 3> kSea = {"Sea Conditions: Calm", "Sea Conditions: Modrt", "Sea Conditions: Rough"};
const std::array<std::string, 3> kDayNight = {"Day/Night: Day", "Day/Night: Night", ""};
const std::array<std::string, 3> kStation = {"Station Type: Standard", "Station Type: Prodo", "Station Type: SCCOOS"};
const std::array<std::string, 3> kNoTexts = {"", "", ""};

// What the comments box shows after a click: the click's text, then the box's change rule.
std::string Click(Group g, int k, const std::string& C, const std::array<std::string, 3>& T) {
  return CleanComments(CommentsWithCondition(g, k, C, T));
}

TEST(CommentsWithCondition, WalkThroughSeaAndDayNightOptions) {
  std::string box(kResetComments);
  box = Click(Group::SeaConditions, 0, box, kSea);
  EXPECT_EQ("Comments: Sea Conditions: Calm", box);
  box = Click(Group::DayNight, 1, box, kDayNight);
  EXPECT_EQ("Comments: Sea Conditions: Calm;Day/Night: Night", box);
  box = Click(Group::SeaConditions, 1, box, kSea);
  EXPECT_EQ("Comments: Sea Conditions: Modrt;Day/Night: Night", box);
  box = Click(Group::DayNight, 0, box, kDayNight);
  EXPECT_EQ("Comments: Sea Conditions: Modrt;Day/Night: Day", box);
}

TEST(CommentsWithCondition, AddsReplacesOrStartsAfresh) {
  struct Case {
    Group group;
    int k;
    const std::array<std::string, 3>* T;
    const char* before;
    const char* after;
  } cases[] = {
      // The short-text rule applies to Day but not to Night.
      {Group::DayNight, 1, &kDayNight, "Comments: ", "Comments: ;Day/Night: Night"},
      {Group::DayNight, 0, &kDayNight, "Comments: ", "Comments: Day/Night: Day"},
      {Group::DayNight, 0, &kDayNight, "Comments:", "Comments: Day/Night: Day"},
      {Group::SeaConditions, 2, &kSea, "Comments: abc", "Comments: Sea Conditions: Rough"},  // 13 characters
      {Group::SeaConditions, 2, &kSea, "", "Comments: Sea Conditions: Rough"},
      // Separators when added: "; " for Calm and Modrt, ";" for Rough and station types.
      {Group::SeaConditions, 2, &kSea, "Comments: long remark", "Comments: long remark;Sea Conditions: Rough"},
      {Group::SeaConditions, 0, &kSea, "Comments: long remark", "Comments: long remark; Sea Conditions: Calm"},
      {Group::SeaConditions, 1, &kSea, "Comments: long remark", "Comments: long remark; Sea Conditions: Modrt"},
      {Group::StationType, 1, &kStation, "Comments: long remark", "Comments: long remark;Station Type: Prodo"},
      // Another option's text of the group is replaced in place, i before j.
      {Group::SeaConditions, 2, &kSea, "Comments: x; Sea Conditions: Calm;y", "Comments: x; Sea Conditions: Rough;y"},
      {Group::SeaConditions, 0, &kSea, "Comments: x;Sea Conditions: Rough", "Comments: x;Sea Conditions: Calm"},
      {Group::SeaConditions, 0, &kSea, "Comments: Sea Conditions: Modrt Sea Conditions: Rough",
       "Comments: Sea Conditions: Calm Sea Conditions: Rough"},
      {Group::StationType, 2, &kStation, "Comments: Station Type: Prodo", "Comments: Station Type: SCCOOS"},
      // Clicking the option already in the text adds it once more (none of the others is there).
      {Group::SeaConditions, 0, &kSea, "Comments: Sea Conditions: Calm",
       "Comments: Sea Conditions: Calm; Sea Conditions: Calm"},
      // Without comment texts a click only resets a short box.
      {Group::SeaConditions, 1, &kNoTexts, "Comments:", "Comments: "},
      {Group::SeaConditions, 1, &kNoTexts, "Comments: long remark", "Comments: long remark"},
      {Group::DayNight, 1, &kNoTexts, "Comments: long remark", "Comments: long remark"},
      // An option that does not exist changes nothing.
      {Group::DayNight, 2, &kDayNight, "Comments: long remark", "Comments: long remark"},
      {Group::SeaConditions, -1, &kSea, "Comments: ", "Comments: "},
      {Group::StationType, 3, &kStation, "Comments: ", "Comments: "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.after, CommentsWithCondition(c.group, c.k, c.before, *c.T)) << c.before << " k=" << c.k;
  }
}

TEST(CommentsWithoutCondition, TakesTheOptionTextOut) {
  struct Case {
    Group group;
    int k;
    const std::array<std::string, 3>* T;
    const char* before;
    const char* after;
    bool cleared;
  } cases[] = {
      {Group::SeaConditions, 0, &kSea, "Comments: long remark; Sea Conditions: Calm", "Comments: long remark", true},
      // ";" + Modrt's text is not there, so only the text goes and "; " stays.
      {Group::SeaConditions, 1, &kSea, "Comments: x; Sea Conditions: Modrt", "Comments: x; ", true},
      {Group::SeaConditions, 2, &kSea, "Comments: x;Sea Conditions: Rough", "Comments: x", true},
      {Group::DayNight, 1, &kDayNight, "Comments: x;Day/Night: Night;y", "Comments: x;y", true},
      {Group::StationType, 0, &kStation, "Comments: x; Station Type: Standard", "Comments: x", true},
      {Group::StationType, 0, &kStation, "Comments: x;Station Type: Standard", "Comments: x;", true},
      // Every occurrence goes.
      {Group::DayNight, 0, &kDayNight, "Comments: Day/Night: Day;Day/Night: Day", "Comments: Day/Night: Day", true},
      // Text not in the box: nothing happens and the option stays selected.
      {Group::SeaConditions, 2, &kSea, "Comments: x; Sea Conditions: Calm", "Comments: x; Sea Conditions: Calm", false},
      // Without comment texts every take-out separator goes.
      {Group::SeaConditions, 0, &kNoTexts, "Comments: a; b;c", "Comments: ab;c", true},
      {Group::DayNight, 1, &kNoTexts, "Comments: a;b;c", "Comments: abc", true},
      {Group::DayNight, 1, &kNoTexts, "Comments: abc", "Comments: abc", true},
      // An option that does not exist changes nothing.
      {Group::DayNight, 2, &kNoTexts, "Comments: a;b", "Comments: a;b", false},
  };
  for (const Case& c : cases) {
    const ConditionTakenOut result = CommentsWithoutCondition(c.group, c.k, c.before, *c.T);
    EXPECT_EQ(c.after, result.text) << c.before << " k=" << c.k;
    EXPECT_EQ(c.cleared, result.cleared) << c.before << " k=" << c.k;
  }
}

TEST(CommentsWithoutCondition, UndoesTheClickThatStartsIt) {
  const std::string before = "Comments: long remark";
  const std::string clicked = Click(Group::SeaConditions, 0, before, kSea);
  EXPECT_EQ(before, CommentsWithoutCondition(Group::SeaConditions, 0, clicked, kSea).text);
}

TEST(CleanComments, CollapsesSemicolonRuns) {
  struct Case {
    const char* before;
    const char* after;
  } cases[] = {
      {";;", ";"},
      {"Comments:;Bongo", "Comments:Bongo"},
      {":;;;x", ":x"},
      {"a;;;;b", "a;b"},
      {"a;:;b", "a;:b"},
      {"::;;", "::"},
      {"; ;", "; ;"},
      {"", ""},
      {";", ";"},
      {";:", ";:"},
      {":; ;", ": ;"},
      {"x;;:;;y;;", "x;:y;"},
      {"Comments: ", "Comments: "},
  };
  for (const Case& c : cases) EXPECT_EQ(c.after, CleanComments(c.before)) << c.before;
}

// The box's change rule as the handler runs it: replace, and run again on the new text.
std::string CleanByRepeatedReplacing(std::string text) {
  while (true) {
    if (Contains(text, ":;")) {
      text = ReplaceAll(text, ":;", ":");
    } else if (Contains(text, ";;")) {
      text = ReplaceAll(text, ";;", ";");
    } else {
      return text;
    }
  }
}

TEST(CleanComments, MatchesRepeatedReplacingOnEveryShortText) {
  const char alphabet[] = {':', ';', 'a'};
  for (int length = 0; length <= 8; ++length) {
    int combinations = 1;
    for (int i = 0; i < length; ++i) combinations *= 3;
    for (int n = 0; n < combinations; ++n) {
      std::string text;
      for (int i = 0, rest = n; i < length; ++i, rest /= 3) text += alphabet[rest % 3];
      ASSERT_EQ(CleanByRepeatedReplacing(text), CleanComments(text)) << text;
    }
  }
}

TEST(CleanComments, HandlesMegabyteRuns) {
  EXPECT_EQ(";", CleanComments(std::string(1 << 20, ';')));
  EXPECT_EQ(":", CleanComments(":" + std::string(1 << 20, ';')));
  std::string alternating;
  for (int i = 0; i < (1 << 19); ++i) alternating += ":;";
  EXPECT_EQ(std::string(1 << 19, ':'), CleanComments(alternating));
}

// Check-box pickers Bongo, Manta, Secchi (27 boxes, the rest unticked).
struct CheckBoxes {
  std::vector<bool> ticked = std::vector<bool>(27, false);
  std::string captions[3] = {"Bongo", "Manta", "Secchi"};
  std::string comments;
  int event = -1;

  void Set(int index, bool tick) {
    ticked[index] = tick;
    const TickOutcome result = CommentsAfterTick(ticked, index, captions[index], comments);
    if (result.eventIndex >= 0) event = result.eventIndex;
    comments = CleanComments(result.comments);
  }
};

TEST(CommentsAfterTick, FirstTickedIsTheEventOthersGoToComments) {
  CheckBoxes boxes;
  boxes.comments = "Comments: X";
  boxes.Set(1, true);
  EXPECT_EQ(1, boxes.event);
  EXPECT_EQ("Comments: X", boxes.comments);
  boxes.Set(2, true);
  EXPECT_EQ(1, boxes.event);
  EXPECT_EQ("Comments: X;Secchi", boxes.comments);
  boxes.Set(1, false);
  EXPECT_EQ(2, boxes.event);
  EXPECT_EQ("Comments: X;Secchi", boxes.comments);
  boxes.Set(2, false);
  EXPECT_EQ(2, boxes.event);
  EXPECT_EQ("Comments: X", boxes.comments);
}

TEST(CommentsAfterTick, EdgeCases) {
  CheckBoxes first;
  first.Set(0, true);
  EXPECT_EQ(0, first.event);

  // A box ticked onto the design text: "Comments:;Bongo" is cleaned to "Comments:Bongo".
  CheckBoxes design;
  design.comments = "Comments:";
  design.Set(1, true);
  design.Set(0, true);
  EXPECT_EQ("Comments:Bongo", design.comments);

  // Three ticked, one cleared: its text goes, the event stays.
  CheckBoxes three;
  three.comments = "Comments: ";
  three.Set(0, true);
  three.Set(1, true);
  three.Set(2, true);
  EXPECT_EQ("Comments: ;Manta;Secchi", three.comments);
  three.Set(1, false);
  EXPECT_EQ(0, three.event);
  EXPECT_EQ("Comments: ;Secchi", three.comments);

  EXPECT_EQ(-1, CommentsAfterTick(std::vector<bool>(27, true), 27, "x", "c").eventIndex);
  EXPECT_EQ("c", CommentsAfterTick(std::vector<bool>(27, true), -1, "x", "c").comments);
  // Every ";" + caption goes, also where it begins a longer word.
  EXPECT_EQ("ab", RemoveCheckComment("a;Manta;Mantab;Manta", "Manta"));
  EXPECT_EQ("a;Manta", AppendCheckComment("a", "Manta"));
}

}  // namespace
}  // namespace ruvek

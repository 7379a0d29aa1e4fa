#include <gtest/gtest.h>

#include "core/CommentOptions.h"

namespace ruvek {
namespace {

TEST(OptionCaptions, ShortLinesStayAsWrittenLongOnesAreAbbreviated) {
  struct Case {
    std::string (*caption)(const std::string&);
    const char* line;
    const char* result;
  } cases[] = {
      {StationTypeCaption, "Standard", "STNDRD"},
      {StationTypeCaption, "SCCOOS", "SCCOOS"},
      {StationTypeCaption, "Prodo", "Prodo"},
      {StationTypeCaption, "Seven77", "Seven77"},       // exactly at the limit, case kept
      {StationTypeCaption, "Extended", "XTNDD"},        // removing E is enough
      {StationTypeCaption, "Occupation", "CCUPATN"},    // E, O, I removed; A never reached
      {StationTypeCaption, "Thunderstruck", "THUNDR"},  // still long: first 6
      {SeaConditionCaption, "Moderate", "MODRT"},
      {SeaConditionCaption, "Calm", "Calm"},
      {SeaConditionCaption, "Beaufort 0", "BUFOR"},  // E, A, I, 0 removed, then cut to 5
      {SeaConditionCaption, "SS 10 ft", "SS 1 "},
      {DayNightCaption, "Daylight", "DYLGH"},
      {DayNightCaption, "Night", "Night"},
      {DayNightCaption, "Twilight", "TWLGH"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.result, c.caption(c.line)) << c.line;
}

TEST(OptionCaptions, RemovalStopsAsSoonAsTheCaptionFits) {
  // "MODERATE" loses its E's (6 left) and then its A (5 left); the I and 0 rules never run.
  EXPECT_EQ("MODRT", AbbreviateOption("Moderate", 5, "EAI0", 5));
  // Lower-case letters are upper-cased before removal, so they go too.
  EXPECT_EQ("XYZ", AbbreviateOption("xeyeze", 3, "E", 3));
  EXPECT_EQ("ABCDE", AbbreviateOption("abcdefgh", 5, "", 5));
}

TEST(OptionHeadings, LongHeadingsAreCutToTheirGroupWidth) {
  const std::string longLine = "  Station Type of this cruise leg (leg two)";  // 43 characters
  EXPECT_EQ("Station Type of this cruise le", StationTypeHeading(longLine));
  const std::string fortyExact(40, 'H');
  EXPECT_EQ(std::string(32, 'H'), StationTypeHeading(fortyExact));
  EXPECT_EQ("Station Type", StationTypeHeading("  Station Type  "));
  EXPECT_EQ("Sea Conditions and Swell", SeaConditionsHeading("Sea Conditions and Swell Height"));
  EXPECT_EQ(" Sea ", SeaConditionsHeading(" Sea "));
  EXPECT_EQ("Day or Night fr", DayNightHeading("Day or Night from the bridge"));
  EXPECT_EQ("Day/Night ", DayNightHeading("Day/Night "));
}

TEST(OptionCommentText, JoinsHeadingAndFullLine) {
  EXPECT_EQ("Sea Conditions: Calm", OptionCommentText("Sea Conditions", "Calm"));
  EXPECT_EQ("Sea Conditions: Moderate", OptionCommentText("Sea Conditions", "Moderate"));
  EXPECT_TRUE(OptionLineIsBlank(" \t "));
  EXPECT_FALSE(OptionLineIsBlank(" x "));
}

}  // namespace
}  // namespace ruvek

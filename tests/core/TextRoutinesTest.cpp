#include <gtest/gtest.h>

#include "core/TextRoutines.h"

namespace ruvek {
namespace {

DateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  DateTime t;
  t.year = year;
  t.month = month;
  t.day = day;
  t.hour = hour;
  t.minute = minute;
  t.second = second;
  return t;
}

TEST(JulianStamp, DayTextIsThreeDigitDayOfYear) {
  struct Case {
    DateTime date;
    const char* dayText;
  } cases[] = {
      {At(2018, 1, 1), "001"}, {At(2018, 4, 9), "099"},   {At(2018, 4, 10), "100"},
      {At(2018, 2, 2), "033"}, {At(2016, 12, 31), "366"}, {At(2018, 12, 31), "365"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.dayText, JulianStamp(c.date, true).dayText) << c.date.isoText();
}

TEST(JulianStamp, TimeTextDropsColonsInTwentyFourHourForm) {
  EXPECT_EQ("140509", JulianStamp(At(2018, 2, 2, 14, 5, 9), true).timeText);
  EXPECT_EQ("1405", JulianStamp(At(2018, 2, 2, 14, 5, 9), false).timeText);
  EXPECT_EQ("000000", JulianStamp(At(2018, 2, 2), true).timeText);
}

TEST(JulianNumber, JoinsDayAndTimeWithPoint) {
  EXPECT_EQ("033.140509", JulianNumber(At(2018, 2, 2, 14, 5, 9), true));
  EXPECT_EQ("033.1405", JulianNumber(At(2018, 2, 2, 14, 5, 9), false));
  EXPECT_EQ("365.120000", JulianNumber(At(2018, 12, 31, 12, 0, 0), true));
}

TEST(SplitCommas, FillsSlotsAndKeepsTheRest) {
  const std::vector<std::string> before = {"s0", "s1", "s2", "s3", "s4"};
  struct Case {
    const char* text;
    int maxCount;
    std::vector<std::string> after;
  } cases[] = {
      {"a,b,c", 20, {"a", "b", "s2", "s3", "s4"}},       // text after the last comma dropped
      {"a,,b,", 20, {"a", "", "b", "s3", "s4"}},         // adjacent commas store an empty field
      {"a,b,c,d,", 2, {"a", "b", "s2", "s3", "s4"}},     // stops after N fields
      {"a,b,c,d,", 0, {"a", "b", "c", "d", "s4"}},       // N = 0 never stops
      {"no comma", 20, {"s0", "s1", "s2", "s3", "s4"}},  // nothing stored
      {"", 20, {"s0", "s1", "s2", "s3", "s4"}},
      {" a , b ,", 20, {" a ", " b ", "s2", "s3", "s4"}},  // blanks stay
      {",", 20, {"", "s1", "s2", "s3", "s4"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> slots = before;
    SplitCommas(c.text, slots, c.maxCount);
    EXPECT_EQ(c.after, slots) << c.text << " N=" << c.maxCount;
  }
}

TEST(SplitCommas, NeverWritesBeyondItsSlots) {
  std::vector<std::string> slots(3, "x");
  SplitCommas("a,b,c,d,e,f,", slots, 0);
  EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), slots);

  std::vector<std::string> none;
  SplitCommas("a,b,", none, 20);
  EXPECT_TRUE(none.empty());

  std::vector<std::string> two(2, "x");
  SplitCommas("a,b,c,", two, 20);
  EXPECT_EQ((std::vector<std::string>{"a", "b"}), two);
}

TEST(PadText, PadsByItsSideAndPadChoice) {
  struct Case {
    const char* text;
    int width;
    const char* side;
    const char* pad;
    const char* result;
  } cases[] = {
      {"7", 3, "L", "0", "007"}, {"7", 3, "R", "S", "7  "},   {"12345", 3, "L", "0", "12345"},
      {"7", 3, "l", "0", "007"}, {"7", 3, "L", "s", "7"},     {"7", 3, "", "0", "007"},
      {"7", 3, "", "S", "  7"},  {"7", 3, "L", " ", "7"},     {"7", 3, "L", "", "7"},
      {"7", 3, "R", " ", "7  "}, {"7", 3, "R", "", "7  "},    {"7", 3, "r", "0", "700"},
      {"7", 3, "X", "0", "7"},   {"7", 3, "LEFT", "0", "7"},  {"7", 3, "R", "x", "7"},
      {"", 2, "L", "0", "00"},   {"123", 3, "L", "0", "123"}, {"7", -5, "L", "0", "7"},
      {"7", 0, "R", "S", "7"},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    PadText(text, c.width, c.side, c.pad);
    EXPECT_EQ(c.result, text) << '"' << c.text << "\" " << c.width << " \"" << c.side << "\" \"" << c.pad << '"';
  }
}

TEST(PadText, WidthIsBoundedToSixteenBits) {
  std::string text = "7";
  PadText(text, 2000000000, "L", "0");
  EXPECT_EQ(32767u, text.size());
}

TEST(NmeaDateText, ConvertsSixAndEightDigitDates) {
  struct Case {
    const char* date;
    const char* text;
  } cases[] = {
      {"070618", "07-Jun-2018"}, {"07062018", "07-Jun-2018"},
      {"311299", "31-Dec-2099"}, {"011318", "01--2018"},
      {"150100", "15-Jan-2000"}, {"01001999", "01--1999"},
      {"2802", "28-Feb-2002"},   {"12", "12--2012"},
      {"1", "1--201"},           {"", "--20"},
      {"0712", "07-Dec-2012"},   {"070618x", "07-Jun-618x"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.text, NmeaDateText(c.date)) << c.date;
}

TEST(TextHelpers, TrimUpperReplaceContains) {
  EXPECT_EQ("a b", Trim(" \t a b\t "));
  EXPECT_EQ("", Trim(" \t "));
  EXPECT_EQ("ABC 1;X", ToUpper("aBc 1;x"));
  EXPECT_EQ("MMAMMAL", ToUpper("mMammal"));
  EXPECT_EQ("a:b", ReplaceAll("a:;b", ":;", ":"));
  EXPECT_EQ(";;", ReplaceAll(";;;;", ";;", ";"));  // one pass, no rescan
  EXPECT_EQ("abc", ReplaceAll("abc", "", "x"));
  EXPECT_EQ("", ReplaceAll("xxx", "x", ""));
  EXPECT_TRUE(Contains("abc", ""));
  EXPECT_TRUE(Contains("", ""));
  EXPECT_TRUE(Contains("CTD Deployed", "CTD"));
  EXPECT_FALSE(Contains("ctd deployed", "CTD"));
}

}  // namespace
}  // namespace ruvek

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>

#include "core/Format.h"

namespace ruvek {
namespace {

struct FormatCase {
  double value;
  const char* pattern;
  const char* expected;
};

TEST(FormatNumber, ShowsTheDigitsEachLogPatternAsksFor) {
  const FormatCase cases[] = {
      {32.8687, "00.00000", "32.86870"},
      {5.5, "00.00000", "05.50000"},
      {-99, "00.00000", "-99.00000"},
      {-117.2428, "#000.00000", "-117.24280"},
      {-99, "#000.00000", "-099.00000"},
      {7.25, "#000.00000", "007.25000"},
      {-117.2428, "000.00000", "-117.24280"},
      {32.5, "000.00000", "032.50000"},
      {-(117 + 14.5678 / 60), "00.000000", "-117.242797"},
      {32 + 52.1234 / 60, "00.000000", "32.868723"},
      {93.349, "##0.0", "93.3"},
      {5.04, "##0.0", "5.0"},
      {120, "##0.0", "120.0"},
      {1234.56, "##0.0", "1234.6"},
      {0, "##0.0", "0.0"},
      {41, "0", "41"},
      {0, "0", "0"},
  };
  for (const FormatCase& c : cases) {
    EXPECT_EQ(c.expected, FormatNumber(c.value, c.pattern)) << c.value << " " << c.pattern;
  }
}

TEST(FormatNumber, RoundsHalfAwayFromZeroOnTheShortestDecimalText) {
  const FormatCase cases[] = {
      {93.35, "##0.0", "93.4"},  // the double lies just below 93.35
      {-93.35, "##0.0", "-93.4"},
      {2.675, "0.00", "2.68"},  // likewise just below 2.675
      {0.5, "0", "1"},
      {-0.5, "0", "-1"},
      {2.5, "0", "3"},
      {1.4999, "0", "1"},
      {99.999995, "00.00000", "100.00000"},  // carry past the point
      {9.99, "##0.0", "10.0"},
      {-0.000005, "00.00000", "-00.00001"},
  };
  for (const FormatCase& c : cases) {
    EXPECT_EQ(c.expected, FormatNumber(c.value, c.pattern)) << c.value << " " << c.pattern;
  }
}

TEST(FormatNumber, ValuesRoundingToZeroCarryNoSign) {
  EXPECT_EQ("0.0", FormatNumber(-0.04, "##0.0"));
  EXPECT_EQ("00.00000", FormatNumber(-0.000004, "00.00000"));
  EXPECT_EQ("0", FormatNumber(-0.0, "0"));
  EXPECT_EQ("-00.04000", FormatNumber(-0.04, "00.00000"));
}

TEST(FormatNumber, OptionalDecimalsDropTrailingZeros) {
  EXPECT_EQ("2.0", FormatNumber(2, "0.0##"));
  EXPECT_EQ("2.126", FormatNumber(2.12567, "0.0##"));
  EXPECT_EQ(".5", FormatNumber(0.5, "#.#"));
}

TEST(FormatNumber, NonFiniteValuesGiveAPlainWord) {
  EXPECT_EQ("NaN", FormatNumber(std::nan(""), "##0.0"));
  EXPECT_EQ("Inf", FormatNumber(HUGE_VAL, "00.00000"));
  EXPECT_EQ("-Inf", FormatNumber(-HUGE_VAL, "00.00000"));
}

TEST(FormatNumber, ExtremeMagnitudesAreWrittenOutInFull) {
  EXPECT_EQ(std::string(309, '9').size() + 2, FormatNumber(1.7e308, "##0.0").size());
  EXPECT_EQ("00.00000", FormatNumber(std::numeric_limits<double>::denorm_min(), "00.00000"));
}

TEST(LeadingNumber, ReadsTheLongestNumericPrefix) {
  const struct {
    const char* text;
    double expected;
  } cases[] = {
      {"32.5", 32.5},
      {" 32.5N", 32.5},
      {"\t-117.2428,W", -117.2428},
      {"-.5", -0.5},
      {"+7", 7},
      {"12.3.4", 12.3},
      {"007", 7},
      {"5.", 5},
      {"1e5", 1},
      {"26.6", 26.6},
      {"52.1234", 52.1234},
      {"14.5678*55", 14.5678},
      {"N32", 0},
      {"", 0},
      {"   ", 0},
      {"-", 0},
      {".", 0},
      {"-.", 0},
      {"- 5", 0},
      {"1 2", 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.expected, LeadingNumber(c.text)) << '"' << c.text << '"';
  }
  EXPECT_EQ(4, LeadingNumber(std::string_view("4\0"
                                              "2",
                                              3)));
}

TEST(LeadingNumber, HugeAndTinyPrefixesStayDefined) {
  EXPECT_EQ(HUGE_VAL, LeadingNumber(std::string(400, '9')));
  EXPECT_EQ(-HUGE_VAL, LeadingNumber("-" + std::string(400, '9')));
  EXPECT_EQ(0, LeadingNumber("0." + std::string(400, '0') + "1"));
  EXPECT_EQ(7, LeadingNumber(std::string(1000, '0') + "7"));
}

TEST(RoundHalfEven, RoundsHalvesToTheEvenInteger) {
  const struct {
    double value;
    long long expected;
  } cases[] = {
      {26.5, 26},     {27.5, 28},
      {-2.5, -2},     {-3.5, -4},
      {-0.5, 0},      {0.5, 0},
      {1.5, 2},       {26.4, 26},
      {26.6, 27},     {-26.6, -27},
      {93.0, 93},     {0.49999999999999994, 0},
      {2.5000001, 3}, {4503599627370495.5, 4503599627370496},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.expected, RoundHalfEven(c.value)) << c.value;
  }
}

TEST(RoundHalfEven, ClampsWhatDoesNotFit) {
  EXPECT_EQ(LLONG_MAX, RoundHalfEven(1e30));
  EXPECT_EQ(LLONG_MIN, RoundHalfEven(-1e30));
  EXPECT_EQ(LLONG_MAX, RoundHalfEven(HUGE_VAL));
  EXPECT_EQ(0, RoundHalfEven(std::nan("")));
}

}  // namespace
}  // namespace ruvek

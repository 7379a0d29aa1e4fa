// The entries a later entry of the same event number replaces.
#include <gtest/gtest.h>

#include "core/Superseded.h"

namespace ruvek {
namespace {

TEST(Superseded, EarlierEntriesOfANumberAreReplaced) {
  const struct {
    std::vector<std::string> numbers;
    std::vector<bool> superseded;
  } cases[] = {
      {{}, {}},
      {{"6", "7", "8"}, {false, false, false}},
      {{"6", "7", "8", " 7"}, {false, true, false, false}},  // a correction of 7
      {{"7", "7", "7"}, {true, true, false}},                // corrected twice
      {{"6", "7", "7", "8"}, {false, true, false, false}},   // 7 cleared, then used again
      {{"", "5", " ", ""}, {false, false, false, false}},    // empty rows
  };
  for (const auto& c : cases) EXPECT_EQ(c.superseded, SupersededEntries(c.numbers)) << c.numbers.size();
}

}  // namespace
}  // namespace ruvek

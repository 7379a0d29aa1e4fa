// The levels of the fix age at their edges, and what counts as a new fix.
#include <gtest/gtest.h>

#include "core/FixAge.h"

namespace ruvek {
namespace {

TEST(FixAge, LevelsAtTheirEdgesAndANewReadingIsANewFix) {
  LastFix fix;
  EXPECT_EQ(FixAgeLevel::None, FixAgeAt(fix, 5000, 1000, false).level);
  NoteFix(fix, "", 1000);  // no reading, no fix
  EXPECT_FALSE(fix.atMs);
  NoteFix(fix, "$GPGGA,1", 1000);
  NoteFix(fix, "$GPGGA,1", 4000);  // the same sentence again is the old fix
  const struct {
    std::int64_t now;
    bool running;
    std::optional<std::int64_t> seconds;
    FixAgeLevel level;
  } cases[] = {
      {500, true, 0, FixAgeLevel::Normal},  // a clock set back reads 0
      {3000, true, 2, FixAgeLevel::Normal}, {3001, true, 2, FixAgeLevel::Amber}, {6000, true, 5, FixAgeLevel::Amber},
      {6001, true, 5, FixAgeLevel::Red},    {1000, false, 0, FixAgeLevel::Red},
  };
  for (const auto& c : cases) {
    const FixAge age = FixAgeAt(fix, c.now, 1000, c.running);
    EXPECT_EQ(c.seconds, age.seconds) << c.now;
    EXPECT_EQ(c.level, age.level) << c.now;
  }
  NoteFix(fix, "$GPGGA,2", 9000);
  EXPECT_EQ(9000, fix.atMs);
}

}  // namespace
}  // namespace ruvek

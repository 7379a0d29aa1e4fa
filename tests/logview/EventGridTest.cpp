#include <gtest/gtest.h>

#include "logview/EventGrid.h"

namespace ruvek {
namespace {

TEST(GridRowFromSlots, MapsRecordColumnsToGridColumns) {
  std::vector<std::string> slots(20);
  for (int k = 0; k < 20; ++k) slots[std::size_t(k)] = std::string(1, 's').append(std::to_string(k));
  slots[8] = "32.123456";
  slots[9] = "-117.123456";
  EXPECT_EQ((std::vector<std::string>{"s1", "s2", "s3", "s6", "s7", "s11", "32.123456", "-117.123456", "s12", "s15"}),
            GridRowFromSlots(slots, PositionText::AsLogged));
  EXPECT_EQ((std::vector<std::string>{"s1", "s2", "s3", "s6", "s7", "s11", "32.123", "-117.12", "s12", "s15"}),
            GridRowFromSlots(slots, PositionText::Cut));
  // Short slot arrays never read past their end.
  EXPECT_EQ(std::vector<std::string>(10), GridRowFromSlots(std::vector<std::string>(2), PositionText::Cut));
}

}  // namespace
}  // namespace ruvek

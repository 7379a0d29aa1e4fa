#include "windows/EventGridRows.h"

#include <algorithm>

namespace ruvek {

int EventGridRows::rowForNewEvent() {
  if (next_ < 1) next_ = 1;
  if (next_ > kEventRows) {
    grid_.removeRow(1);
    next_ = kEventRows;
  }
  return next_;
}

bool EventGridRows::clearLast() {
  if (next_ <= 1) return false;
  const int row = lastEventRow();
  for (int c = 0; c < kGridCols; ++c) grid_.setCell(row, c, "");
  --next_;
  return true;
}

void EventGridRows::showPreloaded(int row, const std::vector<std::string>& cells) {
  for (int c = 0; c < kGridCols && std::size_t(c) < cells.size(); ++c) grid_.setCell(row, c, cells[std::size_t(c)]);
  next_ = row + 1;
}

}  // namespace ruvek

#pragma once
// The event rows of the main window's grid: the grid control and its next free
// row. Row 0 holds the headings; events fill rows 1 to kEventRows, the newest
// last. The next free row changes only through the members here.
#include <algorithm>
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace ruvek {

inline constexpr int kGridRows = 2000;
inline constexpr int kGridCols = 10;
// The number of event rows the grid can show (rows 1 to 1999).
inline constexpr int kEventRows = kGridRows - 1;

class EventGridRows {
 public:
  explicit EventGridRows(ui::Grid& grid) : grid_(grid) {}

  // The next free row: 1 on an empty grid, 0 after a preload that found no
  // event (the first event still goes to row 1).
  int next() const { return next_; }
  // The last row that holds an event, or 0 when there is none.
  int lastEventRow() const { return next_ > 1 ? std::min(next_ - 1, kEventRows) : 0; }

  // The row the next event is written to: the next free row, where 0 counts as
  // 1. When every event row is in use the oldest row drops from view (the logs
  // keep it) and the last row is returned. The caller writes the row, then
  // calls filled().
  int rowForNewEvent();
  // An event went into `row`: the next free row is the one after it.
  void filled(int row) { next_ = row + 1; }
  // Clear Last: empties the last event row and frees it. False (and nothing
  // changes) when the grid holds no event row.
  bool clearLast();

  // A preload starts from a grid without rows counted: 0 until a row is shown.
  void startPreload() { next_ = 0; }
  // A preloaded event shown in `row` (from 1 on, in order).
  void showPreloaded(int row, const std::vector<std::string>& cells);

 private:
  ui::Grid& grid_;
  int next_ = 1;
};

}  // namespace ruvek

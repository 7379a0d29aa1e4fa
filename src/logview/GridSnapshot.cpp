#include "logview/GridSnapshot.h"

#include <algorithm>

#include "core/EventLogSchema.h"

namespace ruvek {

void SaveEventGrid(const os::FileSystem& fs, const std::string& programDir, const std::string& cruise,
                   const ui::Grid& grid, int nextRow) {
  std::string out;
  const int last = std::min(nextRow, grid.rows() - 1);
  for (int r = 1; r <= last; ++r) {
    for (int c = 0; c < grid.cols(); ++c) {
      if (c) out += ',';
      std::string cell = grid.cell(r, c);
      // A comma typed into a cell would shift the snapshot's columns, and a
      // line break would split its row.
      std::replace(cell.begin(), cell.end(), ',', ';');
      std::replace(cell.begin(), cell.end(), '\r', ' ');
      std::replace(cell.begin(), cell.end(), '\n', ' ');
      out += cell;
    }
    out += "\r\n";
  }
  try {
    fs.append(GridSnapshotPath(programDir, cruise), out);
  } catch (const os::FileError&) {
  }
}

}  // namespace ruvek

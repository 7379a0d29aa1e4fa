#include "logview/GridSnapshot.h"

#include <algorithm>

#include "core/EventLogSchema.h"

namespace ruvek {

void SaveEventGrid(MainWindow& w) {
  const std::string path = GridSnapshotPath(w.settings.programDir, w.text1[0]->text());
  std::string out;
  const int last = std::min(w.gridRowCount, w.eventLog->rows() - 1);
  for (int r = 1; r <= last; ++r) {
    for (int c = 0; c < kGridCols; ++c) {
      if (c) out += ',';
      std::string cell = w.eventLog->cell(r, c);
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
    w.fs().append(path, out);
  } catch (const ui::FileError&) {
  }
}

}  // namespace ruvek

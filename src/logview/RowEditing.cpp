#include "logview/RowEditing.h"

#include "core/TextRoutines.h"

namespace ruvek {

void EventLog_DblClick(Station& s) {
  MainWindow& w = s.main;
  ui::Grid& grid = w.eventGrid;
  const int row = grid.row;
  // Loading an empty row would log an event without a number.
  if (row < grid.fixedRows || Trim(grid.cell(row, GridColumn::EventNo)).empty()) return;
  if (s.platform.ask("Do you want to edit the entry you double-clicked? Y/N", "Edit selected row-activity.",
                     ui::Buttons::YesNo) != ui::Answer::Yes)
    return;
  w.pollTimer.setEnabled(false);
  const auto cell = [&grid, row](int col) { return grid.cell(row, col); };
  w.boxes.eventNumber.setText(cell(GridColumn::EventNo));
  w.lineCombo.setText(cell(GridColumn::Line));
  w.stationCombo.setText(cell(GridColumn::Station));
  w.boxes.date.setText(cell(GridColumn::Date));
  w.boxes.time.setText(cell(GridColumn::Time));
  w.eventCombo.setText(cell(GridColumn::Event));
  w.boxes.lat.setText(cell(GridColumn::Lat));
  w.boxes.lon.setText(cell(GridColumn::Lon));
  w.initialsCombo.setText(cell(GridColumn::Initials));
  w.commentsBox.setText("Comments: " + cell(GridColumn::Comments));
  s.state.editingRow = true;
  s.state.editedGridRow = row;
}

}  // namespace ruvek

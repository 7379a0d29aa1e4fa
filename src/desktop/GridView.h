#pragma once
// A grid control as a table: its model over the control's cells, columns wide
// enough for what they show, and the full text of a cut cell as its tooltip.
#include <QAbstractTableModel>
#include <vector>

#include "ui/Controls.h"

class QTableView;

namespace ruvek::ui {

// The cells of a grid control; row 0 of the control is the heading row.
class GridTableModel : public QAbstractTableModel {
 public:
  explicit GridTableModel(Grid& grid) : grid_(grid) {}
  int rowCount(const QModelIndex& = {}) const override;
  int columnCount(const QModelIndex& = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  // The grid is going away with its window: the table shows nothing from now on.
  void detach();
  // Shows the cells again when they changed; true when they did.
  bool refresh();
  Grid& grid() { return grid_; }

 private:
  Grid& grid_;
  std::vector<bool> greyed_;  // the greyed rows as of the last refresh
  unsigned long seen_ = ~0UL;
  bool detached_ = false;
};

// A table view of the grid control `model`, for the widgets of `parent`.
QTableView* MakeGridView(GridTableModel* model, QWidget* parent);

// Sets each column to the width the control gives it, or wider where its
// heading or a cell needs more room, up to a limit; the last column takes
// what room is left.
void FitColumns(QTableView& view, const Grid& grid);

}  // namespace ruvek::ui

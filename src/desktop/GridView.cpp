#include "desktop/GridView.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QHeaderView>
#include <QHelpEvent>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolTip>
#include <algorithm>

#include "desktop/WindowLayout.h"

namespace ruvek::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A column grows for its data up to this width; a longer cell shows its full
// text as its tooltip.
constexpr int kWidestColumn = 320;
// The room a cell's text needs beside it: the margins and the grid line.
constexpr int kCellPadding = 12;
// A cut cell's tooltip breaks its text into lines this long at most.
constexpr int kTipLine = 72;

// Shows the full text of a cell too narrow for it as the cell's tooltip; over
// any other cell the grid's own tooltip shows.
class CutCellTips : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override {
    if (event->type() != QEvent::ToolTip || !index.isValid()) return false;
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    // The room the cell shows, also where the view cuts it off.
    const QRect room =
        view->style()->subElementRect(QStyle::SE_ItemViewItemText, &item, view).intersected(view->viewport()->rect());
    if (item.text.isEmpty() || item.fontMetrics.horizontalAdvance(item.text) + kCellPadding / 2 <= room.width())
      return false;
    // Plain text, in lines of a readable length.
    QString tip;
    int lineLength = 0;
    for (const QString& word : item.text.split(' ')) {
      if (lineLength > 0 && lineLength + 1 + word.size() > kTipLine) {
        tip += '\n';
        lineLength = 0;
      } else if (!tip.isEmpty()) {
        tip += ' ';
        ++lineLength;
      }
      tip += word;
      lineLength += int(word.size());
    }
    QToolTip::showText(event->globalPos(), tip, view->viewport(), option.rect);
    return true;
  }
};

}  // namespace

int GridTableModel::rowCount(const QModelIndex&) const {
  return detached_ ? 0 : std::max(0, grid_.rows() - grid_.fixedRows);
}

int GridTableModel::columnCount(const QModelIndex&) const { return detached_ ? 0 : grid_.cols(); }

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
  if (detached_) return {};
  const int row = index.row() + grid_.fixedRows;
  const bool greyed = std::size_t(row) < greyed_.size() && greyed_[std::size_t(row)];
  switch (role) {
    case Qt::DisplayRole: return Q(grid_.cell(row, index.column()));
    // The row being corrected stands out; a replaced entry recedes.
    case Qt::BackgroundRole:
      if (row == grid_.highlightedRow()) return QBrush(QColor(255, 236, 140));
      return {};
    case Qt::ForegroundRole:
      if (greyed) return QBrush(QColor(150, 150, 150));
      return {};
    case Qt::FontRole:
      if (greyed) {
        QFont italic;
        italic.setItalic(true);
        return italic;
      }
      return {};
    default: return {};
  }
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (detached_ || role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) return Q(grid_.cell(0, section));
  return section + grid_.fixedRows;
}

void GridTableModel::detach() {
  beginResetModel();
  detached_ = true;
  endResetModel();
}

bool GridTableModel::refresh() {
  if (detached_ || grid_.version() == seen_) return false;
  seen_ = grid_.version();
  greyed_ = grid_.greyedRows ? grid_.greyedRows(grid_) : std::vector<bool>{};
  beginResetModel();
  endResetModel();
  return true;
}

QTableView* MakeGridView(GridTableModel* model, QWidget* parent) {
  auto* view = new QTableView(parent);
  model->setParent(view);
  view->setModel(model);
  view->setItemDelegate(new CutCellTips(view));
  view->verticalHeader()->setVisible(false);
  view->verticalHeader()->setDefaultSectionSize(20);
  view->horizontalHeader()->setStretchLastSection(true);
  view->setSelectionBehavior(QAbstractItemView::SelectItems);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setWordWrap(false);
  return view;
}

void FitColumns(QTableView& view, const Grid& grid) {
  const QFontMetrics cells = view.fontMetrics();
  const QFontMetrics headings = view.horizontalHeader()->fontMetrics();
  for (int col = 0; col < grid.cols(); ++col) {
    const int design =
        grid.colWidths.size() > std::size_t(col) ? grid.colWidths[std::size_t(col)] / kTwipsPerPixel : 60;
    int needed = headings.horizontalAdvance(Q(grid.cell(0, col))) + 2 * kCellPadding;
    // Only the longest texts of the column can be the widest.
    std::size_t longest = 0;
    for (int row = grid.fixedRows; row < grid.rows(); ++row) longest = std::max(longest, grid.cell(row, col).size());
    for (int row = grid.fixedRows; row < grid.rows() && needed < kWidestColumn; ++row) {
      const std::string& text = grid.cell(row, col);
      if (!text.empty() && text.size() * 4 >= longest * 3)
        needed = std::max(needed, cells.horizontalAdvance(Q(text)) + kCellPadding);
    }
    const int width = std::max(design, std::min(needed, kWidestColumn));
    if (view.columnWidth(col) != width) view.setColumnWidth(col, width);
  }
}

}  // namespace ruvek::ui

#include "platform/Controls.h"

#include <algorithm>

namespace ruvek::ui {

void TextBox::setText(const std::string& value) {
  if (value == text_) return;
  text_ = value;
  if (onChange) onChange();
}

void ComboBox::setText(const std::string& value) {
  if (value == text_) return;
  text_ = value;
  if (onChange) onChange();
}

bool ComboBox::choose(const std::string& item) {
  if (std::find(items.begin(), items.end(), item) == items.end()) return false;
  text_ = item;
  if (onClick) onClick();
  return true;
}

void OptionButton::setValue(bool selected) {
  if (!selected) {
    value_ = false;
    return;
  }
  if (group) {
    for (OptionButton* other : group->members)
      if (other != this) other->value_ = false;
  }
  if (value_) return;
  value_ = true;
  if (onClick) onClick();
}

void CheckBox::setValue(bool ticked) {
  if (ticked == value_) return;
  value_ = ticked;
  if (onClick) onClick();
}

void Grid::resize(int rows, int cols) {
  std::vector<std::string> cells(std::size_t(rows) * cols);
  for (int r = 0; r < std::min(rows, rows_); ++r)
    for (int c = 0; c < std::min(cols, cols_); ++c)
      cells[std::size_t(r) * cols + c] = std::move(cells_[std::size_t(r) * cols_ + c]);
  cells_ = std::move(cells);
  rows_ = rows;
  cols_ = cols;
  colWidths.resize(cols, 1000);
  ++version_;
}

const std::string& Grid::cell(int r, int c) const {
  static const std::string kNone;
  if (r < 0 || c < 0 || r >= rows_ || c >= cols_) return kNone;
  return cells_[std::size_t(r) * cols_ + c];
}

void Grid::setCell(int r, int c, const std::string& text) {
  if (r < 0 || c < 0 || r >= rows_ || c >= cols_) return;
  cells_[std::size_t(r) * cols_ + c] = text;
  ++version_;
}

void Grid::removeRow(int r) {
  if (r < fixedRows || r >= rows_) return;
  auto first = cells_.begin() + std::ptrdiff_t(r) * cols_;
  cells_.erase(first, first + cols_);
  cells_.resize(std::size_t(rows_) * cols_);
  ++version_;
}

void Timer::setInterval(int ms) {
  ms = std::clamp(ms, 1, 65535);
  if (ms == interval_) return;
  interval_ = ms;
  if (onReset) onReset(*this);
}

void Timer::setEnabled(bool on) {
  if (on == enabled) return;
  enabled = on;
  if (onReset) onReset(*this);
}

Menu& Form::addMenu(std::string name, std::string caption, std::string parent) {
  auto owned = std::make_unique<Menu>(std::move(name), std::move(parent));
  Menu& ref = *owned;
  ref.caption = std::move(caption);
  ref.container = this->name();
  controls_.push_back(std::move(owned));
  return ref;
}

Control* Form::find(const std::string& name) const {
  for (const auto& c : controls_)
    if (c->name() == name) return c.get();
  return nullptr;
}

std::string IndexedName(const std::string& base, int index) { return base + "(" + std::to_string(index) + ")"; }

}  // namespace ruvek::ui

#include "ui/Controls.h"

#include <algorithm>

namespace ruvek::ui {
namespace {

void Fire(const std::function<void()>& handler) {
  if (handler) handler();
}

std::string Flag(bool b) { return b ? "true" : "false"; }

}  // namespace

// ---- Control

void Control::click() {
  if (enabled) Fire(onClick);
}

void Control::doubleClick() {
  if (enabled) Fire(onDblClick);
}

char Control::pressKey(char key) {
  if (onKeyPress) onKeyPress(key);
  return key;
}

void Control::type(const std::string&, bool) {}

void Control::loseFocus() { Fire(onLostFocus); }

std::optional<std::string> Control::property(const std::string& name) const {
  if (name == "caption") return caption;
  if (name == "tooltip") return tooltip;
  if (name == "enabled") return Flag(enabled);
  if (name == "visible") return Flag(visible);
  if (name == "left") return std::to_string(geo.left);
  if (name == "top") return std::to_string(geo.top);
  if (name == "width") return std::to_string(geo.width);
  if (name == "height") return std::to_string(geo.height);
  return std::nullopt;
}

// ---- the text box and the drop-down

void EditableText::setText(const std::string& value) {
  if (value == text_) return;
  text_ = value;
  Fire(onChange);
}

void EditableText::applyKey(char key) {
  std::string value = text_;
  if (key == '\b') {
    if (!value.empty()) value.pop_back();
  } else {
    value += key;
  }
  setText(value);
}

void EditableText::type(const std::string& text, bool replace) {
  if (!enabled) return;
  if (replace) setText("");
  for (char typed : text)
    if (const char key = pressKey(typed)) applyKey(key);
}

std::optional<std::string> EditableText::property(const std::string& name) const {
  if (name == "text") return text_;
  if (name == "caption") return std::nullopt;  // a text box shows its text, not a caption
  return Control::property(name);
}

void TextBox::type(const std::string& text, bool replace) {
  if (!locked) EditableText::type(text, replace);
}

std::optional<std::string> TextBox::property(const std::string& name) const {
  if (name == "locked") return Flag(locked);
  return EditableText::property(name);
}

bool ComboBox::choose(const std::string& item) {
  if (!enabled) return true;
  if (std::find(items.begin(), items.end(), item) == items.end()) return false;
  setTextQuietly(item);
  Fire(onClick);
  return true;
}

std::optional<std::string> ComboBox::property(const std::string& name) const {
  if (name == "items") {
    std::string joined;
    for (std::size_t i = 0; i < items.size(); ++i) joined += (i ? "|" : "") + items[i];
    return joined;
  }
  return EditableText::property(name);
}

// ---- options and check boxes

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
  Fire(onClick);
}

void OptionButton::click() {
  if (enabled) setValue(true);
}

void OptionButton::doubleClick() {
  if (!enabled) return;
  setValue(true);
  Fire(onDblClick);
}

std::optional<std::string> OptionButton::property(const std::string& name) const {
  if (name == "value") return Flag(value_);
  return Control::property(name);
}

void CheckBox::setValue(bool ticked) {
  if (ticked == value_) return;
  value_ = ticked;
  Fire(onClick);
}

void CheckBox::click() {
  if (enabled) setValue(!value_);
}

std::optional<std::string> CheckBox::property(const std::string& name) const {
  if (name == "value") return Flag(value_);
  return Control::property(name);
}

std::optional<std::string> Menu::property(const std::string& name) const {
  if (name == "checked") return Flag(checked);
  return Control::property(name);
}

// ---- the grid

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

void Grid::setHighlightedRow(int r) {
  if (r == highlighted_) return;
  highlighted_ = r;
  ++version_;
}

void Grid::selectCell(int r, int c) {
  if (!enabled) return;
  row = r;
  col = c;
  Fire(onClick);
}

void Grid::type(const std::string& text, bool) {
  if (!enabled) return;
  for (char key : text) pressKey(key);
}

std::optional<std::string> Grid::property(const std::string& name) const {
  if (name == "text") return shownValue();
  if (name == "rows") return std::to_string(rows_);
  if (name == "row") return std::to_string(row);
  if (name == "col") return std::to_string(col);
  if (name == "highlightedRow") return std::to_string(highlighted_);
  // "greyedRows": the greyed rows' numbers, "2 5"
  if (name == "greyedRows") {
    std::string rows;
    const std::vector<bool> greyed = greyedRows ? greyedRows(*this) : std::vector<bool>{};
    for (std::size_t r = 0; r < greyed.size(); ++r)
      if (greyed[r]) rows += (rows.empty() ? "" : " ") + std::to_string(r);
    return rows;
  }
  return Control::property(name);
}

// ---- the status bar and the timer

std::optional<std::string> StatusBar::property(const std::string& name) const {
  if (name == "text") return shownValue();
  // "Panels(1)" to "Panels(6)"
  if (name.size() == 9 && name.compare(0, 7, "Panels(") == 0 && name[8] == ')' && name[7] >= '1' && name[7] <= '6')
    return panel(name[7] - '0').text;
  if (name == "note") return note;
  return Control::property(name);
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

bool Timer::tick() {
  if (!isEnabled()) return false;
  Fire(onTimer);
  return true;
}

std::optional<std::string> Timer::property(const std::string& name) const {
  if (name == "interval") return std::to_string(interval_);
  return Control::property(name);
}

// ---- the form

Menu& Form::addMenu(std::string name, std::string label, std::string parent) {
  auto owned = std::make_unique<Menu>(std::move(name), std::move(parent));
  Menu& ref = *owned;
  ref.caption = std::move(label);
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

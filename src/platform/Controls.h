#pragma once
// Platform-neutral models of the controls the windows are built from. The
// logic reads and writes these models only; the desktop front end mirrors
// them into real widgets and the headless driver reads them for `get`.
//
// Events follow the desktop conventions the handlers expect: setting a text
// box's text to a new value runs its change handler; selecting an option
// button in code runs its click handler (clearing one does not); changing a
// check box's tick in code runs its click handler.
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ruvek::ui {

enum class Kind { Form, Label, TextBox, ComboBox, Button, OptionButton, CheckBox, Frame, Menu, Grid, StatusBar, Timer };

struct Geometry {
  int left = 0, top = 0, width = 0, height = 0;
};

class Control {
 public:
  Control(std::string name, Kind kind) : name_(std::move(name)), kind_(kind) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& name() const { return name_; }
  Kind kind() const { return kind_; }

  std::string caption;
  std::string tooltip;
  bool enabled = true;
  bool visible = true;
  Geometry geo;
  std::string container;  // the frame or form that holds the control

  std::function<void()> onClick;
  std::function<void()> onDblClick;
  std::function<void()> onLostFocus;
  std::function<void(char& key)> onKeyPress;  // may set key to 0 to swallow it

  // True when the operator can reach the control (used by clicks from outside).
  bool reachable() const { return enabled && visible; }

 private:
  std::string name_;
  Kind kind_;
};

class Label : public Control {
 public:
  explicit Label(std::string name) : Control(std::move(name), Kind::Label) {}
};

class TextBox : public Control {
 public:
  explicit TextBox(std::string name) : Control(std::move(name), Kind::TextBox) {}
  const std::string& text() const { return text_; }
  // Sets the text; a new value runs the change handler.
  void setText(const std::string& value);
  bool locked = false;
  bool multiLine = false;
  std::function<void()> onChange;

 private:
  std::string text_;
};

class ComboBox : public Control {
 public:
  explicit ComboBox(std::string name) : Control(std::move(name), Kind::ComboBox) {}
  const std::string& text() const { return text_; }
  void setText(const std::string& value);
  std::vector<std::string> items;
  // The operator picks an item: the text becomes it and the click handler runs.
  bool choose(const std::string& item);
  std::function<void()> onChange;

 private:
  std::string text_;
};

class Button : public Control {
 public:
  explicit Button(std::string name) : Control(std::move(name), Kind::Button) {}
};

class OptionButton;

// Option buttons of one container exclude each other.
struct OptionGroup {
  std::vector<OptionButton*> members;
};

class OptionButton : public Control {
 public:
  explicit OptionButton(std::string name) : Control(std::move(name), Kind::OptionButton) {}
  bool value() const { return value_; }
  // Selecting clears the other members of the group and, when the option was
  // not selected before, runs the click handler. Clearing runs nothing.
  void setValue(bool selected);
  OptionGroup* group = nullptr;

 private:
  bool value_ = false;
};

class CheckBox : public Control {
 public:
  explicit CheckBox(std::string name) : Control(std::move(name), Kind::CheckBox) {}
  bool value() const { return value_; }
  // A changed tick runs the click handler.
  void setValue(bool ticked);

 private:
  bool value_ = false;
};

class Frame : public Control {
 public:
  explicit Frame(std::string name) : Control(std::move(name), Kind::Frame) {}
};

class Menu : public Control {
 public:
  explicit Menu(std::string name, std::string parent = {})
      : Control(std::move(name), Kind::Menu), parent(std::move(parent)) {}
  std::string parent;  // empty for an entry on the menu bar
  bool checked = false;
};

class Grid : public Control {
 public:
  explicit Grid(std::string name) : Control(std::move(name), Kind::Grid) {}
  int rows() const { return rows_; }
  int cols() const { return cols_; }
  void resize(int rows, int cols);
  const std::string& cell(int row, int col) const;
  void setCell(int row, int col, const std::string& text);
  // Removes the event row `row` (never a fixed row) and adds an empty row at
  // the bottom, so the grid keeps its size.
  void removeRow(int row);
  int fixedRows = 1;
  int fixedCols = 0;
  int row = 1, col = 0;        // the current cell
  std::vector<int> colWidths;  // twips
  // Bumped on every change of cells or shape, so a view knows when to redraw.
  unsigned long version() const { return version_; }

 private:
  int rows_ = 0, cols_ = 0;
  std::vector<std::string> cells_;
  unsigned long version_ = 0;
};

class StatusBar : public Control {
 public:
  explicit StatusBar(std::string name) : Control(std::move(name), Kind::StatusBar) {}
  struct Panel {
    std::string text, tooltip;
  };
  Panel panels[6];
  // Panels are numbered 1 to 6 as the operator sees them.
  Panel& panel(int n) { return panels[n - 1]; }
  const Panel& panel(int n) const { return panels[n - 1]; }
  // Panel 1 carries the progress and error texts.
  void setText(const std::string& text) { panel(1).text = text; }
};

class Timer : public Control {
 public:
  explicit Timer(std::string name) : Control(std::move(name), Kind::Timer) {}
  bool isEnabled() const { return enabled; }
  int interval() const { return interval_; }
  // Intervals are limited to the timer's range of 1 to 65535 ms.
  void setInterval(int ms);
  void setEnabled(bool on);
  std::function<void()> onTimer;
  // Told when the timer is enabled, disabled or given a new interval, so the
  // platform restarts its countdown.
  std::function<void(Timer&)> onReset;

 private:
  int interval_ = 1000;
};

// A window: owns its controls and finds them by name ("Text1(5)").
class Form : public Control {
 public:
  explicit Form(std::string name) : Control(std::move(name), Kind::Form) { visible = false; }

  template <class T>
  T& add(std::string name, std::string container = {}) {
    auto owned = std::make_unique<T>(std::move(name));
    T& ref = *owned;
    ref.container = container.empty() ? this->name() : std::move(container);
    controls_.push_back(std::move(owned));
    return ref;
  }
  Menu& addMenu(std::string name, std::string caption, std::string parent = {});

  Control* find(const std::string& name) const;
  const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
  std::function<void()> onKeyF9;

 private:
  std::vector<std::unique_ptr<Control>> controls_;
};

std::string IndexedName(const std::string& base, int index);  // "Text1", 5 -> "Text1(5)"

}  // namespace ruvek::ui

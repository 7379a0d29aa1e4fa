#pragma once
// Platform-neutral models of the controls the windows are built from. The
// logic reads and writes these models only; the desktop front end mirrors
// them into real widgets and the headless driver reads them for `get`.
//
// Events follow the desktop conventions the handlers expect: setting a text
// box's text to a new value runs its change handler; selecting an option
// button in code runs its click handler (clearing one does not); changing a
// check box's tick in code runs its click handler.
//
// What the operator does to a control is a method of its model (click,
// doubleClick, pressKey, type, choose, selectCell, loseFocus), so the desktop
// view and the headless driver act alike: each only turns its own input (a
// widget's signal, a script line) into one of these calls. An action on a
// disabled control does nothing.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ruvek::ui {

enum class Kind {
  Form,
  Label,
  TextBox,
  ComboBox,
  Button,
  OptionButton,
  CheckBox,
  Frame,
  Menu,
  Grid,
  StatusBar,
  Timer,
  Picture
};

// A control's place in pixels. The main window's own size and the grids'
// column widths are kept in twips, as the window sets them and the scripts read
// them ("frmActivity.width=14085"), at kTwipsPerPixel to the pixel.
struct Geometry {
  int left = 0, top = 0, width = 0, height = 0;
};
inline constexpr int kTwipsPerPixel = 15;

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

  // ---- what the operator does

  // A click: the click handler runs (an option button is selected, a check
  // box's tick flips).
  virtual void click();
  // A double click: the double-click handler runs (an option button is
  // selected first).
  virtual void doubleClick();
  // A key typed on the control: the key-press handler may change the key or
  // swallow it. Returns the key to apply, 0 when swallowed.
  char pressKey(char key);
  // True for the controls that take typed text.
  virtual bool takesTyping() const { return false; }
  // Typing `text` key by key, each key through pressKey; with `replace` the
  // old text is cleared first. A Backspace ('\b') removes the last character.
  virtual void type(const std::string& text, bool replace);
  // The control loses the focus: its lost-focus handler runs.
  void loseFocus();

  // ---- what the control shows

  // The value a script reads without naming a property: the caption.
  virtual std::string shownValue() const { return caption; }
  // A property by its script name ("caption", "enabled", "left", ...);
  // nothing for a property the control does not have.
  virtual std::optional<std::string> property(const std::string& name) const;

 private:
  std::string name_;
  Kind kind_;
};

class Label : public Control {
 public:
  explicit Label(std::string name) : Control(std::move(name), Kind::Label) {}
};

// A control whose text the operator edits: the text box and the drop-down.
class EditableText : public Control {
 public:
  const std::string& text() const { return text_; }
  // Sets the text; a new value runs the change handler.
  void setText(const std::string& value);
  std::function<void()> onChange;

  bool takesTyping() const override { return true; }
  void type(const std::string& text, bool replace) override;
  // Applies one key that has passed the key-press handler: Backspace removes
  // the last character, any other key is appended.
  void applyKey(char key);
  std::string shownValue() const override { return text_; }
  std::optional<std::string> property(const std::string& name) const override;

 protected:
  EditableText(std::string name, Kind kind) : Control(std::move(name), kind) {}
  // Sets the text without running the change handler (an item chosen from a
  // drop-down runs the click handler instead).
  void setTextQuietly(const std::string& value) { text_ = value; }

 private:
  std::string text_;
};

class TextBox : public EditableText {
 public:
  explicit TextBox(std::string name) : EditableText(std::move(name), Kind::TextBox) {}
  bool locked = false;  // typing is blocked; the program still sets the text
  bool multiLine = false;
  // A display of many lines of the program's text, in a box that scrolls and
  // keeps its caret at the end so the newest line stays in sight; the desktop
  // shows it read-only.
  bool scrolling = false;

  void type(const std::string& text, bool replace) override;
  std::optional<std::string> property(const std::string& name) const override;
};

class ComboBox : public EditableText {
 public:
  explicit ComboBox(std::string name) : EditableText(std::move(name), Kind::ComboBox) {}
  std::vector<std::string> items;
  // The operator picks an item: the text becomes it and the click handler
  // runs. False when the drop-down has no such item.
  bool choose(const std::string& item);

  std::optional<std::string> property(const std::string& name) const override;
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

  // A click selects the option; clicking one already selected does nothing.
  void click() override;
  void doubleClick() override;
  std::optional<std::string> property(const std::string& name) const override;

 private:
  bool value_ = false;
};

class CheckBox : public Control {
 public:
  explicit CheckBox(std::string name) : Control(std::move(name), Kind::CheckBox) {}
  bool value() const { return value_; }
  // A changed tick runs the click handler.
  void setValue(bool ticked);

  // A click flips the tick.
  void click() override;
  std::optional<std::string> property(const std::string& name) const override;

 private:
  bool value_ = false;
};

class Frame : public Control {
 public:
  explicit Frame(std::string name) : Control(std::move(name), Kind::Frame) {}
};

class Menu : public Control {
 public:
  explicit Menu(std::string name, std::string parentName = {})
      : Control(std::move(name), Kind::Menu), parent(std::move(parentName)) {}
  std::string parent;  // empty for an entry on the menu bar
  bool checked = false;
  // The entry is one that carries a check mark or not; the others are commands.
  bool checkable = false;
  // Entries with the same group exclude each other: the mark stands on one of
  // them at most (the handlers move it).
  std::string group;
  // A new section of its menu starts at this entry.
  bool separatorBefore = false;
  // The key that runs the entry from anywhere in its window ("F1", "Ctrl+Q").
  std::string shortcut;

  std::optional<std::string> property(const std::string& name) const override;
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
  // The row shown highlighted (the one being worked on); 0, a heading row,
  // when none is.
  int highlightedRow() const { return highlighted_; }
  void setHighlightedRow(int r);
  // The rows shown greyed, by the logic that knows what a row means (an entry
  // a later row replaces); nothing is greyed without it.
  std::function<std::vector<bool>(const Grid&)> greyedRows;
  // Bumped on every change of cells or shape, so a view knows when to redraw.
  unsigned long version() const { return version_; }

  // The operator selects a cell: it becomes the current cell and the click
  // handler runs.
  void selectCell(int row, int col);
  // Keys typed on the grid go to its key-press handler only.
  bool takesTyping() const override { return true; }
  void type(const std::string& text, bool replace) override;
  std::string shownValue() const override { return cell(row, col); }
  std::optional<std::string> property(const std::string& name) const override;

 private:
  int rows_ = 0, cols_ = 0;
  int highlighted_ = 0;
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
  // The last thing the operator's actions made happen ("Event 12 recorded",
  // "Standing by"), shown beside the panels.
  std::string note;

  std::string shownValue() const override { return panel(1).text; }
  // Also "Panels(N)", the text of panel N, and "note".
  std::optional<std::string> property(const std::string& name) const override;
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

  // One tick: the tick handler runs. False (and nothing runs) when the timer
  // is disabled.
  bool tick();
  std::string shownValue() const override { return std::to_string(interval_); }
  std::optional<std::string> property(const std::string& name) const override;

 private:
  int interval_ = 1000;
};

// A window: owns its controls and finds them by name ("Text1(5)").
class Form : public Control {
 public:
  explicit Form(std::string name) : Control(std::move(name), Kind::Form) { visible = false; }

  template <class T>
  T& add(std::string name, std::string holder = {}) {
    auto owned = std::make_unique<T>(std::move(name));
    T& ref = *owned;
    if (holder.empty()) holder = this->name();
    ref.container = std::move(holder);
    controls_.push_back(std::move(owned));
    return ref;
  }
  Menu& addMenu(std::string name, std::string label, std::string parent = {});

  Control* find(const std::string& name) const;
  const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
  std::function<void()> onKeyF9;
  std::function<void()> onKeyEscape;
  // A control of this window to take the keyboard focus, by name; the view
  // gives it the focus and clears the request.
  std::string focusTo;
  // The operator closes the window with its title bar; without a handler the
  // window is hidden.
  std::function<void()> onClose;

 private:
  std::vector<std::unique_ptr<Control>> controls_;
};

std::string IndexedName(const std::string& base, int index);  // "Text1", 5 -> "Text1(5)"

}  // namespace ruvek::ui

#pragma once
// The desktop face of the program: one real widget for every control model,
// refreshed from the models after each handler, and every operator action
// sent back to the models through the platform's dispatch.
#include <QObject>
#include <QPointer>
#include <QRect>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "desktop/QtPlatform.h"
#include "ui/Application.h"

class QMainWindow;
class QWidget;
class QAction;
class QLabel;
class QTableView;
class QAbstractButton;
class QKeyEvent;

namespace ruvek::ui {

class GridTableModel;
class WindowLayout;

class DesktopView : public QObject {
  Q_OBJECT
 public:
  DesktopView(Application& app, QtPlatform& platform);
  ~DesktopView() override;

  // Builds the widgets of every window from the models; after a restart the
  // old widgets are dropped and the new ones bound to the new models.
  void build();
  // Brings every widget in line with its model.
  void refresh();
  void showForm(Form& form);

  QMainWindow* mainWindow() const { return main_; }
  QWidget* window(const std::string& formName) const;
  // The widget of a control, by its model name ("Text1(5)", "Combo1").
  QWidget* widget(const std::string& name) const;
  QAction* action(const std::string& menuName) const;
  QLabel* statusPanel(int n) const;
  // The caption the desktop shows over a box of the main window that has none.
  QLabel* caption(const std::string& controlName) const;

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Binding {
    Control* model;
    QPointer<QWidget> widget;
    std::function<void()> refresh;
  };
  // Drops every widget and binding of the windows built before.
  void clear();
  QWidget* buildControl(Control& c, QWidget* parent);
  // An option button or a check box: a click goes to the model, the widget
  // shows the caption and `checked`.
  QWidget* bindToggle(QAbstractButton* w, Control& c, std::function<bool()> checked);
  // A display of many lines that scrolls to its end when its text changes.
  QWidget* buildScrollingBox(TextBox& model, QWidget* parent);
  // A key pressed on a control with a key-press handler; true when the widget
  // must not see it.
  bool keyPress(Control& c, const QKeyEvent& event);
  // An arrow key on an option: the next option of its group takes the focus
  // and is selected. False for any other key.
  bool arrowInGroup(OptionButton& option, const QKeyEvent& event);
  void buildMenus(Form& form, QMainWindow* window);
  void refreshMenus();
  // The window a box of the program belongs over: the active one of ours, else
  // the main window while it shows, else any that shows; none before one shows.
  QWidget* dialogParent() const;
  // A window shown for the first time opens at its design size: the main
  // window where it stood before a restart or in the middle of the screen, the
  // others over the main window.
  void place(QWidget* window);
  void act(const std::function<void()>& handler) { platform_.dispatch(handler); }

  Application& app_;
  QtPlatform& platform_;
  QMainWindow* main_ = nullptr;
  std::map<std::string, QWidget*> windows_;
  std::map<std::string, QWidget*> widgets_;
  std::map<std::string, QAction*> actions_;
  std::map<QObject*, Control*> filtered_;  // widgets whose mouse, key and focus events reach their model
  std::map<QObject*, Form*> closable_;     // the windows besides the main one, whose closing reaches their model
  std::vector<Binding> bindings_;
  struct MenuEntry {
    Menu* model;
    QAction* action;
  };
  std::vector<MenuEntry> menuEntries_;
  QLabel* panels_[6] = {};
  QLabel* note_ = nullptr;  // the status bar's note, beside the panels
  std::vector<GridTableModel*> gridModels_;
  std::vector<std::unique_ptr<WindowLayout>> layouts_;
  std::set<QWidget*> placed_;  // windows shown once already
  QRect mainGeometry_;         // where the main window stood before a restart
};

// Runs the desktop program on the drive folder `root`.
int RunDesktop(int argc, char** argv, const std::string& root);

// Another copy holds the program folder of `root`: asks it to bring its main
// window to the front, shows `message` (saying whether it came) and returns
// the exit status 4.
int TellAlreadyRunning(int argc, char** argv, const std::string& root, const std::string& message);

}  // namespace ruvek::ui

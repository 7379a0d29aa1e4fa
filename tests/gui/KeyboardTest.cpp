// The main window by keyboard and on a small screen: where the focus goes
// after an event, Ctrl+Enter in the comments, access keys, the window's size.
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "gui/DesktopStation.h"

namespace ruvek::test {
namespace {

using KeyboardWindow = DesktopStation;

TEST_F(KeyboardWindow, FocusAfterRecordCtrlEnterAccessKeysAndScreenSize) {
  open();
  QMainWindow* main = view->mainWindow();
  const QRect room = main->screen()->availableGeometry();
  EXPECT_LE(main->width(), room.width());
  EXPECT_LE(main->height(), room.height());
  EXPECT_EQ("&Quit", widget<QPushButton>("Command1(2)")->text().toStdString());

  const auto rows = [this] {
    int n = 0;
    while (!model().eventGrid.cell(n + 1, 0).empty()) ++n;
    return n;
  };
  const int before = rows();
  ASSERT_TRUE(platform->dispatch([this] { model().buttons.record.click(); }));
  ASSERT_EQ(before + 1, rows());
  // An event picker has the focus, not a button a Space would press.
  EXPECT_NE(nullptr, qobject_cast<QRadioButton*>(main->focusWidget()));

  auto* comments = widget<QLineEdit>("txtComments");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
  QApplication::sendEvent(comments, &enter);
  EXPECT_EQ(before + 1, rows());  // Enter alone records nothing
  QKeyEvent ctrlEnter(QEvent::KeyPress, Qt::Key_Return, Qt::ControlModifier, "\r");
  QApplication::sendEvent(comments, &ctrlEnter);
  EXPECT_EQ(before + 2, rows());
}

}  // namespace
}  // namespace ruvek::test

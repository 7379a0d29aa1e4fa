// The fix-age label beside the GPS status: its text and level follow the
// program's state.
#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>

#include "desktop/FixAgeLabel.h"
#include "gui/DesktopStation.h"

namespace ruvek::test {
namespace {

using FixAgeWindow = DesktopStation;

TEST_F(FixAgeWindow, ShowsTheAgeAndTurnsRedOnceF9StopsThePoll) {
  open();
  auto* label = ui::AttachFixAge(*app, view->mainWindow()->statusBar());
  EXPECT_EQ("Fix age: no fix yet", label->text().toStdString());
  st.write("C:\\DATA\\CurrPos.txt", "$GPGGA,183012.00,3254.0000,N,11724.0000,W,2,09,0.9,5.1,M,-35.2,M,,\r\n");
  ASSERT_TRUE(platform->dispatch([this] { model().pollTimer.onTimer(); }));
  label->refreshAge();
  EXPECT_EQ("Fix age: 0 s", label->text().toStdString());
  EXPECT_EQ("normal", label->property("level").toString().toStdString());
  ASSERT_TRUE(platform->dispatch([this] { app->keyF9(); }));
  label->refreshAge();
  EXPECT_EQ("red", label->property("level").toString().toStdString());
  EXPECT_EQ("No new fix for 0 s", label->text().toStdString());
  EXPECT_FALSE(label->styleSheet().isEmpty());
}

}  // namespace
}  // namespace ruvek::test

// The desktop window, rendered offscreen, must show what the control models
// hold, so the desktop face cannot drift from the headless one.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

#include "app/RuvekApp.h"
#include "desktop/DesktopView.h"
#include "e2e/Station.h"

namespace ruvek {
namespace {

class DesktopWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    st.seed();
    platform = std::make_unique<ui::QtPlatform>(ui::FileSystem(st.root()));
    platform->autoAnswer = [this](const std::string& text, const std::string&) {
      asked.push_back(text);
      return std::optional(ui::Answer::Yes);
    };
    app = std::make_unique<RuvekApp>(*platform);
    view = std::make_unique<ui::DesktopView>(*app, *platform);
    app->onWindowsCreated = [this] { view->build(); };
    ASSERT_TRUE(platform->dispatch([this] { app->start(); }));
  }
  template <class W>
  W* widget(const std::string& name) {
    auto* w = qobject_cast<W*>(view->widget(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  MainWindow& model() { return app->station()->main; }

  test::Station st;
  std::unique_ptr<ui::QtPlatform> platform;
  std::unique_ptr<RuvekApp> app;
  std::unique_ptr<ui::DesktopView> view;
  std::vector<std::string> asked;
};

TEST_F(DesktopWindow, ShowsTheCaptionsTooltipsAndCheckMarksOfTheModels) {
  EXPECT_EQ(view->mainWindow()->windowTitle().toStdString(), "Tesmora 0708SR Ruvek Event Log");
  EXPECT_EQ(widget<QLineEdit>("Text1(0)")->text().toStdString(), "0708SR");
  EXPECT_EQ(widget<QLineEdit>("Text1(5)")->toolTip().toStdString(),
            "Event Number: read in from Eventnumber.txt over network in auto-mode");
  EXPECT_TRUE(widget<QLineEdit>("Text1(5)")->isReadOnly());
  EXPECT_EQ(widget<QPushButton>("Command1(0)")->text().toStdString(), "Record Event");
  EXPECT_EQ(widget<QPushButton>("Command1(3)")->toolTip().toStdString(),
            "Erases last event and rolls back event number");
  EXPECT_EQ(widget<QGroupBox>("Frame6")->title().toStdString(), "Sea Conditions");
  EXPECT_EQ(widget<QRadioButton>("optPST(0)")->text().toStdString(), "PC Time is PST");
  EXPECT_TRUE(widget<QRadioButton>("optPST(0)")->isChecked());
  for (const char* name : {"mnuAuto", "mnuAutoEvent", "mnuStndLine", "mnuLastEvent", "mnuhtml"})
    EXPECT_TRUE(view->action(name)->isChecked()) << name;
  for (const char* name : {"mnuCalcLine", "mnuSelectLine", "mnuMulti", "mnuAllEvents"})
    EXPECT_FALSE(view->action(name)->isChecked()) << name;
  EXPECT_EQ(view->action("mnuExit")->text().toStdString(), "Exit");
  EXPECT_EQ(view->action("mnuEventNumFile")->text().toStdString(), "C:\\DATA\\EventNumber.txt");
  EXPECT_EQ(view->statusPanel(6)->toolTip().toStdString(), "Order Occupied aka Proc#");
}

TEST_F(DesktopWindow, GridShowsItsHeadingsAndWidths) {
  auto* grid = widget<QTableView>("EventLog");
  const char* headings[] = {"Evt#", "Line", "Sta", "Date", "Time", "Event", "Lat", "Lon", "Init", "Comments"};
  for (int c = 0; c < 10; ++c)
    EXPECT_EQ(grid->model()->headerData(c, Qt::Horizontal).toString().toStdString(), headings[c]);
  EXPECT_EQ(grid->model()->rowCount(), 1999);
  EXPECT_EQ(grid->columnWidth(5), 2400 / 15);
}

TEST_F(DesktopWindow, ModelChangesReachTheWidgetsAndWidgetsReachTheModels) {
  platform->dispatch([this] {
    model().statusBar.panel(1).text = "Reading Event Number file... 11";
    model().pickers.singleFrame.visible = false;
    model().menus.calcLine.checked = true;
    model().eventGrid.setCell(1, 5, "CTD Deployed");
  });
  EXPECT_EQ(view->statusPanel(1)->text().toStdString(), "Reading Event Number file... 11");
  EXPECT_TRUE(view->widget("frmSelectEvent")->isHidden());
  EXPECT_TRUE(view->action("mnuCalcLine")->isChecked());
  auto* grid = widget<QTableView>("EventLog");
  EXPECT_EQ(grid->model()->index(0, 5).data().toString().toStdString(), "CTD Deployed");

  widget<QRadioButton>("optPST(2)")->click();
  EXPECT_TRUE(model().clockOptions.options[2]->value());
  EXPECT_FALSE(model().clockOptions.options[0]->value());
  EXPECT_FALSE(widget<QRadioButton>("optPST(0)")->isChecked());

  widget<QLineEdit>("txtComments")->setText("x");  // a program change, not typing: the model keeps its text
  platform->dispatch([] {});
  EXPECT_EQ(widget<QLineEdit>("txtComments")->text().toStdString(), model().commentsBox.text());
}

TEST_F(DesktopWindow, DoubleClickOnAGridRowLoadsItForEditing) {
  platform->dispatch([this] {
    model().eventGrid.setCell(1, 0, "7");
    model().eventGrid.setCell(1, 5, "Bongo");
  });
  auto* grid = widget<QTableView>("EventLog");
  emit grid->doubleClicked(grid->model()->index(0, 3));
  EXPECT_EQ(asked.back(), "Do you want to edit the entry you double-clicked? Y/N");
  EXPECT_EQ(widget<QLineEdit>("Text1(5)")->text().toStdString(), "7");
  EXPECT_EQ(widget<QComboBox>("Combo1")->currentText().toStdString(), "Bongo");
  EXPECT_TRUE(app->station()->state.editingRow);
}

TEST_F(DesktopWindow, ExitEndsTheProgramThroughTheSameHandler) {
  view->action("mnuExit")->trigger();
  EXPECT_TRUE(platform->ended());
  EXPECT_EQ(asked.back(), "Do you really want to quit? Y/N");
}

}  // namespace
}  // namespace ruvek

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // The window is rendered offscreen: no display is needed, also not for listing the tests.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}

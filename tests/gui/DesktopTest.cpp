// The desktop window, rendered offscreen, must show what the control models
// hold, so the desktop face cannot drift from the headless one.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

#include "gui/DesktopStation.h"

namespace ruvek {
namespace {

class DesktopWindow : public test::DesktopStation {
 protected:
  void SetUp() override { open(); }
};

TEST_F(DesktopWindow, ShowsTheCaptionsTooltipsAndCheckMarksOfTheModels) {
  EXPECT_EQ(view->mainWindow()->windowTitle().toStdString(), "Tesmora 0708SR Ruvek Event Log");
  EXPECT_EQ(widget<QLineEdit>("Text1(0)")->text().toStdString(), "0708SR");
  EXPECT_EQ(widget<QLineEdit>("Text1(5)")->toolTip().toStdString(),
            "Event Number: read in from Eventnumber.txt over network in auto-mode");
  EXPECT_TRUE(widget<QLineEdit>("Text1(5)")->isReadOnly());
  EXPECT_EQ(widget<QPushButton>("Command1(0)")->text().toStdString(), "&Record Event");  // Alt+R
  EXPECT_EQ(widget<QPushButton>("Command1(3)")->toolTip().toStdString(),
            "Erases last event and rolls back event number");
  EXPECT_EQ(widget<QGroupBox>("Frame6")->title().toStdString(), "Sea Conditions");
  EXPECT_EQ(widget<QRadioButton>("optPST(0)")->text().toStdString(), "PC Time is PST");
  EXPECT_TRUE(widget<QRadioButton>("optPST(0)")->isChecked());
  for (const char* name : {"mnuAuto", "mnuAutoEvent", "mnuStndLine", "mnuLastEvent", "mnuhtml"})
    EXPECT_TRUE(view->action(name)->isChecked()) << name;
  for (const char* name : {"mnuCalcLine", "mnuSelectLine", "mnuMulti", "mnuAllEvents"})
    EXPECT_FALSE(view->action(name)->isChecked()) << name;
  EXPECT_EQ(view->action("mnuExit")->text().toStdString(), "&Exit");  // with its access key
  EXPECT_EQ(view->action("mnuEventNumFile")->text().toStdString(), "&C:\\DATA\\EventNumber.txt");
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

// A key typed on a widget, as the keyboard delivers it.
void Type(QWidget* w, Qt::Key key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(w, &press);
}

TEST_F(DesktopWindow, EditorWindowsBindTheirWidgetsToTheModels) {
  view->action("mnuEditCfg")->trigger();
  EXPECT_TRUE(view->window("FrmEditCFG")->isVisible());
  EXPECT_EQ(view->window("FrmEditCFG")->windowTitle().toStdString(), "C:\\RuvekGPS\\RuvekGPS.cfg Current Settings");
  EXPECT_EQ(widget<QLabel>("FrmEditCFG.Label1(20)")->text().toStdString(), "Julian format | Events Select:");
  EXPECT_EQ(widget<QLabel>("FrmEditCFG.Label1(14)")->toolTip().toStdString(),
            "Primary GPS information usually $GPGGA or $GPRMC");
  EXPECT_EQ(widget<QLineEdit>("FrmEditCFG.Text1(2)")->text().toStdString(), "0708SR");
  auto* source = widget<QComboBox>("FrmEditCFG.Combo1(1)");
  EXPECT_EQ(source->count(), 7);
  EXPECT_EQ(source->currentText().toStdString(), "NETWORK");
  EXPECT_TRUE(source->isEditable());
  // The missing position file is marked, with the reason as its tooltip.
  EXPECT_TRUE(widget<QLabel>("FrmEditCFG.lblWarn(8)")->isVisibleTo(view->window("FrmEditCFG")));
  EXPECT_EQ(widget<QLabel>("FrmEditCFG.lblWarn(8)")->toolTip().toStdString(), "C:\\DATA\\CurrPos.txt does not exist");
  EXPECT_FALSE(widget<QLabel>("FrmEditCFG.lblWarn(3)")->isVisibleTo(view->window("FrmEditCFG")));
  // A key on the Study field reaches its handler and the widget types it.
  auto* study = widget<QLineEdit>("FrmEditCFG.Text1(2)");
  Type(study, Qt::Key_X, "x");
  EXPECT_TRUE(app->station()->configEditor.studyEdited);
  EXPECT_EQ(app->station()->configEditor.study.text(), study->text().toStdString());

  auto* list = widget<QTableView>("frmEventEdit.EventList");
  EXPECT_EQ(list->model()->headerData(0, Qt::Horizontal).toString().toStdString(), "Num");
  EXPECT_EQ(list->model()->headerData(1, Qt::Horizontal).toString().toStdString(), "Event");
  EXPECT_EQ(list->columnWidth(0), 800 / 15);
  EXPECT_EQ(list->columnWidth(1), 5000 / 15);
  EXPECT_EQ(list->model()->index(1, 0).data().toString().toStdString(), "2");
  EXPECT_EQ(list->model()->index(1, 1).data().toString().toStdString(), "CTD Deployed");
  EXPECT_EQ(widget<QPushButton>("frmEventEdit.Command1(2)")->text().toStdString(), "Exit back to Logger");
  list->clicked(list->model()->index(1, 1));
  Type(list, Qt::Key_S, "s");
  Type(list, Qt::Key_Backspace, "");
  Type(list, Qt::Key_X, "x");
  EXPECT_EQ(list->model()->index(1, 1).data().toString().toStdString(), "CTD DeployedX");
}

TEST_F(DesktopWindow, RestartRebindsEveryWindowToTheNewModels) {
  Station* before = app->station();
  QPointer<QWidget> oldMain = view->mainWindow(), oldField = view->widget("FrmEditCFG.Text1(1)");
  view->action("mnuEditCfg")->trigger();
  platform->dispatch([this] { app->station()->configEditor.fields[1]->setText("Newproj"); });
  EXPECT_EQ(qobject_cast<QLineEdit*>(oldField.data())->text().toStdString(), "Newproj");
  widget<QPushButton>("FrmEditCFG.Command1(0)")->click();
  // The restart runs from the event loop, once the button's click is over.
  QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_NE(app->station(), before);
  EXPECT_TRUE(oldMain.isNull());
  EXPECT_TRUE(oldField.isNull());
  EXPECT_EQ(std::count(asked.begin(), asked.end(),
                       "Press YES if you are Ready For Event Logging; Press NO to configure EventLog."),
            2);
  EXPECT_EQ(view->mainWindow()->windowTitle().toStdString(), "Newproj 0708SR Ruvek Event Log");
  EXPECT_FALSE(view->window("FrmEditCFG")->isVisible());
  // The new widgets show and drive the new models.
  view->action("mnuEditCfg")->trigger();
  EXPECT_TRUE(view->window("FrmEditCFG")->isVisible());
  EXPECT_EQ(widget<QLineEdit>("FrmEditCFG.Text1(1)")->text().toStdString(), "Newproj");
  widget<QRadioButton>("optPST(2)")->click();
  EXPECT_TRUE(model().clockOptions.options[2]->value());
  view->action("mnuMakeEvFile")->trigger();
  EXPECT_TRUE(view->window("frmEventEdit")->isVisible());
  widget<QPushButton>("frmEventEdit.Command1(2)")->click();
  EXPECT_FALSE(app->station()->listEditor.form.visible);
  EXPECT_FALSE(view->window("frmEventEdit")->isVisible());
}

TEST_F(DesktopWindow, DoubleClickOnAGridRowLoadsItForEditing) {
  platform->dispatch([this] {
    model().eventGrid.setCell(1, 0, "7");
    model().eventGrid.setCell(1, 5, "Bongo");
  });
  auto* grid = widget<QTableView>("EventLog");
  emit grid->doubleClicked(grid->model()->index(0, 3));
  EXPECT_EQ(asked.back().rfind("Do you want to edit the entry you double-clicked? Y/N", 0), 0u);
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

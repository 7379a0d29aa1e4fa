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
  EXPECT_EQ("Tesmora 0708SR Ruvek Event Log", view->mainWindow()->windowTitle().toStdString());
  EXPECT_EQ("0708SR", widget<QLineEdit>("Text1(0)")->text().toStdString());
  EXPECT_EQ("Event Number: read in from Eventnumber.txt over network in auto-mode",
            widget<QLineEdit>("Text1(5)")->toolTip().toStdString());
  EXPECT_TRUE(widget<QLineEdit>("Text1(5)")->isReadOnly());
  EXPECT_EQ("&Record Event", widget<QPushButton>("Command1(0)")->text().toStdString());  // Alt+R
  EXPECT_EQ("Erases last event and rolls back event number",
            widget<QPushButton>("Command1(3)")->toolTip().toStdString());
  EXPECT_EQ("Sea Conditions", widget<QGroupBox>("Frame6")->title().toStdString());
  EXPECT_EQ("PC Time is PST", widget<QRadioButton>("optPST(0)")->text().toStdString());
  EXPECT_TRUE(widget<QRadioButton>("optPST(0)")->isChecked());
  for (const char* name : {"mnuAuto", "mnuAutoEvent", "mnuStndLine", "mnuLastEvent", "mnuhtml"})
    EXPECT_TRUE(view->action(name)->isChecked()) << name;
  for (const char* name : {"mnuCalcLine", "mnuSelectLine", "mnuMulti", "mnuAllEvents"})
    EXPECT_FALSE(view->action(name)->isChecked()) << name;
  EXPECT_EQ("&Exit", view->action("mnuExit")->text().toStdString());  // with its access key
  EXPECT_EQ("&C:\\DATA\\EventNumber.txt", view->action("mnuEventNumFile")->text().toStdString());
  EXPECT_EQ("Order Occupied aka Proc#", view->statusPanel(6)->toolTip().toStdString());
}

TEST_F(DesktopWindow, GridShowsItsHeadingsAndWidths) {
  auto* grid = widget<QTableView>("EventLog");
  const char* headings[] = {"Evt#", "Line", "Sta", "Date", "Time", "Event", "Lat", "Lon", "Init", "Comments"};
  for (int c = 0; c < 10; ++c)
    EXPECT_EQ(grid->model()->headerData(c, Qt::Horizontal).toString().toStdString(), headings[c]);
  EXPECT_EQ(1999, grid->model()->rowCount());
  EXPECT_EQ(2400 / 15, grid->columnWidth(5));
}

TEST_F(DesktopWindow, ModelChangesReachTheWidgetsAndWidgetsReachTheModels) {
  platform->dispatch([this] {
    model().statusBar.panel(1).text = "Reading Event Number file... 11";
    model().pickers.singleFrame.visible = false;
    model().menus.calcLine.checked = true;
    model().eventGrid.setCell(1, 5, "CTD Deployed");
  });
  EXPECT_EQ("Reading Event Number file... 11", view->statusPanel(1)->text().toStdString());
  EXPECT_TRUE(view->widget("frmSelectEvent")->isHidden());
  EXPECT_TRUE(view->action("mnuCalcLine")->isChecked());
  auto* grid = widget<QTableView>("EventLog");
  EXPECT_EQ("CTD Deployed", grid->model()->index(0, 5).data().toString().toStdString());

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
  EXPECT_EQ("C:\\RuvekGPS\\RuvekGPS.cfg Current Settings", view->window("FrmEditCFG")->windowTitle().toStdString());
  EXPECT_EQ("Julian format | Events Select:", widget<QLabel>("FrmEditCFG.Label1(20)")->text().toStdString());
  EXPECT_EQ("Primary GPS information usually $GPGGA or $GPRMC",
            widget<QLabel>("FrmEditCFG.Label1(14)")->toolTip().toStdString());
  EXPECT_EQ("0708SR", widget<QLineEdit>("FrmEditCFG.Text1(2)")->text().toStdString());
  auto* source = widget<QComboBox>("FrmEditCFG.Combo1(1)");
  EXPECT_EQ(7, source->count());
  EXPECT_EQ("NETWORK", source->currentText().toStdString());
  EXPECT_TRUE(source->isEditable());
  // The missing position file is marked, with the reason as its tooltip.
  EXPECT_TRUE(widget<QLabel>("FrmEditCFG.lblWarn(8)")->isVisibleTo(view->window("FrmEditCFG")));
  EXPECT_EQ("C:\\DATA\\CurrPos.txt does not exist", widget<QLabel>("FrmEditCFG.lblWarn(8)")->toolTip().toStdString());
  EXPECT_FALSE(widget<QLabel>("FrmEditCFG.lblWarn(3)")->isVisibleTo(view->window("FrmEditCFG")));
  // A key on the Study field reaches its handler and the widget types it.
  auto* study = widget<QLineEdit>("FrmEditCFG.Text1(2)");
  Type(study, Qt::Key_X, "x");
  EXPECT_TRUE(app->station()->configEditor.studyEdited);
  EXPECT_EQ(app->station()->configEditor.study.text(), study->text().toStdString());

  auto* list = widget<QTableView>("frmEventEdit.EventList");
  EXPECT_EQ("Num", list->model()->headerData(0, Qt::Horizontal).toString().toStdString());
  EXPECT_EQ("Event", list->model()->headerData(1, Qt::Horizontal).toString().toStdString());
  EXPECT_EQ(800 / 15, list->columnWidth(0));
  EXPECT_EQ(5000 / 15, list->columnWidth(1));
  EXPECT_EQ("2", list->model()->index(1, 0).data().toString().toStdString());
  EXPECT_EQ("CTD Deployed", list->model()->index(1, 1).data().toString().toStdString());
  EXPECT_EQ("Exit back to Logger", widget<QPushButton>("frmEventEdit.Command1(2)")->text().toStdString());
  list->clicked(list->model()->index(1, 1));
  Type(list, Qt::Key_S, "s");
  Type(list, Qt::Key_Backspace, "");
  Type(list, Qt::Key_X, "x");
  EXPECT_EQ("CTD DeployedX", list->model()->index(1, 1).data().toString().toStdString());
}

TEST_F(DesktopWindow, RestartRebindsEveryWindowToTheNewModels) {
  Station* before = app->station();
  QPointer<QWidget> oldMain = view->mainWindow(), oldField = view->widget("FrmEditCFG.Text1(1)");
  view->action("mnuEditCfg")->trigger();
  platform->dispatch([this] { app->station()->configEditor.fields[1]->setText("Newproj"); });
  EXPECT_EQ("Newproj", qobject_cast<QLineEdit*>(oldField.data())->text().toStdString());
  widget<QPushButton>("FrmEditCFG.Command1(0)")->click();
  // The restart runs from the event loop, once the button's click is over.
  QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_NE(app->station(), before);
  EXPECT_TRUE(oldMain.isNull());
  EXPECT_TRUE(oldField.isNull());
  EXPECT_EQ(2, std::count(asked.begin(), asked.end(),
                          "Press YES if you are Ready For Event Logging; Press NO to configure EventLog."));
  EXPECT_EQ("Newproj 0708SR Ruvek Event Log", view->mainWindow()->windowTitle().toStdString());
  EXPECT_FALSE(view->window("FrmEditCFG")->isVisible());
  // The new widgets show and drive the new models.
  view->action("mnuEditCfg")->trigger();
  EXPECT_TRUE(view->window("FrmEditCFG")->isVisible());
  EXPECT_EQ("Newproj", widget<QLineEdit>("FrmEditCFG.Text1(1)")->text().toStdString());
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
  EXPECT_EQ(0u, asked.back().rfind("Do you want to edit the entry you double-clicked? Y/N", 0));
  EXPECT_EQ("7", widget<QLineEdit>("Text1(5)")->text().toStdString());
  EXPECT_EQ("Bongo", widget<QComboBox>("Combo1")->currentText().toStdString());
  EXPECT_TRUE(app->station()->state.editingRow);
}

TEST_F(DesktopWindow, ExitEndsTheProgramThroughTheSameHandler) {
  view->action("mnuExit")->trigger();
  EXPECT_TRUE(platform->ended());
  EXPECT_EQ("Do you really want to quit? Y/N", asked.back());
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

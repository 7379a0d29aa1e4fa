// How the desktop windows behave as a Qt application's windows: they grow
// where there is something to grow, their menus show which entries carry a
// mark, their boxes open over them, and the help opens the user manual.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <QUrl>
#include <set>

#include "gui/DesktopStation.h"
#include "ruvek_version.h"

namespace ruvek {
namespace {

// Takes the URLs the program opens instead of the web browser.
class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  UrlCatcher() { QDesktopServices::setUrlHandler("file", this, "open"); }
  ~UrlCatcher() override { QDesktopServices::unsetUrlHandler("file"); }
  QList<QUrl> opened;
 public slots:
  void open(const QUrl& url) { opened << url; }
};

class WindowBehaviour : public test::DesktopStation {
 protected:
  void SetUp() override { open(); }
  // The box that the next handler shows, as it stands when shown.
  struct Shown {
    QWidget* parent = nullptr;
    QString title, text, details;
    int width = 0;
  } shown;
  // Lets the next handler show its box, notes it in `shown` and presses `button`.
  void answerNextBox(QMessageBox::StandardButton button) {
    shown = {};
    platform->autoAnswer = nullptr;
    QTimer::singleShot(0, [this, button] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      shown = {box->parentWidget(), box->windowTitle(), box->text(), box->informativeText(), box->width()};
      box->button(button)->click();
    });
  }
  // The next widget the Tab key reaches, as Qt chooses it.
  static QWidget* nextTabStop(QWidget* w) {
    do w = w->nextInFocusChain();
    while (!(w->focusPolicy() & Qt::TabFocus) || w->focusProxy() || !w->isVisibleTo(w->window()));
    return w;
  }
};

TEST_F(WindowBehaviour, GridsAndLongBoxesGrowWithTheWindowAndTheRestKeepsItsPlace) {
  QMainWindow* main = view->mainWindow();
  main->show();
  QWidget* client = main->centralWidget();
  // One caption band more than the design. The test screen is smaller than
  // that, so the window opened smaller; it is brought to its design size.
  const QSize design(14085 / 15, 600 + 16);
  EXPECT_LE(client->minimumSize().height(), main->screen()->availableGeometry().height());
  main->resize(main->size() + design - client->size());
  QApplication::processEvents();
  ASSERT_EQ(design, client->size());
  const QRect grid = view->widget("EventLog")->geometry(), comments = view->widget("txtComments")->geometry();
  const QRect button = view->widget("Command1(0)")->geometry(), clock = view->widget("Text2")->geometry();
  main->resize(main->size() + QSize(200, 150));
  QApplication::processEvents();
  const QSize grown = client->size() - design;
  ASSERT_GT(grown.width(), 0);
  EXPECT_EQ(view->widget("EventLog")->geometry(), grid.adjusted(0, 0, grown.width(), grown.height()));
  EXPECT_EQ(view->widget("txtComments")->geometry(), comments.adjusted(0, 0, grown.width(), 0));
  EXPECT_EQ(view->widget("Command1(0)")->geometry(), button);
  // The clock box keeps to the right edge.
  EXPECT_EQ(view->widget("Text2")->geometry(), clock.translated(grown.width(), 0));
  // The list editor's buttons stay below its growing list.
  view->action("mnuMakeEvFile")->trigger();
  QWidget* editor = view->window("frmEventEdit");
  const QRect list = view->widget("frmEventEdit.EventList")->geometry();
  const QRect update = view->widget("frmEventEdit.Command1(0)")->geometry();
  editor->resize(editor->size() + QSize(40, 60));
  QApplication::processEvents();
  EXPECT_EQ(view->widget("frmEventEdit.EventList")->geometry(), list.adjusted(0, 0, 40, 60));
  EXPECT_EQ(view->widget("frmEventEdit.Command1(0)")->geometry(), update.translated(0, 60));

  // The boxes that have no caption get one over them.
  for (const char* box : {"Text1(5)", "Combo1", "Combo3", "Combo4", "Text2"}) {
    QLabel* caption = view->caption(box);
    ASSERT_NE(caption, nullptr) << box;
    EXPECT_TRUE(caption->isVisibleTo(main)) << box;
    EXPECT_LE(caption->mapTo(main, QPoint(0, caption->height())).y(), view->widget(box)->mapTo(main, QPoint()).y())
        << box;
  }
  // The tab order follows the rows: the top boxes, then the event number and the event.
  QWidget* w = view->widget("Text1(4)");
  for (const char* next : {"Text1(6)", "Text1(7)", "Combo2", "Text1(5)", "Combo1", "Command1(0)"}) {
    w = nextTabStop(w);
    EXPECT_EQ(w, view->widget(next)) << next << " " << w->objectName().toStdString();
  }
  // A column is as wide as its data; a cut comment shows whole as its tooltip.
  platform->dispatch([this] {
    model().eventGrid.setCell(1, GridColumn::Date, "28-Sep-2026");
    model().eventGrid.setCell(1, GridColumn::Lon, "-123.456789");
  });
  auto* table = qobject_cast<QTableView*>(view->widget("EventLog"));
  for (int col : {GridColumn::Date, GridColumn::Lon})
    EXPECT_GE(table->columnWidth(col),
              table->fontMetrics().horizontalAdvance(table->model()->index(0, col).data().toString()) + 6);
}

TEST_F(WindowBehaviour, OnlyMarkedEntriesAreCheckableAndModesAreChoicesOfOne) {
  const std::set<std::string> checkable = {"mnuAuto",      "mnuAutoEvent", "mnuStndLine", "mnuSelectLine",
                                           "mnuCalcLine",  "mnuLastEvent", "mnuCurrSta",  "mnuLastSta",
                                           "mnuAllEvents", "mnuMulti",     "mnuhtml"};
  for (const auto& c : model().form.controls()) {
    if (c->kind() != ui::Kind::Menu) continue;
    QAction* a = view->action(c->name());
    EXPECT_EQ(a->isCheckable(), checkable.count(c->name()) == 1) << c->name();
  }
  const std::pair<const char*, int> groups[] = {{"mnuStndLine", 3}, {"mnuCalcLine", 3}, {"mnuCurrSta", 4}};
  for (const auto& [name, size] : groups) {
    QActionGroup* group = view->action(name)->actionGroup();
    ASSERT_NE(group, nullptr) << name;
    EXPECT_TRUE(group->isExclusive());
    EXPECT_EQ(group->actions().size(), size);
  }
  EXPECT_EQ(nullptr, view->action("mnuCruise")->actionGroup());
  EXPECT_EQ(QKeySequence(Qt::Key_F1), view->action("mnuNetwork")->shortcut());
  EXPECT_EQ(QKeySequence("Ctrl+Q"), view->action("mnuExit")->shortcut());
  // Each entry of the Config menu has its own access key, and its sections are apart.
  QMenu* config = view->action("mnuCfg")->menu();
  std::set<QChar> keys;
  int separators = 0;
  for (QAction* a : config->actions()) {
    if (a->isSeparator()) {
      ++separators;
      continue;
    }
    const int at = a->text().indexOf('&');
    ASSERT_GE(at, 0) << a->text().toStdString();
    EXPECT_TRUE(keys.insert(a->text()[at + 1].toUpper()).second) << a->text().toStdString();
  }
  EXPECT_EQ(4, separators);
  // The handler moves the mark; the drawing follows it.
  view->action("mnuCalcLine")->trigger();
  EXPECT_TRUE(view->action("mnuCalcLine")->isChecked());
  EXPECT_FALSE(view->action("mnuStndLine")->isChecked());
}

TEST_F(WindowBehaviour, BoxesOpenOverTheWindowWideEnoughAndNameTheFilesOnThisComputer) {
  answerNextBox(QMessageBox::No);
  view->action("mnuExit")->trigger();
  EXPECT_EQ(shown.parent, view->mainWindow());
  EXPECT_EQ("Close Program? Y/N", shown.title.toStdString());
  EXPECT_GE(shown.width, QFontMetrics(QApplication::font()).horizontalAdvance(shown.title) + 100);
  EXPECT_TRUE(shown.details.isEmpty());
  EXPECT_FALSE(platform->ended());

  answerNextBox(QMessageBox::Ok);
  platform->dispatch([this] { platform->ask("Unable to find C:\\RuvekGPS\\Watch.txt.", ""); });
  EXPECT_EQ("Unable to find C:\\RuvekGPS\\Watch.txt.", shown.text.toStdString());
  EXPECT_EQ(shown.details.toStdString(),
            "C:\\RuvekGPS\\Watch.txt is " + st.root() + "/C/RuvekGPS/Watch.txt on this computer.");

  // A box asked from the configuration editor opens over the editor.
  view->action("mnuEditCfg")->trigger();
  QApplication::setActiveWindow(view->window("FrmEditCFG"));
  answerNextBox(QMessageBox::Ok);
  platform->dispatch([this] { platform->ask("x", ""); });
  EXPECT_EQ(shown.parent, view->window("FrmEditCFG"));

  // Before any window shows (a start that stops at a missing file), a box
  // opens on its own in the middle of the screen, not over a hidden window.
  for (const char* form : {"frmActivity", "FrmEditCFG"}) view->window(form)->hide();
  answerNextBox(QMessageBox::Ok);
  platform->dispatch([this] { platform->ask("Unable to find C:\\RuvekGPS\\RuvekGPS.cfg", ""); });
  EXPECT_EQ(nullptr, shown.parent);
  EXPECT_FALSE(shown.details.isEmpty());
}

TEST_F(WindowBehaviour, TheCloseButtonAsksAsExitDoes) {
  QMainWindow* main = view->mainWindow();
  main->show();
  std::vector<ui::Answer> answers = {ui::Answer::No, ui::Answer::Yes};
  platform->autoAnswer = [&](const std::string& text, const std::string&) {
    asked.push_back(text);
    const ui::Answer a = answers.front();
    answers.erase(answers.begin());
    return std::optional(a);
  };
  EXPECT_FALSE(main->close());
  EXPECT_EQ("Do you really want to quit? Y/N", asked.back());
  EXPECT_TRUE(main->isVisible());
  EXPECT_FALSE(platform->ended());
  main->close();
  EXPECT_TRUE(platform->ended());
}

TEST_F(WindowBehaviour, HelpOpensTheManualAndAboutTellsTheVersion) {
  UrlCatcher browser;
  view->action("mnuNetwork")->trigger();
  ASSERT_EQ(1, browser.opened.size());
  EXPECT_TRUE(browser.opened[0].toLocalFile().endsWith("/docs/manual/index.html"));
  EXPECT_EQ(browser.opened[0].toLocalFile(), ui::ManualPath());

  answerNextBox(QMessageBox::Ok);
  view->action("mnuAbout")->trigger();
  EXPECT_EQ(shown.parent, view->mainWindow());
  EXPECT_TRUE(shown.text.contains(QString("Ruvek Event Log ") + RUVEK_VERSION)) << shown.text.toStdString();
}

TEST_F(WindowBehaviour, EditorsStayOverTheMainWindowAndAnOptionGroupIsOneTabStop) {
  QMainWindow* main = view->mainWindow();
  main->show();
  for (const char* name : {"FrmEditCFG", "frmEventEdit"}) {
    EXPECT_EQ(Qt::Tool, view->window(name)->windowType()) << name;
    EXPECT_EQ(view->window(name)->parentWidget(), main) << name;
  }
  // A question the editor asks leaves the editor in front with the keyboard.
  view->action("mnuEditCfg")->trigger();
  QWidget* editor = view->window("FrmEditCFG");
  editor->activateWindow();
  QApplication::processEvents();
  platform->dispatch([this] { app->station()->configEditor.fields[1]->setText("Typed"); });
  answerNextBox(QMessageBox::Cancel);
  widget<QPushButton>("FrmEditCFG.Command1(1)")->click();
  for (int i = 0; i < 3; ++i) QApplication::processEvents();  // the box goes, the editor is activated
  EXPECT_EQ(shown.parent, editor);
  EXPECT_EQ(QApplication::activeWindow(), editor);

  // Tab reaches a group once, at its selected option or its first; an arrow
  // key selects the next option and moves the focus with it.
  main->activateWindow();
  for (const char* prefix : {"optPST(", "Option1("}) {
    SCOPED_TRACE(prefix);
    std::vector<QRadioButton*> group;
    for (int i = 0; auto* w = qobject_cast<QRadioButton*>(view->widget(prefix + std::to_string(i) + ")")); ++i)
      if (w->isVisibleTo(main)) group.push_back(w);
    ASSERT_GE(group.size(), 2u);
    const auto checked = std::find_if(group.begin(), group.end(), [](auto* w) { return w->isChecked(); });
    const std::size_t stop = checked == group.end() ? 0 : std::size_t(checked - group.begin());
    for (std::size_t i = 0; i < group.size(); ++i) EXPECT_EQ(bool(group[i]->focusPolicy() & Qt::TabFocus), i == stop);
    EXPECT_EQ(0, std::count(group.begin(), group.end(), nextTabStop(group[stop])));
    group[stop]->setFocus();
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(group[stop], &down);
    QRadioButton* next = group[(stop + 1) % group.size()];
    EXPECT_TRUE(next->isChecked());
    EXPECT_EQ(main->focusWidget(), next);
  }
}

}  // namespace
}  // namespace ruvek

#include "WindowBehaviourTest.moc"

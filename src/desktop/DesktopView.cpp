#include "desktop/DesktopView.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTableView>
#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "desktop/GridView.h"
#include "desktop/PictureView.h"
#include "desktop/WindowLayout.h"

namespace ruvek::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// What every control's widget shows of its model; its place is its window's
// layout's (WindowLayout).
void ApplyCommon(QWidget* w, const Control& c) {
  w->setToolTip(Q(c.tooltip));
  w->setEnabled(c.enabled);
  w->setVisible(c.visible);
}

// The captions of one menu, each with an access key no other entry of the menu
// uses: the first letter of a word where one is free, else any letter or digit.
std::vector<QString> WithAccessKeys(const std::vector<QString>& captions) {
  std::vector<QString> shown;
  std::set<char16_t> used;
  for (const QString& text : captions) {
    int at = -1;
    for (int pass = 0; pass < 2 && at < 0; ++pass)
      for (int i = 0; i < text.size() && at < 0; ++i) {
        const QChar c = text[i];
        const bool wordStart = i == 0 || !text[i - 1].isLetterOrNumber();
        if (c.unicode() < 128 && c.isLetterOrNumber() && (pass == 1 || wordStart) && !used.count(c.toUpper().unicode()))
          at = i;
      }
    if (at >= 0) used.insert(text[at].toUpper().unicode());
    QString withKey;
    for (int i = 0; i < text.size(); ++i) {
      if (i == at) withKey += '&';
      withKey += text[i];
      if (text[i] == '&') withKey += '&';  // a caption's own ampersand stays one
    }
    shown.push_back(withKey);
  }
  return shown;
}

// The design size is the smallest a window is made, unless the screen's
// room (less the frame, the menu and status bars) is smaller: then the
// window may be smaller than its design, never larger than the screen.
QSize SmallestOnScreen(QSize design, const QWidget& top) {
  const QScreen* screen = top.screen();
  if (!screen) return design;
  QSize bars;
  if (const auto* main = qobject_cast<const QMainWindow*>(&top))
    bars.setHeight(main->menuBar()->sizeHint().height() + main->statusBar()->sizeHint().height());
  const QSize frame(16, 40);  // a window manager's borders and title, about
  return design.boundedTo(screen->availableGeometry().size() - bars - frame);
}

bool Reachable(const Control& c) { return c.visible && c.enabled; }

// The one member of an option group that Tab stops at: the selected one, or
// the first the operator can reach when none is.
const OptionButton* TabStopOf(const OptionButton& option) {
  if (!option.group) return &option;
  const OptionButton* first = nullptr;
  for (const OptionButton* m : option.group->members) {
    if (!Reachable(*m)) continue;
    if (m->value()) return m;
    if (!first) first = m;
  }
  return first;
}

// The member an arrow key moves to from `option`: the next or previous one the
// operator can reach, round the group.
OptionButton* ArrowTarget(const OptionButton& option, bool forward) {
  if (!option.group) return nullptr;
  const auto& members = option.group->members;
  const auto at = std::find(members.begin(), members.end(), &option);
  if (at == members.end()) return nullptr;
  const std::size_t n = members.size(), from = std::size_t(at - members.begin());
  for (std::size_t step = 1; step < n; ++step) {
    OptionButton* m = members[(forward ? from + step : from + n - step) % n];
    if (Reachable(*m)) return m;
  }
  return nullptr;
}

// The main window's buttons with the letter Alt presses them by; the menus
// of the bar keep theirs (C, F, P, E).
QString WithAccessKey(const std::string& caption) {
  static const std::map<std::string, const char*> keys = {{"Start", "&Start"},
                                                          {"Record Event", "&Record Event"},
                                                          {"Record Correction", "&Record Correction"},
                                                          {"Standby", "Stand&by"},
                                                          {"Resume", "Res&ume"},
                                                          {"Quit", "&Quit"},
                                                          {"Clear Last", "C&lear Last"},
                                                          {"Cancel Correction", "Ca&ncel Correction"}};
  const auto it = keys.find(caption);
  return it == keys.end() ? Q(caption) : QString(it->second);
}

// A caption longer than the button's design width ("Record Correction")
// is set a little smaller rather than cut off.
void FitCaption(QPushButton& button) {
  QFont font = button.parentWidget() ? button.parentWidget()->font() : QApplication::font();
  const int room = button.width() - 8;
  while (room > 0 && font.pointSizeF() > 6 && QFontMetrics(font).horizontalAdvance(button.text()) > room)
    font.setPointSizeF(font.pointSizeF() - 0.5);
  button.setFont(font);
}

}  // namespace

DesktopView::DesktopView(Application& app, QtPlatform& platform) : app_(app), platform_(platform) {
  platform_.refreshView = [this] { refresh(); };
  platform_.showForm = [this](Form& f) { showForm(f); };
  platform_.restartApp = [this] { app_.restart(); };
  platform_.dialogParent = [this] { return dialogParent(); };
}

DesktopView::~DesktopView() {
  platform_.refreshView = nullptr;
  platform_.showForm = nullptr;
  platform_.restartApp = nullptr;
  platform_.dialogParent = nullptr;
  layouts_.clear();
  for (auto& [name, w] : windows_)
    if (w != main_) delete w;
  delete main_;
}

void DesktopView::clear() {
  // The old widgets may still be in a signal of their own: they go once the
  // event loop comes back to them, hidden until then and bound to nothing.
  for (GridTableModel* table : gridModels_) table->detach();
  if (main_ && main_->isVisible()) mainGeometry_ = main_->geometry();
  for (auto& [name, w] : windows_) {
    disconnect(w, nullptr, this, nullptr);
    for (QObject* child : w->findChildren<QObject*>()) disconnect(child, nullptr, this, nullptr);
    w->hide();
    w->deleteLater();
  }
  main_ = nullptr;
  windows_.clear();
  widgets_.clear();
  actions_.clear();
  filtered_.clear();
  closable_.clear();
  bindings_.clear();
  menuEntries_.clear();
  gridModels_.clear();
  layouts_.clear();
  placed_.clear();
  for (QLabel*& panel : panels_) panel = nullptr;
  note_ = nullptr;
}

QWidget* DesktopView::window(const std::string& formName) const {
  auto it = windows_.find(formName);
  return it == windows_.end() ? nullptr : it->second;
}

QWidget* DesktopView::widget(const std::string& name) const {
  auto it = widgets_.find(name);
  return it == widgets_.end() ? nullptr : it->second;
}

QAction* DesktopView::action(const std::string& name) const {
  auto it = actions_.find(name);
  return it == actions_.end() ? nullptr : it->second;
}

QLabel* DesktopView::statusPanel(int n) const { return n >= 1 && n <= 6 ? panels_[n - 1] : nullptr; }

QLabel* DesktopView::caption(const std::string& controlName) const {
  return layouts_.empty() ? nullptr : layouts_.front()->caption(controlName);
}

void DesktopView::build() {
  if (main_) clear();  // a restart: the windows are new
  bool first = true;
  for (Form* form : app_.forms()) {
    QWidget* top = nullptr;
    QWidget* client = nullptr;
    if (first) {
      main_ = new QMainWindow;
      main_->setObjectName(Q(form->name()));
      client = new QWidget(main_);
      main_->setCentralWidget(client);
      buildMenus(*form, main_);
      auto* bar = main_->statusBar();
      for (int i = 0; i < 6; ++i) {
        // Panel 1 takes the room the others leave; each other one is as wide
        // as its text, in a sunken frame of its own.
        auto* panel = panels_[i] = new QLabel(bar);
        panel->setObjectName(QString("StatusBar1.Panels(%1)").arg(i + 1));
        panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        panel->setContentsMargins(4, 0, 4, 0);
        if (i == 0) panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        bar->addWidget(panel, i == 0 ? 1 : 0);
      }
      // The last thing that happened, at the bar's right end.
      note_ = new QLabel(bar);
      note_->setObjectName("StatusBar1.note");
      note_->setContentsMargins(6, 0, 6, 0);
      note_->setStyleSheet("font-weight: bold;");
      bar->addPermanentWidget(note_);
      top = main_;
    } else {
      // The editors are tool windows of the main window: they stay in front
      // of it, also when it takes the focus, so they never look closed. The
      // other windows stay in front of it while it is not in use.
      static const std::set<std::string> editors = {"FrmEditCFG", "frmEventEdit"};
      top = client = new QWidget(main_, editors.count(form->name()) ? Qt::Tool : Qt::Window);
      top->setObjectName(Q(form->name()));
    }
    // Closing a window from its title bar goes to its model (see eventFilter).
    top->installEventFilter(this);
    closable_[top] = form;
    client->installEventFilter(this);  // a new size places the controls again
    windows_[form->name()] = top;
    widgets_[form->name()] = top;
    auto& layout = *layouts_.emplace_back(std::make_unique<WindowLayout>(*form, client, first));
    Form* model = form;
    bindings_.push_back({form, top, [model, top, client, &layout] {
                           top->setWindowTitle(Q(model->caption));
                           client->setMinimumSize(SmallestOnScreen(layout.designSize(), *top));
                         }});
    // Containers first, so children find their frame.
    std::map<std::string, QWidget*> containers{{form->name(), client}};
    for (const auto& c : form->controls()) {
      if (c->kind() == Kind::Menu || c->kind() == Kind::Timer || c->kind() == Kind::StatusBar) continue;
      auto parentIt = containers.find(c->container);
      QWidget* parent = parentIt != containers.end() ? parentIt->second : client;
      QWidget* w = buildControl(*c, parent);
      if (!w) continue;
      w->setObjectName(Q(c->name()));
      widgets_[first ? c->name() : form->name() + "." + c->name()] = w;
      layout.add(*c, w);
      if (c->kind() == Kind::Frame) containers[c->name()] = w;
    }
    layout.addCaptions();
    first = false;
  }
  refresh();
}

QWidget* DesktopView::buildControl(Control& c, QWidget* parent) {
  QWidget* made = nullptr;
  switch (c.kind()) {
    case Kind::Label: {
      auto* w = new QLabel(parent);
      // A warning beside a field (lblWarn) stands out from the captions.
      if (c.name().rfind("lblWarn", 0) == 0) w->setStyleSheet("color: #b00000; font-weight: bold;");
      bindings_.push_back({&c, w, [&c, w] { w->setText(Q(c.caption)); }});
      made = w;
      break;
    }
    case Kind::TextBox: {
      auto& model = static_cast<TextBox&>(c);
      if (model.scrolling) {
        made = buildScrollingBox(model, parent);
        break;
      }
      auto* w = new QLineEdit(parent);
      connect(w, &QLineEdit::textEdited, this,
              [this, &model](const QString& text) { act([&model, text] { model.setText(text.toStdString()); }); });
      bindings_.push_back({&c, w, [&model, w] {
                             const QSignalBlocker block(w);
                             if (w->text() != Q(model.text())) w->setText(Q(model.text()));
                             w->setReadOnly(model.locked);
                           }});
      made = w;
      break;
    }
    case Kind::ComboBox: {
      auto& model = static_cast<ComboBox&>(c);
      auto* w = new QComboBox(parent);
      w->setEditable(true);
      w->setInsertPolicy(QComboBox::NoInsert);
      connect(w, &QComboBox::activated, this, [this, &model](int index) {
        if (index < 0 || std::size_t(index) >= model.items.size()) return;
        const std::string item = model.items[std::size_t(index)];
        act([&model, item] { model.choose(item); });
      });
      connect(w->lineEdit(), &QLineEdit::textEdited, this,
              [this, &model](const QString& text) { act([&model, text] { model.setText(text.toStdString()); }); });
      bindings_.push_back({&c, w, [&model, w] {
                             const QSignalBlocker block(w);
                             QStringList items;
                             for (const auto& i : model.items) items << Q(i);
                             bool same = w->count() == items.size();
                             for (int i = 0; same && i < items.size(); ++i) same = w->itemText(i) == items[i];
                             if (!same) {
                               w->clear();
                               w->addItems(items);
                             }
                             if (w->currentText() != Q(model.text())) w->setEditText(Q(model.text()));
                           }});
      made = w;
      break;
    }
    case Kind::Button: {
      auto* w = new QPushButton(parent);
      connect(w, &QPushButton::clicked, this, [this, &c] { act([&c] { c.click(); }); });
      bindings_.push_back({&c, w, [&c, w] {
                             w->setText(WithAccessKey(c.caption));
                             FitCaption(*w);
                           }});
      made = w;
      break;
    }
    case Kind::OptionButton: {
      auto& model = static_cast<OptionButton&>(c);
      auto* w = new QRadioButton(parent);
      w->setAutoExclusive(false);  // the models keep the groups
      made = bindToggle(w, c, [&model] { return model.value(); });
      // A group is one Tab stop, at its selected member; the arrow keys move
      // inside it (see eventFilter).
      auto& own = bindings_.back().refresh;
      own = [own, &model, w] {
        own();
        w->setFocusPolicy(TabStopOf(model) == &model ? Qt::StrongFocus : Qt::ClickFocus);
      };
      break;
    }
    case Kind::CheckBox: {
      auto& model = static_cast<CheckBox&>(c);
      made = bindToggle(new QCheckBox(parent), c, [&model] { return model.value(); });
      break;
    }
    case Kind::Frame: {
      auto* w = new QGroupBox(parent);
      // A frame without a caption only holds its controls: it draws no border.
      bindings_.push_back({&c, w, [&c, w] {
                             w->setTitle(Q(c.caption));
                             const QString look = c.caption.empty() ? "QGroupBox { border: 0; margin: 0; }" : "";
                             if (w->styleSheet() != look) w->setStyleSheet(look);
                           }});
      made = w;
      break;
    }
    case Kind::Grid: {
      auto& model = static_cast<Grid&>(c);
      auto* table = new GridTableModel(model);
      QTableView* w = MakeGridView(table, parent);
      gridModels_.push_back(table);
      connect(w, &QTableView::clicked, this, [this, &model](const QModelIndex& index) {
        act([&model, index] { model.selectCell(index.row() + model.fixedRows, index.column()); });
      });
      connect(w, &QTableView::doubleClicked, this, [this, &model](const QModelIndex& index) {
        act([&model, index] {
          model.row = index.row() + model.fixedRows;
          model.col = index.column();
          model.doubleClick();
        });
      });
      bindings_.push_back({&c, w, [&model, w, table] {
                             if (table->refresh()) FitColumns(*w, model);
                             const QModelIndex current = table->index(model.row - model.fixedRows, model.col);
                             if (current.isValid() && w->currentIndex() != current) w->setCurrentIndex(current);
                           }});
      made = w;
      break;
    }
    case Kind::Picture: {
      auto* w = new PictureView(
          static_cast<Picture&>(c), [this](const std::function<void()>& h) { act(h); }, parent);
      bindings_.push_back({&c, w, [w] { w->refresh(); }});
      made = w;
      break;
    }
    default: return nullptr;
  }
  if (c.onDblClick || c.onKeyPress || c.onLostFocus || c.kind() == Kind::TextBox || c.kind() == Kind::OptionButton ||
      c.kind() == Kind::Frame) {
    made->installEventFilter(this);
    filtered_[made] = &c;
  }
  // Common properties are applied after the kind's own, so the tooltip and
  // visibility always follow the model.
  auto& own = bindings_.back().refresh;
  own = [own, &c, made] {
    own();
    ApplyCommon(made, c);
  };
  return made;
}

QWidget* DesktopView::buildScrollingBox(TextBox& model, QWidget* parent) {
  auto* w = new QPlainTextEdit(parent);
  w->setLineWrapMode(QPlainTextEdit::NoWrap);
  w->setReadOnly(true);
  // Received sentences line up in a fixed-width font.
  w->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  bindings_.push_back({&model, w, [&model, w] {
                         const QSignalBlocker block(w);
                         // The box shows lines; the model's CR LF and lone CR end them.
                         const QString text = Q(model.text()).replace("\r\n", "\n").replace('\r', '\n');
                         if (w->toPlainText() == text) return;
                         w->setPlainText(text);
                         w->moveCursor(QTextCursor::End);
                         w->ensureCursorVisible();
                       }});
  return w;
}

QWidget* DesktopView::bindToggle(QAbstractButton* w, Control& c, std::function<bool()> checked) {
  connect(w, &QAbstractButton::clicked, this, [this, &c] { act([&c] { c.click(); }); });
  bindings_.push_back({&c, w, [&c, w, checked = std::move(checked)] {
                         const QSignalBlocker block(w);
                         w->setText(Q(c.caption));
                         w->setChecked(checked());
                       }});
  return w;
}

void DesktopView::buildMenus(Form& form, QMainWindow* window) {
  std::map<std::string, QMenu*> menus;
  std::map<std::string, QActionGroup*> groups;
  std::map<std::string, bool> hasChildren;
  for (const auto& c : form.controls())
    if (c->kind() == Kind::Menu) hasChildren[static_cast<Menu&>(*c).parent] = true;
  for (const auto& c : form.controls()) {
    if (c->kind() != Kind::Menu) continue;
    auto& m = static_cast<Menu&>(*c);
    QMenu* owner = m.parent.empty() ? nullptr : menus[m.parent];
    if (owner && m.separatorBefore) owner->addSeparator();
    QAction* action = nullptr;
    if (hasChildren[m.name()]) {
      QMenu* menu = owner ? owner->addMenu(Q(m.caption)) : window->menuBar()->addMenu(Q(m.caption));
      menus[m.name()] = menu;
      action = menu->menuAction();
    } else {
      action = owner ? owner->addAction(Q(m.caption)) : window->menuBar()->addAction(Q(m.caption));
      action->setCheckable(m.checkable);
      // A group's entries are drawn as choices of one; the handlers move the mark.
      if (m.checkable && !m.group.empty()) {
        QActionGroup*& group = groups[m.group];
        if (!group) {
          group = new QActionGroup(window);
          group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
        }
        group->addAction(action);
      }
      if (!m.shortcut.empty()) {
        action->setShortcut(QKeySequence(Q(m.shortcut)));
        // The help and Exit keys work from every window of the program.
        action->setShortcutContext(Qt::ApplicationShortcut);
      }
      connect(action, &QAction::triggered, this, [this, &m] { act([&m] { m.click(); }); });
    }
    action->setObjectName(Q(m.name()));
    actions_[m.name()] = action;
    menuEntries_.push_back({&m, action});
  }
}

void DesktopView::refreshMenus() {
  std::map<std::string, std::vector<const MenuEntry*>> byMenu;
  for (const MenuEntry& e : menuEntries_) byMenu[e.model->parent].push_back(&e);
  for (const auto& [parent, entries] : byMenu) {
    std::vector<QString> captions;
    for (const MenuEntry* e : entries) captions.push_back(Q(e->model->caption));
    const std::vector<QString> shown = WithAccessKeys(captions);
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const Menu& m = *entries[i]->model;
      QAction* action = entries[i]->action;
      const QSignalBlocker block(action);
      if (action->text() != shown[i]) action->setText(shown[i]);
      if (action->isCheckable()) action->setChecked(m.checked);
      action->setEnabled(m.enabled);
      action->setVisible(m.visible);
    }
  }
}

void DesktopView::refresh() {
  for (auto& b : bindings_)
    if (b.widget) b.refresh();
  for (auto& layout : layouts_) layout->apply();
  refreshMenus();
  for (Form* form : app_.forms()) {
    if (form->name() != "frmActivity") continue;
    for (const auto& c : form->controls())
      if (c->kind() == Kind::StatusBar) {
        auto& bar = static_cast<StatusBar&>(*c);
        for (int i = 0; i < 6; ++i) {
          panels_[i]->setText(Q(bar.panels[i].text));
          panels_[i]->setToolTip(Q(bar.panels[i].tooltip));
          // An empty panel other than the first shows no empty frame.
          panels_[i]->setVisible(i == 0 || !bar.panels[i].text.empty());
        }
        note_->setText(Q(bar.note));
      }
  }
  for (Form* form : app_.forms()) {
    if (form->focusTo.empty()) continue;
    const bool main = form == app_.forms().front();
    if (QWidget* w = widget(main ? form->focusTo : form->name() + "." + form->focusTo); w && w->isVisible())
      w->setFocus(Qt::OtherFocusReason);
    form->focusTo.clear();
  }
}

void DesktopView::showForm(Form& form) {
  QWidget* w = window(form.name());
  if (!w) return;
  refresh();
  if (form.visible && !placed_.count(w)) place(w);
  w->setVisible(form.visible);
}

void DesktopView::place(QWidget* window) {
  placed_.insert(window);
  QScreen* screen = (main_ && main_->isVisible() ? main_->screen() : window->screen());
  const QRect room = screen ? screen->availableGeometry() : QRect();
  QSize size = window->sizeHint().expandedTo(window->minimumSizeHint()).expandedTo(window->minimumSize());
  if (!room.isEmpty()) size = size.boundedTo(room.size());
  window->resize(size);
  if (window == main_ && mainGeometry_.isValid()) {
    window->setGeometry(mainGeometry_);
    return;
  }
  const QRect over = window != main_ && main_ && main_->isVisible() ? main_->geometry() : room;
  if (over.isEmpty()) return;
  QRect r(QPoint(), window->size());
  r.moveCenter(over.center());
  if (!room.isEmpty()) {
    r.moveRight(std::min(r.right(), room.right()));
    r.moveBottom(std::min(r.bottom(), room.bottom()));
    r.moveLeft(std::max(r.left(), room.left()));
    r.moveTop(std::max(r.top(), room.top()));
  }
  window->move(r.topLeft());
}

QWidget* DesktopView::dialogParent() const {
  std::vector<QWidget*> ours;
  for (const auto& [name, w] : windows_) ours.push_back(w);
  QWidget* active = QApplication::activeWindow();
  if (active && std::find(ours.begin(), ours.end(), active) != ours.end() && active->isVisible()) return active;
  if (main_ && main_->isVisible()) return main_;
  for (QWidget* w : ours)
    if (w->isVisible()) return w;
  // Before any window shows, a box has none to open over: it opens in the
  // middle of the screen rather than over a window that is not there.
  return nullptr;
}

bool DesktopView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize) {
    for (auto& layout : layouts_)
      if (layout->client() == watched) layout->apply();
  }
  if (event->type() == QEvent::Close) {
    if (auto closing = closable_.find(watched); closing != closable_.end()) {
      Form* form = closing->second;
      // The window's own handler decides (the main window's asks as Exit
      // does); without one it is hidden. While a handler runs, nothing closes.
      event->ignore();
      if (platform_.busy()) return true;
      act([form, this] {
        if (form->onClose)
          form->onClose();
        else
          platform_.hide(*form);
      });
      return true;
    }
  }
  auto it = filtered_.find(watched);
  if (it != filtered_.end()) {
    Control* c = it->second;
    if (event->type() == QEvent::MouseButtonDblClick && c->enabled) {
      act([c] { c->doubleClick(); });
      return true;
    }
    if (event->type() == QEvent::KeyPress && c->onKeyPress && keyPress(*c, *static_cast<QKeyEvent*>(event)))
      return true;
    if (event->type() == QEvent::KeyPress && c->kind() == Kind::OptionButton &&
        arrowInGroup(static_cast<OptionButton&>(*c), *static_cast<QKeyEvent*>(event)))
      return true;
    // Ctrl+Enter in the comments box records; Enter alone does nothing there
    // (a log line holds one event, so its comments hold no line break).
    if (event->type() == QEvent::KeyPress && c->name() == "txtComments") {
      const auto* key = static_cast<QKeyEvent*>(event);
      if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && (key->modifiers() & Qt::ControlModifier)) {
        if (Control* record = app_.find("Command1(0)"); record && record->enabled) act([record] { record->click(); });
        return true;
      }
    }
    // The focus leaves the control for another control of its window; a box or
    // another window coming to the front takes nothing from it.
    if (event->type() == QEvent::FocusOut && c->onLostFocus) {
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) act([c] { c->loseFocus(); });
    }
  }
  return QObject::eventFilter(watched, event);
}

bool DesktopView::arrowInGroup(OptionButton& option, const QKeyEvent& event) {
  const int key = event.key();
  if (event.modifiers() & ~Qt::KeypadModifier) return false;
  if (key != Qt::Key_Up && key != Qt::Key_Down && key != Qt::Key_Left && key != Qt::Key_Right) return false;
  OptionButton* next = ArrowTarget(option, key == Qt::Key_Down || key == Qt::Key_Right);
  if (!next) return true;  // a group of one: the focus stays
  // As a click on it: the option is selected and its handler runs.
  act([next] { next->click(); });
  for (const auto& [w, c] : filtered_)
    if (c == next) {
      if (auto* target = qobject_cast<QWidget*>(w); target && target->isVisible()) target->setFocus(Qt::TabFocusReason);
      break;
    }
  return true;
}

bool DesktopView::keyPress(Control& c, const QKeyEvent& event) {
  const QString text = event.key() == Qt::Key_Backspace ? QString("\b") : event.text();
  if (text.size() != 1 || text[0].unicode() > 0x7f) return false;  // not a key the handlers know
  const char typed = char(text[0].unicode());
  char key = typed;
  act([&c, &key, typed] { key = c.pressKey(typed); });
  // A key the handler let through unchanged is typed by the widget itself;
  // a changed key is typed into the model instead, a swallowed one nowhere.
  if (key == typed && c.kind() != Kind::Grid) return false;
  if (key != 0) {
    if (auto* editable = dynamic_cast<EditableText*>(&c)) act([editable, key] { editable->applyKey(key); });
  }
  return true;
}

}  // namespace ruvek::ui

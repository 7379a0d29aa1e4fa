#include "desktop/DesktopView.h"

#include <QAbstractTableModel>
#include <QAction>
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
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTableView>

namespace ruvek::ui {
namespace {

constexpr int kTwipsPerPixel = 15;

QString Q(const std::string& s) { return QString::fromStdString(s); }

void ApplyCommon(QWidget* w, const Control& c) {
  w->setToolTip(Q(c.tooltip));
  w->setEnabled(c.enabled);
  w->setVisible(c.visible);
  w->setGeometry(c.geo.left, c.geo.top, c.geo.width, c.geo.height);
}

}  // namespace

// The event grid as a table: row 0 of the model is the heading row.
class GridTableModel : public QAbstractTableModel {
 public:
  explicit GridTableModel(Grid& grid) : grid_(grid) {}
  int rowCount(const QModelIndex& = {}) const override {
    return detached_ ? 0 : std::max(0, grid_.rows() - grid_.fixedRows);
  }
  int columnCount(const QModelIndex& = {}) const override { return detached_ ? 0 : grid_.cols(); }
  QVariant data(const QModelIndex& index, int role) const override {
    if (detached_ || role != Qt::DisplayRole) return {};
    return Q(grid_.cell(index.row() + grid_.fixedRows, index.column()));
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (detached_ || role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return Q(grid_.cell(0, section));
    return section + grid_.fixedRows;
  }
  // The grid is going away with its window: the table shows nothing from now on.
  void detach() {
    beginResetModel();
    detached_ = true;
    endResetModel();
  }
  void refresh() {
    if (detached_ || grid_.version() == seen_) return;
    seen_ = grid_.version();
    beginResetModel();
    endResetModel();
  }
  Grid& grid() { return grid_; }

 private:
  Grid& grid_;
  unsigned long seen_ = ~0UL;
  bool detached_ = false;
};

DesktopView::DesktopView(Application& app, QtPlatform& platform) : app_(app), platform_(platform) {
  platform_.refreshView = [this] { refresh(); };
  platform_.showForm = [this](Form& f) { showForm(f); };
  platform_.restartApp = [this] { app_.restart(); };
}

DesktopView::~DesktopView() {
  platform_.refreshView = nullptr;
  platform_.showForm = nullptr;
  platform_.restartApp = nullptr;
  for (auto& [name, w] : windows_)
    if (w != main_) delete w;
  delete main_;
}

void DesktopView::clear() {
  // The old widgets may still be in a signal of their own: they go once the
  // event loop comes back to them, hidden until then and bound to nothing.
  for (GridTableModel* table : gridModels_) table->detach();
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
  menuRefresh_.clear();
  gridModels_.clear();
  for (QLabel*& panel : panels_) panel = nullptr;
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
        panels_[i] = new QLabel(bar);
        panels_[i]->setObjectName(QString("StatusBar1.Panels(%1)").arg(i + 1));
        bar->addWidget(panels_[i], i == 0 ? 4 : 1);
      }
      top = main_;
    } else {
      top = client = new QWidget;
      top->setObjectName(Q(form->name()));
      // Closing it from its title bar goes to its model (see eventFilter).
      top->installEventFilter(this);
      closable_[top] = form;
    }
    windows_[form->name()] = top;
    widgets_[form->name()] = top;
    Form* model = form;
    const bool isMain = first;
    bindings_.push_back({form, top, [this, model, top, client, isMain] {
                           top->setWindowTitle(Q(model->caption));
                           const int width = isMain ? model->geo.width / kTwipsPerPixel : model->geo.width;
                           client->setFixedSize(width, model->geo.height);
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
      widgets_[isMain ? c->name() : form->name() + "." + c->name()] = w;
      if (c->kind() == Kind::Frame) containers[c->name()] = w;
    }
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
      bindings_.push_back({&c, w, [&c, w] { w->setText(Q(c.caption)); }});
      made = w;
      break;
    }
    case Kind::OptionButton: {
      auto& model = static_cast<OptionButton&>(c);
      auto* w = new QRadioButton(parent);
      w->setAutoExclusive(false);  // the models keep the groups
      made = bindToggle(w, c, [&model] { return model.value(); });
      break;
    }
    case Kind::CheckBox: {
      auto& model = static_cast<CheckBox&>(c);
      made = bindToggle(new QCheckBox(parent), c, [&model] { return model.value(); });
      break;
    }
    case Kind::Frame: {
      auto* w = new QGroupBox(parent);
      bindings_.push_back({&c, w, [&c, w] { w->setTitle(Q(c.caption)); }});
      made = w;
      break;
    }
    case Kind::Grid: {
      auto& model = static_cast<Grid&>(c);
      auto* w = new QTableView(parent);
      auto* table = new GridTableModel(model);
      table->setParent(w);
      gridModels_.push_back(table);
      w->setModel(table);
      w->verticalHeader()->setVisible(false);
      w->verticalHeader()->setDefaultSectionSize(20);
      w->setSelectionBehavior(QAbstractItemView::SelectItems);
      w->setSelectionMode(QAbstractItemView::SingleSelection);
      w->setEditTriggers(QAbstractItemView::NoEditTriggers);
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
                             table->refresh();
                             for (int col = 0; col < model.cols(); ++col)
                               w->setColumnWidth(col, model.colWidths.size() > std::size_t(col)
                                                          ? model.colWidths[std::size_t(col)] / kTwipsPerPixel
                                                          : 60);
                             const QModelIndex current = table->index(model.row - model.fixedRows, model.col);
                             if (current.isValid() && w->currentIndex() != current) w->setCurrentIndex(current);
                           }});
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
  // Common properties are applied after the kind's own, so geometry and
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
  bindings_.push_back({&c, w, [&c, w, checked] {
                         const QSignalBlocker block(w);
                         w->setText(Q(c.caption));
                         w->setChecked(checked());
                       }});
  return w;
}

void DesktopView::buildMenus(Form& form, QMainWindow* window) {
  std::map<std::string, QMenu*> menus;
  std::map<std::string, bool> hasChildren;
  for (const auto& c : form.controls())
    if (c->kind() == Kind::Menu) hasChildren[static_cast<Menu&>(*c).parent] = true;
  for (const auto& c : form.controls()) {
    if (c->kind() != Kind::Menu) continue;
    auto& m = static_cast<Menu&>(*c);
    QAction* action = nullptr;
    if (hasChildren[m.name()]) {
      QMenu* menu =
          m.parent.empty() ? window->menuBar()->addMenu(Q(m.caption)) : menus[m.parent]->addMenu(Q(m.caption));
      menus[m.name()] = menu;
      action = menu->menuAction();
    } else {
      action = m.parent.empty() ? window->menuBar()->addAction(Q(m.caption)) : menus[m.parent]->addAction(Q(m.caption));
      action->setCheckable(true);
      connect(action, &QAction::triggered, this, [this, &m] { act([&m] { m.click(); }); });
    }
    action->setObjectName(Q(m.name()));
    actions_[m.name()] = action;
    menuRefresh_.push_back([&m, action] {
      const QSignalBlocker block(action);
      action->setText(Q(m.caption));
      if (action->isCheckable()) action->setChecked(m.checked);
      action->setEnabled(m.enabled);
      action->setVisible(m.visible);
    });
  }
}

void DesktopView::refresh() {
  for (auto& b : bindings_)
    if (b.widget) b.refresh();
  for (auto& r : menuRefresh_) r();
  for (Form* form : app_.forms()) {
    if (form->name() != "frmActivity") continue;
    for (const auto& c : form->controls())
      if (c->kind() == Kind::StatusBar) {
        auto& bar = static_cast<StatusBar&>(*c);
        for (int i = 0; i < 6; ++i) {
          panels_[i]->setText(Q(bar.panels[i].text));
          panels_[i]->setToolTip(Q(bar.panels[i].tooltip));
        }
      }
  }
}

void DesktopView::showForm(Form& form) {
  QWidget* w = window(form.name());
  if (!w) return;
  refresh();
  w->setVisible(form.visible);
}

bool DesktopView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Close) {
    if (auto closing = closable_.find(watched); closing != closable_.end()) {
      Form* form = closing->second;
      // The window's own handler decides; without one it is hidden.
      event->ignore();
      act([form, this] {
        if (form->onClose)
          form->onClose();
        else
          platform_.show(*form, false);
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
    // The focus leaves the control for another control of its window; a box or
    // another window coming to the front takes nothing from it.
    if (event->type() == QEvent::FocusOut && c->onLostFocus) {
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) act([c] { c->loseFocus(); });
    }
  }
  return QObject::eventFilter(watched, event);
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
    if (auto* text = dynamic_cast<EditableText*>(&c)) act([text, key] { text->applyKey(key); });
  }
  return true;
}

}  // namespace ruvek::ui

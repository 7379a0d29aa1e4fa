#include "desktop/WindowLayout.h"

#include <QLabel>
#include <QWidget>
#include <algorithm>

namespace ruvek::ui {
namespace {

// What follows a larger window: the event grids, the comments box, the
// received GPS text and the configuration fields grow; the main window's
// clock box keeps to the right edge.
struct Anchor {
  const char* form;
  const char* control;  // the name before any index: "Text1" is every Text1(k)
  bool wider, taller, right;
};
constexpr Anchor kAnchors[] = {
    {"frmActivity", "EventLog", true, true, false},   {"frmActivity", "txtComments", true, false, false},
    {"frmActivity", "Text2", false, false, true},     {"frmCommCheck", "txtDisplay", true, true, false},
    {"frmEventEdit", "EventList", true, true, false}, {"FrmEditCFG", "Text1", true, false, false},
    {"FrmEditCFG", "Combo1", true, false, false},     {"frmCruiseMap", "picMap", true, true, false},
};

// The main window's boxes that the design leaves without a caption.
struct CaptionText {
  const char* control;
  const char* text;
};
constexpr CaptionText kCaptions[] = {
    {"Text1(5)", "Evt#"}, {"Combo1", "Event"}, {"Combo3", "Line"}, {"Combo4", "Sta"}, {"Text2", "PC clock"},
};

constexpr int kCaptionHeight = 16;
// The design has no room over the line and station boxes: the main window
// opens a band of one caption's height over the row of the record button.
constexpr const char* kBandRow = "Command1(0)";
// Controls whose tops lie this close are one row for the tab order.
constexpr int kRowTolerance = 10;

std::string BaseName(const std::string& name) { return name.substr(0, name.find('(')); }

bool OverlapX(const QRect& a, const QRect& b) {
  return a.left() < b.left() + b.width() && b.left() < a.left() + a.width();
}
bool OverlapY(const QRect& a, const QRect& b) {
  return a.top() < b.top() + b.height() && b.top() < a.top() + a.height();
}

}  // namespace

WindowLayout::WindowLayout(Form& form, QWidget* client, bool isMain) : form_(form), client_(client), isMain_(isMain) {}

void WindowLayout::add(Control& control, QWidget* widget) {
  Item item{&control, widget};
  for (const Anchor& a : kAnchors)
    if (form_.name() == a.form && BaseName(control.name()) == a.control)
      item.wider = a.wider, item.taller = a.taller, item.right = a.right;
  items_.push_back(item);
}

void WindowLayout::addCaptions() {
  if (!isMain_) return;
  for (const CaptionText& c : kCaptions) {
    const Item* box = find(c.control);
    if (!box) continue;
    auto* label = new QLabel(QString::fromUtf8(c.text), client_);
    label->setObjectName(QString("caption:%1").arg(c.control));
    captions_.push_back({box, label});
  }
}

const WindowLayout::Item* WindowLayout::find(const std::string& name) const {
  for (const Item& item : items_)
    if (item.control->name() == name) return &item;
  return nullptr;
}

QLabel* WindowLayout::caption(const std::string& controlName) const {
  for (const Caption& c : captions_)
    if (c.box->control->name() == controlName) return c.label;
  return nullptr;
}

QSize WindowLayout::designSize() const {
  if (!isMain_) return {form_.geo.width, form_.geo.height};
  return {form_.geo.width / kTwipsPerPixel,
          form_.geo.height / kTwipsPerPixel + (captions_.empty() ? 0 : kCaptionHeight)};
}

QRect WindowLayout::designRect(const Item& item) const {
  const Geometry& g = item.control->geo;
  QRect r(g.left, g.top, g.width, g.height);
  if (!inClient(item)) {
    if (const Item* frame = find(item.control->container)) r.translate(designRect(*frame).topLeft());
    return r;
  }
  if (isMain_ && !captions_.empty()) {
    if (const Item* row = find(kBandRow)) {
      const int line = row->control->geo.top;
      if (r.top() >= line)
        r.translate(0, kCaptionHeight);
      else if (r.top() + r.height() > line)
        r.setHeight(r.height() + kCaptionHeight);  // a control beside the band spans it
    }
  }
  return r;
}

void WindowLayout::apply() {
  const QSize design = designSize();
  const int dw = std::max(0, client_->width() - design.width());
  const int dh = std::max(0, client_->height() - design.height());
  std::vector<QRect> placed(items_.size());
  for (std::size_t i = 0; i < items_.size(); ++i) placed[i] = designRect(items_[i]);
  // What lies below a control that grows taller, or right of one that grows
  // wider on its rows, moves with that control's edge.
  std::vector<QRect> moved = placed;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (!inClient(items_[i])) continue;
    int dx = 0, dy = 0;
    for (std::size_t j = 0; j < items_.size(); ++j) {
      const Item& g = items_[j];
      if (i == j || !inClient(g) || !items_[j].control->visible) continue;
      const QRect& a = placed[i];
      const QRect& b = placed[j];
      if (g.taller && a.top() >= b.top() + b.height() && OverlapX(a, b)) dy = dh;
      if (g.wider && a.left() >= b.left() + b.width() && OverlapY(a, b)) dx = dw;
    }
    if (items_[i].right) dx = dw;
    moved[i].translate(dx, dy);
    if (items_[i].wider) moved[i].setWidth(moved[i].width() + dw);
    if (items_[i].taller) moved[i].setHeight(moved[i].height() + dh);
  }
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const Item& item = items_[i];
    if (!item.widget) continue;
    const Geometry& g = item.control->geo;
    const QRect r = inClient(item) ? moved[i] : QRect(g.left, g.top, g.width, g.height);
    if (item.widget->geometry() != r) item.widget->setGeometry(r);
  }
  // A box in a frame is placed through its frame.
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (!inClient(items_[i]))
      if (const Item* frame = find(items_[i].control->container))
        moved[i] = placed[i].translated(moved[std::size_t(frame - items_.data())].topLeft() -
                                        placed[std::size_t(frame - items_.data())].topLeft());
  for (const Caption& c : captions_) placeCaption(c, moved);
  orderTabs();
}

void WindowLayout::placeCaption(const Caption& caption, const std::vector<QRect>& placed) {
  if (!caption.label) return;
  const Item& box = *caption.box;
  const Item* frame = inClient(box) ? nullptr : find(box.control->container);
  const bool shown = box.control->visible && (!frame || frame->control->visible);
  caption.label->setVisible(shown);
  if (!shown) return;
  const QRect r = placed[std::size_t(&box - items_.data())];
  const int width = caption.label->sizeHint().width();
  // Over the box (over its frame, when it sits in one), where that is free;
  // otherwise left of it.
  const int bottom = frame ? placed[std::size_t(frame - items_.data())].top() : r.top();
  QRect above(r.left(), bottom - kCaptionHeight, width, kCaptionHeight);
  bool free = above.top() >= 0;
  for (std::size_t i = 0; free && i < items_.size(); ++i) {
    const Item& other = items_[i];
    if (&other == &box || &other == frame || !inClient(other) || !other.control->visible) continue;
    if (placed[i].intersects(above)) free = false;
  }
  const QRect left(r.left() - width - 6, r.top() + (r.height() - kCaptionHeight) / 2, width, kCaptionHeight);
  caption.label->setGeometry(free ? above : left);
}

void WindowLayout::orderTabs() {
  std::vector<QWidget*> order;
  // The controls of a container row by row, each row left to right; a frame's
  // controls come where the frame stands.
  auto visit = [&](auto& self, const std::string& container) -> void {
    std::vector<const Item*> children;
    for (const Item& item : items_)
      if (item.control->container == container && item.widget) children.push_back(&item);
    std::stable_sort(children.begin(), children.end(),
                     [](const Item* a, const Item* b) { return a->control->geo.top < b->control->geo.top; });
    for (std::size_t start = 0; start < children.size();) {
      std::size_t end = start + 1;
      while (end < children.size() &&
             children[end]->control->geo.top < children[start]->control->geo.top + kRowTolerance)
        ++end;
      std::stable_sort(children.begin() + long(start), children.begin() + long(end),
                       [](const Item* a, const Item* b) { return a->control->geo.left < b->control->geo.left; });
      for (std::size_t i = start; i < end; ++i) {
        const Item* item = children[i];
        if (item->control->kind() == Kind::Frame) self(self, item->control->name());
        // Every option is in the chain; only its group's Tab stop takes Tab.
        else if (item->control->kind() == Kind::OptionButton || (item->widget->focusPolicy() & Qt::TabFocus))
          order.push_back(item->widget);
      }
      start = end;
    }
  };
  visit(visit, form_.name());
  if (order == tabOrder_) return;
  tabOrder_ = order;
  for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

}  // namespace ruvek::ui

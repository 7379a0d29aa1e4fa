#pragma once
// Places the widgets of one window for the size of its client area. The
// control models keep the design's geometry; the window opens at its design
// size, which is also its smallest, and when it is enlarged its grids and long
// text boxes grow, what lies below or right of them moves along, and every
// other control keeps the place the design gives it. The main window also gets
// small captions over the boxes that have none, and every window a tab order
// that follows its rows.
#include <QPointer>
#include <QRect>
#include <QSize>
#include <string>
#include <vector>

#include "ui/Controls.h"

class QLabel;
class QWidget;

namespace ruvek::ui {

class WindowLayout {
 public:
  WindowLayout(Form& form, QWidget* client, bool isMain);

  // A control and its widget, in the order the window makes them; a control in
  // a frame keeps its place in the frame.
  void add(Control& control, QWidget* widget);
  // Adds the captions, once every control is there.
  void addCaptions();
  // The smallest client size: the design's.
  QSize designSize() const;
  // Places every widget for the client's present size and orders the tab stops.
  void apply();

  const Form& form() const { return form_; }
  QWidget* client() const { return client_; }
  // The caption shown over a control, if the layout gave it one.
  QLabel* caption(const std::string& controlName) const;

 private:
  struct Item {
    Control* control;
    QPointer<QWidget> widget;
    bool wider = false, taller = false;  // grows with the window
    bool right = false;                  // keeps to the window's right edge
  };
  struct Caption {
    const Item* box;
    QPointer<QLabel> label;
  };
  const Item* find(const std::string& name) const;
  // The control's place in the client for the design size, the caption band
  // included; a control in a frame is placed in the client through its frame.
  QRect designRect(const Item& item) const;
  bool inClient(const Item& item) const { return item.control->container == form_.name(); }
  void placeCaption(const Caption& caption, const std::vector<QRect>& placed);
  void orderTabs();

  Form& form_;
  QWidget* client_;
  bool isMain_;
  std::vector<Item> items_;
  std::vector<Caption> captions_;
  std::vector<QWidget*> tabOrder_;
};

}  // namespace ruvek::ui

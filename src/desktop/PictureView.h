#pragma once
// The desktop face of a picture control: paints its drawing with QPainter and
// turns the wheel, drags, clicks and keys into the model's actions.
#include <QPoint>
#include <QWidget>
#include <functional>

#include "ui/Drawing.h"

class QPainter;

namespace ruvek::ui {

// Paints every shape of the drawing, over its background.
void PaintDrawing(QPainter& painter, const Drawing& drawing);
// The drawing as PNG bytes, at its own size.
std::string PngOf(const Drawing& drawing);

class PictureView : public QWidget {
 public:
  using Act = std::function<void(const std::function<void()>&)>;
  PictureView(Picture& model, Act act, QWidget* parent);
  // Repaints when the model drew anew.
  void refresh();

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void wheelEvent(QWheelEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
  void keyPressEvent(QKeyEvent*) override;
  bool event(QEvent*) override;

 private:
  Picture& model_;
  Act act_;
  unsigned long shown_ = ~0ul;
  QPoint pressAt_, lastAt_;
  bool dragging_ = false;
};

}  // namespace ruvek::ui

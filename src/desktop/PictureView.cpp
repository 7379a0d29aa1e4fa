#include "desktop/PictureView.h"

#include <QBuffer>
#include <QHelpEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>

namespace ruvek::ui {
namespace {

// A press that moves less than this is a click, not a drag.
constexpr int kClickSlop = 4;
constexpr double kWheelStep = 1.25;
constexpr double kKeyPan = 60;

QColor ToQColor(const Colour& c) {
  return QColor(int((c.rgb >> 16) & 0xff), int((c.rgb >> 8) & 0xff), int(c.rgb & 0xff), c.alpha);
}

QPointF ToQ(const Point& p) { return {p.x, p.y}; }

}  // namespace

void PaintDrawing(QPainter& painter, const Drawing& d) {
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(QRectF(0, 0, d.width, d.height), ToQColor(d.background));
  for (const Shape& s : d.shapes) {
    if (s.points.empty()) continue;
    if (s.type == Shape::Text) {
      QFont font = painter.font();
      font.setPixelSize(std::max(1, int(std::lround(s.size))));
      painter.setFont(font);
      painter.setPen(ToQColor(s.stroke));
      const QString text = QString::fromStdString(s.text);
      const double width = painter.fontMetrics().horizontalAdvance(text);
      const double shift = s.anchor == Shape::Middle ? width / 2 : s.anchor == Shape::End ? width : 0;
      painter.drawText(QPointF(s.points[0].x - shift, s.points[0].y), text);
      continue;
    }
    QPen pen(ToQColor(s.stroke));
    pen.setWidthF(s.width);
    if (s.dashed) pen.setStyle(Qt::DashLine);
    painter.setPen(s.width > 0 && s.stroke.alpha > 0 ? pen : QPen(Qt::NoPen));
    painter.setBrush(s.fill.alpha > 0 && s.type != Shape::Polyline ? QBrush(ToQColor(s.fill)) : QBrush(Qt::NoBrush));
    switch (s.type) {
      case Shape::Polyline:
      case Shape::Polygon: {
        QPolygonF poly;
        poly.reserve(qsizetype(s.points.size()));
        for (const Point& p : s.points) poly << ToQ(p);
        if (s.type == Shape::Polyline)
          painter.drawPolyline(poly);
        else
          painter.drawPolygon(poly);
        break;
      }
      case Shape::Circle: painter.drawEllipse(ToQ(s.points[0]), s.size, s.size); break;
      case Shape::Rect: {
        const Point& q = s.points.size() > 1 ? s.points[1] : s.points[0];
        painter.drawRect(QRectF(ToQ(s.points[0]), ToQ(q)).normalized());
        break;
      }
      case Shape::Text: break;
    }
  }
}

std::string PngOf(const Drawing& d) {
  QImage image(std::max(d.width, 1), std::max(d.height, 1), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    PaintDrawing(painter, d);
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

PictureView::PictureView(Picture& model, Act act, QWidget* parent)
    : QWidget(parent), model_(model), act_(std::move(act)) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(false);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureView::refresh() {
  if (model_.version == shown_) return;
  shown_ = model_.version;
  update();
}

void PictureView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintDrawing(painter, model_.drawing);
  // A drawing not yet made for the new size leaves no garbage beside it.
  if (model_.drawing.width < width() || model_.drawing.height < height()) {
    painter.fillRect(QRect(model_.drawing.width, 0, width(), height()), palette().window());
    painter.fillRect(QRect(0, model_.drawing.height, width(), height()), palette().window());
  }
}

void PictureView::resizeEvent(QResizeEvent*) {
  const int w = width(), h = height();
  act_([this, w, h] { model_.resize(w, h); });
}

void PictureView::wheelEvent(QWheelEvent* e) {
  const double steps = e->angleDelta().y() / 120.0;
  if (steps == 0) return;
  const QPointF at = e->position();
  const double factor = std::pow(kWheelStep, steps);
  act_([this, factor, at] { model_.zoom(factor, at.x(), at.y()); });
  e->accept();
}

void PictureView::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  pressAt_ = lastAt_ = e->position().toPoint();
  dragging_ = false;
}

void PictureView::mouseMoveEvent(QMouseEvent* e) {
  if (!(e->buttons() & Qt::LeftButton)) return;
  const QPoint at = e->position().toPoint();
  if (!dragging_ && (at - pressAt_).manhattanLength() < kClickSlop) return;
  dragging_ = true;
  const QPoint by = at - lastAt_;
  lastAt_ = at;
  act_([this, by] { model_.pan(by.x(), by.y()); });
}

void PictureView::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  if (!dragging_) {
    const QPointF at = e->position();
    act_([this, at] { model_.pick(at.x(), at.y()); });
  }
  dragging_ = false;
}

void PictureView::keyPressEvent(QKeyEvent* e) {
  const double cx = width() / 2.0, cy = height() / 2.0;
  switch (e->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal: act_([this, cx, cy] { model_.zoom(2, cx, cy); }); break;
    case Qt::Key_Minus: act_([this, cx, cy] { model_.zoom(0.5, cx, cy); }); break;
    case Qt::Key_Left: act_([this] { model_.pan(kKeyPan, 0); }); break;
    case Qt::Key_Right: act_([this] { model_.pan(-kKeyPan, 0); }); break;
    case Qt::Key_Up: act_([this] { model_.pan(0, kKeyPan); }); break;
    case Qt::Key_Down: act_([this] { model_.pan(0, -kKeyPan); }); break;
    default: QWidget::keyPressEvent(e); return;
  }
  e->accept();
}

bool PictureView::event(QEvent* e) {
  if (e->type() == QEvent::ToolTip && model_.tipAt) {
    auto* help = static_cast<QHelpEvent*>(e);
    const std::string tip = model_.tipAt(help->pos().x(), help->pos().y());
    if (!tip.empty()) {
      QToolTip::showText(help->globalPos(), QString::fromStdString(tip), this);
      return true;
    }
  }
  return QWidget::event(e);
}

}  // namespace ruvek::ui

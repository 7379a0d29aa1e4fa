#pragma once
// A picture the logic draws without knowing the face that shows it: a list of
// shapes in pixel coordinates (origin top left, y down). The desktop paints it,
// and any face can write it as SVG text.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace ruvek::ui {

// 0xRRGGBB with an opacity of 0 to 255.
struct Colour {
  std::uint32_t rgb = 0;
  int alpha = 255;
};

struct Point {
  double x = 0, y = 0;
};

struct Shape {
  enum Type { Polyline, Polygon, Circle, Rect, Text };
  Type type = Polyline;
  std::vector<Point> points;  // Circle and Text: one; Rect: two corners
  double size = 0;            // Circle: radius; Text: font pixel size
  Colour stroke;
  Colour fill{0, 0};  // an alpha of 0 draws no fill
  double width = 1;   // the stroke's width; 0 draws no stroke
  bool dashed = false;
  std::string text;
  // Text: where the point stands on it.
  enum Anchor { Start, Middle, End };
  Anchor anchor = Start;
};

struct Drawing {
  int width = 0, height = 0;
  Colour background{0xffffff, 255};
  std::vector<Shape> shapes;
};

// The drawing as a complete SVG document of its size.
std::string ToSvg(const Drawing& drawing);

// A control that shows a drawing the logic makes, and tells the logic what the
// operator does on it: a new size, a wheel turn or key that zooms, a drag or
// key that pans, a click. The handlers redraw `drawing` and bump the version.
class Picture : public Control {
 public:
  explicit Picture(std::string name) : Control(std::move(name), Kind::Picture) {}

  Drawing drawing;
  unsigned long version = 0;

  std::function<void(int width, int height)> onResize;
  // factor > 1 zooms in, around the point (x, y).
  std::function<void(double factor, double x, double y)> onZoom;
  // The picture's content follows the pointer by (dx, dy) pixels.
  std::function<void(double dx, double dy)> onPan;
  std::function<void(double x, double y)> onPick;
  // The text shown while the pointer rests at (x, y); empty for none.
  std::function<std::string(double x, double y)> tipAt;

  void resize(int width, int height) {
    if (enabled && onResize) onResize(width, height);
  }
  void zoom(double factor, double x, double y) {
    if (enabled && onZoom) onZoom(factor, x, y);
  }
  void pan(double dx, double dy) {
    if (enabled && onPan) onPan(dx, dy);
  }
  void pick(double x, double y) {
    if (enabled && onPick) onPick(x, y);
  }
  std::string shownValue() const override { return std::to_string(drawing.shapes.size()) + " shapes"; }
};

}  // namespace ruvek::ui

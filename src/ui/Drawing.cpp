#include "ui/Drawing.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace ruvek::ui {
namespace {

void Number(std::string& out, double v) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 1);
  out.append(buf, r.ptr);
}

void ColourText(std::string& out, std::uint32_t rgb) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%06x", unsigned(rgb & 0xffffff));
  out += buf;
}

void Paint(std::string& out, const char* what, const Colour& c, bool drawn) {
  out += ' ';
  out += what;
  out += "=\"";
  if (!drawn || c.alpha == 0) {
    out += "none\"";
    return;
  }
  ColourText(out, c.rgb);
  out += '"';
  if (c.alpha < 255) {
    out += ' ';
    out += what;
    out += "-opacity=\"";
    Number(out, c.alpha / 255.0);
    out += '"';
  }
}

void Escaped(std::string& out, const std::string& text) {
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default:
        // Control characters are not allowed in XML text.
        if (static_cast<unsigned char>(c) >= 0x20) out += c;
    }
  }
}

void Points(std::string& out, const std::vector<Point>& points) {
  out += " points=\"";
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (i) out += ' ';
    Number(out, points[i].x);
    out += ',';
    Number(out, points[i].y);
  }
  out += '"';
}

void Attr(std::string& out, const char* name, double v) {
  out += ' ';
  out += name;
  out += "=\"";
  Number(out, v);
  out += '"';
}

}  // namespace

std::string ToSvg(const Drawing& d) {
  std::string out;
  out.reserve(128 + d.shapes.size() * 120);
  out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"";
  out += " width=\"" + std::to_string(d.width) + "\" height=\"" + std::to_string(d.height) + "\" viewBox=\"0 0 " +
         std::to_string(d.width) + ' ' + std::to_string(d.height) + "\">\n";
  out += "<rect width=\"100%\" height=\"100%\"";
  Paint(out, "fill", d.background, true);
  out += "/>\n";
  for (const Shape& s : d.shapes) {
    if (s.points.empty()) continue;
    const Point& p = s.points.front();
    switch (s.type) {
      case Shape::Polyline:
      case Shape::Polygon:
        out += s.type == Shape::Polyline ? "<polyline" : "<polygon";
        Points(out, s.points);
        break;
      case Shape::Circle:
        out += "<circle";
        Attr(out, "cx", p.x);
        Attr(out, "cy", p.y);
        Attr(out, "r", s.size);
        break;
      case Shape::Rect: {
        const Point& q = s.points.size() > 1 ? s.points[1] : p;
        out += "<rect";
        Attr(out, "x", std::min(p.x, q.x));
        Attr(out, "y", std::min(p.y, q.y));
        Attr(out, "width", std::abs(q.x - p.x));
        Attr(out, "height", std::abs(q.y - p.y));
        break;
      }
      case Shape::Text:
        out += "<text";
        Attr(out, "x", p.x);
        Attr(out, "y", p.y);
        Attr(out, "font-size", s.size);
        out += " font-family=\"sans-serif\"";
        if (s.anchor != Shape::Start)
          out += s.anchor == Shape::Middle ? " text-anchor=\"middle\"" : " text-anchor=\"end\"";
        Paint(out, "fill", s.stroke, true);
        out += '>';
        Escaped(out, s.text);
        out += "</text>\n";
        continue;
    }
    Paint(out, "fill", s.fill, s.type != Shape::Polyline);
    Paint(out, "stroke", s.stroke, s.width > 0);
    if (s.width > 0) Attr(out, "stroke-width", s.width);
    if (s.dashed) out += " stroke-dasharray=\"4 3\"";
    out += "/>\n";
  }
  out += "</svg>\n";
  return out;
}

}  // namespace ruvek::ui

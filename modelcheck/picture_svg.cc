#include "picture_svg.h"

#include <cmath>
#include <cstdio>

#include "picture_svg_writer.h"

namespace modelcheck {
namespace {

constexpr const char* kSupportStyle = "fill=\"#2ca02c\" fill-opacity=\"0.8\" stroke=\"#1b5e20\" stroke-width=\"1\"";

void arrow(SvgWriter& svg, const Shape& a) {
  char style[80];
  std::snprintf(style, sizeof style, "stroke=\"%s\" stroke-width=\"2\"", a.color.c_str());
  double x1 = a.x[0], y1 = a.y[0], x2 = a.x[1], y2 = a.y[1];
  svg.line(x1, y1, x2, y2, style);
  double dx = x2 - x1, dy = y2 - y1, l = std::hypot(dx, dy);
  if (l < 1e-9) return;
  dx /= l, dy /= l;
  for (int head = 0; head < (a.kind == Shape::kMoment ? 2 : 1); ++head) {
    double hx = x2 - head * 7 * dx, hy = y2 - head * 7 * dy;
    svg.line(hx, hy, hx - 9 * dx + 4 * dy, hy - 9 * dy - 4 * dx, style);
    svg.line(hx, hy, hx - 9 * dx - 4 * dy, hy - 9 * dy + 4 * dx, style);
  }
}

void support(SvgWriter& svg, const Shape& s) {
  double x = s.x[0], y = s.y[0];
  double px[3] = {x, x - 6, x + 6}, py[3] = {y, y + 10, y + 10};
  svg.polygon(px, py, 3, kSupportStyle);
}

/// The outline view's supports, all of them in one path: a triangle each.
std::size_t supports_path(SvgWriter& svg, const std::vector<Shape>& shapes, std::size_t from) {
  std::string d;
  std::size_t i = from;
  for (; i < shapes.size() && shapes[i].kind == Shape::kSupport; ++i) {
    d += "M" + svg_number(shapes[i].x[0]) + "," + svg_number(shapes[i].y[0]) + "l-6,10h12z";
  }
  svg.path(d, kSupportStyle);
  return i;
}

void line(SvgWriter& svg, const Shape& s, bool detailed) {
  char style[120];
  switch (s.kind) {
    case Shape::kBar:
      std::snprintf(style, sizeof style, "stroke=\"%s\" stroke-width=\"%d\"", s.color.c_str(), detailed ? 3 : 2);
      break;
    case Shape::kLink:
      std::snprintf(style, sizeof style, "stroke=\"%s\" stroke-width=\"2\" stroke-dasharray=\"5,3\"", s.color.c_str());
      break;
    case Shape::kLineLoad:
      std::snprintf(style, sizeof style, "stroke=\"#d62728\" stroke-width=\"6\" stroke-opacity=\"%.2f\"", s.strength);
      break;
    default:
      std::snprintf(style, sizeof style, "stroke=\"%s\" stroke-width=\"1\"", s.color.c_str());
  }
  svg.line(s.x[0], s.y[0], s.x[1], s.y[1], style);
  if (s.kind == Shape::kLink && detailed) {
    std::snprintf(style, sizeof style, "fill=\"none\" stroke=\"%s\" stroke-width=\"1.5\"", s.color.c_str());
    svg.circle(s.x[0], s.y[0], 3.5, style);
  }
}

void shapes(SvgWriter& svg, const Scene& scene) {
  for (std::size_t i = 0; i < scene.shapes.size();) {
    const Shape& s = scene.shapes[i];
    if (s.kind == Shape::kSupport && !scene.detailed) {
      i = supports_path(svg, scene.shapes, i);
      continue;
    }
    ++i;
    if (s.kind == Shape::kFace) {
      svg.polygon(s.x, s.y, s.count,
                  ("fill=\"" + s.color + "\" stroke=\"#333333\" stroke-width=\"0.5\"").c_str());
    } else if (s.kind == Shape::kPressure) {
      char style[80];
      std::snprintf(style, sizeof style, "fill=\"url(#pressure)\" fill-opacity=\"%.2f\" stroke=\"none\"",
                    s.strength);
      svg.polygon(s.x, s.y, s.count, style);
    } else if (s.kind == Shape::kSupport) {
      support(svg, s);
    } else if (s.kind == Shape::kForce || s.kind == Shape::kMoment) {
      arrow(svg, s);
    } else {
      line(svg, s, scene.detailed);
    }
  }
}

void legend(SvgWriter& svg, const Scene& scene) {
  svg.rect(kViewWidth, 0, kLegendWidth, kViewHeight, "fill=\"#f7f7f7\" stroke=\"#cccccc\"");
  for (const LegendLine& l : scene.legend) {
    if (!l.swatch.empty()) {
      svg.rect(l.x - 20, l.y - 11, 14, 12, ("fill=\"" + l.swatch + "\" stroke=\"#333333\"").c_str());
    }
    const char* style = l.style == LegendLine::kHeading   ? "font-weight=\"bold\""
                        : l.style == LegendLine::kWarning ? "font-weight=\"bold\" fill=\"#b00000\""
                                                          : "";
    svg.text(l.x, l.y, l.text, style);
  }
}

}  // namespace

bool write_scene_svg(const Scene& scene, const std::string& path) {
  SvgWriter svg(path, kViewWidth + kLegendWidth, kViewHeight);
  if (!svg.ok()) return false;
  // Pressures are hatched, so that the fill of the stiffness still shows.
  svg.raw(
      "<defs><pattern id=\"pressure\" width=\"7\" height=\"7\" patternUnits=\"userSpaceOnUse\" "
      "patternTransform=\"rotate(45)\"><rect width=\"3\" height=\"7\" fill=\"#d62728\"/></pattern></defs>\n");
  shapes(svg, scene);
  legend(svg, scene);
  return svg.finish();
}

}  // namespace modelcheck

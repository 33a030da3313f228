#include "picture_svg_writer.h"

#include <cmath>

namespace modelcheck {

SvgWriter::SvgWriter(const std::string& path, double width, double height) {
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) return;
  std::fprintf(file_,
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" "
               "viewBox=\"0 0 %.0f %.0f\" font-family=\"sans-serif\">\n"
               "<rect width=\"100%%\" height=\"100%%\" fill=\"#ffffff\"/>\n",
               width, height, width, height);
}

SvgWriter::~SvgWriter() {
  if (file_ != nullptr) std::fclose(file_);
}

bool SvgWriter::finish() {
  if (file_ == nullptr) return false;
  std::fputs("</svg>\n", file_);
  bool good = !failed_ && !std::ferror(file_);
  if (std::fclose(file_) != 0) good = false;
  file_ = nullptr;
  return good;
}

std::string svg_number(double v) {
  // One decimal is a tenth of a pixel; a value that is no number is drawn at 0.
  if (!std::isfinite(v)) v = 0;
  char text[400];  // the widest double in %.1f
  std::snprintf(text, sizeof text, "%.1f", v);
  return text;
}

void SvgWriter::number(double v) { std::fputs(svg_number(v).c_str(), file_); }

void SvgWriter::polygon(const double* x, const double* y, int count, const char* style) {
  if (file_ == nullptr) return;
  std::fputs("<polygon points=\"", file_);
  for (int i = 0; i < count; ++i) {
    if (i) std::fputc(' ', file_);
    number(x[i]);
    std::fputc(',', file_);
    number(y[i]);
  }
  std::fprintf(file_, "\" %s/>\n", style);
}

void SvgWriter::shape(const char* tag, std::initializer_list<Attribute> attributes,
                      const char* style) {
  if (file_ == nullptr) return;
  std::fprintf(file_, "<%s", tag);
  for (const Attribute& a : attributes) {
    std::fprintf(file_, " %s=\"", a.name);
    number(a.value);
    std::fputc('"', file_);
  }
  std::fprintf(file_, " %s/>\n", style);
}

void SvgWriter::line(double x1, double y1, double x2, double y2, const char* style) {
  shape("line", {{"x1", x1}, {"y1", y1}, {"x2", x2}, {"y2", y2}}, style);
}

void SvgWriter::circle(double x, double y, double r, const char* style) {
  shape("circle", {{"cx", x}, {"cy", y}, {"r", r}}, style);
}

void SvgWriter::rect(double x, double y, double w, double h, const char* style) {
  shape("rect", {{"x", x}, {"y", y}, {"width", w}, {"height", h}}, style);
}

void SvgWriter::text(double x, double y, const std::string& text, const char* style) {
  if (file_ == nullptr) return;
  std::fputs("<text x=\"", file_);
  number(x);
  std::fputs("\" y=\"", file_);
  number(y);
  std::fprintf(file_, "\" font-size=\"13\" %s>", style);
  for (char c : text) {
    switch (c) {
      case '<':
        std::fputs("&lt;", file_);
        break;
      case '>':
        std::fputs("&gt;", file_);
        break;
      case '&':
        std::fputs("&amp;", file_);
        break;
      case '"':
        std::fputs("&quot;", file_);
        break;
      default:
        // Only printable ASCII: the model's texts may hold code page 866.
        std::fputc(static_cast<unsigned char>(c) >= 32 && static_cast<unsigned char>(c) < 127 ? c : '?',
                   file_);
    }
  }
  std::fputs("</text>\n", file_);
}

void SvgWriter::path(const std::string& d, const char* style) {
  if (file_ != nullptr) std::fprintf(file_, "<path d=\"%s\" %s/>\n", d.c_str(), style);
}

void SvgWriter::raw(const std::string& text) {
  if (file_ != nullptr) std::fputs(text.c_str(), file_);
}

}  // namespace modelcheck

// A small writer of SVG drawings: polygons, lines, circles and texts in the
// drawing's own coordinates, numbers with one decimal, for any browser.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <string>

namespace modelcheck {

/// A number as the drawing writes it: one decimal, 0 for a value that is no number.
std::string svg_number(double v);

class SvgWriter {
 public:
  /// Opens `path` and writes the head of a drawing of `width` by `height`.
  SvgWriter(const std::string& path, double width, double height);
  ~SvgWriter();
  SvgWriter(const SvgWriter&) = delete;
  SvgWriter& operator=(const SvgWriter&) = delete;

  bool ok() const { return file_ != nullptr; }
  /// Closes the drawing; false when something could not be written.
  bool finish();

  /// `style` is the element's attributes as they stand: fill="#..." etc.
  void polygon(const double* x, const double* y, int count, const char* style);
  void line(double x1, double y1, double x2, double y2, const char* style);
  void circle(double x, double y, double r, const char* style);
  void rect(double x, double y, double w, double h, const char* style);
  /// Text is escaped for XML.
  void text(double x, double y, const std::string& text, const char* style = "");
  /// A path of data `d` as it stands (numbers through svg_number).
  void path(const std::string& d, const char* style);
  void raw(const std::string& text);

 private:
  struct Attribute {
    const char* name;
    double value;
  };
  /// `<tag name="value" ... style/>`, the values as numbers.
  void shape(const char* tag, std::initializer_list<Attribute> attributes, const char* style);
  void number(double v);
  std::FILE* file_ = nullptr;
  bool failed_ = false;
};

}  // namespace modelcheck

#include "svg_writer.h"

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

void SvgWriter::number(double v) {
  // One decimal is a tenth of a pixel; a value that is no number is drawn at 0.
  if (!std::isfinite(v)) v = 0;
  std::fprintf(file_, "%.1f", v);
}

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

void SvgWriter::line(double x1, double y1, double x2, double y2, const char* style) {
  if (file_ == nullptr) return;
  std::fputs("<line x1=\"", file_);
  number(x1);
  std::fputs("\" y1=\"", file_);
  number(y1);
  std::fputs("\" x2=\"", file_);
  number(x2);
  std::fputs("\" y2=\"", file_);
  number(y2);
  std::fprintf(file_, "\" %s/>\n", style);
}

void SvgWriter::circle(double x, double y, double r, const char* style) {
  if (file_ == nullptr) return;
  std::fputs("<circle cx=\"", file_);
  number(x);
  std::fputs("\" cy=\"", file_);
  number(y);
  std::fputs("\" r=\"", file_);
  number(r);
  std::fprintf(file_, "\" %s/>\n", style);
}

void SvgWriter::rect(double x, double y, double w, double h, const char* style) {
  if (file_ == nullptr) return;
  std::fputs("<rect x=\"", file_);
  number(x);
  std::fputs("\" y=\"", file_);
  number(y);
  std::fputs("\" width=\"", file_);
  number(w);
  std::fputs("\" height=\"", file_);
  number(h);
  std::fprintf(file_, "\" %s/>\n", style);
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

void SvgWriter::raw(const std::string& text) {
  if (file_ != nullptr) std::fputs(text.c_str(), file_);
}

}  // namespace modelcheck

#include "figure/figure_canvas.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "figure/figure_text.h"

namespace quorvane::figure {
namespace {

// The one typeface of every figure: installed with the application's
// dependencies, so both front ends and every machine set the same glyphs.
constexpr const char* kFontFamily = "DejaVu Sans";

// A coordinate for SVG: at most two decimals, locale-free ("12.5", "-3").
std::string SvgNumber(double value) {
  if (!std::isfinite(value) || std::fabs(value) < 0.005) return "0";
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
  std::string text(buffer, result.ptr);
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

std::string SvgColor(Rgb c) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", c.r, c.g, c.b);
  return buffer;
}

// Text content for XML, from text that is already printable.
std::string EscapeXml(const std::string& text) {
  std::string out;
  for (char ch : text) {
    switch (ch) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += ch;
    }
  }
  return out;
}

}  // namespace

FigureCanvas::FigureCanvas(cairo_t* cr, bool textsAsSvgElements)
    : cr_(cr), textsAsSvg_(textsAsSvgElements), fontOptions_(cairo_font_options_create()) {
  // No hinting: glyph advances scale exactly with the size, so the layout
  // is the same in points whatever the resolution.
  cairo_font_options_set_antialias(fontOptions_, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(fontOptions_, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(fontOptions_, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr_, fontOptions_);
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
}

FigureCanvas::~FigureCanvas() { cairo_font_options_destroy(fontOptions_); }

void FigureCanvas::UseFont(FigureFont font) {
  cairo_select_font_face(cr_, kFontFamily, CAIRO_FONT_SLANT_NORMAL,
                         font.Bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr_, font.Size);
}

void FigureCanvas::SetColor(Rgb c) {
  cairo_set_source_rgb(cr_, c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

double FigureCanvas::TextWidth(const std::string& text, FigureFont font) {
  UseFont(font);
  cairo_text_extents_t extents;
  cairo_text_extents(cr_, PrintableText(text).c_str(), &extents);
  return extents.x_advance;
}

double FigureCanvas::Ascent(FigureFont font) {
  UseFont(font);
  cairo_font_extents_t extents;
  cairo_font_extents(cr_, &extents);
  return extents.ascent;
}

double FigureCanvas::Descent(FigureFont font) {
  UseFont(font);
  cairo_font_extents_t extents;
  cairo_font_extents(cr_, &extents);
  return extents.descent;
}

void FigureCanvas::Polyline(const std::vector<SurfacePoint>& points, Rgb color, double width,
                            LineStyle style) {
  if (points.size() < 2) return;
  cairo_new_path(cr_);
  cairo_move_to(cr_, points[0].x, points[0].y);
  for (size_t i = 1; i < points.size(); ++i) cairo_line_to(cr_, points[i].x, points[i].y);
  // Dashes in proportion to the pen; dots are square.
  const double dashed[] = {4.0 * width, 2.5 * width};
  const double dotted[] = {width, 2.0 * width};
  if (style == LineStyle::Dashed) cairo_set_dash(cr_, dashed, 2, 0.0);
  if (style == LineStyle::Dotted) cairo_set_dash(cr_, dotted, 2, 0.0);
  cairo_set_line_width(cr_, width);
  SetColor(color);
  cairo_stroke(cr_);
  cairo_set_dash(cr_, nullptr, 0, 0.0);
}

void FigureCanvas::FillRectangle(double x, double y, double w, double h, Rgb color) {
  cairo_rectangle(cr_, x, y, w, h);
  SetColor(color);
  cairo_fill(cr_);
}

void FigureCanvas::StrokeRectangle(double x, double y, double w, double h, Rgb color,
                                   double width) {
  cairo_rectangle(cr_, x, y, w, h);
  cairo_set_line_width(cr_, width);
  SetColor(color);
  cairo_stroke(cr_);
}

void FigureCanvas::Circle(double x, double y, double radius, Rgb color, bool filled,
                          double width) {
  cairo_new_path(cr_);
  cairo_arc(cr_, x, y, radius, 0.0, 2.0 * std::numbers::pi);
  cairo_close_path(cr_);
  SetColor(color);
  if (filled) {
    cairo_fill(cr_);
  } else {
    cairo_set_line_width(cr_, width);
    cairo_stroke(cr_);
  }
}

void FigureCanvas::Text(double x, double y, const std::string& text, FigureFont font, Rgb color,
                        TextAnchor anchor, bool vertical) {
  TextLines(x, y, {text}, 0.0, font, color, anchor, vertical);
}

void FigureCanvas::TextLines(double x, double y, const std::vector<std::string>& lines,
                             double lineHeight, FigureFont font, Rgb color, TextAnchor anchor,
                             bool vertical) {
  std::vector<std::string> printable;
  for (const std::string& line : lines) printable.push_back(PrintableText(line));
  while (!printable.empty() && printable.back().empty()) printable.pop_back();
  if (printable.empty()) return;
  if (textsAsSvg_) {
    const char* anchorName = anchor == TextAnchor::Start    ? "start"
                             : anchor == TextAnchor::Middle ? "middle"
                                                            : "end";
    const std::string px = SvgNumber(x), py = SvgNumber(y);
    svgTexts_ += "<text x=\"" + px + "\" y=\"" + py + "\" font-size=\"" + SvgNumber(font.Size) + "\"";
    if (font.Bold) svgTexts_ += " font-weight=\"bold\"";
    if (vertical) svgTexts_ += " transform=\"rotate(-90 " + px + " " + py + ")\"";
    svgTexts_ += " fill=\"" + SvgColor(color) + "\" text-anchor=\"" + anchorName +
                 "\" xml:space=\"preserve\">";
    if (printable.size() == 1) {
      svgTexts_ += EscapeXml(printable[0]);
    } else {
      // Each line a span of its own; the blank that broke the text ends
      // every line but the last, so the element's text is the whole text.
      for (size_t i = 0; i < printable.size(); ++i)
        svgTexts_ += "<tspan x=\"" + px + "\" " +
                     (i == 0 ? "y=\"" + py : "dy=\"" + SvgNumber(lineHeight)) + "\">" +
                     EscapeXml(printable[i]) + (i + 1 < printable.size() ? " " : "") + "</tspan>";
    }
    svgTexts_ += "</text>\n";
    return;
  }
  cairo_save(cr_);
  cairo_translate(cr_, x, y);
  if (vertical) cairo_rotate(cr_, -std::numbers::pi / 2.0);
  SetColor(color);
  for (size_t i = 0; i < printable.size(); ++i) {
    const double width = TextWidth(printable[i], font);
    const double shift = anchor == TextAnchor::Start    ? 0.0
                         : anchor == TextAnchor::Middle ? width / 2.0
                                                        : width;
    cairo_move_to(cr_, -shift, static_cast<double>(i) * lineHeight);
    cairo_show_text(cr_, printable[i].c_str());
  }
  cairo_new_path(cr_);
  cairo_restore(cr_);
}

void FigureCanvas::Clip(double x, double y, double w, double h) {
  cairo_save(cr_);
  cairo_rectangle(cr_, x, y, w, h);
  cairo_clip(cr_);
}

void FigureCanvas::Unclip() { cairo_restore(cr_); }

}  // namespace quorvane::figure

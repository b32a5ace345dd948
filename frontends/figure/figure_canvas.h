#pragma once

#include <cairo.h>

#include <string>
#include <vector>

#include "base/ui/surface.h"
#include "base/ui/surface_view.h"

namespace quorvane::figure {

struct FigureFont {
  double Size = 8.0;  // points
  bool Bold = false;
};

enum class TextAnchor { Start, Middle, End };

// The drawing operations a figure needs, on a Cairo context whose unit is
// the point. Texts are set in DejaVu Sans (through fontconfig) without
// hinting, so their widths are the same at every size and resolution and a
// layout measured once holds in every format. For SVG the texts are not
// drawn as outlines but kept as text elements (SvgTextElements), so that
// the file's texts stay texts.
class FigureCanvas {
 public:
  FigureCanvas(cairo_t* cr, bool textsAsSvgElements);
  ~FigureCanvas();
  FigureCanvas(const FigureCanvas&) = delete;
  FigureCanvas& operator=(const FigureCanvas&) = delete;

  // The advance width of a text, and the ascent and descent of the font.
  double TextWidth(const std::string& text, FigureFont font);
  double Ascent(FigureFont font);
  double Descent(FigureFont font);

  void Polyline(const std::vector<SurfacePoint>& points, Rgb color, double width, LineStyle style);
  void FillRectangle(double x, double y, double w, double h, Rgb color);
  void StrokeRectangle(double x, double y, double w, double h, Rgb color, double width);
  void Circle(double x, double y, double radius, Rgb color, bool filled, double width);
  // A text whose baseline starts, centres or ends at (x, y); `vertical`
  // turns it a quarter to read upwards, about that point.
  void Text(double x, double y, const std::string& text, FigureFont font, Rgb color,
            TextAnchor anchor, bool vertical = false);
  // Lines of one text, the first as Text places it, each next one a line
  // height further down (or, turned, further right). In SVG they are one
  // text element, so the text reads whole.
  void TextLines(double x, double y, const std::vector<std::string>& lines, double lineHeight,
                 FigureFont font, Rgb color, TextAnchor anchor, bool vertical = false);

  // Everything drawn until Unclip stays inside the rectangle.
  void Clip(double x, double y, double w, double h);
  void Unclip();

  const std::string& SvgTextElements() const { return svgTexts_; }

 private:
  void UseFont(FigureFont font);
  void SetColor(Rgb color);

  cairo_t* cr_;
  bool textsAsSvg_;
  std::string svgTexts_;
  cairo_font_options_t* fontOptions_;
};

}  // namespace quorvane::figure

#pragma once

#include <string>
#include <vector>

namespace quorvane {

// A display list in plot coordinates. The plot logic fills it; the front ends
// paint it (Qt with QPainter) or save it as a picture. Colours are palette
// codes 0..15 of the classic sixteen-colour palette (0 black, 4 red, 9 light
// blue, 12 light red, 15 white and so on).
enum class LineStyle { Solid, Dashed, Dotted };
enum class TextAlign { Left, Center, Right };

struct SurfacePoint {
  double x = 0.0;
  double y = 0.0;
};

struct SurfaceItem {
  enum class Kind { Line, Polyline, Circle, Rectangle, Text };
  Kind kind = Kind::Line;
  int color = 0;
  LineStyle style = LineStyle::Solid;
  std::vector<SurfacePoint> points;  // Line: 2, Polyline: n, Circle: 1, Rectangle: 2 corners, Text: 1
  double radius = 0.0;               // Circle: radius in device pixels, so markers keep their size
  bool filled = false;               // Circle, Rectangle
  std::string text;                  // Text
  TextAlign align = TextAlign::Left;
};

class Surface {
 public:
  // The plot-coordinate window: (left, top) is the upper-left corner and
  // (right, bottom) the lower-right one, so top > bottom for an ordinary
  // y axis.
  void SetScale(double left, double top, double right, double bottom);
  double Left() const { return left_; }
  double Top() const { return top_; }
  double Right() const { return right_; }
  double Bottom() const { return bottom_; }

  void SetBackground(int color) { background_ = color; }
  int Background() const { return background_; }

  void Clear() { items_.clear(); }
  void AddLine(double x1, double y1, double x2, double y2, int color,
               LineStyle style = LineStyle::Solid);
  void AddPolyline(std::vector<SurfacePoint> points, int color,
                   LineStyle style = LineStyle::Solid);
  void AddCircle(double x, double y, double radiusPixels, int color, bool filled = true);
  void AddRectangle(double x1, double y1, double x2, double y2, int color, bool filled = true);
  // (x, y) is the top of the text; align puts x at its left end, middle or
  // right end. A text takes a line 12 pixels high in every picture.
  void AddText(double x, double y, std::string text, int color,
               TextAlign align = TextAlign::Left);

  const std::vector<SurfaceItem>& Items() const { return items_; }

 private:
  double left_ = 0.0;
  double top_ = 1.0;
  double right_ = 1.0;
  double bottom_ = 0.0;
  int background_ = 15;
  std::vector<SurfaceItem> items_;
};

}  // namespace quorvane

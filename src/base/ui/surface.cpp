#include "base/ui/surface.h"

#include <utility>

namespace quorvane {

void Surface::SetScale(double left, double top, double right, double bottom) {
  left_ = left;
  top_ = top;
  right_ = right;
  bottom_ = bottom;
}

void Surface::AddLine(double x1, double y1, double x2, double y2, int color, LineStyle style) {
  SurfaceItem item;
  item.kind = SurfaceItem::Kind::Line;
  item.color = color;
  item.style = style;
  item.points = {{x1, y1}, {x2, y2}};
  items_.push_back(std::move(item));
}

void Surface::AddPolyline(std::vector<SurfacePoint> points, int color, LineStyle style) {
  SurfaceItem item;
  item.kind = SurfaceItem::Kind::Polyline;
  item.color = color;
  item.style = style;
  item.points = std::move(points);
  items_.push_back(std::move(item));
}

void Surface::AddCircle(double x, double y, double radiusPixels, int color, bool filled) {
  SurfaceItem item;
  item.kind = SurfaceItem::Kind::Circle;
  item.color = color;
  item.points = {{x, y}};
  item.radius = radiusPixels;
  item.filled = filled;
  items_.push_back(std::move(item));
}

void Surface::AddRectangle(double x1, double y1, double x2, double y2, int color, bool filled) {
  SurfaceItem item;
  item.kind = SurfaceItem::Kind::Rectangle;
  item.color = color;
  item.points = {{x1, y1}, {x2, y2}};
  item.filled = filled;
  items_.push_back(std::move(item));
}

void Surface::AddText(double x, double y, std::string text, int color, TextAlign align) {
  SurfaceItem item;
  item.kind = SurfaceItem::Kind::Text;
  item.color = color;
  item.points = {{x, y}};
  item.text = std::move(text);
  item.align = align;
  items_.push_back(std::move(item));
}

}  // namespace quorvane

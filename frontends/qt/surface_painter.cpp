#include "qt/surface_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "qt/palette_colors.h"
#include "base/ui/surface_view.h"

namespace quorvane::qt {

namespace {

Qt::PenStyle PenStyle(LineStyle style) {
  switch (style) {
    case LineStyle::Solid:
      return Qt::SolidLine;
    case LineStyle::Dashed:
      return Qt::DashLine;
    case LineStyle::Dotted:
      return Qt::DotLine;
  }
  return Qt::SolidLine;
}

class ItemPainter {
 public:
  ItemPainter(QPainter& painter, const Surface& surface, QSizeF size)
      : painter_(painter), map_(surface, size.width(), size.height()), box_(ClipBox(map_)) {}

  bool Valid() const { return map_.Valid(); }

  void Paint(const SurfaceItem& item) {
    QPen pen(PaletteQColor(item.color));
    pen.setCosmetic(true);
    pen.setWidth(1);
    pen.setStyle(PenStyle(item.style));
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
    switch (item.kind) {
      case SurfaceItem::Kind::Line:
      case SurfaceItem::Kind::Polyline:
        Lines(item);
        break;
      case SurfaceItem::Kind::Circle:
        Circle(item);
        break;
      case SurfaceItem::Kind::Rectangle:
        Rectangle(item);
        break;
      case SurfaceItem::Kind::Text:
        Text(item);
        break;
    }
  }

 private:
  // Consecutive segments that survive clipping are drawn as one polyline,
  // so a dash pattern runs on along the line.
  void Lines(const SurfaceItem& item) {
    QPolygonF run;
    for (size_t i = 1; i < item.points.size(); ++i) {
      double x1 = map_.X(item.points[i - 1].x), y1 = map_.Y(item.points[i - 1].y);
      double x2 = map_.X(item.points[i].x), y2 = map_.Y(item.points[i].y);
      if (!ClipSegment(x1, y1, x2, y2, box_.xmin, box_.ymin, box_.xmax, box_.ymax)) {
        Flush(run);
        continue;
      }
      if (run.isEmpty() || run.last() != QPointF(x1, y1)) {
        Flush(run);
        run << QPointF(x1, y1);
      }
      run << QPointF(x2, y2);
    }
    Flush(run);
  }

  void Flush(QPolygonF& run) {
    if (run.size() >= 2) painter_.drawPolyline(run);
    run.clear();
  }

  bool Inside(double x, double y, double margin) const {
    return std::isfinite(x) && std::isfinite(y) && x >= box_.xmin - margin &&
           x <= box_.xmax + margin && y >= box_.ymin - margin && y <= box_.ymax + margin;
  }

  void Circle(const SurfaceItem& item) {
    if (item.points.empty() || !std::isfinite(item.radius) || item.radius <= 0.0) return;
    const double x = map_.X(item.points[0].x), y = map_.Y(item.points[0].y);
    const double r = std::min(item.radius, 1e4);
    if (!Inside(x, y, r)) return;
    if (item.filled) painter_.setBrush(PaletteQColor(item.color));
    painter_.drawEllipse(QPointF(x, y), r, r);
  }

  void Rectangle(const SurfaceItem& item) {
    if (item.points.size() < 2) return;
    const double ax = map_.X(item.points[0].x), ay = map_.Y(item.points[0].y);
    const double bx = map_.X(item.points[1].x), by = map_.Y(item.points[1].y);
    if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by))
      return;
    const QPointF a(std::clamp(ax, box_.xmin, box_.xmax), std::clamp(ay, box_.ymin, box_.ymax));
    const QPointF b(std::clamp(bx, box_.xmin, box_.xmax), std::clamp(by, box_.ymin, box_.ymax));
    const QRectF rect = QRectF(a, b).normalized();
    if (item.filled)
      painter_.fillRect(rect, PaletteQColor(item.color));
    else
      painter_.drawRect(rect);
  }

  // The point is the top of the text; the alignment places x at its left
  // end, middle or right end.
  void Text(const SurfaceItem& item) {
    if (item.points.empty() || item.text.empty()) return;
    const double x = map_.X(item.points[0].x), y = map_.Y(item.points[0].y);
    if (!Inside(x, y, 0.0)) return;
    const QString text = QString::fromStdString(item.text);
    const QFontMetricsF metrics(painter_.font());
    const double width = metrics.horizontalAdvance(text);
    const double left = item.align == TextAlign::Left     ? x
                        : item.align == TextAlign::Center ? x - width / 2
                                                          : x - width;
    painter_.drawText(QPointF(left, y + metrics.ascent()), text);
  }

  QPainter& painter_;
  SurfaceMapping map_;
  PixelBox box_;
};

}  // namespace

void PaintSurface(QPainter& painter, const Surface& surface, QSizeF size) {
  painter.save();
  painter.fillRect(QRectF(QPointF(0, 0), size), PaletteQColor(surface.Background()));
  QFont font = painter.font();
  font.setPixelSize(static_cast<int>(kSurfaceTextPixels));
  painter.setFont(font);
  ItemPainter items(painter, surface, size);
  if (items.Valid())
    for (const SurfaceItem& item : surface.Items()) items.Paint(item);
  painter.restore();
}

}  // namespace quorvane::qt

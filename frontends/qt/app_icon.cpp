#include "qt/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quorvane::qt {

QIcon ApplicationIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xF4, 0xF6, 0xFA));
    painter.drawRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s * 0.18, s * 0.18);
    QPainterPath curve;
    for (int i = 0; i <= 32; ++i) {
      const double x = -1.0 + i / 16.0;
      const QPointF point(s * (0.12 + 0.76 * (x + 1) / 2), s * (0.2 + 0.55 * (1 - x * x)));
      // y grows downwards: the curve's minimum is at the bottom.
      const QPointF flipped(point.x(), s - point.y() + s * 0.05);
      if (i == 0)
        curve.moveTo(flipped);
      else
        curve.lineTo(flipped);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x00, 0x00, 0x80), std::max(1.0, s / 16)));
    painter.drawPath(curve);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xFF, 0x00, 0x00));
    painter.drawEllipse(QPointF(s * 0.5, s - s * 0.2 + s * 0.05), s * 0.09, s * 0.09);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace quorvane::qt

#pragma once

#include <QSizeF>

#include "base/ui/surface.h"

class QPainter;

namespace quorvane::qt {

// Paints the display list over a width x height area, background first,
// with the geometry every renderer shares (surface_view.h). Items with
// coordinates that are not finite are left out.
void PaintSurface(QPainter& painter, const Surface& surface, QSizeF size);

}  // namespace quorvane::qt

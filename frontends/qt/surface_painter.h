#pragma once

#include <QSize>
#include <QString>
#include <optional>

#include "base/ui/surface.h"

class QPainter;

namespace quorvane::qt {

// Paints the display list over a width x height area, background first,
// with the geometry every renderer shares (surface_view.h). Items with
// coordinates that are not finite are left out.
void PaintSurface(QPainter& painter, const Surface& surface, QSizeF size);

// Saves the surface as a picture of the given size, PNG or SVG by the
// extension of `path`. The picture goes to a temporary file in the same
// folder, renamed over the target only when complete, so a failed save
// leaves an existing file as it was. Gives the reason of a failure.
std::optional<QString> SaveSurfaceImage(const Surface& surface, const QString& path, QSize size);

}  // namespace quorvane::qt

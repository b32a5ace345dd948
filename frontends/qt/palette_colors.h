#pragma once

#include <QColor>

#include "base/ui/surface_view.h"

namespace quorvane::qt {

// A palette code 0..15 as a Qt colour.
inline QColor PaletteQColor(int code) {
  const Rgb c = PaletteColor(code);
  return QColor(c.r, c.g, c.b);
}

}  // namespace quorvane::qt

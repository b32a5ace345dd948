#include "base/ui/surface_view.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quorvane {

Rgb PaletteColor(int code) {
  static constexpr std::array<Rgb, 16> kPalette = {{
      {0x00, 0x00, 0x00},  //  0 black
      {0x00, 0x00, 0x80},  //  1 navy
      {0x00, 0x80, 0x00},  //  2 green
      {0x00, 0x80, 0x80},  //  3 teal
      {0x80, 0x00, 0x00},  //  4 maroon
      {0x80, 0x00, 0x80},  //  5 purple
      {0x80, 0x80, 0x00},  //  6 olive
      {0xC0, 0xC0, 0xC0},  //  7 light grey
      {0x80, 0x80, 0x80},  //  8 dark grey
      {0x00, 0x00, 0xFF},  //  9 blue
      {0x00, 0xFF, 0x00},  // 10 lime
      {0x00, 0xFF, 0xFF},  // 11 aqua
      {0xFF, 0x00, 0x00},  // 12 red
      {0xFF, 0x00, 0xFF},  // 13 fuchsia
      {0xFF, 0xFF, 0x00},  // 14 yellow
      {0xFF, 0xFF, 0xFF},  // 15 white
  }};
  if (code < 0 || code >= static_cast<int>(kPalette.size())) return kPalette[0];
  return kPalette[static_cast<size_t>(code)];
}

SurfaceMapping::SurfaceMapping(const Surface& surface, double width, double height)
    : left_(surface.Left()), top_(surface.Top()), width_(width), height_(height) {
  const double dx = surface.Right() - surface.Left();
  const double dy = surface.Bottom() - surface.Top();
  valid_ = std::isfinite(dx) && std::isfinite(dy) && dx != 0.0 && dy != 0.0 &&
           std::isfinite(left_) && std::isfinite(top_) && width > 0.0 && height > 0.0;
  if (!valid_) return;
  sx_ = width / dx;
  sy_ = height / dy;
  valid_ = std::isfinite(sx_) && std::isfinite(sy_) && sx_ != 0.0 && sy_ != 0.0;
}

bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double xmin, double ymin,
                 double xmax, double ymax) {
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
    return false;
  // Liang-Barsky: the segment is x1 + t*dx, y1 + t*dy for t in [0, 1].
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  if (!std::isfinite(dx) || !std::isfinite(dy)) return false;
  double t0 = 0.0;
  double t1 = 1.0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - xmin, xmax - x1, y1 - ymin, ymax - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0) {
      if (t > t1) return false;
      if (t > t0) t0 = t;
    } else {
      if (t < t0) return false;
      if (t < t1) t1 = t;
    }
  }
  const double ox = x1;
  const double oy = y1;
  // The ends lie in the box; with huge coordinates rounding may put them
  // anywhere, so they are held to it.
  x1 = std::clamp(ox + t0 * dx, xmin, xmax);
  y1 = std::clamp(oy + t0 * dy, ymin, ymax);
  x2 = std::clamp(ox + t1 * dx, xmin, xmax);
  y2 = std::clamp(oy + t1 * dy, ymin, ymax);
  return true;
}

PixelBox ClipBox(const SurfaceMapping& mapping) {
  constexpr double kMargin = 16.0;
  return {-kMargin, -kMargin, mapping.Width() + kMargin, mapping.Height() + kMargin};
}

}  // namespace quorvane

#pragma once

#include <cstdint>
#include <vector>

#include "base/ui/surface.h"

namespace quorvane::console {

// A picture whose pixels are palette codes 0..15, as a surface is drawn
// without a windowing toolkit.
class PaletteImage {
 public:
  PaletteImage(int width, int height, std::uint8_t background);

  int Width() const { return width_; }
  int Height() const { return height_; }
  std::uint8_t At(int x, int y) const {
    return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
  }
  // Pixels outside the picture are ignored.
  void Set(int x, int y, std::uint8_t code) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_)
      pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] = code;
  }

 private:
  int width_;
  int height_;
  std::vector<std::uint8_t> pixels_;
};

// Draws the display list as the screen shows it, without smoothing: lines,
// polylines, circles, rectangles and texts in the built-in 5 x 7 font.
// Items with coordinates that are not finite are left out.
PaletteImage RasterizeSurface(const Surface& surface, int width, int height);

}  // namespace quorvane::console

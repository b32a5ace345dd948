#pragma once

#include <cstdint>

#include "base/ui/surface.h"

namespace quorvane {

// What every renderer of a Surface shares, so the screen and the saved
// figures of one display list agree: the palette, the mapping from plot
// coordinates to pixels and the clipping that keeps absurd coordinates from
// reaching a rasteriser.

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  bool operator==(const Rgb&) const = default;
};

// The classic sixteen-colour palette: 0 black, 1 navy, 2 green, 3 teal,
// 4 maroon, 5 purple, 6 olive, 7 light grey, 8 dark grey, 9 blue, 10 lime,
// 11 aqua, 12 red, 13 fuchsia, 14 yellow, 15 white. Codes outside 0..15
// give black, so a bad code never stops a picture.
Rgb PaletteColor(int code);

// The fixed geometry of texts in every rendering: a text's point is the top
// of the text; the alignment says whether x is its left end, middle or
// right end.
inline constexpr double kSurfaceTextPixels = 12.0;

// Maps plot coordinates to pixel coordinates of a width x height picture
// whose origin is the upper-left corner.
class SurfaceMapping {
 public:
  SurfaceMapping(const Surface& surface, double width, double height);

  // False when the plot window is empty or not finite: nothing can be drawn.
  bool Valid() const { return valid_; }
  double X(double x) const { return (x - left_) * sx_; }
  double Y(double y) const { return (y - top_) * sy_; }
  double Width() const { return width_; }
  double Height() const { return height_; }

 private:
  double left_ = 0.0;
  double top_ = 0.0;
  double sx_ = 0.0;
  double sy_ = 0.0;
  double width_ = 0.0;
  double height_ = 0.0;
  bool valid_ = false;
};

// Clips the segment (x1,y1)-(x2,y2) in pixels to the rectangle
// [xmin,xmax] x [ymin,ymax]; false when nothing of it is inside or a
// coordinate is not finite.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double xmin, double ymin,
                 double xmax, double ymax);

// The clipping rectangle renderers use: the picture with a margin, so that
// clipped ends and wide pens stay out of sight.
struct PixelBox {
  double xmin, ymin, xmax, ymax;
};
PixelBox ClipBox(const SurfaceMapping& mapping);

}  // namespace quorvane

#include "console/surface_raster.h"

#include <algorithm>
#include <cmath>

#include "console/bitmap_font.h"
#include "base/ui/surface_view.h"

namespace quorvane::console {

PaletteImage::PaletteImage(int width, int height, std::uint8_t background)
    : width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_), background) {}

namespace {

std::uint8_t Code(int color) {
  return static_cast<std::uint8_t>(color >= 0 && color < 16 ? color : 0);
}

// Draws lines pixel by pixel; the dash pattern runs on across the segments
// of one polyline, as a pen does.
class Rasterizer {
 public:
  Rasterizer(PaletteImage& image, const Surface& surface)
      : image_(image), map_(surface, image.Width(), image.Height()) {}

  bool Valid() const { return map_.Valid(); }

  void Draw(const SurfaceItem& item) {
    color_ = Code(item.color);
    style_ = item.style;
    step_ = 0;
    switch (item.kind) {
      case SurfaceItem::Kind::Line:
      case SurfaceItem::Kind::Polyline:
        for (size_t i = 1; i < item.points.size(); ++i)
          Segment(map_.X(item.points[i - 1].x), map_.Y(item.points[i - 1].y),
                  map_.X(item.points[i].x), map_.Y(item.points[i].y));
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
  bool PenDown() {
    const int step = step_++;
    switch (style_) {
      case LineStyle::Solid:
        return true;
      case LineStyle::Dashed:
        return step % 6 < 4;
      case LineStyle::Dotted:
        return step % 3 == 0;
    }
    return true;
  }

  void Segment(double x1, double y1, double x2, double y2) {
    if (!ClipSegment(x1, y1, x2, y2, -1.0, -1.0, image_.Width(), image_.Height())) return;
    int x = static_cast<int>(std::lround(x1)), y = static_cast<int>(std::lround(y1));
    const int xe = static_cast<int>(std::lround(x2)), ye = static_cast<int>(std::lround(y2));
    const int dx = std::abs(xe - x), dy = -std::abs(ye - y);
    const int sx = x < xe ? 1 : -1, sy = y < ye ? 1 : -1;
    int error = dx + dy;
    while (true) {
      if (PenDown()) image_.Set(x, y, color_);
      if (x == xe && y == ye) break;
      const int e2 = 2 * error;
      if (e2 >= dy) {
        error += dy;
        x += sx;
      }
      if (e2 <= dx) {
        error += dx;
        y += sy;
      }
    }
  }

  void Circle(const SurfaceItem& item) {
    if (item.points.empty() || !std::isfinite(item.radius) || item.radius <= 0.0) return;
    const double cx = map_.X(item.points[0].x), cy = map_.Y(item.points[0].y);
    const double r = std::min(item.radius, 4096.0);
    if (!std::isfinite(cx) || !std::isfinite(cy)) return;
    const double y0 = std::max(0.0, std::floor(cy - r - 1));
    const double y1 = std::min<double>(image_.Height() - 1, std::ceil(cy + r + 1));
    const double x0 = std::max(0.0, std::floor(cx - r - 1));
    const double x1 = std::min<double>(image_.Width() - 1, std::ceil(cx + r + 1));
    for (double y = y0; y <= y1; ++y)
      for (double x = x0; x <= x1; ++x) {
        const double d = std::hypot(x - cx, y - cy);
        if (item.filled ? d <= r : std::fabs(d - r) <= 0.5)
          image_.Set(static_cast<int>(x), static_cast<int>(y), color_);
      }
  }

  void Rectangle(const SurfaceItem& item) {
    if (item.points.size() < 2) return;
    const double ax = map_.X(item.points[0].x), ay = map_.Y(item.points[0].y);
    const double bx = map_.X(item.points[1].x), by = map_.Y(item.points[1].y);
    if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by))
      return;
    if (!item.filled) {
      Segment(ax, ay, bx, ay);
      Segment(bx, ay, bx, by);
      Segment(bx, by, ax, by);
      Segment(ax, by, ax, ay);
      return;
    }
    const auto clampX = [&](double v) {
      return static_cast<int>(std::lround(std::clamp(v, -1.0, double(image_.Width()))));
    };
    const auto clampY = [&](double v) {
      return static_cast<int>(std::lround(std::clamp(v, -1.0, double(image_.Height()))));
    };
    const int x0 = clampX(std::min(ax, bx)), x1 = clampX(std::max(ax, bx));
    const int y0 = clampY(std::min(ay, by)), y1 = clampY(std::max(ay, by));
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) image_.Set(x, y, color_);
  }

  void Text(const SurfaceItem& item) {
    if (item.points.empty() || item.text.empty()) return;
    const double px = map_.X(item.points[0].x), py = map_.Y(item.points[0].y);
    if (!std::isfinite(px) || !std::isfinite(py) || std::fabs(px) > 1e6 || std::fabs(py) > 1e6)
      return;
    // One glyph per character; a multi-byte UTF-8 character shows as '?'.
    std::string shown;
    for (unsigned char ch : item.text)
      if ((ch & 0xC0) != 0x80) shown += ch < 0x80 ? static_cast<char>(ch) : '?';
    const int width = static_cast<int>(shown.size()) * kGlyphAdvance - 1;
    int x = static_cast<int>(std::lround(px));
    if (item.align == TextAlign::Center) x -= width / 2;
    if (item.align == TextAlign::Right) x -= width;
    // The point is the top of the text; the glyphs sit in the middle of the
    // text's line height, as a toolkit font would.
    const int y = static_cast<int>(std::lround(py + (kSurfaceTextPixels - kGlyphHeight) / 2));
    for (char ch : shown) {
      const auto& glyph = Glyph(ch);
      for (int col = 0; col < kGlyphWidth; ++col)
        for (int row = 0; row < kGlyphHeight; ++row)
          if (glyph[static_cast<size_t>(col)] & (1u << row)) image_.Set(x + col, y + row, color_);
      x += kGlyphAdvance;
    }
  }

  PaletteImage& image_;
  SurfaceMapping map_;
  std::uint8_t color_ = 0;
  LineStyle style_ = LineStyle::Solid;
  int step_ = 0;
};

}  // namespace

PaletteImage RasterizeSurface(const Surface& surface, int width, int height) {
  PaletteImage image(width, height, Code(surface.Background()));
  Rasterizer rasterizer(image, surface);
  if (rasterizer.Valid())
    for (const SurfaceItem& item : surface.Items()) rasterizer.Draw(item);
  return image;
}

}  // namespace quorvane::console

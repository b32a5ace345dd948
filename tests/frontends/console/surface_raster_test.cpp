#include "console/surface_raster.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace quorvane::console {
namespace {

// A 0..100 square on a 101 x 101 picture: plot units are pixels, y upwards.
Surface Square() {
  Surface s;
  s.SetScale(0, 100, 100, 0);
  s.SetBackground(15);
  return s;
}

PaletteImage Draw(const Surface& s) { return RasterizeSurface(s, 100, 100); }

int CountColour(const PaletteImage& image, int code) {
  int n = 0;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) n += image.At(x, y) == code;
  return n;
}

TEST(RasterizeSurface, FillsRectanglesAndCirclesWithTheirColour) {
  Surface s = Square();
  s.AddRectangle(10, 90, 30, 70, 12, true);
  s.AddCircle(70, 30, 10, 9, true);
  s.AddRectangle(50, 90, 60, 80, 1, false);
  const PaletteImage image = Draw(s);
  EXPECT_EQ(image.At(20, 20), 12);
  EXPECT_EQ(image.At(9, 20), 15);
  EXPECT_EQ(CountColour(image, 12), 21 * 21);
  EXPECT_EQ(image.At(70, 70), 9);
  EXPECT_NEAR(CountColour(image, 9), std::numbers::pi * 100, 20);
  EXPECT_EQ(image.At(50, 15), 1);   // the outline
  EXPECT_EQ(image.At(55, 15), 15);  // not filled
}

TEST(RasterizeSurface, DrawsLineStylesAsPatterns) {
  const struct {
    LineStyle style;
    int expected;
  } cases[] = {{LineStyle::Solid, 100}, {LineStyle::Dashed, 68}, {LineStyle::Dotted, 34}};
  for (const auto& c : cases) {
    Surface s = Square();
    s.AddLine(0, 50, 99, 50, 0, c.style);
    EXPECT_EQ(CountColour(Draw(s), 0), c.expected) << static_cast<int>(c.style);
  }
}

TEST(RasterizeSurface, DrawsTextAroundItsAnchor) {
  for (TextAlign align : {TextAlign::Left, TextAlign::Center, TextAlign::Right}) {
    Surface s = Square();
    s.AddText(50, 80, "AB", 4, align);
    const PaletteImage image = Draw(s);
    int left = 100, right = -1;
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 100; ++x)
        if (image.At(x, y) == 4) left = std::min(left, x), right = std::max(right, x);
    ASSERT_GE(right, 0);
    const int expectedLeft = align == TextAlign::Left ? 50 : align == TextAlign::Center ? 45 : 39;
    EXPECT_EQ(left, expectedLeft) << static_cast<int>(align);
    EXPECT_LE(right - left, 10);
  }
}

TEST(RasterizeSurface, SurvivesAbsurdCoordinatesAndScales) {
  Surface s = Square();
  s.AddLine(-1e300, -1e300, 1e300, 1e300, 0);
  s.AddLine(NAN, 0, 50, 50, 0);
  s.AddPolyline({{0, 0}, {INFINITY, 5}}, 0);
  s.AddCircle(50, 50, 1e300, 2, true);
  s.AddRectangle(-1e300, 1e300, 1e300, -1e300, 3, true);
  s.AddText(1e300, 5, "x", 0);
  // The rectangle, held to the picture, covers it all; the rest is cut away.
  EXPECT_EQ(CountColour(Draw(s), 3), 100 * 100);

  s.SetScale(0, 0, 0, 0);  // an empty plot window draws only the background
  EXPECT_EQ(CountColour(Draw(s), 15), 100 * 100);
}

}  // namespace
}  // namespace quorvane::console

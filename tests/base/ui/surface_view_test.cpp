#include "base/ui/surface_view.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorvane {
namespace {

TEST(PaletteColor, GivesTheClassicSixteenColoursAndBlackForBadCodes) {
  const struct {
    int code;
    Rgb rgb;
  } cases[] = {
      {0, {0, 0, 0}},       {1, {0, 0, 128}},     {4, {128, 0, 0}},      {6, {128, 128, 0}},
      {7, {192, 192, 192}}, {8, {128, 128, 128}}, {9, {0, 0, 255}},      {10, {0, 255, 0}},
      {12, {255, 0, 0}},    {14, {255, 255, 0}},  {15, {255, 255, 255}}, {16, {0, 0, 0}},
      {-1, {0, 0, 0}},
  };
  for (const auto& c : cases) EXPECT_EQ(PaletteColor(c.code), c.rgb) << c.code;
}

TEST(SurfaceMapping, MapsThePlotWindowOntoThePicture) {
  Surface s;
  s.SetScale(-1, 10, 1, 0);  // y grows upwards
  const SurfaceMapping map(s, 200, 100);
  ASSERT_TRUE(map.Valid());
  EXPECT_DOUBLE_EQ(map.X(-1), 0);
  EXPECT_DOUBLE_EQ(map.X(1), 200);
  EXPECT_DOUBLE_EQ(map.Y(10), 0);
  EXPECT_DOUBLE_EQ(map.Y(0), 100);
  EXPECT_DOUBLE_EQ(map.Y(2.5), 75);

  for (auto [l, t, r, b] :
       {std::array<double, 4>{0, 1, 0, 0}, {0, 1, 1, 1}, {NAN, 1, 1, 0}, {0, INFINITY, 1, 0}}) {
    s.SetScale(l, t, r, b);
    EXPECT_FALSE(SurfaceMapping(s, 200, 100).Valid()) << l << " " << t << " " << r << " " << b;
  }
}

TEST(ClipSegment, KeepsThePartInsideTheBox) {
  const struct {
    double x1, y1, x2, y2;
    bool visible;
    double cx1, cy1, cx2, cy2;
  } cases[] = {
      {1, 1, 5, 5, true, 1, 1, 5, 5},       // inside
      {-10, 5, 20, 5, true, 0, 5, 10, 5},   // across
      {5, -5, 5, 15, true, 5, 0, 5, 10},    // vertical across
      {-5, -5, -1, 20, false, 0, 0, 0, 0},  // left of the box
      {NAN, 0, 5, 5, false, 0, 0, 0, 0},   {0, INFINITY, 5, 5, false, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    double x1 = c.x1, y1 = c.y1, x2 = c.x2, y2 = c.y2;
    SCOPED_TRACE(testing::Message() << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2);
    ASSERT_EQ(ClipSegment(x1, y1, x2, y2, 0, 0, 10, 10), c.visible);
    if (!c.visible) continue;
    EXPECT_NEAR(x1, c.cx1, 1e-9);
    EXPECT_NEAR(y1, c.cy1, 1e-9);
    EXPECT_NEAR(x2, c.cx2, 1e-9);
    EXPECT_NEAR(y2, c.cy2, 1e-9);
  }
  // Ends a world away cannot place the line to the pixel (their own
  // rounding is larger than the picture), but what is drawn stays in the box.
  double x1 = -1e300, y1 = -1e300, x2 = 1e300, y2 = 1e300;
  ASSERT_TRUE(ClipSegment(x1, y1, x2, y2, 0, 0, 10, 10));
  for (double v : {x1, y1, x2, y2}) {
    EXPECT_GE(v, 0);
    EXPECT_LE(v, 10);
  }
}

}  // namespace
}  // namespace quorvane

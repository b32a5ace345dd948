#include "qt/app_icon.h"

#include <gtest/gtest.h>

#include <QImage>

namespace quorvane::qt {
namespace {

// The icon built into the program: every size is there, and it shows the
// curve's minimum marked in red at the bottom centre.
TEST(ApplicationIcon, HoldsTheRenderedSizes) {
  const QIcon icon = ApplicationIcon();
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    SCOPED_TRACE(size);
    const QImage image = icon.pixmap(QSize(size, size)).toImage();
    ASSERT_EQ(image.size(), QSize(size, size));
    const QColor minimum = image.pixelColor(size / 2, size * 94 / 128);
    EXPECT_GT(minimum.red(), 200);
    EXPECT_LT(minimum.green(), 80);
    const QColor corner = image.pixelColor(0, 0);
    EXPECT_LT(corner.alpha(), 128);  // the rounded corner is see-through
  }
}

}  // namespace
}  // namespace quorvane::qt

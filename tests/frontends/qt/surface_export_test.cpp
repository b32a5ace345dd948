// Pictures of a surface: the Qt front end's PNG and SVG files, and the
// console's own writers checked against Qt's independent readers.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include "console/png_writer.h"
#include "console/surface_raster.h"
#include "qt/palette_colors.h"
#include "qt/surface_painter.h"
#include "base/ui/surface_svg.h"

namespace quorvane::qt {
namespace {

// A plot-like display list over a 0..10 square, a red block in the middle.
Surface Plot() {
  Surface s;
  s.SetScale(0, 10, 10, 0);
  s.SetBackground(15);
  s.AddRectangle(4, 6, 6, 4, 12, true);
  s.AddLine(0, 0, 10, 10, 1, LineStyle::Dashed);
  s.AddPolyline({{0, 9}, {3, 8}, {6, 9}, {9, 8}}, 2, LineStyle::Dotted);
  s.AddCircle(2, 2, 5, 9, true);
  s.AddRectangle(7, 3, 9, 1, 4, false);
  s.AddText(5, 9.5, "Residuals <&> 1.5", 0, TextAlign::Center);
  return s;
}

QImage RenderSvg(const QByteArray& svg, QSize size) {
  QSvgRenderer renderer(svg);
  EXPECT_TRUE(renderer.isValid());
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter painter(&image);
  renderer.render(&painter);
  return image;
}

class SurfaceExportTest : public ::testing::Test {
 protected:
  QString Path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
  QTemporaryDir dir_;
};

TEST_F(SurfaceExportTest, PngAndSvgShowTheDisplayList) {
  const QSize size(200, 100);
  ASSERT_EQ(SaveSurfaceImage(Plot(), Path("plot.png"), size), std::nullopt);
  ASSERT_EQ(SaveSurfaceImage(Plot(), Path("plot.SVG"), size), std::nullopt);

  QImage png(Path("plot.png"));
  ASSERT_EQ(png.size(), size);
  QFile svgFile(Path("plot.SVG"));
  ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
  const QImage svg = RenderSvg(svgFile.readAll(), size);
  for (const QImage& image : {png, svg}) {
    EXPECT_EQ(image.pixelColor(100, 50), PaletteQColor(12));  // the block
    EXPECT_EQ(image.pixelColor(195, 5), PaletteQColor(15));   // the background
  }
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files).size(), 2);  // no temporary left
}

TEST_F(SurfaceExportTest, AFailedSaveLeavesTheOldFileAlone) {
  QFile old(Path("plot.gif"));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("old picture");
  old.close();
  EXPECT_NE(SaveSurfaceImage(Plot(), Path("plot.gif"), {50, 50}), std::nullopt);
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), QByteArray("old picture"));

  EXPECT_NE(SaveSurfaceImage(Plot(), dir_.filePath("missing/plot.png"), {50, 50}), std::nullopt);
  ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("folder.png")));
  EXPECT_NE(SaveSurfaceImage(Plot(), Path("folder.png"), {50, 50}), std::nullopt);
}

TEST(ConsolePictures, PngDecodesToTheRasterisedPixels) {
  // Sizes that exercise odd widths (a half-filled last byte) and rows
  // long enough for matches against the row above.
  for (QSize size : {QSize(1, 1), QSize(37, 23), QSize(640, 200)}) {
    SCOPED_TRACE(size.width());
    const console::PaletteImage raster =
        console::RasterizeSurface(Plot(), size.width(), size.height());
    const std::string png = console::EncodePng(raster);
    QImage image;
    ASSERT_TRUE(image.loadFromData(reinterpret_cast<const uchar*>(png.data()),
                                   static_cast<int>(png.size()), "PNG"));
    ASSERT_EQ(image.size(), size);
    int wrong = 0;
    for (int y = 0; y < size.height(); ++y)
      for (int x = 0; x < size.width(); ++x)
        wrong += image.pixelColor(x, y) != PaletteQColor(raster.At(x, y));
    EXPECT_EQ(wrong, 0);
  }
}

TEST(ConsolePictures, SvgRendersLikeTheScreen) {
  const QSize size(200, 100);
  const std::string svg = SurfaceToSvg(Plot(), size.width(), size.height());
  const QImage image = RenderSvg(QByteArray::fromStdString(svg), size);
  EXPECT_EQ(image.pixelColor(100, 50), PaletteQColor(12));
  EXPECT_EQ(image.pixelColor(195, 5), PaletteQColor(15));
  EXPECT_EQ(image.pixelColor(40, 80), PaletteQColor(9));  // the filled circle
}

}  // namespace
}  // namespace quorvane::qt

// Figures read back by Qt's own readers: the PNG has its pixels and its
// resolution, the SVG renders to the same picture, and the save dialog
// turns centimetres and inches into pixels at the chosen resolution.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QImage>
#include <QPainter>
#include <QSpinBox>
#include <QSvgRenderer>
#include <cstdlib>

#include "figure/save_figure.h"
#include "qt/figure_save_dialog.h"
#include "qt/palette_colors.h"

namespace quorvane::qt {
namespace {

// A drawing over a 0..10 square: a red block in the middle, a blue disc
// near the lower left corner.
Surface Drawing() {
  Surface s;
  s.SetScale(0, 10, 10, 0);
  s.SetBackground(15);
  s.AddRectangle(4, 6, 6, 4, 12, true);
  s.AddLine(0, 0, 10, 10, 1, LineStyle::Dashed);
  s.AddCircle(2, 2, 20, 9, true);
  s.AddText(5, 9.5, "Residuals <&> 1.5", 0, TextAlign::Center);
  return s;
}

// Equal within 2 in each channel: Qt's SVG renderer reads "100%" as 254.
bool Near(QColor a, QColor b) {
  return std::abs(a.red() - b.red()) <= 2 && std::abs(a.green() - b.green()) <= 2 &&
         std::abs(a.blue() - b.blue()) <= 2;
}

QImage FromBytes(const std::string& bytes) {
  QImage image;
  EXPECT_TRUE(image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                                 static_cast<int>(bytes.size()), "PNG"));
  return image;
}

TEST(FigureExportQtTest, PngAndSvgShowTheDrawingAtTheChosenSize) {
  const FigureOptions options{400, 300, 150};
  const Figure bare = BareFigure(Drawing());
  const QImage png = FromBytes(figure::RenderFigure(bare, figure::FigureFormat::Png, options));
  ASSERT_EQ(png.size(), QSize(400, 300));
  EXPECT_EQ(png.dotsPerMeterX(), 5906);  // 150 dpi
  EXPECT_EQ(png.dotsPerMeterY(), 5906);

  QSvgRenderer renderer(
      QByteArray::fromStdString(figure::RenderFigure(bare, figure::FigureFormat::Svg, options)));
  ASSERT_TRUE(renderer.isValid());
  QImage svg(png.size(), QImage::Format_RGB32);
  svg.fill(Qt::black);
  QPainter painter(&svg);
  renderer.render(&painter);
  painter.end();
  for (const QImage& image : {png, svg}) {
    EXPECT_TRUE(Near(image.pixelColor(220, 125), PaletteQColor(12)));  // the block
    EXPECT_TRUE(Near(image.pixelColor(395, 295), PaletteQColor(15)));  // the background
    EXPECT_TRUE(Near(image.pixelColor(80, 240), PaletteQColor(9)));    // the disc
  }
}

TEST(FigureExportQtTest, AFramedFigureRendersAsSvgWithItsTexts) {
  Figure f;
  f.Framed = true;
  f.Drawing = Drawing();
  f.X = {"Time Period in Series", {0, 5, 10}, {"1870", "1920", "1970"}};
  f.Y = {"Flow", {0, 10}, {"0", "1000"}};
  f.Title = "Observed and predicted";
  f.Legend = {{"Observed", 1, LegendMark::LineAndPoints}};
  const std::string svg = figure::RenderFigure(f, figure::FigureFormat::Svg, {});
  QSvgRenderer renderer(QByteArray::fromStdString(svg));
  EXPECT_TRUE(renderer.isValid());
  EXPECT_EQ(renderer.viewBox(), QRect(0, 0, 384, 240));
}

TEST(FigureExportQtTest, TheSaveDialogConvertsLengthsToPixels) {
  FigureSaveDialog dialog(FigureOptions{}, FigureSaveDialog::Format::Pdf);
  EXPECT_EQ(dialog.ChosenFormat(), FigureSaveDialog::Format::Pdf);
  auto* unit = dialog.findChild<QComboBox*>("cboFigureUnit");
  auto* width = dialog.findChild<QDoubleSpinBox*>("txtFigureWidth");
  auto* height = dialog.findChild<QDoubleSpinBox*>("txtFigureHeight");
  auto* dpi = dialog.findChild<QSpinBox*>("txtFigureDpi");
  ASSERT_TRUE(unit && width && height && dpi);
  EXPECT_EQ(width->value(), 1600);
  EXPECT_EQ(height->value(), 1000);
  unit->setCurrentIndex(1);  // centimetres: 1600 pixels at 300 dpi are 13.55 cm
  EXPECT_NEAR(width->value(), 13.55, 1e-9);
  width->setValue(8.5);      // a journal's column
  height->setValue(6.0);
  EXPECT_EQ(dialog.Options().Width, 1004);  // 8.5 / 2.54 x 300
  EXPECT_EQ(dialog.Options().Height, 709);
  dpi->setValue(600);        // the same size at twice the resolution
  EXPECT_EQ(dialog.Options().Width, 2008);
  EXPECT_EQ(dialog.Options().Height, 1417);
  EXPECT_NEAR(width->value(), 8.5, 1e-9);
  unit->setCurrentIndex(2);  // inches
  EXPECT_NEAR(width->value(), 3.35, 1e-9);
  unit->setCurrentIndex(0);  // and back to pixels, unchanged
  EXPECT_EQ(width->value(), 2008);
  EXPECT_EQ(dialog.Options().Dpi, 600);
  if (const char* path = std::getenv("QUORVANE_FIGURE_DIALOG_SCREENSHOT")) {
    unit->setCurrentIndex(1);
    dialog.show();
    dialog.grab().save(QString::fromLocal8Bit(path));
  }
}

}  // namespace
}  // namespace quorvane::qt

#include "base/ui/figure_options.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace quorvane {
namespace {

TEST(FigureOptionsTest, SaveArgumentsTakeTheOptionalWordsFromTheEnd) {
  const struct {
    const char* text;
    const char* path;
    int width, height, dpi;
    bool title;
  } cases[] = {
      {"fig.png", "fig.png", 1600, 1000, 300, true},
      {"  fig.png  ", "fig.png", 1600, 1000, 300, true},
      {"fig.png 800x600", "fig.png", 800, 600, 300, true},
      {"fig.png 800X600 150", "fig.png", 800, 600, 150, true},
      {"fig.png 600", "fig.png", 1600, 1000, 600, true},
      {"fig.pdf 800x600 150 notitle", "fig.pdf", 800, 600, 150, false},
      {"fig.pdf notitle", "fig.pdf", 1600, 1000, 300, false},
      {"my figures/nile fit.svg 1200x900", "my figures/nile fit.svg", 1200, 900, 300, true},
      // A single word is always the file name, and a word that is not an
      // option belongs to it.
      {"300", "300", 1600, 1000, 300, true},
      {"fig.png 800x", "fig.png 800x", 1600, 1000, 300, true},
      {"", "", 1600, 1000, 300, true},
  };
  for (const auto& c : cases) {
    const SaveArguments a = ParseSaveArguments(c.text);
    EXPECT_EQ(a.Path, c.path) << c.text;
    EXPECT_EQ(a.Options, (FigureOptions{c.width, c.height, c.dpi, c.title})) << c.text;
  }
  EXPECT_THROW(ParseSaveArguments("fig.png 12345678901x5"), std::invalid_argument);
}

TEST(FigureOptionsTest, WordsReadBackAsTheSameOptions) {
  for (const FigureOptions& o : {FigureOptions{}, FigureOptions{640, 480, 96, false}}) {
    const SaveArguments a = ParseSaveArguments("plot.png " + FigureOptionsWords(o));
    EXPECT_EQ(a.Path, "plot.png");
    EXPECT_EQ(a.Options, o);
  }
  EXPECT_EQ(FigureOptionsWords({}), "1600x1000 300");
}

TEST(FigureOptionsTest, SizesAndResolutionsOutsideTheirRangesAreRefused) {
  EXPECT_FALSE(FigureOptionsError({}));
  EXPECT_FALSE(FigureOptionsError({100, 10000, 50, true}));
  EXPECT_FALSE(FigureOptionsError({10000, 100, 2400, true}));
  for (const FigureOptions& o : {FigureOptions{99, 1000, 300}, FigureOptions{1600, 10001, 300},
                                 FigureOptions{1600, 1000, 49}, FigureOptions{1600, 1000, 2401}})
    EXPECT_TRUE(FigureOptionsError(o)) << o.Width << "x" << o.Height << " " << o.Dpi;
}

TEST(FigureOptionsTest, LengthsConvertToPixelsAtTheResolution) {
  // 1600 pixels at 300 dpi are 5.333 inches, 13.547 cm; the page 384 points wide.
  EXPECT_NEAR(PixelsToLength(1600, LengthUnit::Inches, 300), 5.3333333, 1e-6);
  EXPECT_NEAR(PixelsToLength(1600, LengthUnit::Centimetres, 300), 13.546667, 1e-6);
  EXPECT_EQ(PixelsToLength(1600, LengthUnit::Pixels, 300), 1600.0);
  EXPECT_EQ(FigureOptions{}.WidthPoints(), 384.0);
  EXPECT_EQ(FigureOptions{}.HeightPoints(), 240.0);
  // A journal's column, 8.5 cm at 600 dpi: 2007.87 pixels, rounded.
  EXPECT_EQ(LengthToPixels(8.5, LengthUnit::Centimetres, 600), 2008);
  EXPECT_EQ(LengthToPixels(3.5, LengthUnit::Inches, 300), 1050);
  EXPECT_EQ(LengthToPixels(640.4, LengthUnit::Pixels, 300), 640);
  // Back and forth through a unit gives the pixels again.
  for (int pixels : {100, 1001, 1600, 9999})
    for (LengthUnit unit : {LengthUnit::Centimetres, LengthUnit::Inches})
      EXPECT_EQ(LengthToPixels(PixelsToLength(pixels, unit, 300), unit, 300), pixels);
}

}  // namespace
}  // namespace quorvane

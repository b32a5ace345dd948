// The figure exporter: one figure gives the same bytes every time in each
// format, its texts stay texts in SVG, crowded tick labels are thinned, and
// a save that cannot be done leaves the old file alone.
#include "figure/save_figure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "support/svg_texts.h"

namespace quorvane::figure {
namespace {

namespace fs = std::filesystem;

// A small framed figure: a red block and a line on axes of 0..10, with
// titles, a legend and a caption.
Figure Sample() {
  Figure f;
  f.Framed = true;
  f.Drawing.SetScale(0, 10, 10, 0);
  f.Drawing.AddRectangle(4, 6, 6, 4, 12, true);
  f.Drawing.AddPolyline({{0, 1}, {5, 9}, {10, 2}}, 1, LineStyle::Dashed);
  f.Drawing.AddCircle(2, 2, 3, 2, true);
  for (int v = 0; v <= 10; v += 2) {
    f.X.Ticks.push_back(v);
    f.X.TickLabels.push_back(std::to_string(v));
    f.Y.Ticks.push_back(v);
    f.Y.TickLabels.push_back(std::to_string(v));
  }
  f.X.Title = "Years <since> 1871";
  f.Y.Title = "Flow & level";
  f.Title = "A sample figure";
  f.Legend = {{"Observed", 1, LegendMark::LineAndPoints}, {"95% limits", 7, LegendMark::Box}};
  f.Caption = "ML Estimate: 1.600E-01";
  return f;
}

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(SaveFigureTest, TheSameFigureGivesTheSameBytesInEveryFormat) {
  for (FigureFormat format : {FigureFormat::Png, FigureFormat::Svg, FigureFormat::Pdf}) {
    const std::string first = RenderFigure(Sample(), format, {});
    // Another figure in between: nothing numbered runs on from one to the next.
    RenderFigure(BareFigure(Sample().Drawing), format, {800, 600, 150});
    EXPECT_EQ(RenderFigure(Sample(), format, {}), first) << static_cast<int>(format);
  }
  const std::string svg = RenderFigure(Sample(), FigureFormat::Svg, {});
  EXPECT_NE(svg.find("id=\"surface1\""), std::string::npos);
  const std::string pdf = RenderFigure(Sample(), FigureFormat::Pdf, {});
  EXPECT_EQ(pdf.find("CreationDate"), std::string::npos);
  EXPECT_NE(pdf.find("/Creator (Quorvane)"), std::string::npos);
}

TEST(SaveFigureTest, TheSvgKeepsEveryTextAsATextElement) {
  const std::string svg = RenderFigure(Sample(), FigureFormat::Svg, {});
  for (const char* text : {"A sample figure", "Years <since> 1871", "Flow & level", "Observed",
                           "95% limits", "ML Estimate: 1.600E-01", "0", "10"})
    EXPECT_TRUE(testing::HasSvgText(svg, text)) << text;
  EXPECT_NE(svg.find("Years &lt;since&gt; 1871"), std::string::npos);

  // Without its title line the figure has no title.
  const std::string untitled = RenderFigure(Sample(), FigureFormat::Svg, {1600, 1000, 300, false});
  EXPECT_FALSE(testing::HasSvgText(untitled, "A sample figure"));
  EXPECT_TRUE(testing::HasSvgText(untitled, "Observed"));
}

TEST(SaveFigureTest, AnyTextGivesAWholeFile) {
  Figure f = Sample();
  f.Title = std::string("Bad \xFF\xC3 bytes\r\nand a \x01 control") + "\xE2\x82";
  f.Legend[0].Text = std::string(2000, 'W');
  f.X.Title = "";
  for (FigureFormat format : {FigureFormat::Png, FigureFormat::Svg, FigureFormat::Pdf})
    EXPECT_NO_THROW(RenderFigure(f, format, {})) << static_cast<int>(format);
  const std::string svg = RenderFigure(f, FigureFormat::Svg, {});
  EXPECT_TRUE(testing::HasSvgText(svg, "Bad ?? bytes and a control??"));
  EXPECT_NE(svg.rfind("</svg>"), std::string::npos);
}

TEST(SaveFigureTest, CrowdedTickLabelsAreThinnedToEveryFewTicks) {
  Figure f = Sample();
  f.X.Ticks.clear();
  f.X.TickLabels.clear();
  for (int i = 0; i <= 50; ++i) {
    f.X.Ticks.push_back(i / 5.0);
    f.X.TickLabels.push_back("1" + std::to_string(100000 + i));
  }
  const std::vector<std::string> texts =
      testing::SvgTexts(RenderFigure(f, FigureFormat::Svg, {}));
  int shown = 0;
  for (const std::string& text : texts) shown += text.rfind("11000", 0) == 0;
  EXPECT_GE(shown, 4);
  EXPECT_LT(shown, 20);
  EXPECT_TRUE(std::find(texts.begin(), texts.end(), "1100000") != texts.end()) << "the first stays";
}

TEST(SaveFigureTest, AFailedSaveSaysWhyAndLeavesTheOldFile) {
  const fs::path dir = fs::temp_directory_path() / ("quorvane_figure_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  for (const char* name : {"old.gif", "old.png"}) std::ofstream(dir / name) << "old";
  EXPECT_TRUE(SaveFigure(Sample(), (dir / "old.gif").string(), {}));
  EXPECT_TRUE(SaveFigure(Sample(), (dir / "old.png").string(), {1600, 1000, 10}));
  EXPECT_TRUE(SaveFigure(Sample(), (dir / "missing" / "new.pdf").string(), {}));
  EXPECT_EQ(Read(dir / "old.gif"), "old");
  EXPECT_EQ(Read(dir / "old.png"), "old");
  EXPECT_FALSE(SaveFigure(Sample(), (dir / "old.png").string(), {}));
  EXPECT_EQ(Read(dir / "old.png").substr(1, 3), "PNG");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2)
      << "no temporary file left";
  fs::remove_all(dir);
}

}  // namespace
}  // namespace quorvane::figure

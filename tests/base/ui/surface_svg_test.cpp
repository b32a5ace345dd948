#include "base/ui/surface_svg.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <sstream>

namespace quorvane {
namespace {

Surface Square() {
  Surface s;
  s.SetScale(0, 10, 10, 0);
  return s;
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(SurfaceToSvg, DrawsEachItemInPixelsWithItsPaletteColour) {
  Surface s = Square();
  s.SetBackground(7);
  s.AddLine(0, 0, 10, 10, 4, LineStyle::Dashed);
  s.AddPolyline({{0, 5}, {5, 10}, {10, 5}}, 2, LineStyle::Dotted);
  s.AddCircle(5, 5, 3, 9, true);
  s.AddCircle(5, 5, 6, 1, false);
  s.AddRectangle(2, 8, 4, 6, 12, true);
  s.AddText(5, 10, "Title", 0, TextAlign::Center);
  const std::string svg = SurfaceToSvg(s, 200, 100);

  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  EXPECT_NE(svg.find("width=\"200\" height=\"100\" viewBox=\"0 0 200 100\""), std::string::npos);
  EXPECT_NE(svg.find("fill=\"#C0C0C0\"/>"), std::string::npos);  // the background
  EXPECT_NE(svg.find("<polyline points=\"0,100 200,0\" fill=\"none\" stroke=\"#800000\" "
                     "stroke-width=\"1\" stroke-dasharray=\"4 2\"/>"),
            std::string::npos);
  EXPECT_NE(
      svg.find("points=\"0,50 100,0 200,50\" fill=\"none\" stroke=\"#008000\" stroke-width=\"1\" "
               "stroke-dasharray=\"1 2\""),
      std::string::npos);
  EXPECT_NE(svg.find("<circle cx=\"100\" cy=\"50\" r=\"3\" fill=\"#0000FF\"/>"), std::string::npos);
  EXPECT_NE(svg.find("<circle cx=\"100\" cy=\"50\" r=\"6\" fill=\"none\" stroke=\"#000080\""),
            std::string::npos);
  EXPECT_NE(svg.find("<rect x=\"40\" y=\"20\" width=\"40\" height=\"20\" fill=\"#FF0000\"/>"),
            std::string::npos);
  EXPECT_NE(svg.find("text-anchor=\"middle\" xml:space=\"preserve\">Title</text>"),
            std::string::npos);
  EXPECT_EQ(svg.substr(svg.size() - 8), "</svg>\r\n");
}

TEST(SurfaceToSvg, AnyTextAndAnyCoordinateGiveAWellFormedFile) {
  Surface s = Square();
  s.AddText(1, 1, "a<b & \"c\">\x01 \xC3\xA9 \xFF", 0);
  s.AddLine(NAN, 0, 5, 5, 0);
  s.AddLine(-1e300, -1e300, 1e300, 1e300, 0);
  s.AddPolyline({{1, 1}, {2, INFINITY}, {3, 3}, {4, 4}}, 0);
  s.AddCircle(1e300, 5, 4, 0);
  s.AddRectangle(-1e300, 1e300, 5, 5, 0);
  const std::string svg = SurfaceToSvg(s, 100, 100);

  EXPECT_NE(svg.find(">a&lt;b &amp; &quot;c&quot;&gt;  \xC3\xA9 ?</text>"), std::string::npos);
  EXPECT_EQ(svg.find("nan"), std::string::npos);
  EXPECT_EQ(svg.find("inf"), std::string::npos);
  EXPECT_EQ(Count(svg, "<circle"), 0);
  // The polyline keeps only its finite segment 3,3-4,4.
  EXPECT_NE(svg.find("points=\"30,70 40,60\""), std::string::npos);
  EXPECT_NE(svg.find("<rect x=\"-16\" y=\"-16\" width=\"66\" height=\"66\""), std::string::npos);
  // Every coordinate is a plain decimal within the clipping box (16
  // pixels around the picture), the huge line's included.
  const std::regex attribute(R"re( (x|y|cx|cy|r|width|height|points)="([^"]*)")re");
  const std::regex decimal(R"re(-?[0-9]+(\.[0-9]+)?)re");
  for (std::sregex_iterator it(svg.begin(), svg.end(), attribute), end; it != end; ++it) {
    std::string values = (*it)[2].str();
    for (char& ch : values)
      if (ch == ',') ch = ' ';
    std::istringstream in(values);
    for (std::string value; in >> value;) {
      ASSERT_TRUE(std::regex_match(value, decimal)) << it->str();
      EXPECT_LE(std::fabs(std::stod(value)), 132.0) << it->str();
    }
  }
}

TEST(SurfaceToSvg, AnEmptyPlotWindowGivesOnlyTheBackground) {
  Surface s;
  s.SetScale(0, 0, 0, 0);
  s.AddLine(0, 0, 1, 1, 0);
  const std::string svg = SurfaceToSvg(s, 10, 10);
  EXPECT_EQ(Count(svg, "<rect"), 1);
  EXPECT_EQ(Count(svg, "<polyline"), 0);
}

}  // namespace
}  // namespace quorvane

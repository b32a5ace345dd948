// The Bayesian posterior end to end in the console, as
// examples/nile-posterior.txt runs it: the Nile fit, its covariance grids,
// the posterior of Phi(1) over a 25 x 25 grid of the intercept with steps
// from covariance grid 3, and the four files it saves: the report (.pos),
// the bivariate grid (.grd), plot 2 as SVG and the bivariate plot as PNG
// (and, for this test, as SVG too).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "base/files/text_file.h"
#include "support/console_run.h"
#include "support/svg_texts.h"

namespace quorvane {
namespace {

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(PosteriorScriptTest, TheNilePosteriorScriptSavesReportGridAndPictures) {
  std::ifstream in(std::string(QUORVANE_SOURCE_DIR) + "/examples/nile-posterior.txt");
  std::stringstream script;
  script << in.rdbuf();
  std::string text = script.str();
  const std::string report = testing::TestTempPath("nile.pos");
  const std::string grid = testing::TestTempPath("nile.grd");
  const std::string plot2 = testing::TestTempPath("plot2.svg");
  const std::string bivariate = testing::TestTempPath("bivariate.png");
  for (const auto& [target, path] : {std::pair<std::string, std::string>{"build/nile-posterior.pos", report},
                                     {"build/nile-posterior.grd", grid},
                                     {"build/nile-posterior-plot2.svg", plot2},
                                     {"build/nile-posterior-bivariate.png", bivariate}}) {
    std::remove(path.c_str());
    const size_t at = text.find(target);
    ASSERT_NE(at, std::string::npos) << target;
    text.replace(at, target.size(), path);
  }
  const std::string bivariateSvg = testing::TestTempPath("bivariate.svg");
  std::remove(bivariateSvg.c_str());
  testing::ReplaceAll(text, "save Graph " + bivariate,
                      "save Graph " + bivariate + "\nsave Graph " + bivariateSvg);

  const testing::ProgramRun run = testing::RunConsole(text, "", QUORVANE_SOURCE_DIR);
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("Do you want to view a bivariate plot of parameters 1 and 3?"), std::string::npos)
      << run.output;

  // The report: the name line, an empty line, the heading, an empty line,
  // the column heads, 25 rows, an empty line and the five closing lines.
  std::string error;
  const auto pos = ReadTextLines(report, error);
  ASSERT_TRUE(pos) << error;
  ASSERT_EQ(pos->size(), 2u + 3u + 25u + 6u);
  EXPECT_EQ((*pos)[0], "Originally saved with the file name: " + report);
  EXPECT_EQ((*pos)[2], "Bayesian posterior distribution data");
  EXPECT_EQ((*pos)[4].substr(0, 21), "  Point       Value  ");
  EXPECT_EQ((*pos)[17].substr(0, 5), "   13");
  EXPECT_EQ((*pos)[31].substr(0, 16), "Max Likelihood: ");
  ASSERT_EQ((*pos)[35].substr(0, 16), "Estimated SE:   ");
  // The grid spans Phi(1) +- 4 covariance standard errors over 24 steps, so
  // the posterior SD must come out at a sixth of the span, give or take
  // what the non-normal tails of an AR coefficient add (a wide bound: the
  // point is a positive spread of the right size, not its third digit).
  const double firstValue = std::strtod((*pos)[5].substr(9, 15).c_str(), nullptr);
  const double lastValue = std::strtod((*pos)[29].substr(9, 15).c_str(), nullptr);
  const double se = std::strtod((*pos)[35].substr(16).c_str(), nullptr);
  const double covarianceSe = (lastValue - firstValue) / 8.0;
  EXPECT_GT(se, 0.7 * covarianceSe) << (*pos)[35];
  EXPECT_LT(se, 1.3 * covarianceSe) << (*pos)[35];

  // The grid: a heading, the column heads, then 25 groups of 25 rows, X
  // fixed within a group and Y cycling through the grid. A row is 46
  // characters, one more for each negative number in it.
  const auto grd = ReadTextLines(grid, error);
  ASSERT_TRUE(grd) << error;
  ASSERT_EQ(grd->size(), 2u + 25u * 25u);
  EXPECT_EQ((*grd)[0], "Bivariate plot data for parameters 1 and 3 ");
  EXPECT_EQ((*grd)[1], "        X_Coord,        Y_Coord,  Prob_Density");
  std::vector<std::vector<double>> rows;
  for (std::size_t row = 2; row < grd->size(); ++row) {
    const char* at = (*grd)[row].c_str();
    std::vector<double> numbers;
    std::size_t negatives = 0;
    for (int k = 0; k < 3; ++k) {
      char* end = nullptr;
      numbers.push_back(std::strtod(at, &end));
      ASSERT_NE(end, at) << (*grd)[row];
      if (numbers.back() < 0) ++negatives;
      at = end;
    }
    ASSERT_EQ((*grd)[row].size(), 46u + negatives) << (*grd)[row];
    EXPECT_GE(numbers[2], 0.0) << (*grd)[row];
    rows.push_back(numbers);
  }
  for (std::size_t p = 0; p < 25; ++p)
    for (std::size_t j = 0; j < 25; ++j) {
      EXPECT_EQ(rows[25 * p + j][0], rows[25 * p][0]) << p << " " << j;
      EXPECT_EQ(rows[25 * p + j][1], rows[j][1]) << p << " " << j;
    }
  EXPECT_LT(rows[0][0], rows[25][0]);
  EXPECT_LT(rows[0][1], rows[1][1]);

  // Plot 2 as SVG: a whole document with the posterior drawn as a line,
  // titled by the evaluation, which also names the Y axis and the legend's
  // entry, the parameter's values on the X axis and the statistics below.
  const std::string svg = FileBytes(plot2);
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  EXPECT_NE(svg.find("</svg>"), std::string::npos);
  EXPECT_NE(svg.find("<path"), std::string::npos);
  const std::vector<std::string> texts = testing::SvgTexts(svg);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "Bayesian Posterior Distribution"), 3)
      << "title, Y axis title and legend entry";
  EXPECT_TRUE(testing::HasSvgText(svg, "Values for parameter # 1"));
  EXPECT_NE(svg.find(">ML Estimate: "), std::string::npos);

  // The bivariate plot as SVG: its title, both parameters on the axes and
  // the colour key headed "SE's".
  const std::string key = FileBytes(bivariateSvg);
  for (const char* expected : {"Bivariate pdf plot", "Values for parameter # 1",
                               "Values for parameter # 3", "SE's", "0.0", "< 3.0"})
    EXPECT_TRUE(testing::HasSvgText(key, expected)) << expected;
  EXPECT_NE(key.find(">X-Peak = "), std::string::npos);

  // The bivariate plot as PNG: the signature, a header chunk first and the
  // end chunk last.
  const std::string png = FileBytes(bivariate);
  ASSERT_GT(png.size(), 8u + 25u + 12u);
  EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  EXPECT_EQ(png.substr(12, 4), "IHDR");
  EXPECT_EQ(png.substr(png.size() - 8, 4), "IEND");

  for (const std::string& path : {report, grid, plot2, bivariate, bivariateSvg})
    std::remove(path.c_str());
}

}  // namespace
}  // namespace quorvane

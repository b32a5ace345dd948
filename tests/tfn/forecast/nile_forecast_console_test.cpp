// End to end: the shipped script forecasts the Nile flow ten years past
// 1970 at the demo's optimum, saves the report as a .qvf file and the plot
// as SVG and PNG.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/console_run.h"
#include "support/svg_texts.h"

namespace quorvane {
namespace {

using testing::ReadAll;
using testing::ReplaceAll;

struct Row {
  int period;
  double forecast, se, lower, upper;
};

// The rows of the table that follows `heading` in the report.
std::vector<Row> TableAfter(const std::string& text, const std::string& heading) {
  std::vector<Row> rows;
  size_t at = text.find(heading);
  if (at == std::string::npos) return rows;
  at = text.find("\r\n", text.find("Period", at)) + 2;
  for (;;) {
    const size_t end = text.find("\r\n", at);
    std::istringstream line(text.substr(at, end - at));
    Row r{};
    if (!(line >> r.period >> r.forecast >> r.se >> r.lower >> r.upper)) break;
    rows.push_back(r);
    at = end + 2;
  }
  return rows;
}

double NumberAfter(const std::string& text, const std::string& label) {
  const size_t at = text.find(label);
  return at == std::string::npos ? NAN : std::stod(text.substr(at + label.size()));
}

TEST(NileForecastConsoleTest, TenYearsAheadWithTheStepOnAndWideningIntervals) {
  const std::string source = QUORVANE_SOURCE_DIR;
  std::string script = ReadAll(source + "/examples/nile-forecast.txt");
  ASSERT_FALSE(script.empty());
  const std::string qvf = testing::TestTempPath("nile.qvf"), svg = testing::TestTempPath("nile.svg"),
                    png = testing::TestTempPath("nile.png");
  for (const std::string& path : {qvf, svg, png}) std::remove(path.c_str());
  ReplaceAll(script, "examples/", source + "/examples/");
  ReplaceAll(script, "build/nile-forecast.qvf", qvf);
  ReplaceAll(script, "build/nile-forecast.svg", svg);
  ReplaceAll(script, "build/nile-forecast.png", png);

  const testing::ProgramRun run = testing::RunConsole(script, "--quiet");
  ASSERT_EQ(run.status, 0) << run.output;

  const std::string report = ReadAll(qvf);
  EXPECT_EQ(report.rfind("Originally saved with the file name: \r\n" + qvf + "\r\n\r\nForecasts of the ", 0), 0u);
  EXPECT_EQ(report.find('\n'), report.find("\r\n") + 1);
  const std::vector<Row> analysed = TableAfter(report, "On the analysed");
  const std::vector<Row> original = TableAfter(report, "On the original");
  ASSERT_EQ(analysed.size(), 10u);
  ASSERT_EQ(original.size(), 10u);  // no transformation or differencing: the same numbers
  const double noiseSd = NumberAfter(report, "Standard deviation of the stationary noise: ");
  ASSERT_TRUE(std::isfinite(noiseSd));
  for (size_t h = 0; h < 10; ++h) {
    EXPECT_EQ(analysed[h].period, 1971 + static_cast<int>(h));
    // The flow after the step of 1899 is about 850 (before it about 1100):
    // the step stays on.
    EXPECT_GT(analysed[h].forecast, 780.0);
    EXPECT_LT(analysed[h].forecast, 920.0);
    // Limits 1.96 standard errors away, to the report's four decimals.
    EXPECT_NEAR(analysed[h].upper - analysed[h].forecast, 1.959963984540054 * analysed[h].se, 2e-4);
    EXPECT_NEAR(analysed[h].forecast - analysed[h].lower, 1.959963984540054 * analysed[h].se, 2e-4);
    EXPECT_NEAR(original[h].forecast, analysed[h].forecast, 1e-9);
    // Widening towards the spread of the stationary noise; the report
    // rounds both to its decimals, hence 1e-3.
    if (h > 0) {
      EXPECT_GE(analysed[h].se, analysed[h - 1].se);
    }
    EXPECT_LE(analysed[h].se, noiseSd + 1e-3);
  }
  EXPECT_GT(analysed[1].se, analysed[0].se);
  EXPECT_GT(analysed[9].se, 0.999 * noiseSd);

  const std::string picture = ReadAll(svg);
  EXPECT_EQ(picture.rfind("<?xml", 0), 0u);
  EXPECT_NE(picture.find("<path"), std::string::npos);
  // The legend, the axes (the data file's time column and the series) and
  // the title line that names the series and the scale.
  for (const char* text : {"Observed", "Fit", "Forecast", "95% limits", "Period", "Flow",
                           "Flow, original scale: periods 1871 to 1980; forecasts from period 1971."})
    EXPECT_TRUE(testing::HasSvgText(picture, text)) << text;
  const std::string image = ReadAll(png);
  ASSERT_GT(image.size(), 33u);
  EXPECT_EQ(image.substr(1, 3), "PNG");
  for (const std::string& path : {qvf, svg, png}) std::remove(path.c_str());
}

}  // namespace
}  // namespace quorvane

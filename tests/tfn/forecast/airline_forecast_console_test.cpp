// End to end: the shipped script fits the airline model to the logarithm
// of the monthly airline passengers (taken before differencing at lags 1
// and 12), then forecasts 24 months on the original scale; and the same
// for the seasonal AR model (1,1,0)(1,1,0)12. The medians and 95% limits
// must agree with an independent computation.
//
// The reference rows were computed with numpy/scipy at the exact
// maximum-likelihood estimates of the fit test (seasonal_monthly_
// fit_test.cpp): the conditional mean and covariance of the 24 future
// values of the differenced log series given its 131 values, from the
// dense (131 + 24)-square Toeplitz covariance of the product model; the
// log levels y(T+h) = w(T+h) + y(T+h-1) + y(T+h-12) - y(T+h-13) as a linear
// map of those; sigma^2 = w' G^-1 w / 131; the median exp(mean) and the
// limits exp(mean -+ 1.959964 sigma sd). R's predict on its arima fit
// gives the same log forecasts to 2e-7.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "support/console_run.h"

namespace quorvane {
namespace {

using testing::ReadAll;
using testing::ReplaceAll;

struct ReferenceRow {
  int period;
  double median, lower, upper;
};

const ReferenceRow kAirline[] = {
    {145, 450.422304, 419.147374, 484.030832},
    {146, 425.717015, 391.474237, 462.955055},
    {147, 479.006306, 435.918420, 526.353166},
    {148, 492.404405, 443.934693, 546.166142},
    {149, 509.054954, 455.022854, 569.503146},
    {150, 583.344791, 517.286251, 657.839144},
    {151, 670.010841, 589.712577, 761.242926},
    {152, 667.077583, 582.998960, 763.281810},
    {153, 558.189130, 484.572370, 642.989828},
    {154, 497.207744, 428.877368, 576.424775},
    {155, 429.871812, 368.525739, 501.429765},
    {156, 477.242317, 406.727683, 559.982118},
    {157, 495.929846, 415.659354, 591.701859},
    {158, 468.728507, 388.715176, 565.211822},
    {159, 527.401777, 433.004095, 642.378761},
    {160, 542.153528, 440.884068, 666.684212},
    {161, 560.486333, 451.650191, 695.549201},
    {162, 642.281898, 513.049067, 804.067414},
    {163, 737.704085, 584.324778, 931.343900},
    {164, 734.474470, 577.052836, 934.841168},
    {165, 614.584684, 479.074117, 788.425676},
    {166, 547.442162, 423.492814, 707.669437},
    {167, 473.303075, 363.437396, 616.380711},
    {168, 525.459568, 400.589806, 689.253079},
};

const ReferenceRow kSeasonalAr[] = {
    {145, 451.891329, 419.320096, 486.992574},
    {146, 426.495631, 390.475304, 465.838738},
    {147, 479.174240, 431.325461, 532.331088},
    {148, 498.595400, 443.118144, 561.018266},
    {149, 518.895084, 455.603966, 590.978411},
    {150, 585.828847, 508.812892, 674.502244},
    {151, 680.657328, 585.196740, 791.689985},
    {152, 677.426346, 576.914654, 795.449468},
    {153, 564.717776, 476.632439, 669.081960},
    {154, 504.961631, 422.581744, 603.401005},
    {155, 437.228200, 362.935361, 526.728776},
    {156, 486.557283, 400.748500, 590.739551},
    {157, 505.241290, 407.159961, 626.949566},
    {158, 475.403646, 377.719062, 598.351126},
    {159, 522.535532, 408.881494, 667.781218},
    {160, 557.965750, 430.675015, 722.878660},
    {161, 576.303099, 438.982160, 756.580317},
    {162, 651.838521, 490.336355, 866.534683},
    {163, 757.577545, 563.060939, 1019.292401},
    {164, 746.570165, 548.506594, 1016.153710},
    {165, 623.968983, 453.353222, 858.794585},
    {166, 561.775124, 403.796385, 781.560464},
    {167, 481.210573, 342.301392, 676.490430},
    {168, 534.355691, 376.280802, 758.837557},
};

// The rows of the original-scale table: period, forecast, "Not given"
// (no standard error on the original scale), lower and upper limits.
std::vector<ReferenceRow> OriginalRows(const std::string& text) {
  std::vector<ReferenceRow> rows;
  size_t at = text.find("On the original (untransformed and undifferenced) scale");
  if (at == std::string::npos) return rows;
  at = text.find("\r\n", text.find("Period", at)) + 2;
  for (;;) {
    const size_t end = text.find("\r\n", at);
    std::istringstream line(text.substr(at, end - at));
    ReferenceRow r{};
    std::string not_, given;
    if (!(line >> r.period >> r.median >> not_ >> given >> r.lower >> r.upper) || given != "given") break;
    rows.push_back(r);
    at = end + 2;
  }
  return rows;
}

// Runs the shipped script with the seasonal order box `model` and the
// starting values `algorithm`, and checks the 24 original-scale rows.
void ExpectForecasts(const std::string& model, const std::string& algorithm, const ReferenceRow* expected) {
  const std::string source = QUORVANE_SOURCE_DIR;
  std::string script = ReadAll(source + "/examples/airline-forecast.txt");
  ASSERT_FALSE(script.empty());
  const std::string qvf = testing::TestTempPath("airline.qvf"), svg = testing::TestTempPath("airline.svg"),
                    png = testing::TestTempPath("airline.png");
  for (const std::string& path : {qvf, svg, png}) std::remove(path.c_str());
  ReplaceAll(script, "set cboSeasonalMA 1", model);
  ReplaceAll(script, "examples/airline.alg", algorithm);
  ReplaceAll(script, "examples/", source + "/examples/");
  ReplaceAll(script, "build/airline-forecast.qvf", qvf);
  ReplaceAll(script, "build/airline-forecast.svg", svg);
  ReplaceAll(script, "build/airline-forecast.png", png);

  const testing::ProgramRun run = testing::RunConsole(script, "--quiet");
  ASSERT_EQ(run.status, 0) << run.output;
  const std::string report = ReadAll(qvf);
  EXPECT_NE(report.find("On the transformed scale of the undifferenced series:"), std::string::npos);
  const std::vector<ReferenceRow> rows = OriginalRows(report);
  ASSERT_EQ(rows.size(), 24u) << report;
  for (size_t h = 0; h < rows.size(); ++h) {
    const ReferenceRow& want = expected[h];
    EXPECT_EQ(rows[h].period, want.period);
    // The minimisers stop within about 1e-4 of the exact estimates, which
    // moves the forecasts by at most 2e-5 relative; the report's four
    // decimals add 1e-7.
    EXPECT_NEAR(rows[h].median / want.median, 1.0, 5e-5) << want.period;
    EXPECT_NEAR(rows[h].lower / want.lower, 1.0, 5e-5) << want.period;
    EXPECT_NEAR(rows[h].upper / want.upper, 1.0, 5e-5) << want.period;
  }
  EXPECT_EQ(ReadAll(png).substr(1, 3), "PNG");
  for (const std::string& path : {qvf, svg, png}) std::remove(path.c_str());
}

TEST(AirlineForecastConsoleTest, AirlineModelTwoYearsOnTheOriginalScale) {
  ExpectForecasts("set cboSeasonalMA 1", "examples/airline.alg", kAirline);
}

TEST(AirlineForecastConsoleTest, SeasonalAutoregressionTwoYearsOnTheOriginalScale) {
  ExpectForecasts("set cboSeasonalAR 1", "examples/airline-sar.alg", kSeasonalAr);
}

}  // namespace
}  // namespace quorvane

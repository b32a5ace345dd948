// End to end: the shipped script fits the AR(1) with a mean to the
// presidents' approval ratings with six quarters missing, and the saved
// summary states the treatment, counts the 114 values present and gives
// the smoothed estimate of each missing quarter with its standard error.
// With "counted as zero noise" chosen in the script, the older treatment
// and its 120 values come back.
//
// The estimates were computed with numpy at the exact maximum-likelihood
// fit (phi 0.8241531, mean 56.150419, see presidents_missing_fit_test.cpp):
// the conditional mean mu + G_mo G_oo^-1 (x_o - mu) and variance
// G_mm - G_mo G_oo^-1 G_om of the missing quarters given the 114 present,
// G(s, t) = phi^|s - t| / (1 - phi^2), the variance times
// sigma^2 = e' G_oo^-1 e / 114.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "support/console_run.h"

namespace quorvane {
namespace {

using testing::ReadAll;
using testing::ReplaceAll;

struct Estimate {
  int period;
  double mean, se;
};

const Estimate kEstimates[] = {
    {1, 81.57519707741268, 9.2449251667947},    {15, 49.13952641170352, 8.188278354625323},
    {16, 59.016004971755336, 8.188278354625325}, {31, 32.44471756302807, 7.134253239998944},
    {111, 63.045797838999704, 8.188278354625325}, {112, 65.3503095030118, 8.18827835462532},
};

std::string RunScript(const std::string& extra) {
  const std::string source = QUORVANE_SOURCE_DIR;
  std::string script = ReadAll(source + "/examples/presidents-ar1.txt");
  EXPECT_FALSE(script.empty());
  const std::string qvo = testing::TestTempPath("presidents.qvo"), cov = testing::TestTempPath("presidents.cov");
  for (const std::string& path : {qvo, cov}) std::remove(path.c_str());
  ReplaceAll(script, "click cmdDone", extra + "click cmdDone");
  ReplaceAll(script, "examples/", source + "/examples/");
  ReplaceAll(script, "build/presidents-ar1.qvo", qvo);
  ReplaceAll(script, "build/presidents-ar1.cov", cov);
  const testing::ProgramRun run = testing::RunConsole(script, "--quiet");
  EXPECT_EQ(run.status, 0) << run.output;
  std::string report = ReadAll(qvo);
  for (const std::string& path : {qvo, cov}) std::remove(path.c_str());
  return report;
}

TEST(MissingValuesConsoleTest, SummaryStatesTheTreatmentAndEstimatesTheMissingQuarters) {
  const std::string report = RunScript("");
  ASSERT_FALSE(report.empty());
  EXPECT_NE(report.find("Missing values: exact likelihood of the values present (the set-up's choice)."),
            std::string::npos);
  EXPECT_NE(report.find("Time periods in each response series is:    114"), std::string::npos);
  // The exact fit's -ln[L], 255.13328 (presidents_missing_fit_test.cpp), to the four decimals shown.
  EXPECT_NE(report.find("The objective function minimum is:             255.1333"), std::string::npos);
  // The table of the values as read holds the estimates, marked.
  EXPECT_NE(report.find("      1,    81.57"), std::string::npos) << report;
  const size_t table = report.find("Estimates of the missing response values");
  ASSERT_NE(table, std::string::npos);
  std::istringstream lines(report.substr(report.find("\r\n", report.find("Time,Series,Estimate,SE", table)) + 2));
  for (const Estimate& want : kEstimates) {
    std::string line;
    ASSERT_TRUE(std::getline(lines, line));
    ReplaceAll(line, ",", " ");
    std::istringstream fields(line);
    int period = 0;
    std::string name;
    double mean = 0, se = 0;
    ASSERT_TRUE(fields >> period >> name >> mean >> se) << line;
    EXPECT_EQ(period, want.period);
    // The minimisers stop within about 1e-4 of the exact phi and 1e-2 of
    // the mean, which moves the estimates by less than 0.01.
    EXPECT_NEAR(mean, want.mean, 0.02) << want.period;
    EXPECT_NEAR(se, want.se, 0.01) << want.period;
  }
}

TEST(MissingValuesConsoleTest, ZeroNoiseChoiceCountsEveryQuarter) {
  const std::string report = RunScript("set cboMissing counted as zero noise\n");
  ASSERT_FALSE(report.empty());
  EXPECT_NE(report.find("Missing values: counted as zero noise (the set-up's choice)."), std::string::npos);
  EXPECT_NE(report.find("This analysis replaced 6 missing response series values by the predicted group mean"),
            std::string::npos);
  EXPECT_NE(report.find("Time periods in each response series is:    120"), std::string::npos);
  EXPECT_EQ(report.find("Estimates of the missing response values"), std::string::npos);
}

}  // namespace
}  // namespace quorvane

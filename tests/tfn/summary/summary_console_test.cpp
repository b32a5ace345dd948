// End to end: the console program sets up the Nile example, edits a few
// values, writes the results summary and saves it.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "base/files/text_file.h"
#include "support/console_run.h"
#include "tfn/summary/summary_fixture.h"

namespace quorvane {
namespace {

TEST(SummaryConsoleTest, WritesAndSavesTheSummaryOfTheNileSetUp) {
  const std::string saved = testing::TestTempPath("nile.qvo");
  std::remove(saved.c_str());
  const std::string script =
      "click cmdInitialize\n"
      "set txtResDataInput " + std::string(QUORVANE_SOURCE_DIR) + "/examples/nile.dat\n"
      "set cboResStartTimePeriod 1871\n"
      "set cboResEndTimePeriod 1970\n"
      "set cboIntervention1 1\n"
      "set cboARMA 1\n"
      "click cmdDone\n"
      "click cmdLoadAlg\n"
      "no\n"
      "click cmdEditAlg\n"
      // Phi( 1) as a logit, the intercept, and a step of -250 from 1899.
      "dblclick grdVS 1 1\nset txtCell 0.5\ndblclick grdVS 1 2\nset txtCell 0.1\n"
      "dblclick grdVS 3 1\nset txtCell 1100\ndblclick grdVS 3 2\nset txtCell 10\n"
      // A typed value frees its parameter: the start and the code stay fixed.
      "dblclick grdVS 4 1\nset txtCell 1899\ndblclick grdVS 4 2\nset txtCell 0\n"
      "dblclick grdVS 5 1\nset txtCell 1\ndblclick grdVS 5 2\nset txtCell 0\n"
      "dblclick grdVS 6 1\nset txtCell -250\ndblclick grdVS 6 2\nset txtCell 10\n"
      "click cmdFinish\n"
      "click cmdUserSummary\n"
      "no\n"  // no plots
      "click cmdSaveSummary\n" +
      saved + "\n"
      "close\n"
      "click cmdQuit\nyes\nno\n";
  const testing::ProgramRun run = testing::RunConsole(script);
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("[View plots?] Do you want to see summary plots of the time series fits?"),
            std::string::npos);

  std::string error;
  const auto lines = ReadTextLines(saved, error);
  ASSERT_TRUE(lines) << error;
  ASSERT_GT(lines->size(), 500u);
  EXPECT_EQ((*lines)[0], "Originally saved with the file name: ");
  EXPECT_EQ((*lines)[1], saved);
  EXPECT_EQ((*lines)[2], "");
  EXPECT_EQ((*lines)[3], "Simultaneous Time Series ARIMA, Intervention and/or TFN Analysis Results:");
  const auto has = [&](const std::string& line) {
    for (const auto& l : *lines)
      if (l.rfind(line, 0) == 0) return true;
    return false;
  };
  EXPECT_TRUE(has("This is an analysis of 1 non-differenced response series for the time periods: 1871 to 1970"));
  EXPECT_TRUE(has("The number of free parameters is:" + std::string(21, ' ') + "3"));
  EXPECT_TRUE(has("         0.2449    Logit[Phi( 1) [0; -1 < Phi < +1]]"));
  EXPECT_TRUE(has("   1970,"));
  std::remove(saved.c_str());
}

// Front and Rear seat casualties as one group, first differences, the
// inter-series covariance removed: the period mean of the differences is
// taken out, and the fit is an ordinary one.
TEST(SummaryConsoleTest, FlatteningFirstDifferencesRemovesTheirPeriodMeans) {
  const testing::ProgramRun run = testing::RunConsole(
      "click cmdInitialize\n"
      "set txtResDataInput examples/seatbelts.dat\n"
      "set cboResStartTimePeriod 1\n"
      "set cboResEndTimePeriod 192\n"
      "set cboLastResSeries 2\n"
      "set cboOrdinal1E 2\n"
      "set cboResDiff 1\n"
      "set cboResFlat Y\n"
      "set cboARMA 1\n"
      "uncheck chkARMALogit\n"
      "click cmdDone\n"
      "click cmdLoadAlg\n"
      "no\n"
      "click cmdEditAlg\n"
      "dblclick grdVS 1 1\nset txtCell 0.3\n"  // Phi( 1)
      "dblclick grdVS 3 1\nset txtCell 1\n"    // the intercept
      "click cmdFinish\n"
      "click cmdSimplex\n"
      "click cmdUserSummary\n"
      "no\n"
      "close\n"
      "click cmdQuit\nyes\nno\n",
      "", QUORVANE_SOURCE_DIR);
  ASSERT_EQ(run.status, 0) << run.output;
  // Periods 1 to 3: Front 867, 825, 806 and Rear 269, 265, 319. First
  // differences: Front -42, -19 and Rear -4, 54, with the means -23 and 17.5.
  const auto table = run.output.find(
      "The possibly differenced, flattened and/or transformed response series data:");
  ASSERT_NE(table, std::string::npos) << run.output;
  EXPECT_NE(run.output.find("Time,Front,Rear\n      1,     Missing,     Missing\n"
                            "      2,    -19.0000,     19.0000\n"
                            "      3,    -36.5000,     36.5000\n",
                            table),
            std::string::npos)
      << run.output.substr(table, 300);
  const double r2 = std::stod(testing::ValueAfter(run.output, "The r^2 of the model is:"));
  EXPECT_GE(r2, 0.0);
  EXPECT_LE(r2, 1.0);
  EXPECT_GE(std::stod(testing::ValueAfter(run.output, "The Model SS is:")), 0.0);
}

}  // namespace
}  // namespace quorvane

#include "evaluate/evaluation_series_csv.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(EvaluationSeriesCsvTest, OneRowPerPointAtFullPrecision) {
  EvaluationSeries s;
  s.ProfilePointCount = 3;
  s.SizeSeries(3);
  for (int p = 1; p <= 3; ++p) {
    const auto k = static_cast<size_t>(p);
    s.ProfileValues[k] = 0.1 * p;
    s.ProfileObjective[k] = 1.0 / 3.0 * (p - 2) * (p - 2);
    s.ProfilePdf[k] = p == 2 ? 0.5 : 0.25;
    s.ProfileCumulative[k] = 0.25 * p;
    s.ModeRegion[k] = p == 2 ? 0.0 : 0.75;
    s.MeanRegion[k] = p == 2 ? 0.125 : 0.75;
    s.NormalPdf[k] = 1e-300 * p;
  }
  EXPECT_EQ(EvaluationSeriesCsv(s),
            "Point,Value,-ln[L],PDF,Cumulative,CI on mode,CI on mean,Normal PDF\r\n"
            "1,0.1,0.3333333333333333,0.25,0.25,0.75,0.75,1e-300\r\n"
            "2,0.2,0,0.5,0.5,0,0.125,2e-300\r\n"
            "3,0.30000000000000004,0.3333333333333333,0.25,0.75,0.75,0.75,3e-300\r\n");
}

}  // namespace
}  // namespace quorvane

#include <cstdio>

#include "app/session.h"
#include "base/files/text_file.h"
#include "evaluate/evaluation_windows.h"
#include "support/scripted_ui.h"

namespace quorvane {
namespace {

// The window exports the series of the report it shows, even after a later
// run has replaced the session's series.
TEST(EvaluationSeriesCsvTest, TheStatisticsWindowExportsTheSeriesOfItsReport) {
  testing::ScriptedUi ui;
  Session session(ui, nullptr);
  session.Start();
  session.Evaluation.ProfilePointCount = 3;
  session.Evaluation.SizeSeries(3);
  session.Evaluation.ProfileValues = {0, 1.5, 2.5, 3.5};
  const std::string expected = EvaluationSeriesCsv(session.Evaluation);
  session.EvaluationViews().ShowStatistics("report");
  session.Evaluation.ProfileValues = {0, 9, 9, 9};

  const std::string path = ::testing::TempDir() + "quorvane_profile_series.csv";
  std::remove(path.c_str());
  ui.File(path);
  session.EvaluationViews().Statistics().Click("cmdExportCsv");
  EXPECT_EQ(ui.FileRequests.back().title, "Export the profile series as CSV");
  std::string error;
  const auto lines = ReadTextLines(path, error);
  ASSERT_TRUE(lines) << error;
  EXPECT_EQ(JoinCrLf(*lines), expected);
  std::remove(path.c_str());
}

}  // namespace
}  // namespace quorvane

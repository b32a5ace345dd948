#include "evaluate/profile_report.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "base/files/text_file.h"
#include "evaluate/evaluation_windows.h"
#include "evaluate/profile_points.h"
#include "app/session.h"
#include "support/scripted_ui.h"

namespace quorvane {
namespace {

EvaluationSeries ThreePoints() {
  EvaluationSeries s;
  s.ProfilePointCount = 3;
  s.SizeSeries(3);
  s.ProfileValues = {0.0, 1.0, 2.0, 3.0};
  s.ProfileObjective = {0.0, 0.5, 0.0, 0.5};
  s.ProfilePdf = {0.0, 0.25, 0.5, 0.25};
  s.ModeRegion = {0.0, 1.0, 0.0, 1.0};
  s.MeanRegion = {0.0, 1.0, 0.0, 1.0};
  s.NormalPdf = {0.0, 0.2, 0.4, 0.2};
  s.BestPoint = 2;
  s.BestValue = 2.0;
  s.ExpectedValue = -2.5;
  s.EstimatedDiff = 4.5;
  s.EstimatedSE = 0.75;
  return s;
}

TEST(ProfileReportTest, HasTheColumnHeadsRowsAndFiveClosingLines) {
  const std::string text = WriteProfileReport(ThreePoints());
  const std::string expected =
      "Maximum-likelihood confidence distribution data\r\n"
      "\r\n"
      "  Point       Value         -ln[L]           PDF        CI on mode     CI on mean     Normal PDF\r\n"
      "    1     1.0000E+000    5.0000E-001    2.5000E-001    1.0000E+000    1.0000E+000    2.0000E-001   \r\n"
      "    2     2.0000E+000    0.0000E+000    5.0000E-001    0.0000E+000    0.0000E+000    4.0000E-001   \r\n"
      "    3     3.0000E+000    5.0000E-001    2.5000E-001    1.0000E+000    1.0000E+000    2.0000E-001   \r\n"
      "\r\n"
      "Max Likelihood:  2.0000E+000   \r\n"
      "Expected Value: -2.5000E+000   \r\n"
      "Estimated Diff:  4.5000E+000   \r\n"
      "Percent Diff:   -1.8000E+002   \r\n"  // negative with a negative expected value
      "Estimated SE:    7.5000E-001   \r\n";
  EXPECT_EQ(text, expected);
  // The posterior report shares the layout under its own heading.
  EXPECT_EQ(WriteProfileReport(ThreePoints(), "Bayesian posterior distribution data").substr(0, 38),
            "Bayesian posterior distribution data\r\n");
}

TEST(ProfileReportTest, AnExpectedValueOfZeroHasNoPercentDifference) {
  EvaluationSeries s = ThreePoints();
  s.ExpectedValue = 0.0;
  EXPECT_NE(WriteProfileReport(s).find("\r\nPercent Diff:   " "   Undefined   " "\r\n"), std::string::npos);
}

TEST(ProfileReportTest, SavingWritesThePaneUnderItsOriginalName) {
  testing::ScriptedUi ui;
  Session session(ui, nullptr);
  session.Start();
  EvaluationWindows& windows = session.EvaluationViews();
  windows.ShowStatistics(WriteProfileReport(ThreePoints()));
  const std::string path = ::testing::TempDir() + "quorvane_profile_report.mlc";
  std::remove(path.c_str());

  ui.File(std::nullopt);  // cancelled: nothing happens
  windows.Statistics().Click("cmdSaveML");
  ui.File(path);
  windows.Statistics().Click("cmdSaveML");
  ASSERT_EQ(ui.FileRequests.size(), 2u);
  EXPECT_EQ(ui.FileRequests[0].title, "Save maximum-likelihood values in...");
  EXPECT_EQ(ui.FileRequests[0].filter, "All files (*.*)|*.*|Max-like files (*.mlc)|*.mlc");
  EXPECT_EQ(ui.FileRequests[0].filterIndex, 2);
  EXPECT_EQ(ui.FileRequests[0].proposedName.size(), 12u);  // mmddhhmm.mlc

  std::string error;
  const auto lines = ReadTextLines(path, error);
  ASSERT_TRUE(lines) << error;
  ASSERT_EQ(lines->size(), 2u + 3u + 3u + 6u);
  EXPECT_EQ((*lines)[0], "Originally saved with the file name: " + path);
  EXPECT_EQ((*lines)[1], "");
  EXPECT_EQ((*lines)[2], "Maximum-likelihood confidence distribution data");
  EXPECT_EQ((*lines)[13], "Estimated SE:    7.5000E-001   ");
  // The pane now shows what was saved, CR LF throughout.
  std::string bytes;
  for (const auto& line : *lines) bytes += line + "\r\n";
  EXPECT_EQ(windows.Statistics().Text("rtbMaxLike"), bytes);
  std::remove(path.c_str());
}

TEST(ProfilePointsTest, TheAnswerForThePointCount) {
  struct Case { double answer; std::optional<int> n; };
  const Case cases[] = {{0, 25}, {1, 3}, {2, 3}, {4, 5}, {100, 101}, {1001, 1001}, {1002, std::nullopt},
                        {-1, std::nullopt}, {2.5, 3}, {3.5, 5}};
  for (const Case& c : cases) EXPECT_EQ(ProfilePointCountFromAnswer(c.answer), c.n) << c.answer;
}

TEST(ProfilePointsTest, AStopKeepsAnOddNumberOfPointsUpToTwoBefore) {
  EXPECT_EQ(KeptPointsAfterStop(6), 3);
  EXPECT_EQ(KeptPointsAfterStop(7), 5);
  EXPECT_LT(KeptPointsAfterStop(4), 3);
  EXPECT_LT(KeptPointsAfterStop(1), 3);
}

TEST(ProfilePointsTest, RemainingTimeInMinutesAndSeconds) {
  EXPECT_EQ(EstimateRemainingTime(10.0, 2, 27).Text(), "2:05");  // 5 s a point, 25 left
  EXPECT_EQ(EstimateRemainingTime(1.0, 1, 72).Text(), "1:11");
  EXPECT_EQ(EstimateRemainingTime(0.5, 1, 2).Text(), "0:00");     // 0.5 rounds to even 0
}

}  // namespace
}  // namespace quorvane

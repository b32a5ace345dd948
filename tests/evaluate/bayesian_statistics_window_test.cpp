#include "evaluate/bayesian_statistics_window.h"

#include <gtest/gtest.h>

#include "app/session.h"
#include "base/files/text_file.h"
#include "evaluate/evaluation_series.h"
#include "evaluate/posterior_report.h"
#include "support/scripted_ui.h"

namespace quorvane {
namespace {

TEST(PosteriorReportTest, LayoutOfTheReport) {
  EvaluationSeries s;
  s.SizeSeries(3);
  s.ProfilePointCount = 3;
  s.ProfileValues = {0, 1.5, 2.0, 2.5};
  s.ProfileObjective = {0, 0.5, 0, 0.5};
  s.BestValue = 2.0;
  s.ExpectedValue = 0.0;  // the percent difference cannot be divided
  s.EstimatedDiff = 2.0;
  s.EstimatedSE = 0.25;
  const std::string text = PosteriorReportText(s);
  EXPECT_TRUE(text.starts_with(
      "Bayesian posterior distribution data\r\n\r\n"
      "  Point       Value         -ln[L]           PDF        CI on mode     CI on mean     Normal PDF\r\n"
      "    1     1.5000E+000    5.0000E-001    0.0000E+000    0.0000E+000    0.0000E+000    0.0000E+000   \r\n"));
  EXPECT_TRUE(text.ends_with("\r\nMax Likelihood:  2.0000E+000   \r\n"
                             "Expected Value:  0.0000E+000   \r\n"
                             "Estimated Diff:  2.0000E+000   \r\n"
                             "Percent Diff:   Undefined\r\n"
                             "Estimated SE:    2.5000E-001   \r\n"))
      << text;
}

TEST(BayesianStatisticsWindowTest, SavesThePaneAsAPosFile) {
  testing::ScriptedUi ui;
  Session session(ui, nullptr);
  BayesianStatisticsWindow& window = session.BayesianView();
  window.ShowReport("Bayesian posterior distribution data\r\n");
  const std::string path = ::testing::TempDir() + "quorvane_bayesian_report.pos";
  ui.File(std::nullopt).File(path);
  window.form().Click("cmdSaveBayesian");  // cancelled: nothing changes
  EXPECT_EQ(window.form().Text("rtbBayesian"), "Bayesian posterior distribution data\r\n");
  window.form().Click("cmdSaveBayesian");
  EXPECT_EQ(ui.FileRequests.back().title, "Save Bayesian posterior values in...");
  EXPECT_EQ(ui.FileRequests.back().filter, "All files (*.*)|*.*|Bayesian posterior files (*.pos)|*.pos");
  EXPECT_EQ(ui.FileRequests.back().filterIndex, 2);
  std::string error;
  const auto lines = ReadTextLines(path, error);
  ASSERT_TRUE(lines) << error;
  ASSERT_EQ(lines->size(), 3u);
  EXPECT_EQ((*lines)[0], "Originally saved with the file name: " + path);
  EXPECT_EQ((*lines)[2], "Bayesian posterior distribution data");
  // The interrupt command of the window is enabled only while a grid runs,
  // and then sets the posterior's flag.
  EXPECT_FALSE(window.form().FindMenu("mnuInterruptBayesianGrid")->enabled);
  window.SetInterruptEnabled(true);
  window.form().ClickMenuItem("mnuInterruptBayesianGrid");
  EXPECT_TRUE(session.State.PosteriorInterrupt);
}

}  // namespace
}  // namespace quorvane

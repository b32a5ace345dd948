// The summary window: the report, the plot question, the status panel and
// saving the report.
#include "tfn/summary/summary_window.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/files/text_file.h"
#include "tfn/series_file_fixture.h"
#include "tfn/summary/summary_fixture.h"

namespace quorvane {
namespace {

// One series, periods 1..12, a level around 10 with noise.
TfnSetup SmallSetup() {
  std::vector<std::vector<std::string>> rows = {{"T", "Y"}};
  const double y[] = {10, 12, 9, 11, 13, 10, 8, 12, 11, 9, 14, 10};
  for (int t = 1; t <= 12; ++t) rows.push_back({std::to_string(t), std::to_string(static_cast<int>(y[t - 1]))});
  TfnSetup s;
  s.Response = {testing::SeriesFile("small.dat", rows), 1, 12, 1, 1, 0, SeriesTransformation::None, 1, 0};
  s.GroupFirst[0] = s.GroupLast[0] = 1;
  s.LagOrder = 1;
  s.EstimateLogits = false;
  return s;
}

class SummaryWindowTest : public testing::SummarySession {
 protected:
  void SetUp() override {
    SetUpModel(SmallSetup());
    session_.State.DataFileTitle = "small";
  }
  Form& window() { return app_.Summary().form(); }
  std::string TempPath(const std::string& name) {
    return ::testing::TempDir() + "quorvane_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" + name;
  }
};

TEST_F(SummaryWindowTest, EvaluatesThenReportsAndAsksAboutPlots) {
  Set(layout_.Phi(1), 0.2, 0.1);
  Set(layout_.Intercept(1), 10.0, 0.5);
  std::string panelDuringEvaluation;
  ui_.onPump = [&] {
    if (panelDuringEvaluation.empty()) panelDuringEvaluation = ui_.StatusPanels[{5, 1}];
  };
  // Yes to the plots opens the XY plot window on the fit; the user quits it.
  std::string plotPage;
  int plotColumns = 0;
  ui_.Answer(Answer::Yes).Then([&] {
    for (Form* form : ui_.OpenForms)
      if (form->Name() == "frmXYPlot") {
        plotPage = form->Get("lblGraphPage").caption;
        plotColumns = session_.Plots.ColumnCount;
        form->Click("cmdCancel");
      }
  });
  session_.Menu().SingleModelResults();

  EXPECT_EQ(panelDuringEvaluation, "One moment please while one function call is executed...");
  EXPECT_TRUE(window().IsOpen());
  EXPECT_EQ(Text().rfind("Simultaneous Time Series ARIMA, Intervention and/or TFN Analysis Results:\r\n", 0), 0u);
  EXPECT_EQ((ui_.StatusPanels[{5, 1}]), "Summary complete");
  ASSERT_GE(ui_.Log.size(), 1u);
  const auto& question = ui_.Log.back();
  EXPECT_EQ(question.service, "AskYesNo");
  EXPECT_EQ(question.title, "View plots?");
  EXPECT_EQ(question.text, "Do you want to see summary plots of the time series fits?");
  EXPECT_EQ(plotPage, "Page:  Observed, predicted and residuals for possibly differenced, "
                      "flattened and/or transformed time series data ");
  EXPECT_EQ(plotColumns, 8);
  EXPECT_FALSE(ui_.IsOpen("frmXYPlot"));
  ASSERT_TRUE(app_.Summary().Results());
  EXPECT_EQ(app_.Summary().Results()->BackTransformed.Fit.EndPeriod(), 12);

  ui_.CloseForm(window());
  EXPECT_TRUE(session_.Menu().form().IsOpen());
}

TEST_F(SummaryWindowTest, NothingEvaluatedSinceTheSetUpHasNothingToReport) {
  session_.Menu().SingleModelResults();  // every value zero: no evaluation
  EXPECT_FALSE(model().Best().Kept);
  EXPECT_NE(Text().find("The model has not been evaluated since it was initialized, so there are no "
                        "results to summarize."),
            std::string::npos);
  EXPECT_TRUE(ui_.Questions().empty());  // no plots to offer
  EXPECT_FALSE(app_.Summary().Results());
}

TEST_F(SummaryWindowTest, SavingPutsTheFileNameFirstAndEndsLinesWithCrLf) {
  Set(layout_.Intercept(1), 10.0, 0.5);
  Summarize();
  window().SetText("rtbOut", "Edited first line\nsecond line\r\n");  // as a user may leave it
  const std::string path = TempPath("summary.qvo");
  ui_.File(path);
  window().Click("cmdSaveSummary");

  const FileDialogRequest& request = ui_.FileRequests.back();
  EXPECT_EQ(request.title, "Save summary in...");
  EXPECT_EQ(request.filter,
            "All files (*.*)|*.*|Output files (*.qvo)|*.qvo|Named for data file (small.*)|small.*|");
  EXPECT_EQ(request.filterIndex, 2);
  EXPECT_EQ(request.proposedName, "KAVRO_Model_Results.qvo");
  std::string error;
  const auto lines = ReadTextLines(path, error);
  ASSERT_TRUE(lines) << error;
  EXPECT_EQ(*lines, (std::vector<std::string>{"Originally saved with the file name: ", path, "",
                                              "Edited first line", "second line"}));
  const std::string expected = "Originally saved with the file name: \r\n" + path +
                               "\r\n\r\nEdited first line\r\nsecond line\r\n";
  EXPECT_EQ(window().Text("rtbOut"), expected);
  EXPECT_EQ(std::filesystem::file_size(path), expected.size());  // CR LF in the file too
  std::filesystem::remove(path);
}

TEST_F(SummaryWindowTest, AFailedOrCancelledSaveLeavesTheWindowAsItWas) {
  Set(layout_.Intercept(1), 10.0, 0.5);
  const std::string report = Summarize();
  ui_.File(std::nullopt);
  window().Click("cmdSaveSummary");
  EXPECT_EQ(Text(), report);

  ui_.File("/nonexistent-folder/summary.qvo");
  window().Click("cmdSaveSummary");
  EXPECT_EQ(Text(), report);
  EXPECT_EQ(ui_.Log.back().title, "Summary not saved");
  EXPECT_EQ(ui_.Log.back().icon, Icon::Exclamation);
  EXPECT_EQ(ui_.Log.back().text.rfind("The summary could not be saved in /nonexistent-folder/summary.qvo.", 0), 0u);
}

}  // namespace
}  // namespace quorvane

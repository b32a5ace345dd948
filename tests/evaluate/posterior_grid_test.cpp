#include "evaluate/posterior_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "app/main_window.h"
#include "app/session.h"
#include "base/files/text_file.h"
#include "core/algorithm_editor.h"
#include "core/model_set_up.h"
#include "evaluate/bayesian_statistics_window.h"
#include "evaluate/bivariate_normal_model.h"
#include "support/scripted_ui.h"

namespace quorvane {
namespace {

using testing::BivariateNormalModel;
using M = BivariateNormalModel;

constexpr const char* kTitle = "Bayesian parameter estimate evaluation";

// A session on the bivariate normal model with eight parameters, all at
// their means and fixed; each test frees the ones it needs.
class PosteriorGridTest : public ::testing::Test {
 protected:
  PosteriorGridTest() : model_(8), session_(ui_, &model_) {
    session_.Start();
    // The calculation alone: the plot windows are tested on their own.
    session_.ShowDistributionPlots = nullptr;
    session_.ShowBivariatePlot = nullptr;
    SetUpModel(session_);
    data().Values[1] = M::Mean1;
    data().Values[2] = M::Mean2;
  }

  AlgorithmData& data() { return session_.Algorithm; }

  // Answers up to and including the editor: continue, the parameter, its
  // points, the grid points when asked, then the user finishes editing.
  // After a run with results the stored ones are offered first; `again`
  // answers that the integrations are to be done anew.
  void Answer(const std::string& parameter, const std::string& points,
              const std::string& gridPoints = "", bool again = false) {
    ui_.Answer(quorvane::Answer::Yes);
    if (again) ui_.Answer(quorvane::Answer::Yes);
    ui_.Value(parameter).Value(points);
    if (!gridPoints.empty()) ui_.Value(gridPoints);
    FinishEditing();
  }
  void FinishEditing() {
    ui_.Then([this] { session_.Editor().Finish(); });
  }

  std::string Report() { return session_.BayesianView().form().Text("rtbBayesian"); }
  // Whether the panel ever showed a text (the exit clears bars 3 and 5).
  bool Panel(int bar, int panel) {
    for (const auto& shown : panelTexts_)
      if (shown.first == std::make_pair(bar, panel) && !shown.second.empty()) return true;
    return false;
  }

  std::string TempPath(const std::string& name) const {
    return ::testing::TempDir() + "quorvane_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" + name;
  }

  testing::ScriptedUi ui_;
  BivariateNormalModel model_;
  Session session_;
  bool confirmed_ = false;
  std::vector<std::pair<std::pair<int, int>, std::string>> panelTexts_;
};

TEST_F(PosteriorGridTest, MarginalPosteriorOfABivariateNormal) {
  // Parameter 1 over its mean +- 5 SD at 101 points, parameter 2 over its
  // mean +- 8 SD at 81 points. The Simpson sums of a Gaussian over +- 5 SD
  // lose less than 3e-5 of the SD; the grid sums at a fifth of an SD are
  // exact far below that.
  data().Steps[1] = 10 * M::Sd1 / 100;
  data().Steps[2] = 16 * M::Sd2 / 80;
  Answer("1", "101", "81");
  ui_.Answer(quorvane::Answer::No);  // no bivariate plot
  RunPosteriorGrid(session_);
  const auto& series = session_.Evaluation;
  ASSERT_EQ(series.ProfilePointCount, 101);
  EXPECT_NEAR(series.ExpectedValue, M::Mean1, 1e-3);
  EXPECT_NEAR(series.EstimatedSE, M::Sd1, 1e-3);
  EXPECT_TRUE(Report().starts_with("Bayesian posterior distribution data\r\n\r\n"));
  // The grid parameter keeps its value; the evaluated one its step.
  EXPECT_DOUBLE_EQ(data().Values[2], M::Mean2);
  EXPECT_DOUBLE_EQ(data().Steps[1], 10 * M::Sd1 / 100);
  EXPECT_FALSE(session_.State.PosteriorMode);
  EXPECT_TRUE(ui_.Showed("Your algorithm file may have been automatically edited"));
}

TEST_F(PosteriorGridTest, ScaleIsFixedOnceSoNegativeOrUnscaledObjectivesGiveTheSamePosterior) {
  // -ln[L] negative at the optimum, and a model without a constant whose
  // objective is taken as a sum of squares: the one scale of the run,
  // 2 F0 / (NOBS - k - 1), only widens the posterior by 1/sqrt(scale).
  struct Case {
    double offset;
    bool constant;
    double sd;
  } cases[] = {
      {-100.0, true, M::Sd1},
      {10.0, false, M::Sd1 * std::sqrt(2 * 10.0 / (50 - 1 - 1))},
  };
  for (const Case& c : cases) {
    model_.Offset = c.offset;
    model_.SuggestsConstant = c.constant;
    data().Steps[1] = 10 * c.sd / 100;
    data().Steps[2] = 16 * M::Sd2 * c.sd / M::Sd1 / 80;
    Answer("1", "101", "81", /*again=*/&c != &cases[0]);
    ui_.Answer(quorvane::Answer::No);
    RunPosteriorGrid(session_);
    EXPECT_FALSE(ui_.Showed("Cannot accept a negative or zero constant; perhaps the degrees of freedom are zero or fewer"));
    EXPECT_NEAR(session_.Evaluation.ExpectedValue, M::Mean1, 1e-3) << c.offset;
    EXPECT_NEAR(session_.Evaluation.EstimatedSE, c.sd, 1e-3) << c.offset;
  }
}

TEST_F(PosteriorGridTest, OnlyTheEvaluatedParameterFree) {
  data().Steps[1] = 0.1;
  Answer("1", "5");
  ui_.onPump = [this] {
    for (const auto& [key, text] : ui_.StatusPanels) panelTexts_.push_back({key, text});
  };
  RunPosteriorGrid(session_);
  EXPECT_EQ(session_.Evaluation.ProfilePointCount, 5);
  EXPECT_FALSE(Panel(2, 1) || Panel(3, 1));
  EXPECT_EQ((ui_.StatusPanels[{4, 1}]), "Function calls remaining:  0");
  for (const auto& question : ui_.Questions()) EXPECT_EQ(question.find("bivariate"), std::string::npos);
  EXPECT_NEAR(session_.Evaluation.ProfileValues[5] - session_.Evaluation.ProfileValues[1], 0.4, 1e-12);
}

TEST_F(PosteriorGridTest, FiveByThreeGridGivesFifteenEvaluationsAndItsGrdFile) {
  data().Steps[1] = 0.1;
  data().Steps[2] = 0.5;
  const std::string path = TempPath("grid.grd");
  Answer("1", "5", "3");
  ui_.Answer(quorvane::Answer::Yes).File(path);
  RunPosteriorGrid(session_);
  EXPECT_EQ((ui_.StatusPanels[{2, 1}]), "15 function calls required");
  EXPECT_EQ((ui_.StatusPanels[{4, 1}]), "Function calls remaining:  0");
  EXPECT_TRUE(ui_.Showed("Do you want to view a bivariate plot of parameters 1 and 2?"));
  const BivariateGrid& grid = session_.Bivariate;
  EXPECT_EQ(grid.PointCount(), 5);
  EXPECT_EQ(grid.GridPointCount(), 3);
  std::string error;
  const auto lines = ReadTextLines(path, error);
  ASSERT_TRUE(lines) << error;
  EXPECT_EQ(lines->size(), 2u + 15u);
  EXPECT_EQ(lines->front(), "Bivariate plot data for parameters 1 and 2 ");
}

TEST_F(PosteriorGridTest, SetUpRefusals) {
  // Seven grid parameters are refused only after the editor has closed.
  for (int i = 1; i <= 8; ++i) data().Steps[i] = 0.1;
  Answer("1", "5", "3");
  RunPosteriorGrid(session_);
  EXPECT_TRUE(ui_.Showed("Too many free parameters - maximum is 6"));
  EXPECT_TRUE(ui_.Showed("Algorithm data, if changed, have been updated"));
  EXPECT_EQ(session_.Evaluation.ProfilePointCount, 0);
  EXPECT_DOUBLE_EQ(data().Steps[1], 0.1);

  // 101 points with four grid parameters at 101: 101^5 evaluations.
  for (int i = 6; i <= 8; ++i) data().Steps[i] = 0.0;
  ui_.Answer(quorvane::Answer::Yes).Value("1").Value("101").Value("101");
  RunPosteriorGrid(session_);
  EXPECT_TRUE(ui_.Showed(
      "Required number of function calls exceeds the maximum allowed of 2147483647.\r\n"
      "Correct this by reducing the number of free parameters or the grid resolution"));
  EXPECT_FALSE(session_.Editor().form().IsOpen());
}

TEST_F(PosteriorGridTest, ZeroPointsReturnToTheParameterQuestion) {
  data().Steps[1] = 0.1;
  ui_.Answer(quorvane::Answer::Yes).Value("1").Value("0").Value("");
  RunPosteriorGrid(session_);
  int asked = 0;
  for (const auto& question : ui_.Questions())
    if (question.starts_with("Choose the parameter number to be evaluated or Quit: ")) ++asked;
  EXPECT_EQ(asked, 2);
  EXPECT_FALSE(session_.State.PosteriorMode);
}

TEST_F(PosteriorGridTest, AnInterruptKeepsThePointsUpToTwoBeforeIt) {
  data().Steps[1] = 0.1;
  data().Steps[2] = 0.5;
  Answer("1", "9", "3");
  // The user interrupts during point 7 and confirms.
  const auto windowInterrupt = [this] {
    return session_.BayesianView().form().FindMenu("mnuInterruptBayesianGrid")->enabled;
  };
  bool windowInterruptWhileRunning = false;
  ui_.onPump = [&, this] {
    if (ui_.StatusPanels[{5, 1}].find("(point 7 of") != std::string::npos &&
        !session_.State.PosteriorInterrupt && !confirmed_) {
      windowInterruptWhileRunning = windowInterrupt();
      session_.Main().form().ClickMenuItem("mnuBayesianInt");
      confirmed_ = true;
    }
  };
  ui_.Answer(quorvane::Answer::Yes);  // quit calculations
  ui_.Answer(quorvane::Answer::No);   // no bivariate plot
  RunPosteriorGrid(session_);
  EXPECT_TRUE(ui_.Showed("Interrupt received.  Quit calculations?"));
  EXPECT_EQ(session_.Evaluation.ProfilePointCount, 5);
  EXPECT_FALSE(session_.State.PosteriorInterrupt);
  // The interrupt commands are there while the grid runs, and only then.
  EXPECT_TRUE(windowInterruptWhileRunning);
  EXPECT_FALSE(windowInterrupt());
  EXPECT_FALSE(session_.Main().form().FindMenu("mnuBayesianInt")->visible);
}

}  // namespace
}  // namespace quorvane

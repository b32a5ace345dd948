#include "evaluate/likelihood_profile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/algorithm_editor.h"
#include "core/free_parameter_list.h"
#include "core/fuse_groups.h"
#include "core/model_set_up.h"
#include "evaluate/evaluation_windows.h"
#include "evaluate/gaussian_model.h"
#include "app/main_window.h"
#include "app/session.h"
#include "support/scripted_ui.h"

namespace quorvane {
namespace {

using testing::GaussianModel;
using testing::ScriptedUi;

// The standard deviation of a normal cut at +- 4 SD, in SDs:
// sqrt(1 - 2 a phi(a) / (2 Phi(a) - 1)), a = 4.
double TruncatedAtFourSigma() {
  const double a = 4.0;
  const double phi = std::exp(-a * a / 2.0) / std::sqrt(2.0 * M_PI);
  return std::sqrt(1.0 - 2.0 * a * phi / std::erf(a / std::sqrt(2.0)));
}

// A session on the bivariate normal model at its optimum, P[1] and P[2] free.
struct Bench {
  Bench() : session_(ui_, &model_) {
    session_.Start();
    // The calculation alone: the plot windows are tested on their own.
    session_.ShowDistributionPlots = nullptr;
    session_.ShowBivariatePlot = nullptr;
    SetUpModel(session_);
    data().Values[1] = model_.mu1;
    data().Values[2] = model_.mu2;
    data().Values[3] = 7.0;
    data().Steps[1] = 0.1;
    data().Steps[2] = 0.5;
    data().Steps[3] = 0.0;
    data().Tolerance = 1e-10;
    BuildFuseGroups(data(), session_.Fuse);
    BuildFreeParameterList(data(), session_.Free);
  }

  AlgorithmData& data() { return session_.Algorithm; }
  EvaluationSeries& ev() { return session_.Evaluation; }

  // The answers up to the editor: continue, parameter, points, minimiser.
  void StartAnswers(const std::string& parameter, const std::string& points, bool simplex) {
    ui_.Answer(Answer::Yes).Value(parameter).Value(points).Answer(simplex ? Answer::Yes : Answer::No);
  }
  void FinishEditing(std::function<void()> edit = {}) {
    ui_.Then([this, edit] {
      if (edit) edit();
      session_.Editor().Finish();
    });
  }
  // Numerical Marquardt derivatives, not displayed.
  void MarquardtAnswers() { ui_.Answer(Answer::No).Answer(Answer::No); }

  ScriptedUi ui_;
  GaussianModel model_;
  Session session_;
};

class LikelihoodProfileTest : public ::testing::Test, public Bench {};

TEST_F(LikelihoodProfileTest, MarquardtProfileOfACorrelatedNormalGivesItsMarginal) {
  // The profile of P[1], minimising P[2] at each point, is the normal
  // marginal with mean mu1 and SD s1, whatever the offset of -ln[L] (here
  // negative, which a scale recomputed from each point's F could not take).
  for (const double offset : {10.0, -500.0}) {
    SCOPED_TRACE(offset);
    model_.offset = offset;
    ev() = EvaluationSeries{};  // no previous results to offer
    data().Values[1] = model_.mu1;
    data().Steps[1] = 8.0 * model_.s1 / 100.0;  // 101 points over mu1 +- 4 s1
    const double step = data().Steps[1];
    StartAnswers("1", "101", false);
    FinishEditing();
    MarquardtAnswers();
    RunLikelihoodProfile(session_);

    ASSERT_EQ(ev().ProfilePointCount, 101);
    EXPECT_EQ(ev().BestPoint, 51);
    // Marquardt's minimum at each point is good to far better than 1e-6 in
    // -ln[L]; Simpson on 0.08 SD spacing is exact to 1e-6 SD. 1e-4 SD covers both.
    EXPECT_NEAR(ev().ExpectedValue, model_.mu1, 1e-4 * model_.s1);
    EXPECT_NEAR(ev().EstimatedSE, TruncatedAtFourSigma() * model_.s1, 1e-4 * model_.s1);
    EXPECT_NEAR(ev().ProfileObjective[1], 8.0, 1e-5);  // (4 SD)^2 / 2, relative to the best
    EXPECT_NEAR(session_.State.ObjectiveScale, 1.0, 0.0);

    // Restored: the profiled value and step, the free list with it, and the mode.
    EXPECT_EQ(data().Values[1], model_.mu1);
    EXPECT_EQ(data().Steps[1], step);
    EXPECT_EQ(session_.Free.FreeCount, 2);
    EXPECT_FALSE(session_.State.ProfileMode);
    // The other free parameter keeps the last point's minimum: mu2 + rho s2/s1 (4 s1).
    EXPECT_NEAR(data().Values[2], model_.mu2 + model_.rho * model_.s2 * 4.0, 1e-4);
    data().Values[2] = model_.mu2;
    // The report window shows the distribution.
    const Form& report = session_.EvaluationViews().Statistics();
    EXPECT_TRUE(report.IsOpen());
    EXPECT_EQ(report.Text("rtbMaxLike").rfind("Maximum-likelihood confidence distribution data\r\n", 0), 0u);
    EXPECT_TRUE(ui_.Showed("Your algorithm file may have been automatically edited"));
  }
}

TEST_F(LikelihoodProfileTest, ANegativeStepIsReportedInIncreasingOrder) {
  // Only P[1] free: one evaluation per point. 5 points around 10 with step
  // -1 are computed 12, 11, ..., 8 and reported 8..12.
  model_.mu1 = 10.0;
  model_.s1 = 1.0;
  model_.rho = 0.0;
  data().Values[1] = 10.0;
  data().Steps[1] = -1.0;
  data().Steps[2] = 0.0;
  StartAnswers("1", "5", true);
  FinishEditing();
  RunLikelihoodProfile(session_);
  ASSERT_EQ(ev().ProfilePointCount, 5);
  for (int p = 1; p <= 5; ++p) EXPECT_DOUBLE_EQ(ev().ProfileValues[p], 7.0 + p) << p;
  EXPECT_EQ(ev().BestPoint, 3);
  EXPECT_EQ(ev().BestValue, 10.0);
  EXPECT_DOUBLE_EQ(ev().ProfileObjective[1], 2.0);  // (8 - 10)^2 / 2
  EXPECT_EQ(ev().Step, 1.0);
  EXPECT_EQ(data().Steps[1], -1.0);
  EXPECT_EQ(data().Values[1], 10.0);
  EXPECT_EQ(ui_.Beeps, 1);
}

TEST_F(LikelihoodProfileTest, PreviousResultsAreOfferedWhileCurrent) {
  data().Steps[2] = 0.0;
  StartAnswers("1", "5", true);
  FinishEditing();
  RunLikelihoodProfile(session_);
  ASSERT_EQ(ev().ProfilePointCount, 5);
  const std::vector<double> pdf = ev().ProfilePdf;
  const int callsBefore = model_.Calls;
  // "No" to new minimisations shows the stored plots without evaluating.
  ui_.Answer(Answer::Yes).Answer(Answer::No);
  RunLikelihoodProfile(session_);
  EXPECT_TRUE(ui_.Showed("Do you want to perform minimizations now?\r\n\r\n"
                         "Choosing 'NO' will give you the previous ML plots"));
  EXPECT_EQ(model_.Calls, callsBefore);
  EXPECT_EQ(ev().ProfilePdf, pdf);
  EXPECT_EQ(data().Steps[1], 0.1);
  EXPECT_EQ(session_.Free.FreeCount, 1);
}

// Each way out before, during or after the points leaves the profiled
// parameter as it was, the free list counting it, and ProfileMode off.
TEST(LikelihoodProfileExitTest, EveryWayOutRestoresTheProfiledParameter) {
  struct Case {
    const char* what;
    std::function<void(Bench&)> script;
    int pointsAfter;  // ProfilePointCount afterwards
    double step = 0.1;  // the profiled parameter's step afterwards
    int freeCount = 2;
  };
  const Case cases[] = {
      {"no to continue", [](Bench& t) { t.ui_.Answer(Answer::No); }, 0},
      {"no parameter", [](Bench& t) { t.ui_.Answer(Answer::Yes).Value(""); }, 0},
      {"parameter out of range, then none",
       [](Bench& t) { t.ui_.Answer(Answer::Yes).Value("4").Value("x").Value(""); }, 0},
      {"quit at the covariance question",
       [](Bench& t) {
         t.session_.State.CovarianceAvailable = true;
         t.StartAnswers("1", "7", false);
         t.ui_.Value("5").Value("q");
       },
       0},
      {"zero step after editing",
       [](Bench& t) {
         t.StartAnswers("1", "7", false);
         t.FinishEditing([&t] { t.data().Steps[1] = 0.0; });
       },
       0, 0.0, 1},  // the user's edit stands
      {"Marquardt set-up cancelled",
       [](Bench& t) {
         t.StartAnswers("1", "7", false);
         t.FinishEditing();
         t.ui_.Answer(Answer::Cancel);
       },
       0},
      {"stopped at point 6 of 7",
       [](Bench& t) {
         t.StartAnswers("1", "7", false);
         t.FinishEditing();
         t.MarquardtAnswers();
         t.ui_.onPump = [&t] {
           if (t.session_.State.ProfileMode && t.ev().ProfilePoint == 6) t.session_.State.ProfileInterrupt = true;
         };
         t.ui_.Answer(Answer::Yes);  // quit calculations
       },
       3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bench t;
    c.script(t);
    RunLikelihoodProfile(t.session_);
    EXPECT_EQ(t.data().Values[1], t.model_.mu1);
    EXPECT_EQ(t.data().Steps[1], c.step);
    EXPECT_EQ(t.session_.Free.FreeCount, c.freeCount);
    EXPECT_FALSE(t.session_.State.ProfileMode);
    EXPECT_FALSE(t.session_.Main().form().FindMenu("mnuMLInt")->visible);
    EXPECT_EQ(t.ev().ProfilePointCount, c.pointsAfter);
  }
}

}  // namespace
}  // namespace quorvane

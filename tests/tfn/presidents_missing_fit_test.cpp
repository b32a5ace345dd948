// The quarterly approval ratings of the US presidents, 1945-1974, with six
// quarters missing, as an AR(1) around a mean. With the exact likelihood of
// the 114 values present, Simplex then Marquardt must reach the exact
// maximum-likelihood fit, and the grid-3 standard errors must agree with
// that fit's. With the missing values counted as zero noise the objective
// must be the older one, bit for bit.
//
// The reference values were computed with numpy/scipy without any
// recursion: the 114 x 114 covariance phi^|s - t| / (1 - phi^2) of the
// observed quarters s, t and its Cholesky factor, -ln[L] = (n/2)
// ln(e' G^-1 e / n) + (1/2) ln det G with e = x - mu and n = 114,
// minimised by Nelder-Mead then BFGS; standard errors from the inverse of a
// central-difference Hessian with Richardson extrapolation (steps 1e-3 and
// 5e-4 in phi, 1e-2 and 5e-3 in mu). R's arima(presidents, c(1, 0, 0),
// method = "ML") gives phi 0.8242 (0.0555) and mean 56.1505 (4.6434), and
// its log-likelihood -416.8923 less 57 (1 + ln 2 pi) is this -ln[L].
// Counted as zero noise the same computation over all 120 quarters, a
// missing one standing at the mean, gives phi 0.7710 and a standard error
// of the mean of 2.887.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/main_menu.h"
#include "app/session.h"
#include "core/algorithm_editor.h"
#include "core/evaluate_objective.h"
#include "core/model_set_up.h"
#include "covariance/covariance_results.h"
#include "support/example_setups.h"
#include "support/scripted_ui.h"
#include "tfn/melard_likelihood.h"
#include "tfn/tfn_application.h"

namespace quorvane {
namespace {

constexpr double kPhi = 0.8241531112241525;
constexpr double kMean = 56.150418524024566;
constexpr double kObjective = 255.1332804861359;
constexpr double kPhiSe = 0.055506480810054534;
constexpr double kMeanSe = 4.643124373200461;

TfnSetup PresidentsSetup(MissingValueTreatment treatment) {
  TfnSetup setup;
  setup.Response = {testing::ExamplePath("presidents.dat"), 1, 120, 1, 1, 0, SeriesTransformation::None, 1, 0};
  setup.GroupFirst[0] = setup.GroupLast[0] = 1;
  setup.LagOrder = 1;
  setup.EstimateLogits = false;
  setup.MissingValues = treatment;
  return setup;
}

TEST(PresidentsMissingFitTest, MinimisersReachTheExactFitOfTheValuesPresent) {
  testing::ScriptedUi ui;
  TfnApplication app;
  Session session(ui, &app.Model());
  app.Attach(session);
  session.Start();
  app.Model().SetPendingSetup(PresidentsSetup(MissingValueTreatment::ExactLikelihood));
  SetUpModel(session);

  // Phi(1), Theta(1) (held at 0), the intercept.
  AlgorithmData& data = session.Algorithm;
  data.Values[1] = 0.5;
  data.Steps[1] = 0.05;
  data.Values[3] = 50.0;
  data.Steps[3] = 1.0;
  data.Tolerance = 1e-10;
  session.State.AlgorithmFileName = "presidents-ar1.alg";
  session.Menu().Close();
  session.Menu().Show();

  session.Menu().form().Click("cmdSimplex");
  ui.Answer(Answer::No).Answer(Answer::No);  // numerical derivatives, not shown
  session.Menu().form().Click("cmdMarquardt");
  ASSERT_TRUE(ui.Showed("Minimum found using Marquardt!"));

  OneBased<double> P = data.Values;
  EXPECT_NEAR(EvaluateObjective(session, P, 1, false), kObjective, 1e-6);
  // Within 1e-6 of the minimum phi can move by about sqrt(2e-6 / 320)
  // = 8e-5 (320 the curvature of -ln[L] in phi), the mean by 7e-3.
  EXPECT_NEAR(data.Values[1], kPhi, 2e-4);
  EXPECT_NEAR(data.Values[3], kMean, 2e-2);
  EXPECT_EQ(app.Model().Best().TotalNoiseCount, 114);

  ui.Answer(Answer::No).Answer(Answer::Ok);
  ui.Then([&session] { session.Editor().Finish(); });
  ui.Value("1").Value("0.1").Value("0.01").Answer(Answer::Yes);
  ui.Value("1").Answer(Answer::No);
  session.Menu().form().Click("cmdCovariance");
  const auto phiSe = CovarianceStandardDeviation(session.Covariance, 3, 1);
  const auto meanSe = CovarianceStandardDeviation(session.Covariance, 3, 3);
  ASSERT_TRUE(phiSe && meanSe);
  // Agreement to 1%: what is left are the grid's finite steps and the
  // estimates' last digits.
  EXPECT_NEAR(*phiSe / kPhiSe, 1.0, 0.01);
  EXPECT_NEAR(*meanSe / kMeanSe, 1.0, 0.01);
}

// Counted as zero noise, a missing value stands at its group's prediction
// and counts: F is Melard's likelihood of the 120 noise values, exactly as
// before the exact treatment existed.
TEST(PresidentsMissingFitTest, ZeroNoiseGivesTheOlderObjectiveBitForBit) {
  testing::ScriptedUi ui;
  TfnApplication app;
  Session session(ui, &app.Model());
  app.Attach(session);
  session.Start();
  app.Model().SetPendingSetup(PresidentsSetup(MissingValueTreatment::ZeroNoise));
  SetUpModel(session);
  OneBased<double> P = session.Algorithm.Values;
  P[1] = 0.77;
  P[3] = 55.4;
  const double F = EvaluateObjective(session, P, 1, false);

  const ResponseSeriesData& r = app.Model().Response();
  std::vector<double> w, a(120), h(120);
  for (int t = 1; t <= 120; ++t) w.push_back(r.Analysed.At(t, 1) ? *r.Analysed.At(t, 1) - 55.4 : 0.0);
  MelardWorkspace work;
  work.Reserve(1);
  // Phi and Theta share the order m = 1: Theta(1) = 0 is in the model.
  const std::vector<double> phi{0.77}, theta{0.0};
  const MelardResult result = MelardLikelihood(phi, theta, w, a, h, work);
  EXPECT_EQ(F, 60.0 * std::log(result.Fact * result.SumSq / 120.0));
  EXPECT_EQ(app.Model().Best().TotalNoiseCount, 120);
}

}  // namespace
}  // namespace quorvane

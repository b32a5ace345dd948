// Both minimisers on real data: the Nile flow with AR(1) noise, an
// intercept and a step at 1899. Simplex, then Marquardt from its result,
// must reach the maximum of the exact likelihood, found here independently.
#include <gtest/gtest.h>

#include "core/evaluate_objective.h"
#include "core/model_set_up.h"
#include "minimize/nile_ar1_oracle.h"
#include "app/main_menu.h"
#include "app/session.h"
#include "support/example_setups.h"
#include "support/scripted_ui.h"
#include "tfn/series_preparation.h"
#include "tfn/tfn_application.h"

namespace quorvane {
namespace {

TEST(NileMinimisationTest, SimplexThenMarquardtReachTheExactMaximumLikelihood) {
  testing::ScriptedUi ui;
  TfnApplication app;
  Session session(ui, &app.Model());
  app.Attach(session);
  session.Start();

  const TfnSetup setup = testing::NileSetup();
  app.Model().SetPendingSetup(setup);
  SetUpModel(session);

  // The starting values and steps of examples/nile.alg.
  AlgorithmData& data = session.Algorithm;
  const double values[] = {0.3, 0, 1100, 1899, 1, -200, 0, 0};
  const double steps[] = {0.05, 0, 20, 0, 0, 20, 0, 0};
  for (int i = 1; i <= 8; ++i) {
    data.Values[i] = values[i - 1];
    data.Steps[i] = steps[i - 1];
  }
  data.Tolerance = 1e-10;
  data.MaxFunctionCalls = 100000;
  session.State.AlgorithmFileName = "nile.alg";
  session.Menu().Close();
  session.Menu().Show();

  const auto objective = [&session] {
    OneBased<double> P = session.Algorithm.Values;
    return EvaluateObjective(session, P, 1, false);
  };

  session.Menu().form().Click("cmdSimplex");
  ASSERT_TRUE(ui.Showed("Minimum found using Simplex!"));
  const double simplex = objective();

  ui.Answer(Answer::No).Answer(Answer::No);  // numerical derivatives, no display
  session.Menu().form().Click("cmdMarquardt");
  const double marquardt = objective();

  std::vector<double> y, step;
  const ResponseSeriesData nile = ReadResponseSeries(setup);
  for (int t = 1871; t <= 1970; ++t) {
    y.push_back(*nile.Raw.At(t, 1));
    step.push_back(t >= 1899 ? 1.0 : 0.0);
  }
  const testing::Ar1RegressionFit exact = testing::FitAr1Regression(y, step);

  // The tolerance of 1E-10 stops both searches well inside 1e-6 of the
  // minimum; the oracle's own error is far below that.
  EXPECT_NEAR(simplex, exact.objective, 1e-6);
  EXPECT_NEAR(marquardt, exact.objective, 1e-6);
  EXPECT_NEAR(data.Values[1], exact.phi, 1e-3);
  EXPECT_NEAR(data.Values[3], exact.mu, 0.5);
  EXPECT_NEAR(data.Values[6], exact.omega, 0.5);
}

}  // namespace
}  // namespace quorvane

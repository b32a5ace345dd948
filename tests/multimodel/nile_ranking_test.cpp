// Three competing models of the Nile flow ranked by AICc: AR(1) with a step
// at 1899, AR(1) alone and ARMA(1,1) with the step. The criteria, differences
// and weights are recomputed here from each model's -ln[L], K and n.
#include <gtest/gtest.h>

#include <cmath>

#include "core/evaluate_objective.h"
#include "core/model_set_up.h"
#include "minimize/nile_ar1_oracle.h"
#include "multimodel/rank_window.h"
#include "app/session.h"
#include "support/example_setups.h"
#include "support/scripted_ui.h"
#include "tfn/series_preparation.h"
#include "tfn/tfn_application.h"

namespace quorvane {
namespace {

TEST(NileRankingTest, DifferencesAndWeightsAgreeWithAnIndependentComputation) {
  testing::ScriptedUi ui;
  TfnApplication app;
  Session session(ui, &app.Model());
  app.Attach(session);
  session.Start();
  const TfnSetup setup = testing::NileSetup();
  app.Model().SetPendingSetup(setup);
  SetUpModel(session);

  std::vector<double> y, step;
  const ResponseSeriesData nile = ReadResponseSeries(setup);
  for (int t = 1871; t <= 1970; ++t) {
    y.push_back(*nile.Raw.At(t, 1));
    step.push_back(t >= 1899 ? 1.0 : 0.0);
  }
  // AR(1) + step at phi = 0.2 with the intercept and step that maximise the
  // likelihood there; its exact -ln[L] is known independently.
  const testing::Ar1RegressionFit ar1Step = testing::ProfileAr1Regression(y, step, 0.2);

  struct Candidate {
    const char* file;
    std::vector<double> values, steps;  // Phi, Theta, Intercept, Omega(0)
  };
  const Candidate candidates[] = {
      {"/nile/ar1_step.alg", {0.2, 0, ar1Step.mu, ar1Step.omega}, {0.05, 0, 20, 20}},
      {"/nile/ar1.alg", {0.5, 0, 920, 0}, {0.05, 0, 20, 0}},
      {"/nile/arma11_step.alg", {0.3, 0.1, ar1Step.mu, ar1Step.omega}, {0.05, 0.05, 20, 20}},
  };
  std::vector<double> negLogL;
  const std::vector<int> K = {3, 2, 4};
  for (size_t i = 0; i < 3; ++i) {
    const Candidate& c = candidates[i];
    AlgorithmData& data = session.Algorithm;
    data.Values[4] = 1899;  // the step starts in 1899
    data.Values[5] = 1;
    const int slots[] = {1, 2, 3, 6};
    for (int j = 0; j < 4; ++j) {
      data.Values[slots[j]] = c.values[static_cast<size_t>(j)];
      data.Steps[slots[j]] = c.steps[static_cast<size_t>(j)];
    }
    session.State.AlgorithmFileName = c.file;
    OneBased<double> P = data.Values;
    negLogL.push_back(EvaluateObjective(session, P, 1, false));
    if (i == 0)
      session.Ranking().Open();
    else
      session.Ranking().form().Click("cmdAICc");
  }
  // The engine's -ln[L] of the first model is the exact one (Melard against
  // Prais-Winsten: rounding only), and the ranking does not rescale it.
  EXPECT_NEAR(negLogL[0], ar1Step.objective, 1e-8);

  RankWindow& rank = session.Ranking();
  rank.RankModels();
  const double n = 100;  // the Nile years, no differencing
  std::vector<double> aicc;
  for (size_t i = 0; i < 3; ++i) aicc.push_back(2 * K[i] * n / (n - K[i] - 1) + 2 * negLogL[i]);
  const double best = std::min({aicc[0], aicc[1], aicc[2]});
  double sum = 0;
  for (double c : aicc) sum += std::exp(-(c - best) / 2);

  ASSERT_EQ(rank.Models().size(), 3u);
  for (const RankedModel& m : rank.Models()) {
    const size_t i = static_cast<size_t>(m.EntryNumber - 1);
    EXPECT_EQ(m.N, 100);
    EXPECT_EQ(m.K, K[i]);
    EXPECT_NEAR(*m.Criterion, aicc[i], 1e-6) << m.AlgorithmFileName;
    EXPECT_NEAR(*m.Difference, aicc[i] - best, 1e-6) << m.AlgorithmFileName;
    EXPECT_NEAR(*m.Weight, std::exp(-(aicc[i] - best) / 2) / sum, 1e-6) << m.AlgorithmFileName;
  }
  // The step matters: AR(1) alone ranks last.
  EXPECT_EQ(rank.Models().back().AlgorithmFileName, "ar1.alg");
}

}  // namespace
}  // namespace quorvane

// Standard errors on real data: the Nile flow with AR(1) noise, an
// intercept and a step at 1899, at the exact maximum likelihood. Grid 3
// must agree with the inverse of a Hessian of the same exact likelihood
// computed here without the model.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "app/main_menu.h"
#include "app/session.h"
#include "core/algorithm_editor.h"
#include "core/model_set_up.h"
#include "covariance/covariance_results.h"
#include "covariance/covariance_windows.h"
#include "minimize/nile_ar1_oracle.h"
#include "support/example_setups.h"
#include "support/scripted_ui.h"
#include "tfn/series_preparation.h"
#include "tfn/tfn_application.h"

namespace quorvane {
namespace {

struct NileData {
  std::vector<double> y, step;
};

// The exact -ln[L] of the AR(1) regression with the variance profiled out,
// at any (phi, mu, omega): Prais-Winsten whitening, then
// (N/2) ln(S/N) + (1/2) ln(1 / (1 - phi^2)).
double ExactObjective(const NileData& d, double phi, double mu, double omega) {
  const size_t n = d.y.size();
  const double head = std::sqrt(1 - phi * phi);
  double ss = 0;
  for (size_t t = 0; t < n; ++t) {
    const double w = d.y[t] - mu - omega * d.step[t];
    const double previous = t == 0 ? 0.0 : d.y[t - 1] - mu - omega * d.step[t - 1];
    const double e = t == 0 ? head * w : w - phi * previous;
    ss += e * e;
  }
  const double count = static_cast<double>(n);
  return count / 2 * std::log(ss / count) + 0.5 * std::log(1 / (1 - phi * phi));
}

// The standard errors from the inverse of a central-difference Hessian of
// ExactObjective at x, with steps h (small against the curvature: the
// O(h^2) error is below 1e-6 relative).
std::array<double, 3> IndependentStandardErrors(const NileData& d, std::array<double, 3> x,
                                                std::array<double, 3> h) {
  const auto f = [&d](std::array<double, 3> p) { return ExactObjective(d, p[0], p[1], p[2]); };
  double H[3][3];
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      auto at = [&](int si, int sj) {
        std::array<double, 3> p = x;
        p[static_cast<size_t>(i)] += si * h[static_cast<size_t>(i)];
        p[static_cast<size_t>(j)] += sj * h[static_cast<size_t>(j)];
        return f(p);
      };
      H[i][j] = (at(1, 1) - at(1, -1) - at(-1, 1) + at(-1, -1)) /
                (4 * h[static_cast<size_t>(i)] * h[static_cast<size_t>(j)]);
    }
  }
  const auto cof = [&H](int i, int j) {
    const int r1 = (i + 1) % 3, r2 = (i + 2) % 3, c1 = (j + 1) % 3, c2 = (j + 2) % 3;
    return H[r1][c1] * H[r2][c2] - H[r1][c2] * H[r2][c1];
  };
  const double det = H[0][0] * cof(0, 0) + H[0][1] * cof(0, 1) + H[0][2] * cof(0, 2);
  return {std::sqrt(cof(0, 0) / det), std::sqrt(cof(1, 1) / det), std::sqrt(cof(2, 2) / det)};
}

TEST(NileCovarianceTest, GridThreeStandardErrorsAgreeWithTheExactLikelihood) {
  testing::ScriptedUi ui;
  TfnApplication app;
  Session session(ui, &app.Model());
  app.Attach(session);
  session.Start();
  const TfnSetup setup = testing::NileSetup();
  app.Model().SetPendingSetup(setup);
  SetUpModel(session);

  NileData nile;
  const ResponseSeriesData raw = ReadResponseSeries(setup);
  for (int t = 1871; t <= 1970; ++t) {
    nile.y.push_back(*raw.Raw.At(t, 1));
    nile.step.push_back(t >= 1899 ? 1.0 : 0.0);
  }
  const testing::Ar1RegressionFit fit = testing::FitAr1Regression(nile.y, nile.step);

  AlgorithmData& data = session.Algorithm;
  const double values[] = {fit.phi, 0, fit.mu, 1899, 1, fit.omega, 0, 0};
  const double steps[] = {0.05, 0, 20, 0, 0, 20, 0, 0};
  for (int i = 1; i <= 8; ++i) {
    data.Values[i] = values[i - 1];
    data.Steps[i] = steps[i - 1];
  }
  session.State.AlgorithmFileName = "nile.alg";
  session.Menu().Close();
  session.Menu().Show();

  ui.Answer(Answer::No).Answer(Answer::Ok);
  ui.Then([&session] { session.Editor().Finish(); });
  ui.Value("1").Value("0.1").Value("0.01").Answer(Answer::Yes);
  ui.Value("1").Answer(Answer::No);
  session.Menu().form().Click("cmdCovariance");

  // The model's objective already is -ln[L]: it proposes the constant 1.
  ASSERT_EQ(ui.ValueDefaults.size(), 4u);
  EXPECT_EQ(ui.ValueDefaults[3], "1.000");
  EXPECT_NE(ui.Log[ui.Log.size() - 2].text.find("Your model suggests you use this constant: "),
            std::string::npos);

  const std::array<double, 3> expected =
      IndependentStandardErrors(nile, {fit.phi, fit.mu, fit.omega}, {1e-4, 0.05, 0.05});
  const int parameters[] = {1, 3, 6};
  for (int i = 0; i < 3; ++i) {
    const auto se = CovarianceStandardDeviation(session.Covariance, 3, parameters[i]);
    ASSERT_TRUE(se) << parameters[i];
    // Agreement to 1%; the differences left are the grid's finite steps.
    EXPECT_NEAR(*se / expected[static_cast<size_t>(i)], 1.0, 0.01) << "parameter " << parameters[i];
  }
  // The AR coefficient's asymptotic variance (1 - phi^2) / N is a rough
  // check of the order of size only (the regression terms interact with it).
  EXPECT_NEAR(*CovarianceStandardDeviation(session.Covariance, 3, 1),
              std::sqrt((1 - fit.phi * fit.phi) / 100.0), 0.03);
}

}  // namespace
}  // namespace quorvane

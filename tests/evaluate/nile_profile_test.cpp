// The likelihood profile on real data: Phi(1) of the Nile flow with AR(1)
// noise, an intercept and a step at 1899, at its maximum likelihood.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <string>

#include "core/algorithm_editor.h"
#include "core/evaluate_objective.h"
#include "core/model_set_up.h"
#include "evaluate/likelihood_profile.h"
#include "minimize/nile_ar1_oracle.h"
#include "base/files/text_file.h"
#include "app/session.h"
#include "support/example_setups.h"
#include "support/scripted_ui.h"
#include "tfn/series_preparation.h"
#include "tfn/tfn_application.h"

namespace quorvane {
namespace {

// The inverse of a symmetric 3 x 3 matrix by its cofactors.
std::array<std::array<double, 3>, 3> Inverse(const std::array<std::array<double, 3>, 3>& a) {
  std::array<std::array<double, 3>, 3> c{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      const int i1 = (i + 1) % 3, i2 = (i + 2) % 3, j1 = (j + 1) % 3, j2 = (j + 2) % 3;
      c[j][i] = a[i1][j1] * a[i2][j2] - a[i1][j2] * a[i2][j1];
    }
  const double det = a[0][0] * c[0][0] + a[0][1] * c[1][0] + a[0][2] * c[2][0];
  for (auto& row : c)
    for (double& x : row) x /= det;
  return c;
}

struct NileProfile {
  double se = 0, mean = 0;       // of the confidence distribution
  double sePhi = 0, phi = 0;     // from the Hessian, and the estimate
};

// The Nile flow divided by `divisor` (1: the example file; 1000: in
// thousands, where -ln[L] is negative), profiled in Phi(1).
NileProfile ProfilePhi(double divisor) {
  testing::ScriptedUi ui;
  TfnApplication app;
  Session session(ui, &app.Model());
  app.Attach(session);
  session.Start();
  session.ShowDistributionPlots = nullptr;  // the calculation alone
  TfnSetup setup = testing::NileSetup();
  if (divisor != 1.0) {
    std::string error;
    const auto lines = ReadTextLines(setup.Response.FileName, error);
    EXPECT_TRUE(lines) << error;
    std::string text = (*lines)[0] + "\r\n";
    for (size_t i = 1; i < lines->size(); ++i) {
      const std::string& line = (*lines)[i];
      const size_t comma = line.find(',');
      char value[64];
      std::snprintf(value, sizeof value, "%.6f", std::stod(line.substr(comma + 1)) / divisor);
      text += line.substr(0, comma + 1) + " " + value + "\r\n";
    }
    setup.Response.FileName = ::testing::TempDir() + "quorvane_nile_thousands.dat";
    EXPECT_FALSE(WriteTextFileAtomically(setup.Response.FileName, text));
  }
  app.Model().SetPendingSetup(setup);
  SetUpModel(session);

  std::vector<double> y, step;
  const ResponseSeriesData nile = ReadResponseSeries(setup);
  for (int t = 1871; t <= 1970; ++t) {
    y.push_back(*nile.Raw.At(t, 1));
    step.push_back(t >= 1899 ? 1.0 : 0.0);
  }
  const testing::Ar1RegressionFit exact = testing::FitAr1Regression(y, step);

  AlgorithmData& data = session.Algorithm;
  const double values[] = {exact.phi, 0, exact.mu, 1899, 1, exact.omega, 0, 0};
  const double steps[] = {0.05, 0, 20 / divisor, 0, 0, 20 / divisor, 0, 0};
  for (int i = 1; i <= 8; ++i) {
    data.Values[i] = values[i - 1];
    data.Steps[i] = steps[i - 1];
  }
  data.Tolerance = 1e-10;
  data.MaxFunctionCalls = 100000;

  // Standard errors from the inverse of a central-difference Hessian of
  // -ln[L] in (phi, mu, omega), standing in for covariance grid 3.
  const std::array<int, 3> free = {1, 3, 6};
  const std::array<double, 3> d = {1e-3, 0.5 / divisor, 0.5 / divisor};
  const auto F = [&](int i, double di, int j, double dj) {
    OneBased<double> P = data.Values;
    P[free[static_cast<size_t>(i)]] += di;
    P[free[static_cast<size_t>(j)]] += dj;
    return EvaluateObjective(session, P, 1, false);
  };
  std::array<std::array<double, 3>, 3> H{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      const double hi = d[static_cast<size_t>(i)], hj = d[static_cast<size_t>(j)];
      H[static_cast<size_t>(i)][static_cast<size_t>(j)] =
          (F(i, hi, j, hj) - F(i, hi, j, -hj) - F(i, -hi, j, hj) + F(i, -hi, j, -hj)) / (4 * hi * hj);
    }
  const auto covariance = Inverse(H);
  const double sePhi = std::sqrt(covariance[0][0]);
  session.State.CovarianceAvailable = true;
  session.CovarianceSd = [&](int grid, int k) -> std::optional<double> {
    if (grid != 3 || k < 1 || k > 3) return std::nullopt;
    return std::sqrt(covariance[static_cast<size_t>(k - 1)][static_cast<size_t>(k - 1)]);
  };

  ui.Answer(Answer::Yes).Value("1").Value("101").Answer(Answer::No).Value("3");
  ui.Then([&] { session.Editor().Finish(); });
  ui.Answer(Answer::No).Answer(Answer::No);  // numerical derivatives, not shown
  RunLikelihoodProfile(session);

  const EvaluationSeries& ev = session.Evaluation;
  EXPECT_EQ(ev.ProfilePointCount, 101);
  // The steps span +- 4 standard errors.
  EXPECT_NEAR(data.Steps[1], 24.0 * sePhi / 300.0, 1e-15);
  // The profile is not exactly quadratic, so its SE and the Hessian's agree
  // to a few percent; the mean lies close to the estimate.
  EXPECT_EQ(data.Values[1], exact.phi);
  EXPECT_EQ(session.Free.FreeCount, 3);
  return {ev.EstimatedSE, ev.ExpectedValue, sePhi, exact.phi};
}

TEST(NileProfileTest, ThePhiProfileMatchesTheCovarianceStandardError) {
  const NileProfile flow = ProfilePhi(1.0);
  // The profile is not exactly quadratic, so its SE and the Hessian's agree
  // to a few percent; the mean lies close to the estimate.
  EXPECT_NEAR(flow.se, flow.sePhi, 0.05 * flow.sePhi);
  EXPECT_NEAR(flow.mean, flow.phi, 0.1 * flow.sePhi);
  // In thousands -ln[L] is negative and shifted by 100 ln 1000; Phi's
  // distribution is the same (to the minimisers' and the file's 6-decimal rounding).
  const NileProfile thousands = ProfilePhi(1000.0);
  EXPECT_NEAR(thousands.se, flow.se, 0.01 * flow.se);
  EXPECT_NEAR(thousands.mean, flow.mean, 0.01 * flow.se);
}

}  // namespace
}  // namespace quorvane

// The posterior grid on real data: Phi(1) of the Nile fit (AR(1), an
// intercept and a step at 1899), integrated over the intercept and the
// step, checked against the curvature of -ln[L] and against the marginal
// likelihood of Phi(1) in closed form.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "app/session.h"
#include "core/algorithm_editor.h"
#include "core/model_set_up.h"
#include "evaluate/posterior_grid.h"
#include "minimize/nile_ar1_oracle.h"
#include "support/example_setups.h"
#include "support/scripted_ui.h"
#include "tfn/series_preparation.h"
#include "tfn/tfn_application.h"

namespace quorvane {
namespace {

// ln of the likelihood of phi with the intercept mu and the step omega
// integrated out over the whole plane, up to a constant. With the
// Prais-Winsten transform of nile_ar1_oracle.h, -ln[L] = (N/2) ln(S/N) +
// (1/2) ln(1/(1 - phi^2)) and S = Smin + d'Qd is quadratic in d = (mu,
// omega) - their estimates, Q the normal matrix of the transformed
// regressors. The integral of S^(-N/2) over the plane is
// pi Smin^(1 - N/2) / ((N/2 - 1) sqrt(det Q)), so
//   ln marginal = (1/2) ln(1 - phi^2) + (1 - N/2) ln Smin - (1/2) ln det Q.
double LnMarginal(const std::vector<double>& y, const std::vector<double>& step, double phi) {
  const std::size_t n = y.size();
  const double head = std::sqrt(1 - phi * phi);
  double s11 = 0, s12 = 0, s22 = 0;
  for (std::size_t t = 0; t < n; ++t) {
    const double z1 = t == 0 ? head : 1 - phi;
    const double z2 = t == 0 ? head * step[0] : step[t] - phi * step[t - 1];
    s11 += z1 * z1, s12 += z1 * z2, s22 += z2 * z2;
  }
  const testing::Ar1RegressionFit fit = testing::ProfileAr1Regression(y, step, phi);
  const double N = static_cast<double>(n);
  // fit.objective = (N/2) ln(Smin/N) + (1/2) ln(1/(1 - phi^2)) gives Smin.
  const double lnSmin = (fit.objective - 0.5 * std::log(1 / (1 - phi * phi))) * 2 / N + std::log(N);
  return 0.5 * std::log(1 - phi * phi) + (1 - N / 2) * lnSmin - 0.5 * std::log(s11 * s22 - s12 * s12);
}

// Mean of a density given by its logarithm at equally spaced points, by
// Simpson's rule.
double SimpsonMean(const std::vector<double>& x, const std::vector<double>& lnDensity) {
  double top = lnDensity[0];
  for (double v : lnDensity) top = std::max(top, v);
  double s0 = 0, s1 = 0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    const double w = (i == 0 || i + 1 == x.size()) ? 1 : (i % 2 ? 4 : 2);
    const double d = std::exp(lnDensity[i] - top);
    s0 += w * d, s1 += w * d * x[i];
  }
  return s1 / s0;
}

class PosteriorNileTest : public ::testing::Test {
 protected:
  PosteriorNileTest() : session_(ui_, &app_.Model()) {
    app_.Attach(session_);
    session_.Start();
    // The calculation alone: the plot windows are tested on their own.
    session_.ShowDistributionPlots = nullptr;
    session_.ShowBivariatePlot = nullptr;
    app_.Model().SetPendingSetup(testing::NileSetup());
    SetUpModel(session_);
    const ResponseSeriesData nile = ReadResponseSeries(testing::NileSetup());
    for (int t = 1871; t <= 1970; ++t) {
      y_.push_back(*nile.Raw.At(t, 1));
      step_.push_back(t >= 1899 ? 1.0 : 0.0);
    }
    fit_ = testing::FitAr1Regression(y_, step_);
    const double values[] = {fit_.phi, 0, fit_.mu, 1899, 1, fit_.omega, 0, 0};
    const double steps[] = {0.01, 0, 1, 0, 0, 1, 0, 0};
    for (int i = 1; i <= 8; ++i) {
      session_.Algorithm.Values[i] = values[i - 1];
      session_.Algorithm.Steps[i] = steps[i - 1];
    }
    HessianStandardErrors();
    session_.State.CovarianceAvailable = true;
    // The free list is parameters 1, 3 and 6, in that order.
    session_.CovarianceSd = [this](int grid, int k) -> std::optional<double> {
      if (grid != 3 || k < 1 || k > 3) return std::nullopt;
      return se_[static_cast<std::size_t>(k - 1)];
    };
  }

  // Standard errors of (phi, mu, omega) from the inverse of a central
  // finite-difference Hessian of the model's -ln[L]; the differences of
  // about a tenth of a standard error make it accurate to well under 1%.
  void HessianStandardErrors() {
    const std::array<int, 3> index = {1, 3, 6};
    const std::array<double, 3> h = {0.005, 3.0, 4.0};
    Objective objective = session_.MakeObjective();
    auto F = [&](int a, double da, int b, double db) {
      OneBased<double> P = session_.Algorithm.Values;
      P[index[static_cast<std::size_t>(a)]] += da;
      P[index[static_cast<std::size_t>(b)]] += db;
      return objective.Evaluate(P, 2, false);
    };
    double H[3][3];
    for (int a = 0; a < 3; ++a)
      for (int b = 0; b < 3; ++b) {
        const double ha = h[static_cast<std::size_t>(a)], hb = h[static_cast<std::size_t>(b)];
        H[a][b] = (F(a, ha, b, hb) - F(a, ha, b, -hb) - F(a, -ha, b, hb) + F(a, -ha, b, -hb)) /
                  (4 * ha * hb);
      }
    const double det = H[0][0] * (H[1][1] * H[2][2] - H[1][2] * H[2][1]) -
                       H[0][1] * (H[1][0] * H[2][2] - H[1][2] * H[2][0]) +
                       H[0][2] * (H[1][0] * H[2][1] - H[1][1] * H[2][0]);
    se_[0] = std::sqrt((H[1][1] * H[2][2] - H[1][2] * H[2][1]) / det);
    se_[1] = std::sqrt((H[0][0] * H[2][2] - H[0][2] * H[2][0]) / det);
    se_[2] = std::sqrt((H[0][0] * H[1][1] - H[0][1] * H[1][0]) / det);
  }

  // A 25-point posterior of Phi(1) over a 25 x 25 grid, steps from grid 3.
  // After a first run the stored results are offered; `again` integrates anew.
  void RunPosterior(bool again = false) {
    ui_.Answer(Answer::Yes);
    if (again) ui_.Answer(Answer::Yes);
    ui_.Value("1").Value("25").Value("25").Value("3");
    ui_.Then([this] { session_.Editor().Finish(); });
    RunPosteriorGrid(session_);
  }

  testing::ScriptedUi ui_;
  TfnApplication app_;
  Session session_;
  std::vector<double> y_, step_;
  testing::Ar1RegressionFit fit_;
  std::array<double, 3> se_{};
};

TEST_F(PosteriorNileTest, PosteriorSdOfPhiMatchesItsStandardErrorAndAPriorMovesTheMean) {
  RunPosterior();
  const auto& series = session_.Evaluation;
  ASSERT_EQ(series.ProfilePointCount, 25);
  // The points span Phi(1) +- 4 SE; the grid steps came from the SEs.
  EXPECT_NEAR(series.ProfileValues[25] - series.ProfileValues[1], 8 * se_[0], 1e-12);
  EXPECT_NEAR(session_.Algorithm.Steps[3], 7 * se_[1] / 24, 1e-12);
  EXPECT_NEAR(series.EstimatedSE, se_[0], 0.05 * se_[0]);
  // The marginal is not the profile: integrating the intercept out leaves
  // the factor 1/sqrt(det Q), which grows with Phi(1), so the posterior
  // mean lies above the estimate, where the closed form puts it.
  std::vector<double> x, flat;
  for (int p = 1; p <= 25; ++p) {
    x.push_back(series.ProfileValues[static_cast<std::size_t>(p)]);
    flat.push_back(LnMarginal(y_, step_, x.back()));
  }
  EXPECT_NEAR(series.ExpectedValue, SimpsonMean(x, flat), 0.1 * se_[0]);
  const double flatMean = series.ExpectedValue;

  // A Normal prior on Phi(1) one SE below the estimate, with an SD of one
  // SE, in objective units (the scale is 1 for this model).
  const double priorMean = fit_.phi - se_[0], priorSd = se_[0];
  // The same term for the grid's worker threads.
  const PriorTerm normalPrior = [&](const OneBased<double>& P) {
    const double z = (P[1] - priorMean) / priorSd;
    return session_.State.ObjectiveScale * z * z / 2;
  };
  session_.SetPriorObjective(normalPrior, normalPrior);
  session_.State.PriorsActive = true;
  RunPosterior(/*again=*/true);
  const double priorShift = session_.Evaluation.ExpectedValue - flatMean;

  // The shift that the closed-form marginal predicts at the same points.
  std::vector<double> withPrior;
  for (std::size_t i = 0; i < x.size(); ++i) {
    const double z = (x[i] - priorMean) / priorSd;
    withPrior.push_back(flat[i] - z * z / 2);
  }
  const double predicted = SimpsonMean(x, withPrior) - SimpsonMean(x, flat);
  EXPECT_LT(priorShift, 0.0);
  // The grid cuts the intercept and the step at +- 3.5 SE; that changes
  // both means alike, and their difference by a few percent at most.
  EXPECT_NEAR(priorShift, predicted, 0.05 * std::abs(predicted));
}

}  // namespace
}  // namespace quorvane

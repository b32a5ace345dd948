// The demonstration model against the closed-form least-squares fit.
#include "core/quadratic_fit_model.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/evaluate_objective.h"
#include "core/model_set_up.h"
#include "app/session.h"
#include "support/scripted_ui.h"

namespace quorvane {
namespace {

// The least-squares estimates of y = a + b t + c t^2 from the normal
// equations X'X beta = X'y, solved by Cramer's rule.
std::array<double, 3> LeastSquares() {
  double s[5] = {0, 0, 0, 0, 0};  // sums of t^0..t^4
  double r[3] = {0, 0, 0};        // sums of y t^0..t^2
  for (int k = 0; k < QuadraticFitModel::kPoints; ++k) {
    const double t = QuadraticFitModel::kT[static_cast<size_t>(k)];
    const double y = QuadraticFitModel::kY[static_cast<size_t>(k)];
    for (int p = 0; p < 5; ++p) s[p] += std::pow(t, p);
    for (int p = 0; p < 3; ++p) r[p] += y * std::pow(t, p);
  }
  auto det = [](double m[3][3]) {
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
           m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
  };
  double a[3][3] = {{s[0], s[1], s[2]}, {s[1], s[2], s[3]}, {s[2], s[3], s[4]}};
  const double d = det(a);
  std::array<double, 3> beta{};
  for (int j = 0; j < 3; ++j) {
    double m[3][3];
    for (int i = 0; i < 3; ++i)
      for (int k = 0; k < 3; ++k) m[i][k] = k == j ? r[i] : a[i][k];
    beta[static_cast<size_t>(j)] = det(m) / d;
  }
  return beta;
}

TEST(QuadraticFitModelTest, TheObjectiveIsLeastAtTheLeastSquaresEstimates) {
  testing::ScriptedUi ui;
  QuadraticFitModel model;
  Session session(ui, &model);
  session.Start();
  SetUpModel(session);
  ASSERT_EQ(session.Algorithm.ParameterCount, 3);
  EXPECT_EQ(session.Outputs.NOBS, 8);

  const auto beta = LeastSquares();
  OneBased<double> best{beta[0], beta[1], beta[2]};
  const double ss = QuadraticFitModel::SumOfSquares(beta[0], beta[1], beta[2]);
  const double fBest = EvaluateObjective(session, best, 1, false);
  // F = (N/2) ln(SS/N); both sides use the same SS, so they agree to rounding.
  EXPECT_NEAR(fBest, 4.0 * std::log(ss / 8.0), 1e-12);
  EXPECT_GT(ui.PumpCount, 0);  // the model lets user actions run once per evaluation

  // Any move away from the estimates raises F.
  for (int i = 1; i <= 3; ++i)
    for (double h : {-1e-3, 1e-3}) {
      OneBased<double> P = best;
      P[i] += h;
      EXPECT_GT(EvaluateObjective(session, P, 2, false), fBest) << i << " " << h;
    }
}

}  // namespace
}  // namespace quorvane

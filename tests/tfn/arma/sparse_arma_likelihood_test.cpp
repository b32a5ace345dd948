// The exact likelihood for polynomials with many zero coefficients against
// MelardLikelihood on the same polynomials and against a dense Cholesky
// factor of the covariance matrix, through each of its phases: the Kalman
// steps, the ARMA inversion once the gains have settled, plain residuals of
// a pure autoregression, and the Kalman steps kept for a non-invertible
// moving average.
#include "tfn/arma/sparse_arma_likelihood.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "support/allocation_counter.h"
#include "tfn/arma_dense_oracle.h"
#include "tfn/simulated_series.h"

namespace quorvane {
namespace {

// (1 - c1 B)(1 - C B^s) as the coefficients e of 1 - e(1) B - ... - e(s+1) B^(s+1).
std::vector<double> Seasonal(double c1, double C, std::size_t s) {
  std::vector<double> e(s + 1, 0.0);
  e[0] = c1;
  e[s - 1] += C;
  e[s] -= c1 * C;
  return e;
}

struct SparseCase {
  const char* name;
  std::vector<double> phi, theta;
  std::size_t n;
  bool settles;  // the series is long enough for the switch to the inversion or to residuals
};

// The airline models of periods 12 and 24 settle within the series;
// Theta_s = 0.9 does not; the seasonal AR model has a moving average of
// zeros only (trimmed away) and turns into residuals; the non-invertible
// MA(1) settles at h = 2.25, not 1, and keeps the Kalman step.
const SparseCase kCases[] = {
    {"airline 12", {}, Seasonal(0.4, 0.3, 12), 600, true},
    {"airline 24", {}, Seasonal(0.4, 0.6, 24), 2500, true},
    {"slow seasonal MA", {}, Seasonal(0.2, 0.9, 12), 400, false},
    {"seasonal AR", Seasonal(-0.4, -0.5, 12), {0.0}, 300, true},
    {"mixed", Seasonal(0.5, 0.3, 4), Seasonal(-0.3, 0.6, 4), 500, true},
    {"non-invertible MA(1)", {}, {1.5}, 2500, false},
    {"shorter than the state", {}, Seasonal(0.4, 0.6, 12), 5, false},
    {"one value", {0.3}, Seasonal(0.4, 0.6, 12), 1, false},
};

double Relative(double actual, double expected) {
  return std::fabs(actual - expected) / std::max(1.0, std::fabs(expected));
}

TEST(SparseArmaLikelihoodTest, AgreesWithTheDenseRecursionInEveryPhase) {
  for (const SparseCase& c : kCases) {
    SCOPED_TRACE(c.name);
    const std::vector<double> w = testing::SimulatedArmaSeries(c.phi, c.theta, c.n, 11);
    std::vector<double> a(c.n), h(c.n), denseA(c.n), denseH(c.n);
    MelardWorkspace dense;
    SparseArmaWorkspace sparse;
    const MelardResult expected = MelardLikelihood(c.phi, c.theta, w, denseA, denseH, dense);
    const MelardResult result = SparseArmaLikelihood(c.phi, c.theta, w, a, h, sparse);
    ASSERT_GT(expected.Fact, 0.0);
    EXPECT_EQ(sparse.SparseFrom < c.n, c.settles) << "switched at step " << sparse.SparseFrom;
    // Until the switch both run the same recursion (on polynomials that
    // differ only by trailing zeros); after it the inversion replaces
    // settled gains equal to theirs within 16 units in the last place, so
    // the results stay within 1e-12 relative, where a wrong term moves them
    // by far more.
    EXPECT_LT(Relative(result.SumSq, expected.SumSq), 1e-12);
    EXPECT_LT(Relative(result.Fact, expected.Fact), 1e-12);
    for (std::size_t t = 0; t < c.n; ++t) {
      ASSERT_LT(Relative(a[t], denseA[t]), 1e-12) << t;
      ASSERT_LT(Relative(h[t], denseH[t]), 1e-12) << t;
    }
  }
}

// After the switch to the inversion, against the exact answer of a Cholesky
// factor of the 300 x 300 covariance matrix (long double, psi-weight
// autocovariances). Tolerance as for MelardLikelihood's oracle test.
TEST(SparseArmaLikelihoodTest, AgreesWithTheDenseCovarianceAfterTheSwitch) {
  const std::vector<double> phi{0.3};
  const std::vector<double> theta = Seasonal(0.4, 0.3, 12);
  constexpr std::size_t n = 300;
  const std::vector<double> w = testing::SimulatedArmaSeries(phi, theta, n, 5);
  std::vector<double> a(n), h(n);
  SparseArmaWorkspace work;
  const MelardResult result = SparseArmaLikelihood(phi, theta, w, a, h, work);
  ASSERT_LT(work.SparseFrom, n - 100);  // a good part of the series after the switch
  const testing::DenseLikelihood oracle =
      testing::DenseExactLikelihood(testing::PsiWeightAutocovariances(phi, theta, n - 1), w);
  EXPECT_NEAR(result.SumSq, static_cast<double>(oracle.SumSq), 1e-10 * static_cast<double>(oracle.SumSq));
  EXPECT_NEAR(std::log(result.Fact) * n, static_cast<double>(oracle.LogDet), 1e-10 * n);
  for (std::size_t t = 0; t < n; ++t) {
    EXPECT_NEAR(a[t], static_cast<double>(oracle.A[t]), 1e-10) << t;
    EXPECT_NEAR(h[t], static_cast<double>(oracle.H[t]), 1e-10) << t;
  }
}

TEST(SparseArmaLikelihoodTest, FailsAsTheDenseRecursionFails) {
  const std::vector<double> w{1.0, -0.5, 0.25, 2.0};
  std::vector<double> a(4), h(4);
  SparseArmaWorkspace work;
  // Phi_s(1) = 1: a unit root at lag 4, no stationary start.
  const MelardResult unit = SparseArmaLikelihood(std::vector<double>{0, 0, 0, 1.0}, {}, w, a, h, work);
  EXPECT_EQ(unit.Fact, 0.0);
  EXPECT_EQ(SparseArmaLikelihood({}, {}, std::vector<double>{}, a, h, work).Fact, 0.0);
}

TEST(SparseArmaLikelihoodTest, AllocatesNothingOnceReserved) {
  const std::vector<double> theta = Seasonal(0.4, 0.6, 24);
  const std::vector<double> w = testing::SimulatedArmaSeries({}, theta, 3000, 2);
  std::vector<double> a(w.size()), h(w.size());
  SparseArmaWorkspace work;
  work.Reserve(theta.size());
  testing::AllocationCounter counter;
  for (int call = 0; call < 3; ++call) SparseArmaLikelihood({}, theta, w, a, h, work);
  EXPECT_EQ(counter.Count(), 0);
}

}  // namespace
}  // namespace quorvane

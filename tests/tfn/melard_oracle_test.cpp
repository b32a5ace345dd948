#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "tfn/arma_dense_oracle.h"
#include "tfn/melard_likelihood.h"
#include "tfn/simulated_series.h"

namespace quorvane {
namespace {

using testing::DenseExactLikelihood;
using testing::PsiWeightAutocovariances;
using testing::SimulatedArmaSeries;

// Both sides are exact in exact arithmetic. The recursions round O(N r)
// times in double and the dense side works in long double, so on these
// well-conditioned cases they agree to about 1e-14; 1e-10 relative leaves
// room for other compilers and flags, while any wrong term in a recursion
// moves the numbers by 1e-3 or more.
constexpr double kTolerance = 1e-10;

struct ArmaCase {
  const char* name;
  std::vector<double> phi;
  std::vector<double> theta;
  std::size_t n;
};

// The orders the model passes (p = q = m for m = 1..3), mixed orders, pure
// AR (which switches to plain residuals), pure MA, a root near the boundary,
// a non-invertible MA (its exact likelihood still exists) and series no
// longer than the order.
const ArmaCase kCases[] = {
    {"ARMA(1,1)", {0.6}, {0.4}, 30},
    {"ARMA(1,1) opposite signs", {-0.7}, {0.5}, 30},
    {"ARMA(2,2)", {0.5, 0.3}, {0.4, -0.2}, 30},
    {"ARMA(3,3)", {0.4, 0.2, -0.3}, {0.5, -0.3, 0.2}, 30},
    {"ARMA(3,3) with zero top coefficients", {0.5, -0.2, 0.0}, {0.3, 0.0, 0.0}, 30},
    {"ARMA(2,1)", {1.2, -0.5}, {0.3}, 30},
    {"ARMA(1,3)", {0.8}, {0.4, 0.3, -0.2}, 30},
    {"ARMA(3,1)", {0.3, 0.2, 0.1}, {-0.6}, 30},
    {"AR(2)", {1.2, -0.5}, {}, 30},
    {"AR(3)", {0.6, -0.3, 0.2}, {}, 30},
    {"MA(2)", {}, {0.8, -0.5}, 30},
    {"MA(3)", {}, {0.5, -0.3, 0.2}, 30},
    {"ARMA(1,1) near a unit root", {0.95}, {-0.5}, 30},
    {"MA(1) non-invertible", {}, {1.5}, 30},
    {"AR(3) with N = 2", {0.6, -0.3, 0.2}, {}, 2},
    {"ARMA(2,2) with N = 1", {0.5, 0.3}, {0.4, -0.2}, 1},
};

double Relative(long double actual, long double expected) {
  return static_cast<double>(std::fabs(actual - expected) / std::max(1.0L, std::fabs(expected)));
}

TEST(MelardLikelihoodTest, AgreesWithDenseCholeskyOfTheCovarianceMatrix) {
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const auto w = SimulatedArmaSeries(c.phi, c.theta, c.n, 17);
    const auto dense = DenseExactLikelihood(PsiWeightAutocovariances(c.phi, c.theta, c.n), w);
    MelardWorkspace work(3);
    std::vector<double> a(c.n), h(c.n);
    const MelardResult result = MelardLikelihood(c.phi, c.theta, w, a, h, work);

    for (std::size_t t = 0; t < c.n; ++t) {
      EXPECT_LE(Relative(a[t], dense.A[t]), kTolerance) << "a(" << t + 1 << ")";
      EXPECT_LE(Relative(h[t], dense.H[t]), kTolerance) << "h(" << t + 1 << ")";
    }
    // SUMSQ = w' Gamma^-1 w and FACT^N = det Gamma.
    EXPECT_LE(Relative(result.SumSq, dense.SumSq), kTolerance);
    const long double n = static_cast<long double>(c.n);
    EXPECT_LE(Relative(n * std::log(static_cast<long double>(result.Fact)), dense.LogDet),
              kTolerance);
    // Hence the concentrated -ln L the model adds up:
    // (N/2) ln(SUMSQ FACT / N) = (N/2) ln(w' Gamma^-1 w / N) + (1/2) ln det Gamma.
    EXPECT_LE(Relative(n / 2 * std::log(result.SumSq * result.Fact / n),
                       n / 2 * std::log(dense.SumSq / n) + dense.LogDet / 2),
              kTolerance);
  }
}

}  // namespace
}  // namespace quorvane

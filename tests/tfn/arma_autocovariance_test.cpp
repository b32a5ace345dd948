#include "tfn/arma_autocovariance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "tfn/arma_dense_oracle.h"

namespace quorvane {
namespace {

using testing::PsiWeightAutocovariances;

// The psi-weight sums are taken in long double until the weights vanish, so
// they are exact to double precision; the order reduction divides by
// 1 - alpha^2 at each order, which on these cases costs at most a few
// digits. 1e-12 relative is far below the size of any wrong term.
constexpr double kTolerance = 1e-12;

struct Process {
  const char* name;
  std::vector<double> phi;
  std::vector<double> theta;
};

TEST(ArmaAutocovarianceTest, MatchesSumsOfPsiWeights) {
  const Process processes[] = {
      {"white noise", {}, {}},
      {"AR(1)", {0.5}, {}},
      {"AR(2) complex roots", {1.2, -0.5}, {}},
      {"AR(3)", {0.6, -0.3, 0.2}, {}},
      {"MA(3)", {}, {0.5, -0.3, 0.2}},
      {"ARMA(1,1)", {0.6}, {0.4}},
      {"ARMA(2,2)", {0.5, 0.3}, {0.4, -0.2}},
      {"ARMA(3,3)", {0.4, 0.2, -0.3}, {0.5, -0.3, 0.2}},
      {"ARMA(3,1)", {0.3, 0.2, 0.1}, {-0.6}},
      {"ARMA(1,3)", {0.8}, {0.4, 0.3, -0.2}},
      {"ARMA(4,2), beyond the model's orders", {0.3, -0.2, 0.1, 0.25}, {0.5, 0.1}},
  };
  for (const auto& process : processes) {
    SCOPED_TRACE(process.name);
    const std::size_t p = process.phi.size(), q = process.theta.size();
    const std::size_t r = ArmaStateDimension(p, q);
    MelardWorkspace work(4);
    ASSERT_TRUE(ArmaAutocovariance(process.phi, process.theta, work));

    const auto gamma = PsiWeightAutocovariances(process.phi, process.theta, r);
    for (std::size_t k = 0; k <= r; ++k) {
      const double expected = static_cast<double>(gamma[k]);
      EXPECT_NEAR(work.Gamma[k], expected, kTolerance * std::fmax(1.0, std::fabs(expected)))
          << "gamma_" << k;
    }
    // c_k = E[w(t) a(t-k)] is the psi weight psi_k.
    std::vector<double> psi(q + 1);
    for (std::size_t k = 0; k <= q; ++k) {
      psi[k] = k == 0 ? 1.0 : -process.theta[k - 1];
      for (std::size_t j = 1; j <= std::min(k, p); ++j) psi[k] += process.phi[j - 1] * psi[k - j];
      EXPECT_NEAR(work.Cross[k], psi[k], kTolerance) << "c_" << k;
    }
  }
}

TEST(ArmaAutocovarianceTest, AcceptsTheClampedCoefficientAndRejectsNonStationaryOnes) {
  // 0.999999 is the largest coefficient the model passes without logits:
  // gamma_0 = 1 / (1 - phi^2) must come out, to the 1e-10 that forming
  // 1 - phi^2 ~ 2e-6 leaves of double precision.
  for (const double phi : {0.999999, -0.999999}) {
    MelardWorkspace work(1);
    const std::vector<double> coefficients = {phi};
    ASSERT_TRUE(ArmaAutocovariance(coefficients, {}, work)) << phi;
    EXPECT_NEAR(work.Gamma[0] * (1 - phi * phi), 1.0, 1e-9) << phi;
  }

  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const Process rejected[] = {
      {"unit root", {1.0}, {}},
      {"explosive AR(1)", {-1.2}, {0.3}},
      {"AR(2) with phi_1 + phi_2 > 1", {0.5, 0.6}, {}},
      {"AR(2) with phi_2 > 1", {0.0, 1.0001}, {0.5, 0.2}},
      // Both reflection coefficients beyond 1 (alpha_2 = 1.5, alpha_1 = -2):
      // the equations still have a solution with gamma_0 > 0, so only the
      // order-by-order test rejects it.
      {"AR(2) whose equations still solve", {1.0, 1.5}, {}},
      {"ARMA(3,3) with a real root inside the unit circle", {0.2, 0.2, 0.9}, {0.1, 0.1, 0.1}},
      {"not-a-number phi", {0.3, nan}, {0.2, 0.1}},
      {"infinite phi", {inf}, {0.1}},
      {"not-a-number theta", {0.3}, {nan}},
      {"infinite theta", {}, {inf}},
  };
  for (const auto& process : rejected) {
    MelardWorkspace work(3);
    EXPECT_FALSE(ArmaAutocovariance(process.phi, process.theta, work)) << process.name;
  }
}

}  // namespace
}  // namespace quorvane

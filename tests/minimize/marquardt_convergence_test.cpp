// The Marquardt search reaches known optima: Rosenbrock's valley with the
// model's analytical derivatives, and the certified least-squares estimates
// of NIST's Misra1a with numerical derivatives.
#include <gtest/gtest.h>

#include <cmath>

#include "minimize/marquardt_fixture.h"
#include "minimize/simplex_test_problems.h"  // Rosenbrock and Misra1a, shared with the Simplex tests

namespace quorvane {
namespace {

void RosenbrockDerivatives(const OneBased<double>& P, OneBased<double>& GRAD, OneBasedMatrix& HESS) {
  const double x = P[1], y = P[2];
  GRAD[1] = -400 * x * (y - x * x) - 2 * (1 - x);
  GRAD[2] = 200 * (y - x * x);
  HESS(1, 1) = 1200 * x * x - 400 * y + 2;
  HESS(1, 2) = HESS(2, 1) = -400 * x;
  HESS(2, 2) = 200;
}

class MarquardtRosenbrockTest : public testing::MarquardtSession {
 protected:
  MarquardtRosenbrockTest() : MarquardtSession(2, testing::Rosenbrock, RosenbrockDerivatives) {}
};

TEST_F(MarquardtRosenbrockTest, ReachesTheMinimumWithAnalyticalDerivatives) {
  const double L = 1e-10;
  data().Tolerance = L;
  data().MaxFunctionCalls = 1000;
  SetParameters({-1.2, 1}, {0.1, 0.1});

  ASSERT_EQ(Run(DerivativeKind::Analytical), MarquardtOutcome::MinimumFound);

  // The run stops once an accepted step gains less than L, and near the
  // minimum the undamped Newton steps converge quadratically, so what is
  // left above the minimum of 0 is below L. Where F - F* <= L, the
  // quadratic model bounds each coordinate by sqrt(2 L (H^-1)_kk); at (1, 1)
  // H = [[802, -400], [-400, 200]] and H^-1 = [[0.5, 1], [1, 2.005]].
  EXPECT_LE(testing::Rosenbrock(data().Values), L);
  EXPECT_NEAR(data().Values[1], 1, std::sqrt(2 * L * 0.5));
  EXPECT_NEAR(data().Values[2], 1, std::sqrt(2 * L * 2.005));
  EXPECT_TRUE(model_.CallsWith(-2) > 1);
}

// The exact gradient and Hessian of S = sum r_i^2, r_i = y_i - b1 g_i,
// g_i = 1 - exp(-b2 x_i).
void Misra1aDerivatives(const OneBased<double>& P, OneBased<double>& GRAD, OneBasedMatrix& HESS) {
  using testing::Misra1a;
  const double b1 = P[1], b2 = P[2];
  for (std::size_t i = 0; i < Misra1a::kX.size(); ++i) {
    const double x = Misra1a::kX[i];
    const double e = std::exp(-b2 * x);
    const double g = 1 - e;
    const double r = Misra1a::kY[i] - b1 * g;
    GRAD[1] += -2 * r * g;
    GRAD[2] += -2 * r * b1 * x * e;
    HESS(1, 1) += 2 * g * g;
    HESS(1, 2) += 2 * x * e * (b1 * g - r);
    HESS(2, 2) += 2 * (b1 * x * e * b1 * x * e + r * b1 * x * x * e);
  }
  HESS(2, 1) = HESS(1, 2);
}

class MarquardtMisra1aTest : public testing::MarquardtSession {
 protected:
  MarquardtMisra1aTest()
      : MarquardtSession(2, testing::Misra1a::SumOfSquares, Misra1aDerivatives) {}

  // Runs from each of NIST's two starting points and checks every estimate
  // to within `sds` of its certified standard deviation and, when given, the
  // sum of squares to within `excess` of the certified one.
  void RunFromBothStarts(DerivativeKind kind, double L, double sds, double excess = -1) {
    using testing::Misra1a;
    const double starts[2][2] = {{500, 1e-4}, {250, 5e-4}};
    for (const auto& start : starts) {
      SCOPED_TRACE(start[0]);
      data().Tolerance = L;
      data().MaxFunctionCalls = 1000;
      SetParameters({start[0], start[1]}, {10, 1e-5});
      ASSERT_EQ(Run(kind), MarquardtOutcome::MinimumFound);
      EXPECT_NEAR(data().Values[1], Misra1a::kB1, Misra1a::kSdB1 * sds);
      EXPECT_NEAR(data().Values[2], Misra1a::kB2, Misra1a::kSdB2 * sds);
      if (excess >= 0) {
        EXPECT_LE(Misra1a::SumOfSquares(data().Values) - Misra1a::kResidualSumOfSquares, excess);
      }
    }
  }
};

TEST_F(MarquardtMisra1aTest, ReachesTheCertifiedEstimatesToTheTolerance) {
  // The objective is the residual sum of squares S. Near the optimum
  // S - S* = d' J'J d, and the certified standard deviations are
  // sd_k^2 = s^2 (J'J)^-1_kk with s^2 = S* / (N - p); so S - S* <= L bounds
  // each estimate by sd_k sqrt(L (N - p) / S*). With exact derivatives the
  // last accepted Newton step gains less than L, and what is left is below it.
  const double L = 1e-9;
  RunFromBothStarts(DerivativeKind::Analytical, L,
                    std::sqrt(L * (14 - 2) / testing::Misra1a::kResidualSumOfSquares), L);
}

TEST_F(MarquardtMisra1aTest, ReachesTheCertifiedEstimatesWithNumericalDerivatives) {
  // Central differences on the fixed relative step h = 0.001 carry a bias of
  // order h^2 in the gradient, and the search settles where the numerical
  // gradient vanishes. For Misra1a, whose two estimates are almost
  // collinear, that point lies about 0.005 sd from the certified one, so a
  // hundredth of a standard deviation is what these settings allow.
  RunFromBothStarts(DerivativeKind::Numerical, 1e-9, 0.01);
}

}  // namespace
}  // namespace quorvane

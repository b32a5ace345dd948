// The Simplex search reaches known optima on classic problems, through the
// main menu's command and a test model. The estimates are checked to the
// accuracy the settings imply, not against iteration counts.
#include <gtest/gtest.h>

#include <cmath>

#include "minimize/simplex_fixture.h"
#include "minimize/simplex_test_problems.h"

namespace quorvane::testing {
namespace {

class RosenbrockTest : public SimplexSession {
 protected:
  RosenbrockTest() : SimplexSession(2, Rosenbrock) {}
};

TEST_F(RosenbrockTest, ReachesTheMinimumOfTheValley) {
  const double limit = 1e-12;
  SetParameters({-1.2, 1}, {0.5, 0.5});
  data().Tolerance = limit;
  data().MaxFunctionCalls = 100000;
  session_.Menu().form().Click("cmdSimplex");
  ASSERT_TRUE(ui_.Showed("Minimum found using Simplex!"));

  // At the accepted minimum no axial probe is lower by the limit, so the
  // value is within a few limits of 0 and, with the smallest curvature of
  // the valley floor (the Hessian's eigenvalue 0.3994 at (1, 1)), each
  // coordinate within sqrt(2 f / 0.3994) of 1.
  const double f = Rosenbrock(data().Values);
  EXPECT_LT(f, 10 * limit);
  const double reach = std::sqrt(2 * 10 * limit / 0.3994);
  EXPECT_NEAR(data().Values[1], 1.0, reach);
  EXPECT_NEAR(data().Values[2], 1.0, reach);
}

class Misra1aTest : public SimplexSession {
 protected:
  Misra1aTest() : SimplexSession(2, Misra1a::SumOfSquares) {}
};

TEST_F(Misra1aTest, ReachesTheCertifiedEstimates) {
  // NIST's first start, with steps of a fifth of the start values.
  const double limit = 1e-10;
  SetParameters({500, 1e-4}, {100, 2e-5});
  data().Tolerance = limit;
  data().MaxFunctionCalls = 100000;
  session_.Menu().form().Click("cmdSimplex");
  ASSERT_TRUE(ui_.Showed("Minimum found using Simplex!"));

  // SS exceeds its minimum by (b - b*)' J'J (b - b*) near the solution, and
  // the certified standard deviations are those of s^2 (J'J)^-1 with
  // s^2 = SS / (14 - 2); so an excess of at most ten limits keeps each
  // estimate within sqrt(10 limit / s^2) of its standard deviation.
  const double ss = Misra1a::SumOfSquares(data().Values);
  EXPECT_LT(ss - Misra1a::kResidualSumOfSquares, 10 * limit);
  const double sds = std::sqrt(10 * limit / (Misra1a::kResidualSumOfSquares / 12));
  EXPECT_NEAR(data().Values[1], Misra1a::kB1, sds * Misra1a::kSdB1);
  EXPECT_NEAR(data().Values[2], Misra1a::kB2, sds * Misra1a::kSdB2);
}

}  // namespace
}  // namespace quorvane::testing

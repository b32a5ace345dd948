// The tolerance tests of the Marquardt search, including the rule for a
// relative test against a value of exactly 0.
#include "minimize/marquardt_tolerance.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorvane {
namespace {

struct ConvergenceCase {
  double L, fNew, fOld;
  bool converged;
};

TEST(MarquardtToleranceTest, Convergence) {
  const ConvergenceCase cases[] = {
      {0.5, 9.75, 10.0, true},     // absolute: 0.25 < 0.5
      {0.25, 9.75, 10.0, false},   // absolute and strict: 0.25 is not < 0.25
      {-0.025, 9.75, 10.0, true},  // relative and not strict: 0.025 >= 0.025
      {-0.02, 9.75, 10.0, false},
      {-0.025, -10.25, -10.0, true},  // relative to |fOld| when it is negative
      {0.0, 10.0, 10.0, false},       // no tolerance: never
      {-1e-6, 0.0, 0.0, true},        // from 0 to 0: no change
      {-1e-6, -1e-7, 0.0, true},      // from 0: measured absolutely
      {-1e-6, -1e-5, 0.0, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MarquardtConverged(c.L, c.fNew, c.fOld), c.converged)
        << "L " << c.L << ", " << c.fOld << " -> " << c.fNew;
}

TEST(MarquardtToleranceTest, AxialProbe) {
  const ConvergenceCase cases[] = {
      // {L, probe f, fRef, improves}
      {0.25, 9.75, 10.0, false},  // exactly L below: not more than L
      {0.25, 9.7, 10.0, true},
      {0.0, 9.999, 10.0, true},  // no tolerance: any lower value
      {0.0, 10.0, 10.0, false},
      {-0.025, 9.75, 10.0, false},  // relative change equal to |L|
      {-0.025, 9.7, 10.0, true},
      {-0.025, 10.3, 10.0, false},  // higher is never better
      {-1e-6, -1e-5, 0.0, true},    // from 0: measured absolutely
      {-1e-6, -1e-7, 0.0, false},
      {0.0, std::nan(""), 10.0, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(AxialProbeImproves(c.L, c.fNew, c.fOld), c.converged)
        << "L " << c.L << ", probe " << c.fNew << " against " << c.fOld;
}

TEST(MarquardtToleranceTest, TheReportedCriterionIsAlwaysFinite) {
  EXPECT_EQ(MarquardtTerminationCriterion(1e-6, 9.5, 10).label, " Abs TC> ");
  EXPECT_EQ(MarquardtTerminationCriterion(1e-6, 9.5, 10).value, 0.5);
  EXPECT_EQ(MarquardtTerminationCriterion(0, 9.5, 10).label, " Abs TC> ");
  EXPECT_EQ(MarquardtTerminationCriterion(-1e-6, 9.5, 10).label, " Rel TC> ");
  EXPECT_EQ(MarquardtTerminationCriterion(-1e-6, 9.5, 10).value, 0.05);
  // From exactly 0 the change is shown as it is measured, absolutely.
  const TerminationCriterion fromZero = MarquardtTerminationCriterion(-1e-6, -0.5, 0);
  EXPECT_EQ(fromZero.label, " Abs TC> ");
  EXPECT_EQ(fromZero.value, 0.5);
}

}  // namespace
}  // namespace quorvane

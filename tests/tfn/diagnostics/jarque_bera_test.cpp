#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tfn/diagnostics/central_moments.h"
#include "tfn/diagnostics/jarque_bera.h"

namespace quorvane {
namespace {

// 5 of 20 values at 3 and 15 at -1: the moments of a two-point variable
// with q = 1/4, so g1 = (1 - 2q) / sqrt(q (1 - q)) = 2 / sqrt(3) and
// g2 = (1 - 6 q (1 - q)) / (q (1 - q)) = -2/3 (excess); JB = (20/6)(4/3 + 1/9) = 130/27.
TEST(JarqueBeraTest, TwoPointSampleInClosedForm) {
  std::vector<double> r(20, -1.0);
  for (int i = 0; i < 5; ++i) r[static_cast<size_t>(i)] = 3.0;
  const CentralMoments m = ComputeCentralMoments(r);
  const double g1 = m.M3 / std::pow(m.M2, 1.5), g2 = m.M4 / (m.M2 * m.M2) - 3;
  const auto jb = JarqueBeraTest(g1, g2, 20);
  ASSERT_TRUE(jb);
  EXPECT_NEAR(jb->Statistic, 130.0 / 27.0, 1e-13);
  EXPECT_NEAR(jb->P, std::exp(-65.0 / 27.0), 1e-14);

  // A normal sample's moments give no evidence against normality.
  const auto none = JarqueBeraTest(0.0, 0.0, 50);
  ASSERT_TRUE(none);
  EXPECT_EQ(none->Statistic, 0.0);
  EXPECT_EQ(none->P, 1.0);
  EXPECT_FALSE(JarqueBeraTest(0.5, 0.5, 0));
  EXPECT_FALSE(JarqueBeraTest(NAN, 0.5, 10));
}

}  // namespace
}  // namespace quorvane

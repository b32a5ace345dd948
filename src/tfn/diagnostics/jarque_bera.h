#pragma once

#include <optional>

namespace quorvane {

// The Jarque-Bera test of normality from the sample skewness g1 and the
// excess kurtosis g2 of n values:
//   JB = (n / 6) (g1^2 + g2^2 / 4),
// asymptotically chi-square with 2 degrees of freedom under normality, so
// p = P(chi-square(2) >= JB) = exp(-JB / 2).
struct JarqueBeraResult {
  double Statistic = 0.0;
  double P = 1.0;
};

// No result for n < 1 or a statistic that is not finite.
std::optional<JarqueBeraResult> JarqueBeraTest(double g1, double g2, long n);

}  // namespace quorvane

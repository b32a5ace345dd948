#pragma once

#include <cmath>

namespace quorvane::testing {

// P(|T| <= t) for Student's t with df degrees of freedom, from the finite
// trigonometric series of the distribution (theta = atan(t / sqrt(df))):
//   odd df:  (2/pi) [theta + sin(theta) (cos(theta) + 2/3 cos^3(theta) + ...
//                    + (2 4 ... (df-3)) / (1 3 ... (df-2)) cos^(df-2)(theta))], 2 theta / pi for df 1;
//   even df: sin(theta) [1 + 1/2 cos^2(theta) + ... + (1 3 ... (df-3)) / (2 4 ... (df-2)) cos^(df-2)(theta)].
inline double StudentTCentralProbability(double t, long df) {
  const double pi = 4.0 * std::atan(1.0);
  const double theta = std::atan(t / std::sqrt(static_cast<double>(df)));
  const double c = std::cos(theta);
  if (df % 2 == 1) {
    double term = c, sum = df == 1 ? 0.0 : c;
    for (long k = 3; k <= df - 2; k += 2) {
      term *= c * c * static_cast<double>(k - 1) / static_cast<double>(k);
      sum += term;
    }
    return 2.0 / pi * (theta + std::sin(theta) * sum);
  }
  double term = 1.0, sum = 1.0;
  for (long k = 2; k <= df - 2; k += 2) {
    term *= c * c * static_cast<double>(k - 1) / static_cast<double>(k);
    sum += term;
  }
  return std::sin(theta) * sum;
}

// The two-sided p-value 1 - P(|T| <= t).
inline double StudentTTwoSidedP(double t, long df) { return 1.0 - StudentTCentralProbability(t, df); }

}  // namespace quorvane::testing

#pragma once

namespace quorvane {

// ln Gamma(x) for x > 0 by the six-term Lanczos series (shift 5.5):
//   ln Gamma(x) = (y + 0.5) ln(y + 5.5) - (y + 5.5)
//                 + ln(2.50662827465 (1 + sum_{i=1..6} c_i / (y + i))),  y = x - 1,
// for x >= 1, and below 1 by reflection:
//   ln Gamma(x) = ln(pi (1 - x) / (Gamma(2 - x) sin(pi (1 - x)))).
// The coefficients are the ten-digit ones the system has always used, so its
// results are reproduced to the last digit; the series' own error is about
// 2e-10 in ln Gamma.
double LogGamma(double x);

}  // namespace quorvane

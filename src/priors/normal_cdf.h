#pragma once

namespace quorvane {

// The standard normal cumulative probability, from the rational Chebyshev
// approximation of the complementary error function
//   erfc(z) = t exp(-z^2 + c1 + t(c2 + t(c3 + ... + t c10))), t = 1/(1 + z/2),
// whose relative error is below 1.2E-7 for every z >= 0.
double NormalCdf(double x);

}  // namespace quorvane

#pragma once

namespace quorvane {

// The regularized incomplete gamma functions of a > 0 and x >= 0:
//   P(a, x) = gamma(a, x) / Gamma(a) = (1 / Gamma(a)) int_0^x t^(a-1) e^-t dt,
//   Q(a, x) = 1 - P(a, x) = Gamma(a, x) / Gamma(a).
// Both are computed to about 1e-15 relative; the one that is the smaller
// is computed directly, so neither loses its digits to the cancellation
// in 1 - the other. NaN for a <= 0, x < 0 or a NaN argument.
double RegularizedLowerGamma(double a, double x);
double RegularizedUpperGamma(double a, double x);

}  // namespace quorvane

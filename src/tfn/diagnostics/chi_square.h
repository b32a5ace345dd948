#pragma once

namespace quorvane {

// The upper-tail probability of a chi-square variable with `df` degrees of
// freedom: P(X >= x) = Q(df / 2, x / 2), the regularized upper incomplete
// gamma function. 1 for x <= 0; NaN for df < 1.
double ChiSquareUpperTail(double x, int df);

}  // namespace quorvane

#pragma once

#include <optional>
#include <span>

#include "base/ui/ui.h"
#include "tfn/diagnostics/t_test_p_value.h"

namespace quorvane {

// The covariate of the variance trend: time (z = t, reported as v2) or the
// fitted level of the series (z = the fitted value f(t, k), reported as v1).
enum class VarianceTrendMode { Time = 1, Level = 2 };

struct VarianceTrendResult {
  double V = 0.0;       // maximum-likelihood trend of the log variance
  double T = 0.0;       // v sqrt(I), I its Fisher information
  PValue P;             // two-sided, df = n - 1
  long Bisections = 0;  // halvings the root search used
};

// Tests whether the variance of the residuals r changes with a covariate z,
// under the model Var r = sigma^2 exp(v (z - zbar)) with v estimated by
// maximum likelihood. residuals[i] and covariate[i] are the i-th present
// residual and its z, pooled over series and periods in the caller's order
// (the order decides only which of equal extreme squares counts).
//
// The root of the score
//   S(v) = n sum(-r^2 e (z - zbar)) / (2 sum r^2 e),  e = exp(-v (z - zbar)),
// (exponent capped at 100; S keeps its previous value, at first 0, when
// sum r^2 e is not > 0) is bracketed from +-s, s the slope between the
// largest and the smallest r^2, widening both ends by their difference until
// S changes sign, and then bisected from the end with the negative score
// until the step is below 1e-6 (at most 1 000 000 halvings). With
//   A = sum r^2 e, B = -sum r^2 e (z - zbar), C = sum r^2 e (z - zbar)^2
// at that v, I = (n/2)(A C - B^2) / A^2, T = v sqrt(I) and
// p = TTestPValue(|T|, n - 1, 2).
//
// No result, silently, when the largest and the smallest r^2 lie at the
// same z (or there are no residuals). No result, after an information
// message on `ui`, when the search ends at v = 0: the bisection limit is
// reached, no sign change is found before the bracket stops being finite
// (or has no width), or the root lies at 0 itself.
std::optional<VarianceTrendResult> VarianceTrendTest(std::span<const double> residuals,
                                                     std::span<const double> covariate,
                                                     VarianceTrendMode mode, Ui& ui);

}  // namespace quorvane

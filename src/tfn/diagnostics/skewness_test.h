#pragma once

#include <optional>
#include <span>

#include "tfn/diagnostics/t_test_p_value.h"

namespace quorvane {

struct SkewnessResult {
  double G1 = 0.0;  // sample skewness m3 / m2^1.5
  double Z = 0.0;   // its normalized statistic
  PValue P;         // two-sided, df = n - 1
};

// D'Agostino's test of the skewness of the pooled residuals (the present
// values only, in any order). With Y = g1 sqrt((n+1)(n+3) / (6n - 12)),
//   beta2 = 3 (n^2 + 27n - 70)(n+1)(n+3) / ((n-2)(n+5)(n+7)(n+9)),
//   W^2 = sqrt(2 (beta2 - 1)) - 1, delta = 1 / sqrt(ln sqrt(W^2)),
//   alpha = sqrt(2 / (W^2 - 1)),  Z = delta ln(Y/alpha + sqrt((Y/alpha)^2 + 1)),
// and p = TTestPValue(|Z|, n - 1, 2).
// No result when the residuals have no variance (m2^1.5 not > 0), or when
// the normalization does not exist: n < 3, or W^2 <= 1, which holds for
// every n < 8.
std::optional<SkewnessResult> SkewnessTest(std::span<const double> residuals);

}  // namespace quorvane

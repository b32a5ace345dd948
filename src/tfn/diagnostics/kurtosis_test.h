#pragma once

#include <optional>
#include <span>

#include "tfn/diagnostics/t_test_p_value.h"

namespace quorvane {

struct KurtosisResult {
  double G2 = 0.0;  // excess kurtosis m4 / m2^2 - 3
  double T = 0.0;   // g2 / sqrt(24 / n)
  PValue P;         // two-sided, df = n - 1
};

// The kurtosis test of the pooled residuals (the present values only, in
// any order): g2 = m4 / m2^2 - 3, T = g2 / sqrt(24 / n) and
// p = TTestPValue(|T|, n - 1, 2). No result when m2^2 is not > 0.
std::optional<KurtosisResult> KurtosisTest(std::span<const double> residuals);

}  // namespace quorvane

#include "tfn/diagnostics/skewness_test.h"

#include <cmath>

#include "tfn/diagnostics/central_moments.h"

namespace quorvane {

std::optional<SkewnessResult> SkewnessTest(std::span<const double> residuals) {
  const CentralMoments moments = ComputeCentralMoments(residuals);
  const double spread = std::pow(moments.M2, 1.5);
  if (!(spread > 0.0) || moments.Count < 3) return std::nullopt;

  const double n = static_cast<double>(moments.Count);
  SkewnessResult result;
  result.G1 = moments.M3 / spread;
  const double y = result.G1 * std::sqrt((n + 1) * (n + 3) / (6 * n - 12));
  const double beta2 = 3 * (n * n + 27 * n - 70) * (n + 1) * (n + 3) /
                       ((n - 2) * (n + 5) * (n + 7) * (n + 9));
  const double w2 = std::sqrt(2 * (beta2 - 1)) - 1;
  if (!(w2 > 1.0)) return std::nullopt;
  const double delta = 1 / std::sqrt(std::log(std::sqrt(w2)));
  const double alpha = std::sqrt(2 / (w2 - 1));
  const double ratio = y / alpha;
  result.Z = delta * std::log(ratio + std::sqrt(ratio * ratio + 1));
  result.P = TTestPValue(std::fabs(result.Z), moments.Count - 1, 2);
  return result;
}

}  // namespace quorvane

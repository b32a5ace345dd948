#include "tfn/diagnostics/kurtosis_test.h"

#include <cmath>

#include "tfn/diagnostics/central_moments.h"

namespace quorvane {

std::optional<KurtosisResult> KurtosisTest(std::span<const double> residuals) {
  const CentralMoments moments = ComputeCentralMoments(residuals);
  const double spread = moments.M2 * moments.M2;
  if (!(spread > 0.0)) return std::nullopt;

  const double n = static_cast<double>(moments.Count);
  KurtosisResult result;
  result.G2 = moments.M4 / spread - 3;
  result.T = result.G2 / std::sqrt(24 / n);
  result.P = TTestPValue(std::fabs(result.T), moments.Count - 1, 2);
  return result;
}

}  // namespace quorvane

#include "covariance/covariance_results.h"

#include <cmath>

namespace quorvane {

std::optional<double> CovarianceStandardDeviation(const CovarianceResults& results, int grid,
                                                  int parameter) {
  if (grid < 1 || grid > 3) return std::nullopt;
  if (parameter < 1 || parameter > results.CovSlot.size()) return std::nullopt;
  const int k = results.CovSlot[parameter];
  const GridCovariance& result = results.Grid(grid);
  if (k < 1 || k > result.Size()) return std::nullopt;
  const double variance = result(k, k);
  // An unavailable grid holds -1 everywhere, which this test also refuses.
  if (!(variance > 0.0) || result(0, k) == -1.0) return std::nullopt;
  return std::sqrt(variance);
}

}  // namespace quorvane

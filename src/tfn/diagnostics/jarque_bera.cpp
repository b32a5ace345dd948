#include "tfn/diagnostics/jarque_bera.h"

#include <cmath>

namespace quorvane {

std::optional<JarqueBeraResult> JarqueBeraTest(double g1, double g2, long n) {
  if (n < 1) return std::nullopt;
  JarqueBeraResult result;
  result.Statistic = static_cast<double>(n) / 6.0 * (g1 * g1 + g2 * g2 / 4.0);
  if (!std::isfinite(result.Statistic)) return std::nullopt;
  result.P = std::exp(-result.Statistic / 2.0);
  return result;
}

}  // namespace quorvane

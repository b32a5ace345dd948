#include "tfn/diagnostics/log_gamma.h"

#include <cmath>

namespace quorvane {

double LogGamma(double x) {
  static constexpr double kCoefficients[6] = {76.18009173,    -86.50532033,  24.01409822,
                                              -1.231739516,   0.00120858003, -0.00000536382};
  if (x < 1.0) {
    const double pi = 4.0 * std::atan(1.0);
    const double z = 1.0 - x;
    return std::log(pi * z / (std::exp(LogGamma(1.0 + z)) * std::sin(pi * z)));
  }
  const double y = x - 1.0;
  const double shifted = y + 5.5;
  double series = 1.0;
  for (int i = 0; i < 6; ++i) series += kCoefficients[i] / (y + i + 1.0);
  return (y + 0.5) * std::log(shifted) - shifted + std::log(2.50662827465 * series);
}

}  // namespace quorvane

#include "tfn/diagnostics/residual_lags.h"

#include <algorithm>
#include <cmath>

namespace quorvane {

int AutocorrelationLagCount(long n, int seasonalPeriod) {
  if (n < 2) return 0;
  long lags = 0;
  if (seasonalPeriod > 0) {
    lags = 2L * seasonalPeriod;
  } else {
    // 10 log10 n rounded down, with a margin for n a power of ten, whose
    // logarithm may come out a hair below the whole number.
    lags = std::min(static_cast<long>(std::floor(10.0 * std::log10(static_cast<double>(n)) + 1e-9)), n / 4);
  }
  return static_cast<int>(std::clamp(lags, 0L, n - 1));
}

std::vector<int> LjungBoxLags(int seasonalPeriod) {
  std::vector<int> lags = {10, 20};
  if (seasonalPeriod > 0) {
    lags.push_back(seasonalPeriod);
    lags.push_back(2 * seasonalPeriod);
  }
  std::sort(lags.begin(), lags.end());
  lags.erase(std::unique(lags.begin(), lags.end()), lags.end());
  return lags;
}

}  // namespace quorvane

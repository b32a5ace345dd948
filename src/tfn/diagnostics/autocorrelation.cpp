#include "tfn/diagnostics/autocorrelation.h"

#include <cmath>
#include <limits>

namespace quorvane {

Autocorrelations SampleAutocorrelations(std::span<const double> series, int maxLag) {
  Autocorrelations result;
  double sum = 0.0;
  for (double x : series)
    if (!std::isnan(x)) {
      sum += x;
      ++result.Count;
    }
  if (result.Count < 2 || maxLag < 0) return result;
  const double mean = sum / static_cast<double>(result.Count);
  std::vector<double> d(series.size());
  double c0 = 0.0;
  for (std::size_t t = 0; t < series.size(); ++t) {
    d[t] = series[t] - mean;  // NaN where missing
    if (!std::isnan(d[t])) c0 += d[t] * d[t];
  }
  if (!(c0 > 0.0)) return result;

  result.R.assign(static_cast<std::size_t>(maxLag) + 1, 0.0);
  result.R[0] = 1.0;
  for (std::size_t k = 1; k <= static_cast<std::size_t>(maxLag); ++k) {
    double ck = 0.0;
    for (std::size_t t = 0; t + k < d.size(); ++t) {
      const double product = d[t] * d[t + k];
      if (!std::isnan(product)) ck += product;
    }
    result.R[k] = ck / c0;
  }
  return result;
}

std::vector<double> SamplePartialAutocorrelations(std::span<const double> r) {
  const std::size_t lags = r.empty() ? 0 : r.size() - 1;
  std::vector<double> pacf(r.size(), std::numeric_limits<double>::quiet_NaN());
  if (r.empty()) return pacf;
  pacf[0] = 1.0;
  // phi(k-1, 1..k-1) at elements 1..k-1, and the next order beside it.
  std::vector<double> previous(lags + 1, 0.0), next(lags + 1, 0.0);
  for (std::size_t k = 1; k <= lags; ++k) {
    double numerator = r[k], denominator = 1.0;
    for (std::size_t j = 1; j < k; ++j) {
      numerator -= previous[j] * r[k - j];
      denominator -= previous[j] * r[j];
    }
    if (!(denominator != 0.0) || !std::isfinite(numerator / denominator)) break;
    const double phi = numerator / denominator;
    pacf[k] = phi;
    for (std::size_t j = 1; j < k; ++j) next[j] = previous[j] - phi * previous[k - j];
    next[k] = phi;
    previous.swap(next);
  }
  return pacf;
}

}  // namespace quorvane

#include "tfn/transfer_filter.h"

namespace quorvane {

void ApplyTransferFunction(std::span<const double> omega, std::span<const double> delta, int r,
                           std::span<const double> x, std::span<double> y) {
  const int n = static_cast<int>(x.size());
  if (r == 0) {  // no lags: a plain multiple of the input
    const double omega0 = omega[0];
    for (size_t t = 0; t < x.size(); ++t) y[t] = omega0 * x[t];
    return;
  }
  for (int t = 0; t < n; ++t) {
    double value = omega[0] * x[static_cast<size_t>(t)];
    for (int j = 1; j <= r && j <= t; ++j) {
      value += delta[static_cast<size_t>(j)] * y[static_cast<size_t>(t - j)];
      value -= omega[static_cast<size_t>(j)] * x[static_cast<size_t>(t - j)];
    }
    y[static_cast<size_t>(t)] = value;
  }
}

}  // namespace quorvane

#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

namespace quorvane::testing {

// A reproducible ARMA series started at rest, for tests and benchmarks:
// w(t) = sum phi_j w(t-j) + a(t) - sum theta_j a(t-j) with standard normal
// a(t) from a seeded generator (Box-Muller on raw 64-bit draws, so every
// platform gives the same numbers). The first `burnIn` values are dropped.
inline std::vector<double> SimulatedArmaSeries(const std::vector<double>& phi,
                                               const std::vector<double>& theta, std::size_t n,
                                               std::uint64_t seed, std::size_t burnIn = 200) {
  std::mt19937_64 engine(seed);
  const double pi = 4.0 * std::atan(1.0);
  auto uniform = [&] { return (static_cast<double>(engine() >> 11) + 0.5) * 0x1.0p-53; };
  auto normal = [&] { return std::sqrt(-2.0 * std::log(uniform())) * std::cos(2.0 * pi * uniform()); };
  const std::size_t total = n + burnIn;
  std::vector<double> w(total, 0.0), a(total, 0.0);
  for (std::size_t t = 0; t < total; ++t) {
    a[t] = normal();
    double value = a[t];
    for (std::size_t j = 1; j <= phi.size() && j <= t; ++j) value += phi[j - 1] * w[t - j];
    for (std::size_t j = 1; j <= theta.size() && j <= t; ++j) value -= theta[j - 1] * a[t - j];
    w[t] = value;
  }
  return {w.begin() + static_cast<std::ptrdiff_t>(burnIn), w.end()};
}

}  // namespace quorvane::testing

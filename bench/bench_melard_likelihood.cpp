// Steps per second of the exact ARMA likelihood alone, for the orders the
// time-series model uses (p = q = m, m = 0..3) on a series of 300 periods.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <span>
#include <vector>

#include "tfn/melard_likelihood.h"

namespace {

constexpr std::size_t kPeriods = 300;

// A fixed pseudo-random series; its values do not affect the cost.
std::vector<double> Series() {
  std::vector<double> w(kPeriods);
  std::uint64_t state = 88172645463325252ull;
  double previous = 0;
  for (double& value : w) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    const double noise = static_cast<double>(state >> 11) * 0x1.0p-53 - 0.5;
    value = 0.5 * previous + noise;
    previous = value;
  }
  return w;
}

void BM_MelardLikelihood(benchmark::State& state) {
  const auto m = static_cast<std::size_t>(state.range(0));
  const std::vector<double> allPhi = {0.5, -0.2, 0.1};
  const std::vector<double> allTheta = {0.3, 0.2, -0.1};
  const std::span<const double> phi(allPhi.data(), m);
  const std::span<const double> theta(allTheta.data(), m);
  const std::vector<double> w = Series();
  std::vector<double> a(w.size()), h(w.size());
  quorvane::MelardWorkspace work(3);
  for (auto _ : state) {
    const quorvane::MelardResult result = quorvane::MelardLikelihood(phi, theta, w, a, h, work);
    benchmark::DoNotOptimize(result);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(w.size()));
}
BENCHMARK(BM_MelardLikelihood)->ArgName("order")->DenseRange(0, 3);

}  // namespace

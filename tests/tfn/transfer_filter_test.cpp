#include "tfn/transfer_filter.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace quorvane {
namespace {

// The effect as a truncated convolution with impulse weights computed from
// their defining recursion: psi(0) = Omega(0); psi(l) = -Omega(l) for
// l <= r, else 0; then psi(l) += sum over j of Delta(j) psi(l - j).
std::vector<double> DirectEffect(const std::vector<double>& omega, const std::vector<double>& delta,
                                 int r, const std::vector<double>& x) {
  const int n = static_cast<int>(x.size());
  std::vector<double> y(x.size(), 0.0);
  for (int t = 0; t < n; ++t) {
    std::vector<double> psi(static_cast<size_t>(t + 1), 0.0);
    for (int l = 0; l <= t; ++l) {
      double w = l == 0 ? omega[0] : (l <= r ? -omega[static_cast<size_t>(l)] : 0.0);
      for (int j = 1; j <= r && l - j >= 0; ++j) w += delta[static_cast<size_t>(j)] * psi[static_cast<size_t>(l - j)];
      psi[static_cast<size_t>(l)] = w;
    }
    for (int l = 0; l <= t; ++l) y[static_cast<size_t>(t)] += psi[static_cast<size_t>(l)] * x[static_cast<size_t>(t - l)];
  }
  return y;
}

TEST(TransferFilterTest, AgreesWithTheTruncatedConvolution) {
  std::mt19937 engine(7);
  std::uniform_real_distribution<double> coefficient(-0.6, 0.6), input(-3, 3);
  for (int r = 0; r <= 3; ++r) {
    std::vector<double> omega(4), delta(4, 0.0), x(60);
    for (auto& o : omega) o = input(engine);
    for (int j = 1; j <= 3; ++j) delta[static_cast<size_t>(j)] = coefficient(engine) / 2;
    for (auto& v : x) v = input(engine);
    std::vector<double> y(x.size());
    ApplyTransferFunction(omega, delta, r, x, y);
    const std::vector<double> expected = DirectEffect(omega, delta, r, x);
    // Both sum the same terms in a different order: agreement to rounding.
    for (size_t t = 0; t < x.size(); ++t) EXPECT_NEAR(y[t], expected[t], 1e-11) << "r " << r << " t " << t;
  }
}

TEST(TransferFilterTest, PulseResponseDecaysGeometrically) {
  const std::vector<double> omega{1, 0}, delta{0, 0.5}, pulse{1, 0, 0, 0};
  std::vector<double> y(4);
  ApplyTransferFunction(omega, delta, 1, pulse, y);
  EXPECT_EQ(y, (std::vector<double>{1, 0.5, 0.25, 0.125}));
}

}  // namespace
}  // namespace quorvane

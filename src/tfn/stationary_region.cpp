#include "tfn/stationary_region.h"

#include <algorithm>
#include <cmath>

namespace quorvane {

namespace {

constexpr double kLimit = 0.999999;
constexpr double kPenaltyFactor = 1e20;

// One step down from order k (a[0..k-1] holds a(1..k)) with r = a(k):
// a(j) <- (a(j) + r a(k - j)) / (1 - r^2) for j = 1..k-1, in place by pairs.
void StepDown(std::span<double> a, int k, double r) {
  const double d = 1.0 - r * r;
  for (int j = 1, l = k - 1; j <= l; ++j, --l) {
    const double aj = a[static_cast<size_t>(j - 1)];
    const double al = a[static_cast<size_t>(l - 1)];
    a[static_cast<size_t>(j - 1)] = (aj + r * al) / d;
    if (j != l) a[static_cast<size_t>(l - 1)] = (al + r * aj) / d;
  }
}

}  // namespace

bool PartialAutocorrelations(std::span<const double> c, std::span<double> r) {
  std::copy(c.begin(), c.end(), r.begin());
  // r doubles as the work vector: after the step at order k, r[k-1] keeps
  // r(k) and r[0..k-2] the coefficients of order k - 1.
  for (int k = static_cast<int>(c.size()); k >= 1; --k) {
    const double rk = r[static_cast<size_t>(k - 1)];
    if (!(std::abs(rk) < 1.0)) return false;
    StepDown(r, k, rk);
  }
  return true;
}

void CoefficientsFromPartials(std::span<const double> r, std::span<double> c) {
  const int m = static_cast<int>(r.size());
  for (int k = 1; k <= m; ++k) {
    const double rk = r[static_cast<size_t>(k - 1)];
    for (int j = 1, l = k - 1; j <= l; ++j, --l) {
      const double aj = c[static_cast<size_t>(j - 1)];
      const double al = c[static_cast<size_t>(l - 1)];
      c[static_cast<size_t>(j - 1)] = aj - rk * al;
      if (j != l) c[static_cast<size_t>(l - 1)] = al - rk * aj;
    }
    c[static_cast<size_t>(k - 1)] = rk;
  }
}

double HoldInsideStationaryRegion(std::span<double> c, std::span<double> work) {
  const int m = static_cast<int>(c.size());
  std::span<double> a = work.first(c.size());
  std::copy(c.begin(), c.end(), a.begin());
  double penalty = 0.0;
  bool clamped = false;
  for (int k = m; k >= 1; --k) {
    double& rk = a[static_cast<size_t>(k - 1)];
    if (std::abs(rk) >= 1.0) {
      penalty += (std::abs(rk) - 1.0) * (std::abs(rk) - 1.0) * kPenaltyFactor;
      rk = std::copysign(kLimit, rk);
      clamped = true;
    }
    StepDown(a, k, rk);
  }
  if (clamped) CoefficientsFromPartials(a, c);
  return penalty;
}

}  // namespace quorvane

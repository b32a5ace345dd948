#include "tfn/melard_likelihood.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>

#include "tfn/arma_autocovariance.h"

namespace quorvane {
namespace {

// Multiplies the determinant mantissa by `factor` and brings it back into
// [1/16, 1), moving the base-2 exponent in steps of 4. A mantissa that has
// underflowed to 0 stays 0.
void MultiplyDeterminant(double factor, double& mantissa, double& exponent) {
  mantissa *= factor;
  while (std::fabs(mantissa) >= 1.0) {
    mantissa *= 0.0625;
    exponent += 4.0;
  }
  while (mantissa != 0.0 && std::fabs(mantissa) < 0.0625) {
    mantissa *= 16.0;
    exponent -= 4.0;
  }
}

// With a moving-average part the gain L shrinks geometrically and would end
// as subnormal numbers that rounding keeps from ever reaching 0; every later
// step would then pay for subnormal arithmetic. A component of K or L below
// kNegligibleGain is set to exactly 0 instead. Its effect on the state,
// about kNegligibleGain times numbers of order 1, lies far below the last
// bit of anything the recursion computes. The components of L shrink
// together, so they are examined only once L_1 is below kSmallGain: a test
// of every component at every step would cost a fifth of the step.
constexpr double kNegligibleGain = 1e-290;
constexpr double kSmallGain = 1e-200;

double Negligible(double gain) { return std::fabs(gain) < kNegligibleGain ? 0.0 : gain; }

}  // namespace

MelardResult MelardLikelihood(std::span<const double> phi, std::span<const double> theta,
                              std::span<const double> w, std::span<double> a,
                              std::span<double> h, MelardWorkspace& work) {
  const std::size_t n = w.size();
  assert(a.size() >= n && h.size() >= n);
  if (n == 0) return {};
  const std::size_t p = phi.size();
  const std::size_t q = theta.size();
  const std::size_t r = ArmaStateDimension(p, q);

  if (!ArmaAutocovariance(phi, theta, work)) return {};
  const double* gamma = work.Gamma.data();
  const double* c = work.Cross.data();

  // Components 1..r; component r + 1 is always 0.
  double* ph = work.Phi.data();
  double* x = work.State.data();
  double* k = work.GainK.data();
  double* l = work.GainL.data();
  double* m = work.Next.data();
  std::fill(ph, ph + r + 2, 0.0);
  std::copy(phi.begin(), phi.end(), ph + 1);

  // First column of the stationary state covariance: s_1 = gamma_0,
  // s_k = sum_{j=k..p} phi_j gamma_{j-k+1} - sum_{j=k-1..q} theta_j c_{j-k+1}.
  double* s = m;
  s[1] = gamma[0];
  s[r + 1] = 0.0;
  for (std::size_t i = 2; i <= r; ++i) {
    double sum = 0.0;
    for (std::size_t j = i; j <= p; ++j) sum += ph[j] * gamma[j - i + 1];
    for (std::size_t j = i - 1; j <= q; ++j) sum -= theta[j - 1] * c[j - i + 1];
    s[i] = sum;
  }
  // K = L = T S e_1, predicted state 0.
  for (std::size_t j = 1; j <= r; ++j) {
    k[j] = ph[j] * s[1] + s[j + 1];
    l[j] = k[j];
  }
  std::fill(x, x + r + 2, 0.0);
  k[r + 1] = l[r + 1] = m[r + 1] = 0.0;

  double factor = gamma[0];  // h(t) of the coming step
  double mantissa = 1.0;
  double exponent = 0.0;
  double sumSq = 0.0;
  std::size_t t = 0;  // step t + 1
  bool steady = false;
  for (; t < n; ++t) {
    if (factor < kVarianceFactorFloor) return {sumSq, 0.0};
    if (!(factor > 0.0) || !std::isfinite(factor)) return {sumSq, 0.0};
    if (q == 0 && t == p) break;  // pure autoregression: plain residuals from here on

    MultiplyDeterminant(factor, mantissa, exponent);
    const double e = w[t] - x[1];
    a[t] = e / std::sqrt(factor);
    h[t] = factor;
    sumSq += e * e / factor;

    // xhat <- T xhat + (e / h) K;  M = T L;  L <- M - alpha K;
    // K <- K - alpha M;  h <- h - alpha L_1, with alpha = L_1 / h.
    const double l1 = l[1];
    const double x1 = x[1];
    const double alpha = l1 / factor;
    const double gain = e / factor;
    for (std::size_t j = 1; j <= r; ++j) {
      m[j] = l[j + 1] + ph[j] * l1;
      x[j] = x[j + 1] + ph[j] * x1 + gain * k[j];
    }
    for (std::size_t j = 1; j <= r; ++j) {
      const double kj = k[j];
      k[j] = kj - alpha * m[j];
      l[j] = m[j] - alpha * kj;
    }
    factor -= alpha * l1;

    if (std::fabs(l1) < kSmallGain) {
      bool lLeft = false;
      for (std::size_t j = 1; j <= r; ++j) {
        k[j] = Negligible(k[j]);
        l[j] = Negligible(l[j]);
        lLeft |= l[j] != 0.0;
      }
      if (!lLeft && q > 0) {
        ++t;
        steady = true;
        break;
      }
    }
  }

  // L is 0 throughout: the recursion has reached its steady state. Then
  // alpha = 0 and M = 0, so K and h keep their values and only the state
  // moves on, xhat <- T xhat + (e / h) K. These are the steps of the loop
  // above without the terms that are exactly 0.
  if (steady) {
    if (factor < kVarianceFactorFloor) return {sumSq, 0.0};
    if (!(factor > 0.0) || !std::isfinite(factor)) return {sumSq, 0.0};
    const double root = std::sqrt(factor);
    for (; t < n; ++t) {
      MultiplyDeterminant(factor, mantissa, exponent);
      const double e = w[t] - x[1];
      a[t] = e / root;
      h[t] = factor;
      sumSq += e * e / factor;
      const double x1 = x[1];
      const double gain = e / factor;
      for (std::size_t j = 1; j <= r; ++j) x[j] = x[j + 1] + ph[j] * x1 + gain * k[j];
    }
  }

  // a(t) = w(t) - sum_{l=1..p} phi_l w(t-l); h keeps its last value.
  for (; t < n; ++t) {
    double e = w[t];
    for (std::size_t j = 1; j <= p; ++j) e -= ph[j] * w[t - j];
    a[t] = e;
    h[t] = factor;
    sumSq += e * e;
  }

  const double steps = static_cast<double>(n);
  return {sumSq, std::pow(mantissa, 1.0 / steps) * std::exp2(exponent / steps)};
}

}  // namespace quorvane

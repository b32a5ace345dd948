#pragma once

// The phases of the exact ARMA likelihood (MelardLikelihood), for its own
// use. From the starting state the recursion runs in up to two phases:
//
//   the gain phase: the full Kalman recursion, step by step, while the
//   gains K, L and the variance factor h still move;
//
//   then either the settled phase, once every component of L is exactly 0
//   (with a moving-average part): K and h keep their values for good, and
//   what is left is the ARMA filter of the state alone;
//
//   or the autoregressive phase, from step p + 1 of a pure autoregression:
//   the plain residual w(t) - sum phi_l w(t-l).
//
// Each phase is written once for vectors of any dimension and instantiated
// for the small fixed dimensions the time-series model uses, whose vectors
// the compiler then keeps in registers. The noise w is anything that gives
// w[t] and w.size(): a span, or the model's observed values less its
// prediction, formed as the phases read them.

#include <cmath>
#include <cstddef>
#include <span>

#include "tfn/melard_workspace.h"

namespace quorvane::melard {

// With a moving-average part the gain L shrinks geometrically and would end
// as subnormal numbers that rounding keeps from ever reaching 0; every later
// step would then pay for subnormal arithmetic. A component of K or L below
// kNegligibleGain is set to exactly 0 instead. Its effect on the state,
// about kNegligibleGain times numbers of order 1, lies far below the last
// bit of anything the recursion computes. The components of L shrink
// together, so they are examined only once L_1 is below kSmallGain: a test
// of every component at every step would cost a fifth of the step.
inline constexpr double kNegligibleGain = 1e-290;
inline constexpr double kSmallGain = 1e-200;

// A product of two numbers below kTinyGain lies below 1e-300: subtracted
// from a number above kOrdinary, whose unit in the last place exceeds
// 1e-216, it leaves that number exactly as it was.
inline constexpr double kTinyGain = 1e-150;
inline constexpr double kOrdinary = 1e-200;

// The determinant h(1) h(2) ... h(N) as a mantissa in [1/16, 1) and a
// base-2 exponent, so that it neither overflows nor underflows.
struct RunningDeterminant {
  double Mantissa = 1.0;
  double Exponent = 0.0;

  // Multiplies the mantissa by `factor` and brings it back into [1/16, 1),
  // moving the exponent in steps of 4. A mantissa that has underflowed to 0
  // stays 0.
  void Multiply(double factor) {
    Mantissa *= factor;
    while (std::fabs(Mantissa) >= 1.0) {
      Mantissa *= 0.0625;
      Exponent += 4.0;
    }
    while (Mantissa != 0.0 && std::fabs(Mantissa) < 0.0625) {
      Mantissa *= 16.0;
      Exponent -= 4.0;
    }
  }

  // Multiplies by factor^count for a positive factor, through the exponent:
  // factor^count = 2^(count log2(factor)). A factor of exactly 1 changes
  // nothing, as `count` calls of Multiply would not.
  void MultiplyPower(double factor, std::size_t count) {
    if (factor != 1.0) Exponent += static_cast<double>(count) * std::log2(factor);
  }

  // (h(1) ... h(N))^(1/N) = mantissa^(1/N) 2^(exponent/N).
  double Root(std::size_t n) const {
    const double steps = static_cast<double>(n);
    return std::pow(Mantissa, 1.0 / steps) * std::exp2(Exponent / steps);
  }
};

// What a call sums: SUMSQ and the determinant.
struct Sums {
  double SumSq = 0.0;
  RunningDeterminant Determinant;
};

// A variance factor the recursion can go on with; any other (below
// kVarianceFactorFloor, zero, negative, not finite) ends the series as failed.
inline bool UsableVarianceFactor(double h) { return h > 0.0 && std::isfinite(h); }

// The vectors of the recursion: the coefficients phi, the predicted state
// xhat, the gains K and L, and M = T L, with components 1..r at indices
// 1..r and index r + 1 always 0. For R > 0, local copies of dimension R
// (the compiler keeps them in registers, and no store of a(t) or h(t) can
// touch them); the start is read from the workspace.
template <std::size_t R>
struct FilterVectors {
  static constexpr std::size_t Dim() { return R; }
  FilterVectors(const MelardWorkspace& work, std::size_t) {
    for (std::size_t j = 0; j <= R + 1; ++j) {
      phi[j] = work.Phi[j];
      x[j] = work.State[j];
      k[j] = work.GainK[j];
      l[j] = work.GainL[j];
      m[j] = 0.0;
    }
  }
  double phi[R + 2], x[R + 2], k[R + 2], l[R + 2], m[R + 2];
};

// Any dimension r: the workspace's own vectors.
template <>
struct FilterVectors<0> {
  std::size_t Dim() const { return r; }
  FilterVectors(MelardWorkspace& work, std::size_t dimension)
      : r(dimension),
        phi(work.Phi.data()),
        x(work.State.data()),
        k(work.GainK.data()),
        l(work.GainL.data()),
        m(work.Next.data()) {}
  std::size_t r;
  double *phi, *x, *k, *l, *m;
};

struct GainPhaseEnd {
  std::size_t Steps = 0;  // steps taken
  bool Settled = false;   // L is 0 throughout: the settled phase follows
  bool Failed = false;    // a variance factor was not usable
};

// Sets every component of K and L below kNegligibleGain to exactly 0; true
// when all of L is then 0.
template <std::size_t R>
bool ClearNegligibleGains(FilterVectors<R>& v) {
  const std::size_t r = v.Dim();
  bool lLeft = false;
#pragma GCC unroll 8
  for (std::size_t j = 1; j <= r; ++j) {
    if (std::fabs(v.k[j]) < kNegligibleGain) v.k[j] = 0.0;
    if (std::fabs(v.l[j]) < kNegligibleGain) v.l[j] = 0.0;
    lLeft |= v.l[j] != 0.0;
  }
  return !lLeft;
}

// Steps 1..`steps` of the full recursion, from factor = h(1). Step t:
//   e = w(t) - xhat_1;  a(t) = e / sqrt(h);  SUMSQ += e^2 / h;
//   alpha = L_1 / h;  M = T L;  xhat <- T xhat + (e / h) K;
//   L <- M - alpha K;  K <- K - alpha M;  h <- h - alpha L_1,
// all right-hand sides taken before the step. It stops after the step
// that leaves L exactly 0 when `maySettle`, with factor holding the h of
// the next step.
template <std::size_t R, class Noise>
GainPhaseEnd GainPhase(FilterVectors<R>& v, const Noise& w, std::span<double> a,
                       std::span<double> h, std::size_t steps, bool maySettle, double& factor,
                       Sums& sums) {
  const std::size_t r = v.Dim();
  for (std::size_t t = 0; t < steps; ++t) {
    if (!UsableVarianceFactor(factor)) return {t, false, true};
    sums.Determinant.Multiply(factor);
    const double e = w[t] - v.x[1];
    a[t] = e / std::sqrt(factor);
    h[t] = factor;
    sums.SumSq += e * e / factor;

    const double l1 = v.l[1];
    const double x1 = v.x[1];
    const double alpha = l1 / factor;
    const double gain = e / factor;
#pragma GCC unroll 8
    for (std::size_t j = 1; j <= r; ++j) {
      v.m[j] = v.l[j + 1] + v.phi[j] * l1;
      v.x[j] = v.x[j + 1] + v.phi[j] * x1 + gain * v.k[j];
    }
    // Late in the phase alpha and L are so small that alpha M_j and alpha L_1
    // underflow, which the processor pays for dearly; those products cannot
    // then change a K_j or an h of ordinary size by a bit, and are skipped.
    const bool tinyAlpha = std::fabs(alpha) < kTinyGain;
#pragma GCC unroll 8
    for (std::size_t j = 1; j <= r; ++j) {
      const double kj = v.k[j];
      if (!(tinyAlpha && std::fabs(v.m[j]) < kTinyGain && std::fabs(kj) > kOrdinary))
        v.k[j] = kj - alpha * v.m[j];
      v.l[j] = v.m[j] - alpha * kj;
    }
    if (!(tinyAlpha && std::fabs(l1) < kTinyGain && factor > kOrdinary)) factor -= alpha * l1;

    if (std::fabs(l1) < kSmallGain && ClearNegligibleGains(v) && maySettle)
      return {t + 1, true, false};
  }
  return {steps, false, false};
}

// Steps t + 1..N once L is 0: alpha = 0 and M = 0, so K and h keep their
// values and only the state moves on,
//   e = w(t) - xhat_1;  xhat_j <- xhat_{j+1} + phi_j xhat_1 + (K_j / h) e,
// the steps of the gain phase without the terms that are exactly 0. The
// divisions by h and its root become multiplications by 1/h, 1/sqrt(h) and
// K/h, formed once, which keeps divisions off the filter's feedback. When h
// is exactly 1 those factors are exact and every number is the one the gain
// phase would have given; h tends to 1, but rounding often leaves it a unit
// or two away, and the numbers then differ from those of the divisions by
// a unit in the last place. The determinant takes h^(N - t) at once.
template <std::size_t R, class Noise>
void SettledPhase(FilterVectors<R>& v, const Noise& w, std::span<double> a, std::span<double> h,
                  std::size_t t, double factor, Sums& sums) {
  const std::size_t n = w.size();
  const std::size_t r = v.Dim();
  const double inverse = 1.0 / factor;
  const double inverseRoot = 1.0 / std::sqrt(factor);
#pragma GCC unroll 8
  for (std::size_t j = 1; j <= r; ++j) v.k[j] = v.k[j] / factor;
  sums.Determinant.MultiplyPower(factor, n - t);
  double sumSq = sums.SumSq;
  for (; t < n; ++t) {
    const double x1 = v.x[1];
    const double e = w[t] - x1;
    a[t] = e * inverseRoot;
    h[t] = factor;
    sumSq += e * e * inverse;
#pragma GCC unroll 8
    for (std::size_t j = 1; j <= r; ++j) v.x[j] = v.x[j + 1] + v.phi[j] * x1 + v.k[j] * e;
  }
  sums.SumSq = sumSq;
}

// Steps t + 1..N of a pure autoregression (q = 0) after its first p steps:
// h has reached its final value (1 for the exact recursion), and
//   a(t) = w(t) - sum_{l=1..p} phi_l w(t-l);  SUMSQ += a(t)^2;
// the determinant is not multiplied again.
template <std::size_t R, class Noise>
void AutoregressivePhase(FilterVectors<R>& v, std::size_t p, const Noise& w, std::span<double> a,
                         std::span<double> h, std::size_t t, double factor, Sums& sums) {
  const std::size_t n = w.size();
  for (; t < n; ++t) {
    double e = w[t];
    for (std::size_t j = 1; j <= p; ++j) e -= v.phi[j] * w[t - j];
    a[t] = e;
    h[t] = factor;
    sums.SumSq += e * e;
  }
}

}  // namespace quorvane::melard

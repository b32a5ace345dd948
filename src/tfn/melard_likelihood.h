#pragma once

#include <span>

#include "tfn/melard_workspace.h"

namespace quorvane {

// The two factors of the exact likelihood of one series. With sigma^2
// concentrated out and constants dropped, -ln L = (N/2) ln(SumSq * Fact / N).
struct MelardResult {
  double SumSq = 0.0;  // sum over t of (prediction error)^2 / h(t)
  double Fact = 0.0;   // (h(1) h(2) ... h(N))^(1/N); 0 means the series failed
};

// A variance factor below this ends the recursion as a failed series.
inline constexpr double kVarianceFactorFloor = -1e-20;

// The exact Gaussian likelihood of an ARMA(p, q) series by the fast Kalman
// (Chandrasekhar-type) recursions, started from the stationary state of
// ArmaAutocovariance, for
//   w(t) = phi_1 w(t-1) + ... + phi_p w(t-p) + a(t) - theta_1 a(t-1) - ... - theta_q a(t-q).
//
// All spans are 0-based: phi[0] = phi_1 and theta[0] = theta_1 (their sizes
// are the orders p and q), w[i] = w(i + 1) for i = 0..N-1 with N = w.size(),
// and a[i], h[i] receive a(i + 1) and h(i + 1); a and h hold at least N values.
//   a(t): the one-step prediction error divided by sqrt(h(t));
//   h(t): the variance factor of that error, relative to sigma^2.
//
// The determinant h(1)...h(N) is kept as a mantissa in [1/16, 1) and a
// base-2 exponent moved in steps of 4, so it neither overflows nor
// underflows. With q = 0 the recursion switches at step p + 1 to the plain
// autoregressive residual a(t) = w(t) - sum phi_l w(t-l): h keeps its last
// value and the determinant is not multiplied again. With q > 0 the gain L
// shrinks geometrically; a gain component below 1E-290 is set to exactly 0
// (so no step computes with subnormal numbers), and once all of L is 0 the
// remaining steps only update the state, K and h keeping their values:
// the ARMA filter alone, which multiplies by 1/h, 1/sqrt(h) and K/h formed
// once where the full step divides (the same numbers when h is exactly 1,
// otherwise the same up to a unit in the last place of each step's values).
//
// Failure gives Fact = 0 and never a NaN: a non-stationary autoregressive
// part or an unusable starting state (SumSq = 0, nothing written to a and
// h), or a variance factor that is below kVarianceFactorFloor, zero or not
// finite at some step (SumSq holds the sum so far; a and h are written up to
// the step before and left as they were from there on). N = 0 gives {0, 0}.
//
// Allocates nothing when `work` was sized for max(p, q).
MelardResult MelardLikelihood(std::span<const double> phi, std::span<const double> theta,
                              std::span<const double> w, std::span<double> a,
                              std::span<double> h, MelardWorkspace& work);

// A noise series given as w(t) = y(t) - g(t), the observed values less a
// prediction, with w(t) = 0 where Present[t] is 0 (a missing value). The
// likelihood forms each w(t) as it reads it, so the series is read once.
// Present may be empty when every value is there; all spans are 0-based
// and of one length N.
struct NoiseDifference {
  std::span<const double> Observed;
  std::span<const double> Prediction;
  std::span<const unsigned char> Present;
};

// MelardLikelihood of the noise series y - g: the same numbers as
// MelardLikelihood on the series y(t) - g(t) (0 where missing).
MelardResult MelardLikelihoodOfDifference(std::span<const double> phi,
                                          std::span<const double> theta, const NoiseDifference& w,
                                          std::span<double> a, std::span<double> h,
                                          MelardWorkspace& work);

}  // namespace quorvane

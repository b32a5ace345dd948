#include "tfn/melard_likelihood.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>

#include "tfn/arma_autocovariance.h"
#include "tfn/melard_phases.h"

namespace quorvane {
namespace {

using melard::FilterVectors;
using melard::Sums;

// The recursion from its starting state in the workspace, with the vectors
// of dimension R held in registers (R = 0: any dimension, in the workspace).
template <std::size_t R, class Noise>
MelardResult Recursion(std::size_t p, std::size_t q, std::size_t dimension, double h1,
                       const Noise& w, std::span<double> a, std::span<double> h,
                       MelardWorkspace& work) {
  const std::size_t n = w.size();
  FilterVectors<R> v(work, dimension);
  Sums sums;
  double factor = h1;  // h(t) of the coming step

  // Pure autoregression: the full recursion for the first p steps only.
  const std::size_t gainSteps = q == 0 ? std::min(p, n) : n;
  const melard::GainPhaseEnd end = melard::GainPhase(v, w, a, h, gainSteps, q > 0, factor, sums);
  if (end.Failed) return {sums.SumSq, 0.0};
  const std::size_t t = end.Steps;
  if (end.Settled || t < n) {
    if (!melard::UsableVarianceFactor(factor)) return {sums.SumSq, 0.0};
    if (end.Settled)
      melard::SettledPhase(v, w, a, h, t, factor, sums);
    else
      melard::AutoregressivePhase(v, p, w, a, h, t, factor, sums);
  }
  return {sums.SumSq, sums.Determinant.Root(n)};
}

// Stage 1 into the workspace: the autocovariances, then K = L = T S e_1
// and xhat = 0. Gives the dimension the recursion runs on, 0 when the
// process has no usable starting state.
std::size_t StartingState(std::span<const double> phi, std::span<const double> theta,
                          MelardWorkspace& work) {
  const std::size_t p = phi.size();
  const std::size_t q = theta.size();
  const std::size_t r = ArmaStateDimension(p, q);

  if (!ArmaAutocovariance(phi, theta, work)) return 0;
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

  // A last component with phi_r = K_r = L_r = 0 (and xhat_r = 0) stays
  // exactly 0 at every step: M_r = phi_r L_1 = 0, so K_r and L_r keep 0,
  // and xhat_r <- 0 + phi_r xhat_1 + (e / h) K_r = 0. It then adds exactly
  // 0 to component r - 1, as the constant 0 beyond the end of a shorter
  // state does. So the recursion runs on the shorter state, with the same
  // numbers. This is how zero coefficients at the top lags cost nothing:
  // the model passes p = q = m with Theta(m) = 0 for an ARMA(m, m - 1).
  std::size_t dimension = r;
  while (dimension > 1 && ph[dimension] == 0.0 && k[dimension] == 0.0 && l[dimension] == 0.0) {
    k[dimension] = l[dimension] = 0.0;
    --dimension;
  }

  return dimension;
}

template <class Noise>
MelardResult Likelihood(std::span<const double> phi, std::span<const double> theta, const Noise& w,
                        std::span<double> a, std::span<double> h, MelardWorkspace& work) {
  const std::size_t n = w.size();
  assert(a.size() >= n && h.size() >= n);
  if (n == 0) return {};
  const std::size_t dimension = StartingState(phi, theta, work);
  if (dimension == 0) return {};
  const std::size_t p = phi.size();
  const std::size_t q = theta.size();
  const double h1 = work.Gamma[0];
  // The orders the time-series model uses (r = m + 1 for p = q = m) run
  // with their vectors in registers.
  switch (dimension) {
    case 1:
      return Recursion<1>(p, q, dimension, h1, w, a, h, work);
    case 2:
      return Recursion<2>(p, q, dimension, h1, w, a, h, work);
    case 3:
      return Recursion<3>(p, q, dimension, h1, w, a, h, work);
    case 4:
      return Recursion<4>(p, q, dimension, h1, w, a, h, work);
    case 5:
      return Recursion<5>(p, q, dimension, h1, w, a, h, work);
    case 6:
      return Recursion<6>(p, q, dimension, h1, w, a, h, work);
    default:
      return Recursion<0>(p, q, dimension, h1, w, a, h, work);
  }
}

// w(t) = y(t) - g(t), read as the recursion goes.
struct Difference {
  const double* Observed;
  const double* Prediction;
  std::size_t Count;
  std::size_t size() const { return Count; }
  double operator[](std::size_t t) const { return Observed[t] - Prediction[t]; }
};

// The same with missing values, whose w(t) is 0.
struct DifferenceWithGaps {
  const double* Observed;
  const double* Prediction;
  const unsigned char* Present;
  std::size_t Count;
  std::size_t size() const { return Count; }
  double operator[](std::size_t t) const { return Present[t] ? Observed[t] - Prediction[t] : 0.0; }
};

}  // namespace

MelardResult MelardLikelihood(std::span<const double> phi, std::span<const double> theta,
                              std::span<const double> w, std::span<double> a, std::span<double> h,
                              MelardWorkspace& work) {
  return Likelihood(phi, theta, w, a, h, work);
}

MelardResult MelardLikelihoodOfDifference(std::span<const double> phi,
                                          std::span<const double> theta, const NoiseDifference& w,
                                          std::span<double> a, std::span<double> h,
                                          MelardWorkspace& work) {
  assert(w.Prediction.size() == w.Observed.size());
  assert(w.Present.empty() || w.Present.size() == w.Observed.size());
  const std::size_t n = w.Observed.size();
  if (w.Present.empty())
    return Likelihood(phi, theta, Difference{w.Observed.data(), w.Prediction.data(), n}, a, h,
                      work);
  return Likelihood(phi, theta,
                    DifferenceWithGaps{w.Observed.data(), w.Prediction.data(), w.Present.data(), n},
                    a, h, work);
}

}  // namespace quorvane

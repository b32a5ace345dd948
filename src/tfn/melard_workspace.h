#pragma once

#include <cstddef>
#include <vector>

namespace quorvane {

// The work vectors of the exact ARMA likelihood (ArmaAutocovariance and
// MelardLikelihood). The caller owns one workspace, sized once for the largest
// order it will use, and passes it to every call: the routines then allocate
// nothing. A call with a larger order than the workspace holds enlarges it
// first, which is the only time they allocate.
//
// Vectors indexed by lag or by state component follow the notation of the
// recursions: Gamma[k] = gamma_k and Cross[k] = c_k from lag 0; the
// coefficient and state vectors use components 1..r at indices 1..r, with
// index 0 unused and index r + 1 always 0 (r = max(p, q + 1)).
struct MelardWorkspace {
  explicit MelardWorkspace(std::size_t maxOrder = 0) { Reserve(maxOrder); }

  // Makes room for autoregressive and moving-average orders up to maxOrder.
  void Reserve(std::size_t maxOrder);
  std::size_t MaxOrder() const { return maxOrder_; }

  // Filled by a successful ArmaAutocovariance for orders p and q:
  // Gamma[0..r], the autocovariances of the process with unit innovation
  // variance; Cross[0..q], c_k = E[w(t) a(t - k)]. Entries beyond r and q
  // are left from earlier calls and mean nothing.
  std::vector<double> Gamma;
  std::vector<double> Cross;

  // Scratch; the contents between calls mean nothing.
  std::vector<double> Phi;       // phi_1..phi_r at 1..r, 0 beyond p
  std::vector<double> LevelPhi;  // AR coefficients of every reduced order
  std::vector<double> LevelRhs;  // right-hand sides of every reduced order
  std::vector<double> State;     // predicted state xhat
  std::vector<double> GainK;     // K
  std::vector<double> GainL;     // L
  std::vector<double> Next;      // M = T L, and the covariances s at the start

 private:
  std::size_t maxOrder_ = 0;
};

}  // namespace quorvane

#pragma once

#include <cstddef>
#include <span>

#include "tfn/melard_workspace.h"

namespace quorvane {

// 1 - alpha^2 of every reflection coefficient alpha of the autoregressive
// polynomial must exceed this for the process to count as stationary.
inline constexpr double kStationarityMargin = 1e-10;

// The dimension r = max(p, q + 1) of the state vector of an ARMA(p, q) process.
inline std::size_t ArmaStateDimension(std::size_t p, std::size_t q) {
  return p > q + 1 ? p : q + 1;
}

// The starting state of the exact likelihood for the process
//   w(t) = phi_1 w(t-1) + ... + phi_p w(t-p) + a(t) - theta_1 a(t-1) - ... - theta_q a(t-q)
// with unit innovation variance. phi and theta are 0-based: phi[0] = phi_1,
// theta[0] = theta_1; their sizes are the orders p and q.
//
// Fills work.Cross[0..q] with c_k = E[w(t) a(t-k)] and work.Gamma[0..r] with
// the autocovariances gamma_k. The autocovariance equations are solved by
// order reduction: the reflection coefficient alpha = phi_m of the order-m
// polynomial is peeled off, giving the order m - 1 polynomial
// (phi_j + alpha phi_{m-j}) / (1 - alpha^2) and right-hand sides combined the
// same way, down to order 0; the gammas then follow upward, one per order.
//
// Returns false, leaving Gamma meaningless, when the autoregressive part is
// not stationary (1 - alpha^2 <= kStationarityMargin at some order, or not a
// number) or when the solution is not finite or gives gamma_0 <= 0.
bool ArmaAutocovariance(std::span<const double> phi, std::span<const double> theta,
                        MelardWorkspace& work);

}  // namespace quorvane

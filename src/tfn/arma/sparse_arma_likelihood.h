#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "tfn/melard_likelihood.h"
#include "tfn/melard_workspace.h"

namespace quorvane {

// The work vectors of SparseArmaLikelihood. The caller owns one, and the
// routine allocates nothing once it has served the largest orders and
// longest series it will see.
struct SparseArmaWorkspace {
  // Makes room for autoregressive and moving-average orders up to maxOrder.
  void Reserve(std::size_t maxOrder);

  MelardWorkspace Start;  // the starting state (ArmaAutocovariance)
  // The non-zero coefficients: lags (1-based) and values.
  std::vector<std::size_t> ArLags, MaLags;
  std::vector<double> ArValues, MaValues;
  // The gains K and L and the predicted state; L and the state shift one
  // component every step and live in windows that slide along these.
  std::vector<double> GainK, GainL, State;
  std::vector<double> Errors;  // the prediction errors of the last steps, by step modulo their count
  // The step (0-based) from which the last call ran the ARMA inversion or
  // the plain autoregressive residuals; N when it never did.
  std::size_t SparseFrom = 0;
};

// The exact Gaussian likelihood of the ARMA(p, q) series w, the same
// quantity as MelardLikelihood (same spans, outputs and failures), for
// polynomials with many zero coefficients, such as the products of regular
// and seasonal factors. The recursions are the same; what differs is the
// work they do:
//  - trailing zero coefficients are dropped (an ARMA(p, q) whose theta_q is
//    0 is the ARMA(p, q - 1)), so a seasonal AR model is a pure
//    autoregression that turns into plain residuals after p steps;
//  - phi and theta enter as lists of their non-zero terms;
//  - the shift by the transition matrix T is a move of the window of L and
//    of the state, so a step of the gain phase is one pass over the r
//    components with three multiply-adds each:
//      xhat_j += (e/h) K_j,  K_j <- K_j - alpha M_j,  L_j <- M_j - alpha K_j,
//    after the sparse terms phi_j xhat_1 and phi_j L_1 are added;
//  - once the gains have settled, the filter is the ARMA inversion
//      e(t) = w(t) - sum phi_l w(t-l) + sum theta_j e(t-j)
//    over the non-zero terms, a few operations a step. The settled gains of
//    an invertible model are h = 1 and K / h = T (1, -theta_1, ..., -theta_{r-1}),
//    with which the Kalman step is that inversion; the switch comes when
//    the recursion's own h and K / h equal them to within the rounding of
//    their updates (16 units in the last place), or when L has become
//    exactly 0 (components below 1E-290 set to 0, as in MelardLikelihood).
//    With a seasonal moving average the gains settle slowly (their distance
//    from the settled values shrinks like |Theta|^(2t/s)), so the switch may
//    come late, or not within the series; a non-invertible moving average
//    never reaches h = 1 and keeps the Kalman step.
// Until the switch the numbers are MelardLikelihood's for the trimmed
// polynomials, bit for bit; after it they agree to rounding.
MelardResult SparseArmaLikelihood(std::span<const double> phi, std::span<const double> theta,
                                  std::span<const double> w, std::span<double> a, std::span<double> h,
                                  SparseArmaWorkspace& work);

}  // namespace quorvane

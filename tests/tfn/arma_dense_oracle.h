#pragma once

#include <cstddef>
#include <vector>

namespace quorvane::testing {

// An exact likelihood computed the slow, direct way, to check the recursions
// against: autocovariances from the psi weights of the process and a Cholesky
// factor of the N x N covariance matrix, all in long double.

// gamma_0..gamma_lags of the unit-innovation ARMA process
//   w(t) = sum phi_j w(t-j) + a(t) - sum theta_j a(t-j)   (phi[0] = phi_1)
// as sum_i psi_i psi_{i+k} over the psi weights of w = psi(B) a. The sum is
// taken until the weights are negligible, so the AR part must be stationary
// with roots well inside the unit circle.
std::vector<long double> PsiWeightAutocovariances(const std::vector<double>& phi,
                                                  const std::vector<double>& theta,
                                                  std::size_t lags);

// For Gamma = Toeplitz(gamma_0..gamma_{N-1}) = C C' with C lower triangular:
// h(t) = C_tt^2 (prediction error variances), a = C^-1 w (standardized
// innovations), SumSq = w' Gamma^-1 w = a'a and LogDet = ln det Gamma.
struct DenseLikelihood {
  std::vector<long double> A;
  std::vector<long double> H;
  long double SumSq = 0;
  long double LogDet = 0;
};
DenseLikelihood DenseExactLikelihood(const std::vector<long double>& gamma,
                                     const std::vector<double>& w);

}  // namespace quorvane::testing

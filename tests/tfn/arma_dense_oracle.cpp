#include "tfn/arma_dense_oracle.h"

#include <cmath>
#include <stdexcept>

namespace quorvane::testing {

std::vector<long double> PsiWeightAutocovariances(const std::vector<double>& phi,
                                                  const std::vector<double>& theta,
                                                  std::size_t lags) {
  // psi_0 = 1, psi_i = -theta_i + sum_{j=1..min(i,p)} phi_j psi_{i-j}.
  constexpr std::size_t kTerms = 20000;
  std::vector<long double> psi(kTerms + lags, 0.0L);
  for (std::size_t i = 0; i < psi.size(); ++i) {
    long double value = i == 0 ? 1.0L : 0.0L;
    if (i >= 1 && i <= theta.size()) value -= theta[i - 1];
    for (std::size_t j = 1; j <= phi.size() && j <= i; ++j) value += phi[j - 1] * psi[i - j];
    psi[i] = value;
  }
  if (std::fabs(psi[kTerms - 1]) > 1e-30L)
    throw std::invalid_argument("psi weights do not die out: not a usable stationary process");
  std::vector<long double> gamma(lags + 1, 0.0L);
  for (std::size_t k = 0; k <= lags; ++k)
    for (std::size_t i = 0; i < kTerms; ++i) gamma[k] += psi[i] * psi[i + k];
  return gamma;
}

DenseLikelihood DenseExactLikelihood(const std::vector<long double>& gamma,
                                     const std::vector<double>& w) {
  const std::size_t n = w.size();
  std::vector<long double> c(n * n, 0.0L);  // row-major lower triangle
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j <= i; ++j) {
      long double sum = gamma[i - j];
      for (std::size_t k = 0; k < j; ++k) sum -= c[i * n + k] * c[j * n + k];
      if (i == j) {
        if (!(sum > 0)) throw std::invalid_argument("covariance matrix not positive definite");
        c[i * n + i] = std::sqrt(sum);
      } else {
        c[i * n + j] = sum / c[j * n + j];
      }
    }
  }
  DenseLikelihood result;
  result.A.resize(n);
  result.H.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    long double sum = w[i];
    for (std::size_t k = 0; k < i; ++k) sum -= c[i * n + k] * result.A[k];
    result.A[i] = sum / c[i * n + i];
    result.H[i] = c[i * n + i] * c[i * n + i];
    result.SumSq += result.A[i] * result.A[i];
    result.LogDet += std::log(result.H[i]);
  }
  return result;
}

}  // namespace quorvane::testing

#include "tfn/arma_autocovariance.h"

#include <algorithm>
#include <cmath>

namespace quorvane {
namespace {

// Order m of the reduction keeps phi^(m)_1..m from LevelPhi[PhiOffset(m)] and
// b^(m)_0..m from LevelRhs[RhsOffset(m)].
std::size_t PhiOffset(std::size_t m) { return m * (m - 1) / 2; }
std::size_t RhsOffset(std::size_t m) { return m * (m + 1) / 2; }

}  // namespace

bool ArmaAutocovariance(std::span<const double> phi, std::span<const double> theta,
                        MelardWorkspace& work) {
  const std::size_t p = phi.size();
  const std::size_t q = theta.size();
  const std::size_t r = ArmaStateDimension(p, q);
  work.Reserve(std::max(p, q));
  double* gamma = work.Gamma.data();
  double* c = work.Cross.data();

  // c_0 = 1, c_k = -theta_k + sum_{j=1..min(k,p)} phi_j c_{k-j}.
  c[0] = 1.0;
  for (std::size_t k = 1; k <= q; ++k) {
    double sum = -theta[k - 1];
    for (std::size_t j = 1; j <= std::min(k, p); ++j) sum += phi[j - 1] * c[k - j];
    c[k] = sum;
  }

  // Right-hand side of equation k: sum_{j=k..q} thetabar_j c_{j-k}, with
  // thetabar_0 = 1 and thetabar_j = -theta_j; 0 for k > q.
  auto rhs = [&](std::size_t k) {
    if (k > q) return 0.0;
    double sum = k == 0 ? c[0] : 0.0;
    for (std::size_t j = std::max<std::size_t>(k, 1); j <= q; ++j) sum -= theta[j - 1] * c[j - k];
    return sum;
  };

  // Equations k = 0..p: gamma_k - sum_{j=1..p} phi_j gamma_{|k-j|} = b_k.
  double* levelPhi = work.LevelPhi.data();
  double* levelRhs = work.LevelRhs.data();
  for (std::size_t j = 1; j <= p; ++j) levelPhi[PhiOffset(p) + j - 1] = phi[j - 1];
  for (std::size_t k = 0; k <= p; ++k) levelRhs[RhsOffset(p) + k] = rhs(k);

  // Adding alpha times equation m - k to equation k removes gamma_m; dividing
  // by 1 - alpha^2 leaves the equations of order m - 1.
  for (std::size_t m = p; m >= 1; --m) {
    const double* from = levelPhi + PhiOffset(m);  // phi^(m)_j at from[j - 1]
    const double* b = levelRhs + RhsOffset(m);
    const double alpha = from[m - 1];
    const double denominator = 1.0 - alpha * alpha;
    if (!(denominator > kStationarityMargin)) return false;
    double* to = levelPhi + PhiOffset(m - 1);
    double* bTo = levelRhs + RhsOffset(m - 1);
    for (std::size_t j = 1; j < m; ++j) to[j - 1] = (from[j - 1] + alpha * from[m - j - 1]) / denominator;
    for (std::size_t k = 0; k < m; ++k) bTo[k] = (b[k] + alpha * b[m - k]) / denominator;
  }

  // Upward: equation m of order m gives gamma_m = b^(m)_m + sum_j phi^(m)_j gamma_{m-j}.
  gamma[0] = levelRhs[0];
  for (std::size_t m = 1; m <= p; ++m) {
    const double* order = levelPhi + PhiOffset(m);
    double sum = levelRhs[RhsOffset(m) + m];
    for (std::size_t j = 1; j <= m; ++j) sum += order[j - 1] * gamma[m - j];
    gamma[m] = sum;
  }
  // Beyond p the equations are explicit.
  for (std::size_t k = p + 1; k <= r; ++k) {
    double sum = rhs(k);
    for (std::size_t j = 1; j <= p; ++j) sum += phi[j - 1] * gamma[k - j];
    gamma[k] = sum;
  }

  if (!(gamma[0] > 0.0)) return false;
  for (std::size_t k = 0; k <= r; ++k)
    if (!std::isfinite(gamma[k])) return false;
  return true;
}

}  // namespace quorvane

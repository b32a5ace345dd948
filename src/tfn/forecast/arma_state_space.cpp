#include "tfn/forecast/arma_state_space.h"

#include <algorithm>
#include <cmath>

namespace quorvane {

ArmaStateSpace::ArmaStateSpace(std::span<const double> phi, std::span<const double> theta)
    : r_(std::max(phi.size(), theta.size() + 1)), phi_(r_, 0.0), loading_(r_, 0.0) {
  std::copy(phi.begin(), phi.end(), phi_.begin());
  loading_[0] = 1.0;
  for (std::size_t j = 0; j < theta.size(); ++j) loading_[j + 1] = -theta[j];
}

void ArmaStateSpace::Advance(std::span<double> x) const {
  // (T x)_i = phi_{i+1} x_0 + x_{i+1}, with x_r = 0.
  const double x0 = x[0];
  for (std::size_t i = 0; i + 1 < r_; ++i) x[i] = phi_[i] * x0 + x[i + 1];
  x[r_ - 1] = phi_[r_ - 1] * x0;
}

void ArmaStateSpace::AdvanceCovariance(SquareMatrix& V) const {
  const std::size_t r = r_;
  // Columns first (T V), then rows ((T V) T'), each at O(r) per vector.
  std::vector<double> column(r);
  for (std::size_t j = 0; j < r; ++j) {
    for (std::size_t i = 0; i < r; ++i) column[i] = V(i, j);
    Advance(column);
    for (std::size_t i = 0; i < r; ++i) V(i, j) = column[i];
  }
  for (std::size_t i = 0; i < r; ++i) {
    std::span<double> row(&V(i, 0), r);
    Advance(row);
  }
  for (std::size_t i = 0; i < r; ++i)
    for (std::size_t j = 0; j < r; ++j) V(i, j) += loading_[i] * loading_[j];
}

namespace {

SquareMatrix Multiply(const SquareMatrix& a, const SquareMatrix& b) {
  const std::size_t n = a.Size;
  SquareMatrix c(n);
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t k = 0; k < n; ++k) {
      const double aik = a(i, k);
      if (aik == 0.0) continue;
      for (std::size_t j = 0; j < n; ++j) c(i, j) += aik * b(k, j);
    }
  return c;
}

SquareMatrix Transposed(const SquareMatrix& a) {
  SquareMatrix t(a.Size);
  for (std::size_t i = 0; i < a.Size; ++i)
    for (std::size_t j = 0; j < a.Size; ++j) t(j, i) = a(i, j);
  return t;
}

double LargestAbsolute(const SquareMatrix& a) {
  double m = 0.0;
  for (double v : a.Values) m = std::max(m, std::fabs(v));
  return m;
}

}  // namespace

std::optional<SquareMatrix> ArmaStateSpace::StationaryCovariance() const {
  const std::size_t r = r_;
  // Doubling: with A_0 = T and V_0 = R R', V_{k+1} = V_k + A_k V_k A_k' and
  // A_{k+1} = A_k^2, so V_k sums the first 2^k terms of the series and the
  // remainder is A_k V A_k'. Stop once A_k is negligible.
  SquareMatrix A(r), V(r);
  for (std::size_t i = 0; i < r; ++i) {
    A(i, 0) = phi_[i];
    if (i + 1 < r) A(i, i + 1) = 1.0;
    for (std::size_t j = 0; j < r; ++j) V(i, j) = loading_[i] * loading_[j];
  }
  for (int k = 0; k < 64; ++k) {
    const double size = LargestAbsolute(A);
    if (!std::isfinite(size)) return std::nullopt;
    if (size < 1e-18) return V;
    const SquareMatrix AV = Multiply(A, V);
    const SquareMatrix add = Multiply(AV, Transposed(A));
    for (std::size_t i = 0; i < V.Values.size(); ++i) V.Values[i] += add.Values[i];
    A = Multiply(A, A);
  }
  return std::nullopt;  // 2^64 steps without settling: a root on or outside the unit circle
}

std::optional<ArmaFilterEnd> FilterArmaSeries(const ArmaStateSpace& model, std::span<const double> w) {
  std::optional<SquareMatrix> start = model.StationaryCovariance();
  if (!start) return std::nullopt;
  const std::size_t r = model.Dimension();
  ArmaFilterEnd end{std::vector<double>(r, 0.0), std::move(*start), {}, {}};
  end.Innovation.reserve(w.size());
  end.Variance.reserve(w.size());
  std::vector<double>& x = end.StateMean;
  SquareMatrix& P = end.StateCovariance;
  std::vector<double> gain(r);
  for (double value : w) {
    // Update with w(t) = alpha_1(t): F = P_11, K = P e_1 / F,
    // x <- x + K (w - x_1), P <- P - P e_1 e_1' P / F.
    const double F = P(0, 0);
    if (!(F > 0.0) || !std::isfinite(F)) return std::nullopt;
    const double e = value - x[0];
    end.Innovation.push_back(e / std::sqrt(F));
    end.Variance.push_back(F);
    for (std::size_t i = 0; i < r; ++i) gain[i] = P(i, 0);
    for (std::size_t i = 0; i < r; ++i) x[i] += gain[i] * e / F;
    for (std::size_t i = 0; i < r; ++i)
      for (std::size_t j = 0; j < r; ++j) P(i, j) -= gain[i] * gain[j] / F;
    // Predict: x <- T x, P <- T P T' + R R'.
    model.Advance(x);
    model.AdvanceCovariance(P);
  }
  return end;
}

}  // namespace quorvane

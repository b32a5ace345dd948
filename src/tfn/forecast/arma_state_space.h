#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace quorvane {

// A square matrix of doubles, row by row.
struct SquareMatrix {
  explicit SquareMatrix(std::size_t n = 0) : Size(n), Values(n * n, 0.0) {}
  double& operator()(std::size_t i, std::size_t j) { return Values[i * Size + j]; }
  double operator()(std::size_t i, std::size_t j) const { return Values[i * Size + j]; }
  std::size_t Size;
  std::vector<double> Values;
};

// The state-space form of the ARMA(p, q) noise
//   w(t) = phi_1 w(t-1) + ... + phi_p w(t-p) + a(t) - theta_1 a(t-1) - ... - theta_q a(t-q)
// with state dimension r = max(p, q + 1):
//   alpha(t) = T alpha(t-1) + R a(t),   w(t) = alpha_1(t),
// T with phi_1..phi_r (0 beyond p) down its first column and ones on its
// superdiagonal, R = (1, -theta_1, ..., -theta_{r-1}) (0 beyond q). The
// innovations a(t) have unit variance: every covariance here is in units of
// sigma^2.
class ArmaStateSpace {
 public:
  ArmaStateSpace(std::span<const double> phi, std::span<const double> theta);

  std::size_t Dimension() const { return r_; }
  double Loading(std::size_t i) const { return loading_[i]; }  // R_i, 0-based

  // x <- T x.
  void Advance(std::span<double> x) const;
  // V <- T V T' + R R'.
  void AdvanceCovariance(SquareMatrix& V) const;
  // The stationary covariance of alpha(t): the solution of V = T V T' + R R',
  // summed by doubling, V = sum over k of T^k R R' T'^k. Nothing when the
  // autoregressive part is not stationary (the sum does not settle).
  std::optional<SquareMatrix> StationaryCovariance() const;

 private:
  std::size_t r_;
  std::vector<double> phi_;      // phi_1..phi_r at 0..r-1
  std::vector<double> loading_;  // R
};

// Where the Kalman filter leaves the state after the last observation:
// alpha(N + 1) given w(1..N), its mean and error covariance (units of
// sigma^2), and the one-step prediction errors on the way, standardised
// as the exact likelihood reports them (a(t) = e(t) / sqrt(h(t))).
struct ArmaFilterEnd {
  std::vector<double> StateMean;
  SquareMatrix StateCovariance;
  std::vector<double> Innovation;  // a(1..N) at 0..N-1
  std::vector<double> Variance;    // h(1..N)
};

// The exact Kalman filter of the series w, started from the stationary
// state (mean 0, StationaryCovariance). Every value counts as observed: the
// time-series model puts 0 where the analysed value is missing, and so does
// its caller. Nothing when the noise model is not stationary.
std::optional<ArmaFilterEnd> FilterArmaSeries(const ArmaStateSpace& model, std::span<const double> w);

}  // namespace quorvane

#pragma once

#include <optional>
#include <span>

namespace quorvane {

// The Ljung-Box portmanteau test of the residual autocorrelations up to a
// lag h:
//   Q(h) = n (n + 2) sum_{k=1..h} r(k)^2 / (n - k),
// referred to a chi-square distribution with h - m degrees of freedom, m
// the number of ARMA coefficients fitted to the series.
struct LjungBoxResult {
  int Lag = 0;
  double Q = 0.0;
  int Df = 0;                // h - m; the test has no p-value when it is below 1
  std::optional<double> P;   // P(chi-square(Df) >= Q)
};

// From the autocorrelations r(0..L) of n present values (L >= h). No
// result when h < 1, h > L or h >= n.
std::optional<LjungBoxResult> LjungBoxTest(std::span<const double> r, long n, int lag,
                                           int fittedCoefficients);

}  // namespace quorvane

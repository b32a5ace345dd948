#pragma once

#include <span>
#include <vector>

namespace quorvane {

// The quantile of the standard normal distribution: the x with Phi(x) = p,
// for 0 < p < 1 (-Inf at 0, +Inf at 1, NaN outside [0, 1]). A rational
// approximation (relative error below 1.2e-9) is refined by one step of
// Halley's method on Phi(x) - p, Phi from erfc, which brings it to about
// the precision of a double.
double NormalQuantile(double p);

// The points of a normal quantile-quantile plot of a sample: its present
// values (NaN marks a missing one) in increasing order, each beside the
// standard normal quantile of its plotting position (i - a) / (n + 1 - 2a),
// i = 1..n, with a = 3/8 for n <= 10 and 1/2 above.
struct NormalQuantilePoints {
  std::vector<double> Theoretical;  // increasing
  std::vector<double> Sample;       // increasing
};

NormalQuantilePoints NormalQuantilePairs(std::span<const double> values);

}  // namespace quorvane

#pragma once

#include <span>

namespace quorvane {

// The transfer function (Omega(0) - Omega(1)B - ... - Omega(r)B^r) /
// (1 - Delta(1)B - ... - Delta(r)B^r) applied to the input x, started at
// rest: inputs and outputs before x[0] count as 0. So
//   y(t) = Delta(1) y(t-1) + ... + Delta(r) y(t-r)
//          + Omega(0) x(t) - Omega(1) x(t-1) - ... - Omega(r) x(t-r),
// which equals the convolution of x with the filter's impulse weights psi
// truncated at the start, sum over l = 0..t of psi(l) x(t - l), at a cost of
// O(N r) instead of O(N^2).
//
// omega[0..r] and delta[1..r] (delta[0] unused); y has the size of x.
void ApplyTransferFunction(std::span<const double> omega, std::span<const double> delta, int r,
                           std::span<const double> x, std::span<double> y);

}  // namespace quorvane

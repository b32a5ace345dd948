#pragma once

#include <span>
#include <vector>

namespace quorvane {

// The sample autocorrelations of a series observed at equally spaced
// periods, with NaN marking a missing value. With d(t) = x(t) - mean, the
// mean taken over the present values only,
//   r(k) = sum d(t) d(t + k) / sum d(t)^2,
// the upper sum over the pairs whose two values are present and the lower
// one over the present values: missing values drop out of both sums, and
// without them this is the usual estimator (1/n) sum d(t) d(t + k) / c(0).
struct Autocorrelations {
  long Count = 0;         // the present values n
  std::vector<double> R;  // r(0..maxLag) by lag; r(0) = 1
};

// r(1..maxLag), maxLag >= 0. Empty R when the present values have no
// variance (fewer than two, or all equal).
Autocorrelations SampleAutocorrelations(std::span<const double> series, int maxLag);

// The partial autocorrelations phi(k, k) of the lags 1..r.size() - 1, from
// the autocorrelations r(0..L) by the Durbin-Levinson recursion:
//   phi(1, 1) = r(1),
//   phi(k, k) = (r(k) - sum_{j<k} phi(k-1, j) r(k - j)) / (1 - sum_{j<k} phi(k-1, j) r(j)),
//   phi(k, j) = phi(k-1, j) - phi(k, k) phi(k-1, k - j),  j < k.
// By lag, as r: element 0 holds 1. Where the recursion breaks down (a
// denominator of 0, from autocorrelations of a series that is exactly
// predictable), that lag and the lags after it are NaN.
std::vector<double> SamplePartialAutocorrelations(std::span<const double> r);

}  // namespace quorvane

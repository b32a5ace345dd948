#pragma once

#include <vector>

namespace quorvane {

// How far the residual autocorrelations of a series of n present values
// are shown: to lag min(10 log10 n, n / 4), both rounded down, or to lag
// 2s for a model with a seasonal period s (s = 0: none); never beyond
// n - 1. 0 when n < 2.
int AutocorrelationLagCount(long n, int seasonalPeriod);

// The lags of the Ljung-Box tests: 10 and 20, and s and 2s for a seasonal
// model, in increasing order without repeats.
std::vector<int> LjungBoxLags(int seasonalPeriod);

}  // namespace quorvane

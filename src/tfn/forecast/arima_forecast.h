#pragma once

#include <span>
#include <vector>

#include "tfn/forecast/arma_state_space.h"

namespace quorvane {

// Forecasts h = 1..H of an analysed series W(t) = w(t) + G(t) after its
// last period T, where w is the ARMA noise that `end` filtered and G(t) the
// known deterministic part, and of the series X that W is the d-th
// difference of (d = 1: X(t) = X(t-1) + W(t); d = 2: two such sums).
// Means are conditional means given w(1..T); variances are the forecast
// error variances in units of sigma^2. The X forecasts are empty for d = 0.
struct ArimaForecast {
  std::vector<double> AnalysedMean;
  std::vector<double> AnalysedVariance;
  std::vector<double> LevelMean;
  std::vector<double> LevelVariance;
};

// `future` holds G(T+1..T+H) and fixes H. `levels` holds the known values
// at T that the sums start from: for d = 1, X(T); for d = 2, the first
// difference X(T) - X(T-1), then X(T). The sums are carried in the state,
// so their variances include every covariance between the future noise
// values: the error variance of the integrated process.
ArimaForecast ForecastArima(const ArmaStateSpace& model, const ArmaFilterEnd& end,
                            std::span<const double> future, int d,
                            std::span<const double> levels);

}  // namespace quorvane

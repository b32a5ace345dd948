#pragma once

#include <span>
#include <vector>

#include "tfn/arma/missing_value_filter.h"
#include "tfn/forecast/arma_state_space.h"

namespace quorvane {

// Forecasts h = 1..H of a series X whose differences W(t) = delta(B) X(t)
// are the analysed series W(t) = w(t) + G(t) (w the ARMA noise that `end`
// filtered, G the known deterministic part), for any differencing
// polynomial delta(B) = 1 - g(1) B - ... - g(L) B^L, such as the regular
// and seasonal differences (1 - B)^d (1 - B^s)^D. Each step is
//   X(T+h) = W(T+h) + g(1) X(T+h-1) + ... + g(L) X(T+h-L).
// Means are conditional means given w(1..T); variances the forecast error
// variances in units of sigma^2, carried in the joint state of the noise and
// the last L values of X, so they include every covariance between the
// future noise values.
struct LevelForecast {
  std::vector<double> Mean;
  std::vector<double> Variance;
};

// `future` holds G(T+1..T+H) and fixes H; `g` holds g(1..L) (0-based) and
// `levels` the known X(T), X(T-1), ..., X(T-L+1).
LevelForecast ForecastLevels(const ArmaStateSpace& model, const ArmaFilterEnd& end,
                             std::span<const double> future, std::span<const double> g,
                             std::span<const double> levels);

// The same from the joint state the filter with the differencing in its
// state leaves (noise state, then X(T), ..., X(T-L+1), all with their
// error covariances): the levels at T need not be known, as when the last
// values are missing.
LevelForecast ForecastLevels(const ArmaStateSpace& model, const LevelFilterEnd& joint,
                             std::span<const double> future, std::span<const double> g);

}  // namespace quorvane

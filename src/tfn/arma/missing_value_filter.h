#pragma once

#include <optional>
#include <span>
#include <vector>

#include "tfn/forecast/arma_state_space.h"

namespace quorvane {

// A series X with values that may be missing, whose differences follow the
// model with ARMA noise:
//   delta(B) X(t) = G(t) + w(t),  delta(B) = 1 - g(1) B - ... - g(L) B^L,
// for the regular and seasonal differences (1 - B)^d (1 - B^s)^D (L = 0
// when the series is analysed as it is). The span Values holds the L
// periods before the first noise period, then the N noise periods;
// Prediction holds G over the N noise periods.
struct DifferencedSeries {
  std::span<const double> Differencing;  // g(1..L) at 0..L-1
  std::span<const std::optional<double>> Values;
  std::span<const double> Prediction;
};

// The exact Gaussian likelihood of the values present, in the two factors
// the objective uses (-ln L = (Count/2) ln(SumSq * Fact / Count) with sigma^2
// concentrated out), and the number of values it counts.
struct MissingValueLikelihood {
  double SumSq = 0.0;  // sum over the counted values of e(t)^2 / h(t)
  double Fact = 0.0;   // (product of their h(t))^(1/Count); 0 means the series failed
  long long Count = 0;
};

// Where the filter leaves the joint state of the noise and the last L
// values of X after the last period: alpha(N + 1) (components 0..r-1) and
// X(N), X(N-1), ..., X(N-L+1) (components r..r+L-1), with their mean and
// error covariance in units of sigma^2. Complete means no component is
// still undetermined (diffuse).
struct LevelFilterEnd {
  std::vector<double> Mean;
  SquareMatrix Covariance;
  bool Complete = true;
};

// The Kalman filter of X with the differencing in the state: the state
// holds the ARMA state of the noise (started stationary) and the last L
// values of X. The L values before the first noise period are unknown
// constants with a diffuse prior: a present one is known exactly, a missing
// one stays undetermined until later values fix it. A missing value is
// predicted through without an update, so the likelihood is that of the
// values present. It is the exact likelihood of the contrasts of the
// present values that do not depend on the initial levels: the first
// values that fix the levels (in time order, L of them when enough values
// are present) count as conditioning values, every later present value
// gives a prediction error e(t) with variance factor h(t). With L = 0 and
// every value present it is the exact ARMA likelihood of the series.
//
// This is the exact diffuse filter: while some level is undetermined the
// state covariance is P* + kappa Pinf with kappa -> infinity, and a value
// with Z Pinf Z' > 0 goes to fix the levels (its error carries no
// information about the noise); afterwards the ordinary filter runs.
//
// a and h, of N values, receive a(t) = e(t) / sqrt(h(t)) and h(t) for each
// counted value, NaN elsewhere. Fact = 0 when the noise model is not
// stationary or a variance factor is not positive and finite; nothing
// counted gives Fact = 0 as well. `end`, when given, receives the state
// after the last period.
MissingValueLikelihood FilterWithMissingValues(const ArmaStateSpace& model, const SquareMatrix& stationary,
                                               const DifferencedSeries& series, std::span<double> a,
                                               std::span<double> h, LevelFilterEnd* end = nullptr);

// The number of present values the likelihood of FilterWithMissingValues
// counts: the present values less those that fix the L initial levels. It
// does not depend on the noise model.
long long CountedValues(std::span<const double> differencing, std::span<const std::optional<double>> values);

// The expected value of a missing X given every present value, and the
// variance of its error in units of sigma^2.
struct SmoothedValue {
  std::size_t Index = 0;  // into DifferencedSeries::Values
  double Mean = 0.0;
  double Variance = 0.0;
};

// The smoothed value of every missing X of the series, in order; a missing
// value that the present values leave undetermined (a level before every
// present value with nothing to fix it) is left out. Empty when the noise
// model fails as in FilterWithMissingValues.
std::vector<SmoothedValue> SmoothMissingValues(const ArmaStateSpace& model, const SquareMatrix& stationary,
                                               const DifferencedSeries& series);

}  // namespace quorvane

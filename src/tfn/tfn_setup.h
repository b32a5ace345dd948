#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quorvane {

enum class SeriesTransformation { None, Logit, BoxCox };

// The choices for one series data file: where to read, how far to
// difference and how to transform.
struct SeriesFileChoice {
  std::string FileName;
  std::int32_t StartPeriod = 0;  // time periods are 32-bit
  std::int32_t EndPeriod = 0;
  std::int16_t FirstSeries = 0;  // file ordinals
  std::int16_t LastSeries = 0;
  std::int16_t Differencing = 0;  // 0, 1 or 2
  SeriesTransformation Transformation = SeriesTransformation::None;
  double BoxCoxLambda = 1.0;
  double BoxCoxConstant = 0.0;
  // The transformation acts on the values as read, before any differencing
  // (a log-ARIMA); otherwise on the differenced values.
  bool TransformBeforeDifferencing = false;
};

inline constexpr int kMaxGroups = 5;
// A group takes up to five covariate series, so a covariate file's chosen
// range holds up to 25.
inline constexpr int kMaxCovariatesPerGroup = 5;
inline constexpr int kMaxCovariateSeries = kMaxGroups * kMaxCovariatesPerGroup;

// The set-up of the time-series model, as the Initialize window gives it.
struct TfnSetup {
  SeriesFileChoice Response;
  std::string Flattening = "N";  // "Y" (any case) removes period effects

  bool UseCovariates = false;
  SeriesFileChoice Covariates;
  // Covariate series c (1..25, numbered within the series read) treated as
  // an intervention series: index c - 1.
  std::array<bool, kMaxCovariateSeries> CovariateIsIntervention{};
  // The group (1..NG) whose prediction covariate series c adds to, at index
  // c - 1. All 0: one covariate series per group, series c for group c.
  std::array<std::int16_t, kMaxCovariateSeries> CovariateGroup{};

  std::int16_t GroupCount = 1;  // NG
  // First and last file ordinal of group g (1..5) at index g - 1; 0 for none.
  std::array<std::int16_t, kMaxGroups> GroupFirst{};
  std::array<std::int16_t, kMaxGroups> GroupLast{};
  // NI(g): interventions of group g at index g - 1.
  std::array<std::int16_t, kMaxGroups> Interventions{};

  std::int16_t LagOrder = 5;  // p
  bool EstimateLogits = true;

  // Seasonal terms of the response: the period s (0 for none, else
  // 2..400), the degree of seasonal differencing D (0 or 1) and the orders
  // P and Q (0..3) of the seasonal autoregressive and moving-average
  // factors Phi_s(B^s) and Theta_s(B^s).
  std::int16_t SeasonalPeriod = 0;
  std::int16_t SeasonalDifferencing = 0;
  std::int16_t SeasonalArOrder = 0;
  std::int16_t SeasonalMaOrder = 0;

  bool FlatteningOn() const { return Flattening == "Y" || Flattening == "y"; }
  // NI = NI(1) + ... + NI(NG).
  int InterventionTotal() const;
  // C(g) = NI(1) + ... + NI(g), C(0) = 0.
  int InterventionsBefore(int group) const;
  int MaxInterventions() const;
  // NC: covariate series, 0 without covariates.
  int CovariateCount() const;
  // The group covariate series c (1..NC) acts on: CovariateGroup's entry,
  // or c itself when no group was given one.
  int GroupOfCovariate(int c) const;
  // True when covariate series c acts on group c for every c: the set-up
  // has at most one covariate series per group, in the original form.
  bool CovariatesOnePerGroup() const;
  // Covariate series c is treated as an intervention series.
  bool CovariateAsIntervention(int c) const;
  // The group (1..NG) of model series k (1..NS), 0 when no group holds it.
  int GroupOfSeries(int k) const;
  // The lag of the response's seasonal difference: s when D = 1, else 0.
  int SeasonalDifferencingLag() const { return SeasonalDifferencing > 0 ? SeasonalPeriod : 0; }
};

}  // namespace quorvane

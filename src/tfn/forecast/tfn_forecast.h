#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "core/one_based.h"
#include "tfn/tfn_model.h"

namespace quorvane {

// The periods ahead a forecast may ask for.
inline constexpr int kMinForecastPeriods = 1;
inline constexpr int kMaxForecastPeriods = 1000;
inline constexpr int kDefaultForecastPeriods = 10;

// A forecast the model cannot make, with the title and text the user is shown.
class ForecastError : public std::runtime_error {
 public:
  ForecastError(std::string title, std::string text)
      : std::runtime_error(text), Title(std::move(title)), Text(std::move(text)) {}
  std::string Title;
  std::string Text;
};

// One future period: the forecast, its standard error (NaN where none is
// given: on the original scale of a transformed series) and the limits of
// the 95% prediction interval.
struct ForecastRow {
  int Period = 0;
  double Forecast = 0.0;
  double StandardError = 0.0;
  double Lower = 0.0;
  double Upper = 0.0;
};

struct SeriesForecast {
  int Series = 0;  // k, 1..NS
  std::string Name;
  std::vector<ForecastRow> Analysed;  // the analysed scale
  // The transformed values themselves, undifferenced: only when the
  // transformation came before differencing.
  std::vector<ForecastRow> Transformed;
  std::vector<ForecastRow> Original;  // the scale of the data as read; empty with OriginalNote
  std::string OriginalNote;           // why there is no original scale, when there is none
};

struct TfnForecast {
  int Requested = 0;  // periods ahead asked for
  int Horizon = 0;    // periods ahead given (fewer when covariates run out)
  double Sigma2 = 0.0;
  // sigma^2 gamma_0: the variance of the stationary noise, which the
  // forecast error variance on the analysed scale approaches far ahead.
  double NoiseVariance = 0.0;
  std::vector<SeriesForecast> Series;
  std::vector<std::string> Notes;  // what limited or shaped the forecasts
};

// The z of the two-sided 95% interval, the 0.975 quantile of N(0, 1).
inline constexpr double kForecastZ = 1.959963984540054;

// The innovation variance the forecasts use: sum over the series of SUMSQ
// (the quadratic form w' Gamma^-1 w of the exact likelihood in units of
// sigma^2) divided by the number of noise values n. That is where the
// exact Gaussian likelihood with a common sigma^2 is largest; the product
// FACT x SUMSQ that the objective sums also holds the determinant of Gamma
// and is no estimate of sigma^2. Series whose likelihood failed count as
// the objective counts them: not at all in the sum, with their N_k in n.
double ForecastInnovationVariance(const TfnBestEvaluation& best);

// Forecasts `periods` periods ahead (1..1000) from the end of every
// response series, at the parameter values P (step sizes STP) of the
// model's last evaluation, which must be an evaluation at P (the forecast
// command evaluates there first). `covariateFile` is the covariate file
// choice of the set-up, read again for values after the end period. The
// noise forecasts are the finite-sample predictions of the Kalman filter
// of each noise series, missing values counting as noise 0 when the model
// counts them so; under the exact likelihood of the values present a series
// with missing values starts from the exact state of its own filter (the
// noise and, with differencing, the last values, estimated where they are
// missing); interventions and covariates go on through their transfer
// functions; differencing, regular and seasonal, is undone by summing,
// transformations by their inverse on the forecast (a median) and on both
// limits. A transformation applied before differencing is undone after
// the differencing, so such a series has forecasts on its original scale.
// Throws ForecastError when no forecast can be made.
TfnForecast ForecastTfnModel(const TfnModel& model, const OneBased<double>& P,
                             const OneBased<double>& STP, int periods);

}  // namespace quorvane

#pragma once

#include <string>
#include <vector>

#include "tfn/diagnostics/ljung_box.h"
#include "tfn/series_data.h"
#include "tfn/summary/summary_input.h"
#include "tfn/tfn_model.h"

namespace quorvane {

// The standardized one-step residuals a (Melard's a-hat/h-hat) of response
// series k over the analysed periods, NaN where the evaluation computed
// none and where the analysed value is missing, so that a value the model
// filled in takes no part in the statistics of the residuals.
std::vector<double> StandardizedResiduals(const ResponseSeriesData& response,
                                          const TfnBestEvaluation& best, int k);

// The free ARMA coefficients of the noise model: the regular and seasonal
// Phi and Theta parameters with a non-zero step (a fused group counts once,
// by the member that carries the step). The Ljung-Box tests lose one degree of freedom for each.
int CountFreeArmaCoefficients(const SummaryInput& input);

// The residual autocorrelations of one response series.
struct SeriesResidualCorrelation {
  int Series = 0;
  std::string Name;
  long Count = 0;             // the residuals present, n
  double Band = 0.0;          // 1.96 / sqrt(n)
  int Lags = 0;               // the lags shown: AutocorrelationLagCount
  std::vector<double> Acf;    // by lag 0..Lags
  std::vector<double> Pacf;   // by lag 0..Lags
  std::vector<LjungBoxResult> LjungBox;  // at the lags of LjungBoxLags that are below n
  bool Defined = false;       // false when the residuals have no variance
  std::vector<double> Residuals;  // StandardizedResiduals of the series
};

struct ResidualCorrelation {
  int SeasonalPeriod = 0;  // 0: none
  int FreeArmaCoefficients = 0;
  std::vector<SeriesResidualCorrelation> Series;  // series 1..NS in order
};

// The ACF, PACF and Ljung-Box tests of each response series' standardized
// residuals; `seasonalPeriod` s (0 for none) sets the lags to 2s and adds
// the tests at s and 2s.
ResidualCorrelation ComputeResidualCorrelation(const SummaryInput& input, int seasonalPeriod);

}  // namespace quorvane

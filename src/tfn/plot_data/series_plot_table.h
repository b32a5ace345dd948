#pragma once

#include "plot/plot_table.h"
#include "tfn/series_data.h"
#include "tfn/summary/back_transform.h"
#include "tfn/summary/missing_estimates.h"
#include "tfn/tfn_model.h"

namespace quorvane {

// Fills the plot table with the series of the time-series fit, one row per
// period: for each of the NS response series the analysed values, the
// predictions, the standardized residuals, the residual SDs, the innovations,
// the observed values and the back-transformed predictions and residuals;
// then the NC covariate series analysed and as read (8 NS + 2 NC columns).
// Missing values, and response cells before the response start period, hold
// the missing marker. The columns start from the bounds -M..M, M the smallest
// whole number above every absolute value of the columns' group (the
// residual SDs from -4..4). The residual and innovation columns are marked
// as centred on 0. With smoothed estimates of missing response values on
// the scale of the values as read or of the analysed values, one more
// column per response series follows, "Estimated missing values for
// response series " and its name, holding the estimates alone, so they
// can be drawn with a marker of their own over the series.
void FillSeriesPlotTable(PlotTable& table, const ResponseSeriesData& response,
                         const CovariateSeriesData* covariates, const TfnBestEvaluation& best,
                         const BackTransformedFit& backTransformed,
                         const MissingValueEstimates* estimates = nullptr);

// The bound of a group of columns, 0 before any value: a value v raises it
// to floor(|v|) + 1 when |v| exceeds it.
class WholeBound {
 public:
  void See(double v);
  double Value() const { return bound_; }

 private:
  double bound_ = 0.0;
};

}  // namespace quorvane

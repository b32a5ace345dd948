#pragma once

#include "tfn/series_data.h"
#include "tfn/tfn_setup.h"

namespace quorvane {

// Reads and prepares the response series: the chosen window and series,
// differencing, missing-value counts, period means, flattening and the
// logit or Box-Cox transformation. Throws SeriesDataError.
ResponseSeriesData ReadResponseSeries(const TfnSetup& setup);

// Reads and prepares the covariate series: as for the response series
// without period means and flattening; then the series means, and missing
// analysed values replaced by their series' mean. Throws SeriesDataError.
CovariateSeriesData ReadCovariateSeries(const TfnSetup& setup);

}  // namespace quorvane

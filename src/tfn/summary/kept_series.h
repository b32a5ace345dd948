#pragma once

#include "tfn/series_data.h"
#include "tfn/tfn_model.h"

namespace quorvane {

// The per-period results the best evaluation kept, as tables over the
// analysed periods (FirstAnalysedPeriod..EndPeriod) by response series.
enum class KeptSeries {
  Fitted,                // the one-step prediction of the analysed value
  StandardizedResidual,  // a-hat/h-hat: the prediction error over sqrt(h)
  PredictionError,       // a-hat: the prediction error, a times sqrt(h)
  ResidualSd,            // sqrt(h)
};

// Missing wherever the evaluation computed nothing (and, for the fitted
// values, where the analysed value is missing).
SeriesTable KeptSeriesTable(const ResponseSeriesData& response, const TfnBestEvaluation& best,
                            KeptSeries which);

}  // namespace quorvane

#pragma once

#include "tfn/series_data.h"
#include "tfn/tfn_model.h"
#include "tfn/tfn_setup.h"

namespace quorvane {

// The residual and the fit in the units of the observed series, over the
// analysed periods (FirstAnalysedPeriod..EndPeriod) by response series.
struct BackTransformedFit {
  SeriesTable Residual;  // R(t, k)
  SeriesTable Fit;       // observed value as read - R(t, k)
};

// The residual of an analysed value W and its fitted value F undone from
// the response transformation: logit: e^W/(e^W+1) - e^F/(e^F+1); Box-Cox
// with lambda != 0: B(W) - B(F), B(v) = (lambda v + 1)^(1/lambda) (the
// constant cancels); lambda = 0: e^W - e^F; none: W - F. Missing where a
// value is the transform of no value (lambda v + 1 < 0) or the result is
// not finite.
SeriesValue BackTransformedResidual(SeriesTransformation transformation, double lambda,
                                    double W, double F);

// R is missing where the analysed or the fitted value is; the fit is
// missing where R or the observed value is. Differencing and flattening
// need no undoing: the residual of a period is taken from the observed
// value of the same period. When the transformation came before
// differencing, the fit is the inverse transform of (the transformed
// observation - (W - F)), the one-step prediction of the transformed value
// taken back to the original scale (its median there), and R the observed
// value less that fit.
BackTransformedFit ComputeBackTransformedFit(const SeriesFileChoice& response,
                                             const ResponseSeriesData& data,
                                             const TfnBestEvaluation& best);

}  // namespace quorvane

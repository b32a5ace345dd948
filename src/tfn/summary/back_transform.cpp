#include "tfn/summary/back_transform.h"

#include <cmath>

#include "tfn/forecast/scale_transform.h"
#include "tfn/summary/kept_series.h"

namespace quorvane {

namespace {

// e^v / (e^v + 1) in a form that cannot overflow.
double Logistic(double v) {
  if (v >= 0.0) return 1.0 / (1.0 + std::exp(-v));
  const double e = std::exp(v);
  return e / (e + 1.0);
}

}  // namespace

SeriesValue BackTransformedResidual(SeriesTransformation transformation, double lambda,
                                    double W, double F) {
  double r = W - F;
  switch (transformation) {
    case SeriesTransformation::None: break;
    case SeriesTransformation::Logit: r = Logistic(W) - Logistic(F); break;
    case SeriesTransformation::BoxCox:
      if (lambda == 0.0) {
        r = std::exp(W) - std::exp(F);
      } else {
        // lambda v + 1 = (x + c)^lambda is never negative: below zero, v
        // is the transform of no value.
        const double baseW = lambda * W + 1.0, baseF = lambda * F + 1.0;
        if (baseW < 0.0 || baseF < 0.0) return std::nullopt;
        r = std::pow(baseW, 1.0 / lambda) - std::pow(baseF, 1.0 / lambda);
      }
      break;
  }
  if (!std::isfinite(r)) return std::nullopt;
  return r;
}

BackTransformedFit ComputeBackTransformedFit(const SeriesFileChoice& response,
                                             const ResponseSeriesData& data,
                                             const TfnBestEvaluation& best) {
  const SeriesTable fitted = KeptSeriesTable(data, best, KeptSeries::Fitted);
  BackTransformedFit result{SeriesTable(data.FirstAnalysedPeriod, data.EndPeriod, data.SeriesCount),
                            SeriesTable(data.FirstAnalysedPeriod, data.EndPeriod, data.SeriesCount)};
  // Transformed before differencing, the prediction error W - F is also
  // the error of the transformed value itself, given the past: the fit is
  // the inverse transform of the transformed observation less that error.
  const bool levelsTransformed =
      response.TransformBeforeDifferencing && response.Transformation != SeriesTransformation::None;
  for (int t = data.FirstAnalysedPeriod; t <= data.EndPeriod; ++t)
    for (int k = 1; k <= data.SeriesCount; ++k) {
      const SeriesValue& W = data.Analysed.At(t, k);
      const SeriesValue& F = fitted.At(t, k);
      if (!W || !F) continue;
      if (levelsTransformed) {
        const SeriesValue& observed = data.Raw.At(t, k);
        const std::optional<double> level = observed ? TransformValue(response, *observed) : std::nullopt;
        if (!level) continue;
        const double fit = UntransformValue(response, *level - (*W - *F));
        if (!std::isfinite(fit)) continue;
        result.Fit.At(t, k) = fit;
        result.Residual.At(t, k) = *observed - fit;
        continue;
      }
      const SeriesValue R =
          BackTransformedResidual(response.Transformation, response.BoxCoxLambda, *W, *F);
      result.Residual.At(t, k) = R;
      const SeriesValue& observed = data.Raw.At(t, k);
      if (R && observed) result.Fit.At(t, k) = *observed - *R;
    }
  return result;
}

}  // namespace quorvane

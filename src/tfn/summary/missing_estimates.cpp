#include "tfn/summary/missing_estimates.h"

#include <cmath>

#include "tfn/forecast/tfn_forecast.h"

namespace quorvane {

bool MissingValueEstimates::Any() const {
  for (const auto& series : BySeries)
    if (!series.empty()) return true;
  return false;
}

MissingValueEstimates EstimateMissingValues(const TfnModel& model) {
  MissingValueEstimates out;
  if (!model.IsSetUp() || !model.Best().Kept) return out;
  const TfnSetup& setup = model.Setup();
  if (setup.MissingValues != MissingValueTreatment::ExactLikelihood) return out;
  const bool transformed = setup.Response.Transformation != SeriesTransformation::None;
  // The analysed values are the values as read when nothing differences,
  // flattens or transforms them.
  const ResponseSeriesData& r = model.Response();
  const bool analysedAsRead =
      r.Differencing == 0 && r.SeasonalDifferencingLag == 0 && !setup.FlatteningOn() && !transformed;
  out.Scale = model.LevelsAreAnalysed() && !analysedAsRead ? EstimateScale::Analysed
              : transformed && !model.LevelsAreAnalysed()  ? EstimateScale::Transformed
                                                           : EstimateScale::AsRead;
  const double sigma2 = ForecastInnovationVariance(model.Best());
  const int series = model.Response().SeriesCount;
  out.BySeries.resize(static_cast<size_t>(series + 1));
  for (int k = 1; k <= series; ++k)
    for (const SmoothedValue& v : model.SmoothedMissingValues(k))
      out.BySeries[static_cast<size_t>(k)].push_back(
          {model.LevelStart() + static_cast<int>(v.Index), v.Mean, std::sqrt(v.Variance * sigma2)});
  return out;
}

}  // namespace quorvane

// The exact likelihood of the values present for response series with
// missing values: the values the differencing sees, the filter with the
// differencing in its state, the smoothed missing values and the filter's
// end state for the forecasts.
#include <algorithm>
#include <cmath>

#include "tfn/arma/lag_polynomial_product.h"
#include "tfn/forecast/scale_transform.h"
#include "tfn/tfn_model.h"

namespace quorvane {
namespace {

// (1 - B)^d (1 - B^s)^D as 1 - g(1) B - ... - g(L) B^L.
std::vector<double> DifferencingCoefficients(int d, int seasonalLag) {
  const double one[] = {1.0};
  std::vector<SpannedPolynomial> factors(static_cast<size_t>(d), SpannedPolynomial{one, 1});
  if (seasonalLag > 0) factors.push_back({one, static_cast<size_t>(seasonalLag)});
  std::vector<double> g(ProductDegree(factors));
  MultiplyLagPolynomials(factors, g);
  return g;
}

}  // namespace

// The analysed values are the differences of the values as read (of their
// transforms when the transformation comes first) unless flattening or a
// transformation of the differences comes between; then the filter takes
// the analysed values as they are, a missing one left out.
void TfnModel::PrepareMissingValues() {
  const ResponseSeriesData& r = response_;
  const SeriesFileChoice& choice = setup_.Response;
  const int lag = r.SeasonalDifferencingLag;
  const bool levels = r.Differencing + lag > 0 && !setup_.FlatteningOn() &&
                      (choice.Transformation == SeriesTransformation::None || choice.TransformBeforeDifferencing);
  differencing_ = levels ? DifferencingCoefficients(r.Differencing, lag) : std::vector<double>{};
  levels_.assign(static_cast<size_t>(series_ + 1), {});
  lastMissing_.assign(static_cast<size_t>(series_ + 1), 0);
  missingPrediction_.assign(static_cast<size_t>(std::max(Periods(), 0)), 0.0);
  observationCount_ = r.ValueCount;
  anyMissingSeries_ = false;
  if (setup_.MissingValues != MissingValueTreatment::ExactLikelihood) return;
  const int from = LevelStart();
  const bool transformFirst = choice.TransformBeforeDifferencing && choice.Transformation != SeriesTransformation::None;
  for (int k = 1; k <= series_; ++k) {
    if (r.MissingPerSeries[static_cast<size_t>(k)] == 0) continue;
    anyMissingSeries_ = true;
    std::vector<SeriesValue>& x = levels_[static_cast<size_t>(k)];
    int& last = lastMissing_[static_cast<size_t>(k)];
    for (int t = from; t <= r.EndPeriod; ++t) {
      SeriesValue value = levels ? r.Raw.At(t, k) : r.Analysed.At(t, k);
      if (levels && value && transformFirst) value = TransformValue(choice, *value);
      if (!value) last = t;
      x.push_back(value);
    }
    // NOBS counts the values the likelihood uses over the whole analysed window.
    observationCount_ -= static_cast<std::int32_t>(r.AnalysedPeriods - CountedValues(differencing_, x));
  }
}

// A missing value before the noise series begins is out of its sight; a
// noise series that begins after the last period has nothing to filter.
bool TfnModel::MissingValueInSight(int k) const {
  const int start = NoiseStart(GroupOf(k));
  return start <= response_.EndPeriod &&
         lastMissing_[static_cast<size_t>(k)] >= start - static_cast<int>(differencing_.size());
}

// Series k's values from the period before its noise series by the order
// of the differencing, with G over its noise periods.
DifferencedSeries TfnModel::MissingValueSeries(int k, std::span<const double> G) const {
  const std::vector<SeriesValue>& x = levels_[static_cast<size_t>(k)];
  const size_t l = differencing_.size();
  const auto offset = static_cast<size_t>(NoiseStart(GroupOf(k)) - LevelStart()) - l;
  return {differencing_, std::span<const SeriesValue>(x.data() + offset, G.size() + l), G};
}

// G over the noise periods of series k from `prediction` (by period, then
// group), in missingPrediction_.
std::span<const double> TfnModel::NoisePrediction(int k, const std::vector<double>& prediction) const {
  const int g = GroupOf(k);
  const int start = NoiseStart(g);
  const int first = response_.FirstAnalysedPeriod;
  const auto n = static_cast<size_t>(std::max(0, response_.EndPeriod - start + 1));
  for (size_t i = 0; i < n; ++i)
    missingPrediction_[i] =
        prediction[(static_cast<size_t>(start - first) + i) * static_cast<size_t>(groups_) + static_cast<size_t>(g - 1)];
  return {missingPrediction_.data(), n};
}

MissingValueLikelihood TfnModel::EvaluateWithMissingValues(int k, std::span<const double> G, std::span<double> a,
                                                           std::span<double> h) {
  const ArmaStateSpace space(NoiseAutoregressive(), NoiseMovingAverage());
  const std::optional<SquareMatrix> stationary = space.StationaryCovariance();
  if (!stationary) return {};
  return FilterWithMissingValues(space, *stationary, MissingValueSeries(k, G), a, h);
}

std::vector<SmoothedValue> TfnModel::SmoothedMissingValues(int k) const {
  if (!UsesMissingValueFilter(k) || !Best().Kept) return {};
  const ArmaStateSpace space(bestNoiseAr_, bestNoiseMa_);
  const std::optional<SquareMatrix> stationary = space.StationaryCovariance();
  if (!stationary) return {};
  const DifferencedSeries series = MissingValueSeries(k, NoisePrediction(k, Best().GroupPrediction));
  std::vector<SmoothedValue> out = SmoothMissingValues(space, *stationary, series);
  // Index into the series' values -> index from LevelStart().
  const auto offset = static_cast<size_t>(NoiseStart(GroupOf(k)) - LevelStart()) - differencing_.size();
  for (SmoothedValue& v : out) v.Index += offset;
  return out;
}

std::optional<LevelFilterEnd> TfnModel::MissingValueFilterEnd(int k) const {
  if (!UsesMissingValueFilter(k) || !Best().Kept) return std::nullopt;
  const ArmaStateSpace space(bestNoiseAr_, bestNoiseMa_);
  const std::optional<SquareMatrix> stationary = space.StationaryCovariance();
  if (!stationary) return std::nullopt;
  const DifferencedSeries series = MissingValueSeries(k, NoisePrediction(k, Best().GroupPrediction));
  std::vector<double> a(series.Prediction.size()), h(series.Prediction.size());
  LevelFilterEnd end;
  const MissingValueLikelihood result = FilterWithMissingValues(space, *stationary, series, a, h, &end);
  if (!(result.Fact > 0.0)) return std::nullopt;
  return end;
}

}  // namespace quorvane

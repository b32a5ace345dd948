// Forecasts of the time-series model: the deterministic part of every group
// carried on into the future, the noise of every response series forecast
// from the exact filter state at its end, and both taken back to the scale
// of the data as read.
#include "tfn/forecast/tfn_forecast.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/format/plain_number_text.h"
#include "tfn/arma/lag_polynomial_product.h"
#include "tfn/forecast/arima_forecast.h"
#include "tfn/forecast/arma_state_space.h"
#include "tfn/forecast/future_covariates.h"
#include "tfn/forecast/level_forecast.h"
#include "tfn/forecast/scale_transform.h"
#include "tfn/transfer_filter.h"

namespace quorvane {
namespace {

constexpr const char* kRefusedTitle = "No forecasts";
constexpr double kNoStandardError = std::numeric_limits<double>::quiet_NaN();

std::string Text(long long n) { return PlainNumberText(static_cast<double>(n)); }

void CheckForecastable(const TfnModel& model, const OneBased<double>& P, int periods) {
  if (!model.IsSetUp() || !model.Best().Kept)
    throw ForecastError(kRefusedTitle, "The model has not been evaluated at the current values.");
  if (periods < kMinForecastPeriods || periods > kMaxForecastPeriods)
    throw ForecastError(kRefusedTitle, "The number of periods ahead must be a whole number from " +
                                           Text(kMinForecastPeriods) + " to " +
                                           Text(kMaxForecastPeriods) + ".");
  const std::vector<double>& kept = model.Best().Parameters;
  bool same = static_cast<int>(kept.size()) == P.size();
  for (int i = 1; same && i <= P.size(); ++i) same = kept[static_cast<size_t>(i - 1)] == P[i];
  if (!same)
    throw ForecastError(kRefusedTitle, "The model has not been evaluated at the current values.");
  if (model.Setup().FlatteningOn())
    throw ForecastError(
        kRefusedTitle,
        "Forecasts cannot be made for a set-up that removes the inter-series covariance: the "
        "period means that flattening subtracts are not known for future periods.  Initialize "
        "the model without removing the inter-series covariance to forecast it.");
}

// The groups that some response series belongs to.
std::vector<bool> GroupsInUse(const TfnModel& model) {
  std::vector<bool> used(static_cast<size_t>(model.Setup().GroupCount + 1), false);
  for (int k = 1; k <= model.Response().SeriesCount; ++k) used[static_cast<size_t>(model.GroupOf(k))] = true;
  return used;
}

// How far the covariate series let the forecasts reach: the effect at
// End + h needs the covariate at End + h - shift.
int CovariateHorizon(const TfnModel& model, const std::vector<std::vector<double>>& future,
                     int periods, std::vector<std::string>& notes) {
  const auto& cov = model.Covariates();
  if (!cov) return periods;
  const std::vector<bool> used = GroupsInUse(model);
  const ModelShape& shape = model.Shape();
  int horizon = periods;
  for (size_t b = 0; b < shape.Transfers.size(); ++b) {
    const TransferBlockShape& block = shape.Transfers[b];
    if (block.Input != TransferInput::Covariate) continue;
    const int c = block.Number, g = block.Group;
    if (g >= static_cast<int>(used.size()) || !used[static_cast<size_t>(g)]) continue;
    const int shift = model.TransferBlocks()[b].Shift;
    const int known = static_cast<int>(future[static_cast<size_t>(c)].size());
    const int reach = shift + known;
    if (reach >= periods) continue;
    horizon = std::min(horizon, reach);
    const std::string& name = cov->Names[static_cast<size_t>(c)];
    notes.push_back("Covariate series " + name + " has " + Text(known) +
                    " usable value(s) in its file after period " + cov->Calendar.Label(cov->EndPeriod) +
                    "; with its backward shift of " + Text(shift) +
                    " the forecasts of group " + Text(g) + " reach " + Text(reach) +
                    " period(s) ahead.");
  }
  if (horizon == 0)
    throw ForecastError(kRefusedTitle,
                        "The covariate series have no values after period " +
                            cov->Calendar.Label(cov->EndPeriod) +
                            " in their file, and a backward shift of 0 needs the covariate in the "
                            "forecast period itself.  Add the future covariate values to the "
                            "covariate file to forecast this model.");
  if (horizon < periods)
    notes.push_back("Forecasts are given for " + Text(horizon) + " of the " + Text(periods) +
                    " periods asked for.");
  return horizon;
}

// G(End + h, g) for h = 1..H: the intercept, every intervention of the
// group through its transfer function (a step stays on, a pulse stays 0, a
// trend keeps rising), and the group's covariate through its own.
std::vector<double> FutureGroupPrediction(const TfnModel& model, const OneBased<double>& P,
                                          const OneBased<double>& STP, int g, int H,
                                          const std::vector<std::vector<double>>& future) {
  const ResponseSeriesData& response = model.Response();
  const int first = response.FirstAnalysedPeriod;
  const int end = response.EndPeriod;
  const int m2 = model.TransferOrder();
  std::vector<double> G(static_cast<size_t>(H), model.Best().Intercepts[static_cast<size_t>(g)]);

  const ModelShape& shape = model.Shape();
  const auto length = static_cast<size_t>(end + H - first + 1);
  std::vector<double> input(length), output(length);
  for (size_t b = 0; b < shape.Transfers.size(); ++b) {
    const TransferBlock& block = model.TransferBlocks()[b];
    if (shape.Transfers[b].Input != TransferInput::Intervention) continue;
    if (block.Group != g || block.Code < 1 || block.Code > 3) continue;
    for (size_t i = 0; i < length; ++i) {
      const int t = first + static_cast<int>(i);
      double x = 0.0;
      if (block.Code == 1) x = t >= block.Start ? 1.0 : 0.0;
      else if (block.Code == 2) x = t == block.Start ? 1.0 : 0.0;
      else x = t >= block.Start ? t - block.Start + 1.0 : 0.0;
      input[i] = x;
    }
    ApplyTransferFunction(block.Omega, block.Delta, m2, input, output);
    for (int h = 1; h <= H; ++h) G[static_cast<size_t>(h - 1)] += output[static_cast<size_t>(end + h - first)];
  }

  const auto& cov = model.Covariates();
  if (!cov) return G;
  for (size_t b = 0; b < shape.Transfers.size(); ++b) {
    if (shape.Transfers[b].Input != TransferInput::Covariate || shape.Transfers[b].Group != g) continue;
    const int c = shape.Transfers[b].Number;
    const TransferBlock& block = model.TransferBlocks()[b];
    const int interceptIndex = model.Layout().TransferBase(b) + 2;
    const double centre = P[interceptIndex] == 0.0 && STP[interceptIndex] == 0.0
                              ? cov->AnalysedMean[static_cast<size_t>(c)]
                              : block.Intercept;
    const int covFirst = cov->FirstAnalysedPeriod;
    const int last = end + H - block.Shift;  // the latest covariate period needed
    if (last < covFirst) continue;
    const auto n = static_cast<size_t>(last - covFirst + 1);
    std::vector<double> x(n), y(n);
    const std::vector<double>& ahead = future[static_cast<size_t>(c)];
    for (int s = covFirst; s <= last; ++s)
      x[static_cast<size_t>(s - covFirst)] =
          (s <= cov->EndPeriod ? cov->Analysed.At(s, c).value_or(0.0)
                               : ahead[static_cast<size_t>(s - cov->EndPeriod - 1)]) - centre;
    ApplyTransferFunction(block.Omega, block.Delta, m2, x, y);
    for (int h = 1; h <= H; ++h) {
      const int s = end + h - block.Shift;
      if (s >= covFirst) G[static_cast<size_t>(h - 1)] += y[static_cast<size_t>(s - covFirst)];
    }
  }
  return G;
}

// The noise series of response series k as the model formed it: the
// analysed value less the group prediction, 0 where the value is missing.
std::vector<double> NoiseSeries(const TfnModel& model, int k) {
  const ResponseSeriesData& response = model.Response();
  const TfnBestEvaluation& best = model.Best();
  const int g = model.GroupOf(k);
  const int groups = model.Setup().GroupCount;
  const int first = response.FirstAnalysedPeriod;
  std::vector<double> w;
  for (int t = model.NoiseStart(g); t <= response.EndPeriod; ++t) {
    const SeriesValue& x = response.Analysed.At(t, k);
    w.push_back(x ? *x - best.GroupPrediction[static_cast<size_t>((t - first) * groups + g - 1)] : 0.0);
  }
  return w;
}

// The noise part of a joint state: alpha(T + 1) with its covariance.
ArmaFilterEnd NoiseStateOf(const LevelFilterEnd& joint, std::size_t r) {
  ArmaFilterEnd end{std::vector<double>(joint.Mean.begin(), joint.Mean.begin() + static_cast<std::ptrdiff_t>(r)),
                    SquareMatrix(r), {}, {}};
  for (std::size_t i = 0; i < r; ++i)
    for (std::size_t j = 0; j < r; ++j) end.StateCovariance(i, j) = joint.Covariance(i, j);
  return end;
}

ForecastRow Row(int period, double mean, double variance, double sigma2) {
  const double se = std::sqrt(std::max(variance, 0.0) * sigma2);
  return {period, mean, se, mean - kForecastZ * se, mean + kForecastZ * se};
}

// The differencing polynomial (1 - B)^d (1 - B^s)^D as 1 - g(1) B - ... - g(L) B^L.
std::vector<double> DifferencingPolynomial(int d, int seasonalLag) {
  const double one[] = {1.0};
  std::vector<SpannedPolynomial> factors(static_cast<size_t>(d), SpannedPolynomial{one, 1});
  if (seasonalLag > 0) factors.push_back({one, static_cast<size_t>(seasonalLag)});
  std::vector<double> g(ProductDegree(factors));
  MultiplyLagPolynomials(factors, g);
  return g;
}

// Undoes the differencing (regular and seasonal) of the analysed forecasts
// of series k: the levels, transformed when the transformation came
// first, from the last L of them. False, with the note set, when one of
// those is missing.
bool ForecastUndifferenced(const TfnModel& model, int k, const ArmaStateSpace& space,
                           const ArmaFilterEnd& end, const std::vector<double>& G, double sigma2,
                           std::vector<ForecastRow>& rows, SeriesForecast& out) {
  const ResponseSeriesData& response = model.Response();
  const SeriesFileChoice& choice = model.Setup().Response;
  const std::vector<double> g = DifferencingPolynomial(response.Differencing, response.SeasonalDifferencingLag);
  const int T = response.EndPeriod;
  std::vector<double> levels;
  for (int t = T; t > T - static_cast<int>(g.size()); --t) {
    const SeriesValue& x = response.Raw.At(t, k);
    const std::optional<double> level =
        !x ? std::nullopt : choice.TransformBeforeDifferencing ? TransformValue(choice, *x) : x;
    if (!level) {
      out.OriginalNote = "The original scale is not given: the value as read in period " + Text(t) +
                         " is missing, so the differencing cannot be undone.";
      return false;
    }
    levels.push_back(*level);
  }
  const LevelForecast path = ForecastLevels(space, end, G, g, levels);
  for (size_t h = 0; h < path.Mean.size(); ++h)
    rows.push_back(Row(T + static_cast<int>(h) + 1, path.Mean[h], path.Variance[h], sigma2));
  return true;
}

// A row of a transformed scale taken back to the scale of the data as
// read: the forecast becomes the median, the limits stay limits, and no
// standard error is given.
ForecastRow Untransformed(const SeriesFileChoice& choice, const ForecastRow& row) {
  return {row.Period, UntransformValue(choice, row.Forecast), kNoStandardError,
          UntransformValue(choice, row.Lower), UntransformValue(choice, row.Upper)};
}

void FillOriginalScale(const TfnModel& model, int k, const ArmaStateSpace& space,
                       const ArmaFilterEnd& end, const std::optional<LevelFilterEnd>& joint,
                       const std::vector<double>& G, double sigma2, SeriesForecast& out) {
  const ResponseSeriesData& response = model.Response();
  const SeriesFileChoice& choice = model.Setup().Response;
  const int d = response.Differencing;
  const bool seasonal = response.SeasonalDifferencingLag > 0;
  const bool transformed = choice.Transformation != SeriesTransformation::None;
  if (joint && !model.LevelsAreAnalysed()) {
    // A series with missing values: the differencing is undone in the
    // joint state of its filter, whose last levels may be estimates.
    const std::vector<double> g = DifferencingPolynomial(d, response.SeasonalDifferencingLag);
    const LevelForecast path = ForecastLevels(space, *joint, G, g);
    std::vector<ForecastRow>& rows = transformed ? out.Transformed : out.Original;
    for (size_t h = 0; h < path.Mean.size(); ++h)
      rows.push_back(Row(response.EndPeriod + static_cast<int>(h) + 1, path.Mean[h], path.Variance[h], sigma2));
    if (transformed)
      for (const ForecastRow& row : out.Transformed) out.Original.push_back(Untransformed(choice, row));
    return;
  }
  if (d == 0 && !seasonal) {
    for (const ForecastRow& row : out.Analysed) {
      if (!transformed) {
        out.Original.push_back(row);
        continue;
      }
      out.Original.push_back(Untransformed(choice, row));
    }
    return;
  }
  if (transformed && choice.TransformBeforeDifferencing) {
    if (!ForecastUndifferenced(model, k, space, end, G, sigma2, out.Transformed, out)) return;
    for (const ForecastRow& row : out.Transformed) out.Original.push_back(Untransformed(choice, row));
    return;
  }
  if (transformed) {
    out.OriginalNote =
        "The original scale is not given: the transformation acts on the differenced series, "
        "and sums of back-transformed differences have no exact limits.";
    return;
  }
  if (seasonal) {
    ForecastUndifferenced(model, k, space, end, G, sigma2, out.Original, out);
    return;
  }
  // The sums start from the last values as read: X(T), and for d = 2 also X(T - 1).
  const int T = response.EndPeriod;
  const SeriesValue& last = response.Raw.At(T, k);
  const SeriesValue before = d == 2 && T - 1 >= response.StartPeriod ? response.Raw.At(T - 1, k)
                                                                      : SeriesValue();
  if (!last || (d == 2 && !before)) {
    out.OriginalNote = "The original scale is not given: the value as read in period " +
                       response.Calendar.Label(d == 2 && last ? T - 1 : T) +
                       " is missing, so the differencing cannot be undone.";
    return;
  }
  std::vector<double> levels;
  if (d == 2) levels.push_back(*last - *before);
  levels.push_back(*last);
  const ArimaForecast path = ForecastArima(space, end, G, d, levels);
  for (size_t h = 0; h < path.LevelMean.size(); ++h)
    out.Original.push_back(Row(T + static_cast<int>(h) + 1, path.LevelMean[h], path.LevelVariance[h], sigma2));
}

}  // namespace

double ForecastInnovationVariance(const TfnBestEvaluation& best) {
  double sum = 0.0;
  for (size_t k = 1; k < best.SumSq.size(); ++k)
    if (best.Fact[k] > 0.0 && best.SumSq[k] > 0.0) sum += best.SumSq[k];
  return best.TotalNoiseCount > 0 ? sum / static_cast<double>(best.TotalNoiseCount) : 0.0;
}

TfnForecast ForecastTfnModel(const TfnModel& model, const OneBased<double>& P,
                             const OneBased<double>& STP, int periods) {
  CheckForecastable(model, P, periods);
  const TfnBestEvaluation& best = model.Best();
  const ResponseSeriesData& response = model.Response();
  const std::string notStationary =
      "The noise model is not stationary at the current values (its exact likelihood cannot be "
      "computed), so it has no forecasts.";
  for (int k = 1; k <= response.SeriesCount; ++k)
    if (!(best.Fact[static_cast<size_t>(k)] > 0.0)) throw ForecastError(kRefusedTitle, notStationary);

  TfnForecast out;
  out.Requested = periods;
  out.Sigma2 = ForecastInnovationVariance(best);
  if (!(out.Sigma2 > 0.0) || !std::isfinite(out.Sigma2))
    throw ForecastError(kRefusedTitle,
                        "The noise series are zero throughout at the current values, so no "
                        "innovation variance can be estimated.");

  std::vector<std::vector<double>> future;
  if (const auto& cov = model.Covariates())
    future = ReadFutureCovariates(model.Setup().Covariates, *cov, periods);
  out.Horizon = CovariateHorizon(model, future, periods, out.Notes);

  const ArmaStateSpace space(model.NoiseAutoregressive(), model.NoiseMovingAverage());
  const std::optional<SquareMatrix> stationary = space.StationaryCovariance();
  if (!stationary) throw ForecastError(kRefusedTitle, notStationary);
  out.NoiseVariance = out.Sigma2 * (*stationary)(0, 0);
  const std::vector<bool> used = GroupsInUse(model);
  std::vector<std::vector<double>> groupFuture(used.size());
  for (size_t g = 1; g < used.size(); ++g)
    if (used[g]) groupFuture[g] = FutureGroupPrediction(model, P, STP, static_cast<int>(g), out.Horizon, future);

  for (int k = 1; k <= response.SeriesCount; ++k) {
    const std::vector<double>& G = groupFuture[static_cast<size_t>(model.GroupOf(k))];
    // A series with a missing value under the exact likelihood of the
    // values present starts from the state of its own filter.
    const std::optional<LevelFilterEnd> joint = model.MissingValueFilterEnd(k);
    const std::optional<ArmaFilterEnd> end = joint ? NoiseStateOf(*joint, space.Dimension())
                                                   : FilterArmaSeries(space, NoiseSeries(model, k));
    if (!end) throw ForecastError(kRefusedTitle, notStationary);
    SeriesForecast series;
    series.Series = k;
    series.Name = response.Names[static_cast<size_t>(k)];
    const ArimaForecast path = ForecastArima(space, *end, G, 0, {});
    for (size_t h = 0; h < path.AnalysedMean.size(); ++h)
      series.Analysed.push_back(Row(response.EndPeriod + static_cast<int>(h) + 1, path.AnalysedMean[h],
                                    path.AnalysedVariance[h], out.Sigma2));
    FillOriginalScale(model, k, space, *end, joint, G, out.Sigma2, series);
    out.Series.push_back(std::move(series));
  }
  return out;
}

}  // namespace quorvane

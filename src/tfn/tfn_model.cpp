#include "tfn/tfn_model.h"

#include <algorithm>

#include "tfn/series_data_error.h"
#include "tfn/series_preparation.h"
#include "tfn/setup_limits.h"

namespace quorvane {

void TfnModel::MODEL(double& F, OneBased<double>& P, OneBased<double>& STP,
                     OneBased<std::string>& DESC, OneBased<std::string>& FUSE, std::int16_t& NP,
                     std::int32_t NF, std::int32_t& NOBS, OneBased<double>&, OneBasedMatrix&,
                     std::int32_t& NSAMPLE) {
  if (NF == 0) {
    SetUp(P, STP, DESC, FUSE, NP, NOBS);
    return;
  }
  if (NF <= -2 || !setUp_) return;  // no analytic derivatives
  if (NF == -1) {
    if (onSummary) onSummary();
    return;
  }
  F = Evaluate(P, STP, NF);
  NOBS = response_.ValueCount;
  // The sample size of the ranking's criteria: the total number of noise
  // values, the n of the results summary's AIC, AICc and BIC.
  NSAMPLE = static_cast<std::int32_t>(totalNoiseCount_);
}

void TfnModel::SetUp(OneBased<double>& P, OneBased<double>& STP, OneBased<std::string>& DESC,
                     OneBased<std::string>& FUSE, std::int16_t& NP, std::int32_t& NOBS) {
  if (!pending_) throw SeriesDataError("Initialize", "The model has not been set up");
  const TfnSetup setup = *pending_;
  // Numbers the model cannot take are refused before anything is read or sized.
  if (auto problem = SetupExtentProblem(ExtentOf(setup))) throw SeriesDataError(problem->Title, problem->Text);

  // Read everything first: a data error must leave the previous model intact.
  ResponseSeriesData response = ReadResponseSeries(setup);
  std::optional<CovariateSeriesData> covariates;
  if (setup.UseCovariates) covariates = ReadCovariateSeries(setup);
  // The model's periods are one count for both files: a monthly response
  // and a quarterly covariate file would pair periods that are not the same.
  if (covariates && covariates->Calendar != response.Calendar)
    throw SeriesDataError("Problem with your choice of time periods",
                          "The response data file is " + response.Calendar.Describe() +
                              " and the covariate data file is " + covariates->Calendar.Describe() +
                              ": both files must count time in the same periods");
  // A series without a single analysed value has no likelihood to fit.
  for (int k = 1; k <= response.SeriesCount; ++k)
    if (response.MissingPerSeries[static_cast<size_t>(k)] == response.AnalysedPeriods)
      throw SeriesDataError("Fatal data input error",
                            "Response series " + std::to_string(response.FirstSeries + k - 1) + " (" +
                                response.Names[static_cast<size_t>(k)] +
                                ") has no value in the analysed time periods " +
                                response.Calendar.Label(response.FirstAnalysedPeriod) + " to " +
                                response.Calendar.Label(response.EndPeriod));
  std::vector<int> seriesGroup(static_cast<size_t>(response.SeriesCount + 1), 0);
  for (int k = 1; k <= response.SeriesCount; ++k) {
    seriesGroup[static_cast<size_t>(k)] = setup.GroupOfSeries(k);
    if (seriesGroup[static_cast<size_t>(k)] == 0)
      throw SeriesDataError("Problem with your choices of series groupings",
                            "Response series " + std::to_string(setup.Response.FirstSeries + k - 1) +
                                " belongs to no group");
  }

  setup_ = setup;
  shape_ = BuildModelShape(setup_);
  response_ = std::move(response);
  covariates_ = std::move(covariates);
  seriesGroup_ = std::move(seriesGroup);
  layout_ = ParameterLayout(shape_);
  p_ = setup_.LagOrder;
  groups_ = setup_.GroupCount;
  series_ = response_.SeriesCount;

  const int n = layout_.Count();
  NP = static_cast<std::int16_t>(n);
  P.resize(n, 0.0);
  STP.resize(n, 0.0);
  FUSE.resize(n, "~~");
  DESC.resize(n);
  const std::vector<std::string> descriptions = DescribeParameters(setup_);
  for (int i = 1; i <= n; ++i) DESC[i] = descriptions[static_cast<size_t>(i - 1)];
  NOBS = response_.ValueCount;

  // Size every work array once.
  const auto periods = static_cast<size_t>(std::max(Periods(), 0));
  const auto up = static_cast<size_t>(p_);
  coefficients_.clear();
  usedOrder_.assign(shape_.Noise.size(), 0);
  size_t longestPolynomial = up;
  // Each side's product polynomial has the degree of its factors together.
  size_t arDegree = 0, maDegree = 0;
  for (const LagPolynomial& polynomial : shape_.Noise) {
    const auto order = static_cast<size_t>(polynomial.Order);
    coefficients_.emplace_back(order, 0.0);
    longestPolynomial = std::max(longestPolynomial, order);
    (polynomial.Side == LagSide::Autoregressive ? arDegree : maDegree) +=
        order * static_cast<size_t>(polynomial.Span);
  }
  noiseAr_.assign(arDegree, 0.0);
  noiseMa_.assign(maDegree, 0.0);
  noiseArOrder_ = noiseMaOrder_ = 0;
  regionWork_.assign(longestPolynomial, 0.0);
  intercept_.assign(static_cast<size_t>(groups_ + 1), 0.0);
  transfers_.clear();
  for (const TransferBlockShape& shape : shape_.Transfers) {
    TransferBlock block;
    block.Group = shape.Group;
    block.Omega.assign(up + 1, 0.0);
    block.Delta.assign(up + 1, 0.0);
    transfers_.push_back(std::move(block));
  }
  LayOutObservedValues();
  prediction_.assign(periods * static_cast<size_t>(groups_), 0.0);
  size_t longest = periods;
  if (covariates_) longest = std::max(longest, static_cast<size_t>(covariates_->AnalysedPeriods));
  input_.assign(longest, 0.0);
  output_.assign(longest, 0.0);
  innovation_.assign(periods * static_cast<size_t>(series_), 0.0);
  variance_.assign(periods * static_cast<size_t>(series_), 0.0);
  noiseCount_.assign(static_cast<size_t>(series_ + 1), 0);
  sumSq_.assign(static_cast<size_t>(series_ + 1), 0.0);
  fact_.assign(static_cast<size_t>(series_ + 1), 0.0);
  workspace_.Reserve(std::max(arDegree, maDegree));
  sparseWorkspace_.Reserve(std::max(arDegree, maDegree));
  // Only the sparse likelihood of a seasonal factor reads the noise
  // written out.
  const bool seasonalShape =
      std::any_of(shape_.Noise.begin(), shape_.Noise.end(),
                  [](const LagPolynomial& polynomial) { return polynomial.Span != 1; });
  noise_.assign(seasonalShape ? periods : 0, 0.0);
  keptPrediction_.assign(prediction_.size(), 0.0);
  keptInnovation_.assign(innovation_.size(), 0.0);
  keptVariance_.assign(variance_.size(), 0.0);
  bestSeriesPending_ = false;
  best_ = TfnBestEvaluation{};
  best_.Parameters.assign(static_cast<size_t>(n), 0.0);
  best_.Intercepts.assign(static_cast<size_t>(groups_ + 1), 0.0);
  best_.GroupPrediction.assign(prediction_.size(), 0.0);
  best_.Innovation.assign(innovation_.size(), std::nullopt);
  best_.Fitted.assign(innovation_.size(), std::nullopt);
  best_.ResidualSd.assign(innovation_.size(), std::nullopt);
  best_.NoiseCount = noiseCount_;
  best_.SumSq = sumSq_;
  best_.Fact = fact_;
  previousOrders_.assign(shape_.Noise.size(), -1);
  q_.assign(static_cast<size_t>(groups_ + 1), -1);
  transferOrder_.assign(shape_.Transfers.size(), -1);
  m_ = m2_ = 0;
  setUp_ = true;
}

void TfnModel::LayOutObservedValues() {
  const int first = response_.FirstAnalysedPeriod;
  const auto periods = static_cast<size_t>(std::max(Periods(), 0));
  observed_.assign(periods * static_cast<size_t>(series_), 0.0);
  present_.assign(static_cast<size_t>(series_ + 1), {});
  for (int k = 1; k <= series_; ++k) {
    double* values = observed_.data() + static_cast<size_t>(k - 1) * periods;
    std::vector<unsigned char>& present = present_[static_cast<size_t>(k)];
    if (response_.MissingPerSeries[static_cast<size_t>(k)] > 0) present.assign(periods, 1);
    for (size_t i = 0; i < periods; ++i) {
      const SeriesValue& x = response_.Analysed.At(first + static_cast<int>(i), k);
      if (x)
        values[i] = *x;
      else
        present.at(i) = 0;
    }
  }
  covariateValues_.clear();
  if (!covariates_) return;
  const CovariateSeriesData& cov = *covariates_;
  const auto covPeriods =
      static_cast<size_t>(std::max(cov.EndPeriod - cov.FirstAnalysedPeriod + 1, 0));
  const int covariateCount = setup_.CovariateCount();
  covariateValues_.assign(covPeriods * static_cast<size_t>(covariateCount), 0.0);
  for (int c = 1; c <= covariateCount; ++c)
    for (size_t s = 0; s < covPeriods; ++s)
      covariateValues_[static_cast<size_t>(c - 1) * covPeriods + s] =
          cov.Analysed.At(cov.FirstAnalysedPeriod + static_cast<int>(s), c).value_or(0.0);
}

PeriodCalendar TfnModel::ParameterCalendar(int i) const {
  if (!setUp_ || !response_.Calendar.IsDated()) return PeriodCalendar();
  for (int b = 1; b <= setup_.InterventionTotal(); ++b)
    if (i == layout_.InterventionBase(b) + 1) return response_.Calendar;
  return PeriodCalendar();
}

int TfnModel::NoiseStart(int group) const {
  // Each covariate acting on the group delays its noise series by its
  // backward shift plus the order of its transfer function (the order from
  // the last order check, 0 before one): the noise series starts where
  // every one of them has its shifted input and its lags. With one
  // covariate this is the shift plus the group's TFN order.
  int delay = 0;
  for (size_t b = 0; b < shape_.Transfers.size(); ++b)
    if (shape_.Transfers[b].Input == TransferInput::Covariate && shape_.Transfers[b].Group == group)
      delay = std::max(delay, transfers_[b].Shift + std::max(transferOrder_[b], 0));
  return response_.FirstAnalysedPeriod + delay;
}

}  // namespace quorvane

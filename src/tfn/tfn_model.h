#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/model.h"
#include "tfn/arma/sparse_arma_likelihood.h"
#include "tfn/melard_workspace.h"
#include "tfn/model_shape.h"
#include "tfn/parameter_layout.h"
#include "tfn/parameters_on_limit.h"
#include "tfn/series_data.h"
#include "tfn/tfn_setup.h"

namespace quorvane {

inline constexpr const char* kTfnModelName =
    "Multi-series Time Series ARIMA, Intervention and TFN Model";

// The coefficients of one intervention or covariate block after unpacking.
struct TransferBlock {
  int Group = 0;       // the group it acts on
  int Start = 0;       // interventions: the starting period
  int Code = 0;        // interventions: 0 none, 1 step, 2 pulse, 3 linear trend
  int Shift = 0;       // covariates: the backward shift
  double Intercept = 0;  // covariates
  std::vector<double> Omega;  // 0..p
  std::vector<double> Delta;  // 1..p at 1..p; element 0 unused
};

// What the best evaluation so far leaves for the results summary and the
// plots, by analysed period (index t - FirstAnalysedPeriod) and series.
struct TfnBestEvaluation {
  bool Kept = false;  // an evaluation has been kept since the set-up
  double Objective = 1e300;
  std::vector<double> Parameters;  // P(1..n) at index 0..n-1
  std::vector<double> Intercepts;  // 1..NG; element 0 unused
  std::vector<double> GroupPrediction;  // [i * NG + (g - 1)]
  std::vector<SeriesValue> Innovation;  // [i * NS + (k - 1)]
  std::vector<SeriesValue> Fitted;
  std::vector<SeriesValue> ResidualSd;
  // What the likelihood of each series k returned, at index k (1..NS;
  // element 0 unused): its number of noise values N_k, SUMSQ and FACT.
  std::vector<int> NoiseCount;
  std::vector<double> SumSq;
  std::vector<double> Fact;
  long long TotalNoiseCount = 0;  // n = N_1 + ... + N_NS
};

// The time-series model: several response series in up to five groups, ARMA
// noise with Melard's exact likelihood, intervention terms and covariate
// transfer functions. Set-up (NF = 0) reads the set-up given by
// SetPendingSetup; a data error there throws SeriesDataError and leaves the
// previous state exactly as it was.
class TfnModel : public Model {
 public:
  std::string Name() const override { return kTfnModelName; }
  // The objective is the exact -ln[L] itself.
  std::optional<double> ObjectiveConstant() const override { return 1.0; }
  // Estimated directly, a Phi, Theta or Delta polynomial outside its
  // stationary (invertible, stable) region is held on its limit.
  std::vector<std::string> LimitNotes(const OneBased<double>& P) const override;
  // The same parameters by number and region, in the order of the notes.
  std::vector<ParameterOnLimit> ParametersOnLimit(const OneBased<double>& P) const;
  std::optional<double> FailurePenalty() const override { return kFailurePenalty; }

  // F when no series gives a likelihood, and in place of any F that is not finite.
  static constexpr double kFailurePenalty = 1e40;

  // An intervention's start period, of a dated response file, is a date.
  PeriodCalendar ParameterCalendar(int i) const override;

  void SetPendingSetup(const TfnSetup& setup) { pending_ = setup; }

  void MODEL(double& F, OneBased<double>& P, OneBased<double>& STP, OneBased<std::string>& DESC,
             OneBased<std::string>& FUSE, std::int16_t& NP, std::int32_t NF, std::int32_t& NOBS,
             OneBased<double>& GRAD, OneBasedMatrix& HESS, std::int32_t& NSAMPLE) override;

  bool IsSetUp() const { return setUp_; }
  const TfnSetup& Setup() const { return setup_; }
  const ModelShape& Shape() const { return shape_; }
  const ParameterLayout& Layout() const { return layout_; }
  const ResponseSeriesData& Response() const { return response_; }
  const std::optional<CovariateSeriesData>& Covariates() const { return covariates_; }
  // The best evaluation so far. Its series are built from the kept
  // evaluation on the first call after it changed, so call it from the
  // thread that evaluates the model.
  const TfnBestEvaluation& Best() const;
  // The ARMA order m: the order both regular polynomials (span 1) are used with.
  int ArmaOrder() const { return m_; }
  int TransferOrder() const { return m2_; }
  // The first period of group g's noise series.
  int NoiseStart(int group) const;
  // Forecasts: what the last evaluation unpacked. The noise model's
  // autoregressive and moving-average coefficients (the product of the
  // polynomials of each side, as the likelihood used them), the transfer
  // blocks in the order of the shape's Transfers, and the group of
  // response series k.
  std::span<const double> NoiseAutoregressive() const { return {noiseAr_.data(), noiseArOrder_}; }
  std::span<const double> NoiseMovingAverage() const { return {noiseMa_.data(), noiseMaOrder_}; }
  const std::vector<TransferBlock>& TransferBlocks() const { return transfers_; }
  int GroupOf(int k) const { return seriesGroup_[static_cast<size_t>(k)]; }

  // Runs at NF = -1, when the results summary is asked for.
  std::function<void()> onSummary;

 protected:
  // A copy for a worker thread of a grid: it evaluates as this model does
  // but keeps no best evaluation.
  std::unique_ptr<Model> CopyModelForEvaluation() const override;

 private:
  void SetUp(OneBased<double>& P, OneBased<double>& STP, OneBased<std::string>& DESC,
             OneBased<std::string>& FUSE, std::int16_t& NP, std::int32_t& NOBS);
  double Evaluate(const OneBased<double>& P, const OneBased<double>& STP, std::int32_t NF);
  double Unpack(const OneBased<double>& P, const OneBased<double>& STP);
  void CheckOrders(const OneBased<double>& P, const OneBased<double>& STP);
  void UnpackTransferBlock(TransferBlock& block, std::size_t b, const OneBased<double>& P,
                           const OneBased<double>& STP, double& penalty);
  void FormNoiseModel();
  void AddInterventionEffects();
  void AddCovariateEffects(const OneBased<double>& P, const OneBased<double>& STP);
  void LayOutObservedValues();
  void KeepBest(double F, const OneBased<double>& P);
  void FillBestSeries() const;
  int Periods() const { return response_.EndPeriod - response_.FirstAnalysedPeriod + 1; }

  std::optional<TfnSetup> pending_;
  bool setUp_ = false;
  TfnSetup setup_;
  ModelShape shape_;
  ResponseSeriesData response_;
  std::optional<CovariateSeriesData> covariates_;
  ParameterLayout layout_{TfnSetup{}};
  int p_ = 0, groups_ = 0, series_ = 0;
  std::vector<int> seriesGroup_;  // 1..NS

  // Unpacked parameters and orders. coefficients_[i] holds the
  // coefficients of the shape's noise polynomial i (0-based: element j - 1
  // is c(j)), usedOrder_[i] the order it is used with.
  std::vector<std::vector<double>> coefficients_;
  std::vector<int> usedOrder_;
  std::vector<double> intercept_;    // 1..NG
  std::vector<TransferBlock> transfers_;  // in the order of the shape's Transfers
  int m_ = 0, m2_ = 0;
  std::vector<int> previousOrders_;  // usedOrder_ at the last NF = 1 evaluation, -1 before
  // The noise model the likelihood uses: the coefficients of each side's
  // product polynomial, its order first.
  std::vector<double> noiseAr_, noiseMa_;
  std::size_t noiseArOrder_ = 0, noiseMaOrder_ = 0;
  bool seasonalNoise_ = false;  // a seasonal factor is in use: the sparse likelihood
  std::vector<int> q_;  // 1..NG: TFN order from the last NF = 1 evaluation, -1 before
  // Per transfer block: the order of a covariate's transfer function from
  // the last NF = 1 evaluation, -1 before (0 for other blocks once checked).
  std::vector<int> transferOrder_;
  double penalty_ = 0;

  // The analysed data as plain numbers, laid out at set-up so that each
  // series is one contiguous run: response series k at
  // [(k - 1) * periods + i] with 0 where missing; for a series with missing
  // values (1..NS), 1 at [i] where present and 0 where missing (empty
  // otherwise); covariate c at [(c - 1) * covariate periods + s].
  std::vector<double> observed_;
  std::vector<std::vector<unsigned char>> present_;
  std::vector<double> covariateValues_;

  // Work arrays, sized at set-up so an evaluation allocates nothing. Index i
  // is the analysed period FirstAnalysedPeriod + i.
  std::vector<double> prediction_;      // G by group: [(g - 1) * periods + i]
  std::vector<double> input_, output_;  // one series over the analysed or covariate periods
  std::vector<double> regionWork_;  // the step-down of one polynomial
  // The noise series w = y - G of one series, written out for the sparse
  // likelihood of a seasonal noise model only.
  std::vector<double> noise_;
  // a(t) and h(t) by series, [(k - 1) * periods + i]: the likelihood writes
  // them in place; NaN where not computed.
  std::vector<double> innovation_, variance_;
  std::vector<int> noiseCount_;                // 1..NS: N_k of the last evaluation
  std::vector<double> sumSq_, fact_;           // 1..NS: SUMSQ and FACT of the last evaluation
  long long totalNoiseCount_ = 0;
  MelardWorkspace workspace_;
  SparseArmaWorkspace sparseWorkspace_;

  // The best evaluation. Keeping one swaps its G, a and h into the kept
  // arrays (same layouts as above); Best() turns them into best_'s series.
  std::vector<double> keptPrediction_, keptInnovation_, keptVariance_;
  mutable TfnBestEvaluation best_;
  mutable bool bestSeriesPending_ = false;
  bool keepsBest_ = true;  // false in a copy for evaluation
};

}  // namespace quorvane

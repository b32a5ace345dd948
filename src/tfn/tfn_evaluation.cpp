// One evaluation of the time-series model: unpack the parameters, build the
// group predictions from intercepts, interventions and covariate transfer
// functions, form the noise series and sum their exact ARMA likelihoods.
#include <algorithm>
#include <cmath>
#include <limits>

#include "base/ui/ui.h"
#include "tfn/melard_likelihood.h"
#include "tfn/stationary_region.h"
#include "tfn/tfn_model.h"
#include "tfn/transfer_filter.h"

namespace quorvane {

namespace {

constexpr double kPenalty = TfnModel::kFailurePenalty;
constexpr double kNotComputed = std::numeric_limits<double>::quiet_NaN();

// A coefficient of a Phi, Theta or Delta polynomial. As a logit L it is
// 2 (e^L / (e^L + 1) - 0.5) = tanh(L / 2), which cannot overflow and keeps
// each coefficient in (-1, +1); taken directly it is the value itself, and
// the whole polynomial is then held inside its stationary region.
double Coefficient(double x, bool logit) { return logit ? std::tanh(x / 2.0) : x; }

// A whole-number parameter (start period, code, backward shift):
// |floor(x + 1E-6)|, so a value a hair below a whole number counts as it.
// Held at 1E9: beyond every period a series file can hold, and far enough
// from the 32-bit limit that adding it to a period cannot overflow.
int WholeParameter(double x) {
  constexpr double kLargest = 1e9;
  const double whole = std::abs(std::floor(x + 1e-6));
  if (!(whole <= kLargest)) return static_cast<int>(kLargest);
  return static_cast<int>(whole);
}

bool Used(const OneBased<double>& P, const OneBased<double>& STP, int i) {
  return P[i] != 0.0 || STP[i] != 0.0;
}

}  // namespace

double TfnModel::Unpack(const OneBased<double>& P, const OneBased<double>& STP) {
  double penalty = 0.0;
  const bool logit = setup_.EstimateLogits;
  m_ = 0;
  for (int j = 1; j <= p_; ++j) {
    phi_[static_cast<size_t>(j - 1)] = Coefficient(P[layout_.Phi(j)], logit);
    theta_[static_cast<size_t>(j - 1)] = Coefficient(P[layout_.Theta(j)], logit);
    if (Used(P, STP, layout_.Phi(j)) || Used(P, STP, layout_.Theta(j))) m_ = j;
  }
  const auto order = static_cast<size_t>(p_);
  if (!logit) {
    penalty += HoldInsideStationaryRegion(std::span<double>(phi_.data(), order), regionWork_);
    penalty += HoldInsideStationaryRegion(std::span<double>(theta_.data(), order), regionWork_);
  }
  for (int g = 1; g <= groups_; ++g) intercept_[static_cast<size_t>(g)] = P[layout_.Intercept(g)];

  m2_ = 0;
  const auto unpackLags = [&](TransferBlock& block, int base) {
    for (int j = 0; j <= p_; ++j) {
      block.Omega[static_cast<size_t>(j)] = P[layout_.BlockOmega(base, j)];
      if (Used(P, STP, layout_.BlockOmega(base, j))) m2_ = std::max(m2_, j);
    }
    for (int j = 1; j <= p_; ++j) {
      block.Delta[static_cast<size_t>(j)] = Coefficient(P[layout_.BlockDelta(base, j)], logit);
      if (Used(P, STP, layout_.BlockDelta(base, j))) m2_ = std::max(m2_, j);
    }
    if (!logit)
      penalty += HoldInsideStationaryRegion(std::span<double>(block.Delta.data() + 1, order), regionWork_);
  };
  for (size_t k = 0; k < interventions_.size(); ++k) {
    TransferBlock& block = interventions_[k];
    const int base = layout_.InterventionBase(static_cast<int>(k) + 1);
    block.Start = WholeParameter(P[base + 1]);
    block.Code = WholeParameter(P[base + 2]);
    unpackLags(block, base);
  }
  for (int c = 1; c <= covariateCount_; ++c) {
    TransferBlock& block = covariateBlocks_[static_cast<size_t>(c - 1)];
    const int base = layout_.CovariateBase(c);
    if (setup_.CovariateIsIntervention[static_cast<size_t>(c - 1)]) {
      block.Shift = 0;
      block.Intercept = 0.0;
    } else {
      block.Shift = WholeParameter(P[base + 1]);
      block.Intercept = P[base + 2];
    }
    unpackLags(block, base);
  }
  return penalty;
}

void TfnModel::CheckOrders(const OneBased<double>& P, const OneBased<double>& STP) {
  Ui* ui = AttachedUi();
  const int previous = previousM_;
  previousM_ = m_;
  if (m_ != previous && previous != -1 && ui)
    ui->ShowMessage(
        "The order of Phi or Theta has been changed thus changing the potential number of "
        "predictions to be potentially statistically evaluated in this analysis.  This means that "
        "model fit and likelihood comparisons among analyses with a different order of Phi or "
        "Theta are compromised!  The order of Phi or Theta is determined by the largest non-zero "
        "value or step size for Phi or Theta!  To force a higher order, yet not estimate the "
        "higher order parameters, I suggest fixing value of Phi or Theta for the order desired to "
        "an insignificantly small number, say 1E-8.",
        "Change in analysis parameters", Icon::Information);
  for (int g = 1; g <= groups_; ++g) {
    int& q = q_[static_cast<size_t>(g)];
    const bool transfer = g <= covariateCount_ && !setup_.CovariateIsIntervention[static_cast<size_t>(g - 1)];
    if (!transfer) {
      q = 0;
      continue;
    }
    const int before = q;
    const int base = layout_.CovariateBase(g);
    q = 0;
    for (int j = 0; j <= p_; ++j)
      if (Used(P, STP, layout_.BlockOmega(base, j)) || (j >= 1 && Used(P, STP, layout_.BlockDelta(base, j))))
        q = j;
    if (q != before && before != -1 && ui)
      ui->ShowMessage(
          "The order of Omega or Delta for group " + std::to_string(g) +
              " has been changed thus changing the potential number of predictions to be "
              "potentially statistically evaluated in this TFN analysis.  This means that model "
              "fit and likelihood comparisons among analyses with a different orders of Omega or "
              "Delta are compromised!  The order of Omega or Delta is determined by the largest "
              "non-zero value or step size for Omega or Delta!  To force a higher order, yet not "
              "estimate the higher order parameters, I suggest fixing value of Omega or Delta for "
              "the order desired to an insignificantly small number, say 1E-8.",
          "Change in analysis parameters", Icon::Information);
  }
}

void TfnModel::AddInterventionEffects() {
  const int periods = Periods();
  const int first = response_.FirstAnalysedPeriod;
  const std::span<double> input(input_.data(), static_cast<size_t>(periods));
  const std::span<double> output(output_.data(), static_cast<size_t>(periods));
  for (const TransferBlock& block : interventions_) {
    if (block.Code < 1 || block.Code > 3) continue;
    for (int i = 0; i < periods; ++i) {
      const int t = first + i;
      double x = 0.0;
      if (block.Code == 1) x = t >= block.Start ? 1.0 : 0.0;           // step
      else if (block.Code == 2) x = t == block.Start ? 1.0 : 0.0;      // pulse
      else x = t >= block.Start ? t - block.Start + 1.0 : 0.0;         // linear trend
      input[static_cast<size_t>(i)] = x;
    }
    ApplyTransferFunction(block.Omega, block.Delta, m2_, input, output);
    for (int i = 0; i < periods; ++i)
      prediction_[static_cast<size_t>(i * groups_ + block.Group - 1)] += output[static_cast<size_t>(i)];
  }
}

void TfnModel::AddCovariateEffects(const OneBased<double>& P, const OneBased<double>& STP) {
  if (!covariates_) return;
  const CovariateSeriesData& cov = *covariates_;
  const int covFirst = cov.FirstAnalysedPeriod;
  const int covPeriods = cov.EndPeriod - covFirst + 1;
  const int first = response_.FirstAnalysedPeriod;
  const std::span<double> input(input_.data(), static_cast<size_t>(covPeriods));
  const std::span<double> output(output_.data(), static_cast<size_t>(covPeriods));
  for (int c = 1; c <= covariateCount_; ++c) {
    const TransferBlock& block = covariateBlocks_[static_cast<size_t>(c - 1)];
    // The covariate is centred on its mean while its intercept is 0 and
    // fixed, otherwise on the intercept.
    const int interceptIndex = layout_.CovariateBase(c) + 2;
    const double centre = P[interceptIndex] == 0.0 && STP[interceptIndex] == 0.0
                              ? cov.AnalysedMean[static_cast<size_t>(c)]
                              : block.Intercept;
    for (int s = covFirst; s <= cov.EndPeriod; ++s)
      input[static_cast<size_t>(s - covFirst)] = cov.Analysed.At(s, c).value_or(0.0) - centre;
    ApplyTransferFunction(block.Omega, block.Delta, m2_, input, output);
    // The effect at t is the filtered covariate at t - shift.
    for (int t = first + block.Shift; t <= response_.EndPeriod; ++t) {
      const int s = t - block.Shift;
      if (s < covFirst) continue;
      prediction_[static_cast<size_t>((t - first) * groups_ + c - 1)] += output[static_cast<size_t>(s - covFirst)];
    }
  }
}

double TfnModel::Evaluate(const OneBased<double>& P, const OneBased<double>& STP, std::int32_t NF) {
  double penalty = Unpack(P, STP);
  const int periods = Periods();
  const int first = response_.FirstAnalysedPeriod;
  for (int i = 0; i < periods; ++i)
    for (int g = 1; g <= groups_; ++g)
      prediction_[static_cast<size_t>(i * groups_ + g - 1)] = intercept_[static_cast<size_t>(g)];
  AddInterventionEffects();
  AddCovariateEffects(P, STP);
  if (NF == 1) CheckOrders(P, STP);

  std::fill(innovation_.begin(), innovation_.end(), kNotComputed);
  std::fill(variance_.begin(), variance_.end(), kNotComputed);
  double total = 0.0;
  long long totalCount = 0;
  const std::span<const double> phi(phi_.data(), static_cast<size_t>(m_));
  const std::span<const double> theta(theta_.data(), static_cast<size_t>(m_));
  for (int k = 1; k <= series_; ++k) {
    const int g = seriesGroup_[static_cast<size_t>(k)];
    const int start = NoiseStart(g);
    const int n = std::max(0, response_.EndPeriod - start + 1);
    for (int i = 0; i < n; ++i) {
      const int t = start + i;
      const SeriesValue& x = response_.Analysed.At(t, k);
      // A missing value is replaced by the group's prediction: noise 0.
      noise_[static_cast<size_t>(i)] = x ? *x - prediction_[static_cast<size_t>((t - first) * groups_ + g - 1)] : 0.0;
    }
    const MelardResult result =
        MelardLikelihood(phi, theta, std::span<const double>(noise_.data(), static_cast<size_t>(n)),
                         std::span<double>(a_.data(), static_cast<size_t>(n)),
                         std::span<double>(h_.data(), static_cast<size_t>(n)), workspace_);
    if (result.Fact > 0.0)
      for (int i = 0; i < n; ++i) {
        const auto cell = static_cast<size_t>((start + i - first) * series_ + k - 1);
        innovation_[cell] = a_[static_cast<size_t>(i)];
        variance_[cell] = h_[static_cast<size_t>(i)];
      }
    totalCount += n;
    if (result.Fact > 0.0 && result.SumSq > 0.0) total += result.Fact * result.SumSq;
    noiseCount_[static_cast<size_t>(k)] = n;
    sumSq_[static_cast<size_t>(k)] = result.SumSq;
    fact_[static_cast<size_t>(k)] = result.Fact;
  }
  totalNoiseCount_ = totalCount;

  double F = 0.0;
  if (total > 0.0 && totalCount > 0) {
    const double count = static_cast<double>(totalCount);
    F = (count / 2.0) * std::log(total / count);
  } else {
    penalty += kPenalty;
  }
  F += penalty;
  // Minimisers must never see NaN or infinity.
  if (!std::isfinite(F)) F = kPenalty;

  if (Ui* ui = AttachedUi()) ui->PumpEvents();

  if (keepsBest_ && (F < best_.Objective || NF == 1)) {
    best_.Objective = F;
    KeepBest(F, P);
  }
  return F;
}

std::unique_ptr<Model> TfnModel::CopyModelForEvaluation() const {
  auto copy = std::make_unique<TfnModel>(*this);
  copy->keepsBest_ = false;
  copy->best_ = TfnBestEvaluation{};
  copy->onSummary = nullptr;
  return copy;
}

void TfnModel::KeepBest(double, const OneBased<double>& P) {
  for (int i = 1; i <= P.size() && i <= static_cast<int>(best_.Parameters.size()); ++i)
    best_.Parameters[static_cast<size_t>(i - 1)] = P[i];
  best_.Kept = true;
  best_.Intercepts = intercept_;  // same size: no allocation
  std::copy(noiseCount_.begin(), noiseCount_.end(), best_.NoiseCount.begin());
  std::copy(sumSq_.begin(), sumSq_.end(), best_.SumSq.begin());
  std::copy(fact_.begin(), fact_.end(), best_.Fact.begin());
  best_.TotalNoiseCount = totalNoiseCount_;
  std::copy(prediction_.begin(), prediction_.end(), best_.GroupPrediction.begin());
  const int first = response_.FirstAnalysedPeriod;
  for (int i = 0; i < Periods(); ++i)
    for (int k = 1; k <= series_; ++k) {
      const auto cell = static_cast<size_t>(i * series_ + k - 1);
      const double a = innovation_[cell];
      const SeriesValue& x = response_.Analysed.At(first + i, k);
      const bool computed = !std::isnan(a);
      best_.Innovation[cell] = computed ? SeriesValue(a) : std::nullopt;
      // The one-step prediction: the observed value less the prediction
      // error, which is the standardised innovation times sqrt(h).
      best_.Fitted[cell] =
          computed && x ? SeriesValue(*x - a * std::sqrt(variance_[cell])) : std::nullopt;
      best_.ResidualSd[cell] = computed ? SeriesValue(std::sqrt(variance_[cell])) : std::nullopt;
    }
}

}  // namespace quorvane

// One evaluation of the time-series model: unpack the parameters, build the
// group predictions from intercepts, interventions and covariate transfer
// functions, form the noise series and sum their exact ARMA likelihoods.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "base/ui/ui.h"
#include "tfn/arma/lag_polynomial_product.h"
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
  // Each noise polynomial is used up to its last coefficient with a value
  // or a step; the regular polynomials (span 1) share the larger of their
  // two orders, the ARMA order m.
  m_ = 0;
  for (size_t i = 0; i < shape_.Noise.size(); ++i) {
    std::vector<double>& c = coefficients_[i];
    int& used = usedOrder_[i];
    used = 0;
    for (int j = 1; j <= shape_.Noise[i].Order; ++j) {
      const int index = layout_.Coefficient(i, j);
      c[static_cast<size_t>(j - 1)] = Coefficient(P[index], logit);
      if (Used(P, STP, index)) used = j;
    }
    if (shape_.Noise[i].Span == 1) m_ = std::max(m_, used);
  }
  for (size_t i = 0; i < shape_.Noise.size(); ++i)
    if (shape_.Noise[i].Span == 1) usedOrder_[i] = m_;
  // Taken directly, each polynomial is held inside its own region.
  if (!logit)
    for (std::vector<double>& c : coefficients_) penalty += HoldInsideStationaryRegion(c, regionWork_);
  for (int g = 1; g <= groups_; ++g) intercept_[static_cast<size_t>(g)] = P[layout_.Intercept(g)];

  m2_ = 0;
  for (size_t b = 0; b < transfers_.size(); ++b) UnpackTransferBlock(transfers_[b], b, P, STP, penalty);
  FormNoiseModel();
  return penalty;
}

void TfnModel::UnpackTransferBlock(TransferBlock& block, size_t b, const OneBased<double>& P,
                                   const OneBased<double>& STP, double& penalty) {
  const bool logit = setup_.EstimateLogits;
  const TransferBlockShape& shape = shape_.Transfers[b];
  const int base = layout_.TransferBase(b);
  if (shape.Input == TransferInput::Intervention) {
    block.Start = WholeParameter(P[base + 1]);
    block.Code = WholeParameter(P[base + 2]);
  } else if (shape.CovariateAsIntervention) {
    block.Shift = 0;
    block.Intercept = 0.0;
  } else {
    block.Shift = WholeParameter(P[base + 1]);
    block.Intercept = P[base + 2];
  }
  for (int j = 0; j <= p_; ++j) {
    block.Omega[static_cast<size_t>(j)] = P[layout_.BlockOmega(base, j)];
    if (Used(P, STP, layout_.BlockOmega(base, j))) m2_ = std::max(m2_, j);
  }
  for (int j = 1; j <= p_; ++j) {
    block.Delta[static_cast<size_t>(j)] = Coefficient(P[layout_.BlockDelta(base, j)], logit);
    if (Used(P, STP, layout_.BlockDelta(base, j))) m2_ = std::max(m2_, j);
  }
  if (!logit)
    penalty += HoldInsideStationaryRegion(std::span<double>(block.Delta.data() + 1, static_cast<size_t>(p_)),
                                          regionWork_);
}

// The noise model of the likelihood: on each side the product of its
// polynomials, each used up to its order. A side of one polynomial of span
// 1 is that polynomial's coefficients exactly.
void TfnModel::FormNoiseModel() {
  std::array<SpannedPolynomial, kMaxNoisePolynomials> factors;
  seasonalNoise_ = false;
  for (size_t i = 0; i < shape_.Noise.size(); ++i)
    if (shape_.Noise[i].Span != 1 && usedOrder_[i] > 0) seasonalNoise_ = true;
  const auto side = [&](LagSide which, std::vector<double>& out, size_t& order) {
    size_t count = 0;
    for (size_t i = 0; i < shape_.Noise.size(); ++i)
      if (shape_.Noise[i].Side == which)
        factors[count++] = {std::span<const double>(coefficients_[i].data(), static_cast<size_t>(usedOrder_[i])),
                            static_cast<size_t>(shape_.Noise[i].Span)};
    order = MultiplyLagPolynomials(std::span<const SpannedPolynomial>(factors.data(), count), out);
  };
  side(LagSide::Autoregressive, noiseAr_, noiseArOrder_);
  side(LagSide::MovingAverage, noiseMa_, noiseMaOrder_);
}

void TfnModel::CheckOrders(const OneBased<double>& P, const OneBased<double>& STP) {
  Ui* ui = AttachedUi();
  // The orders of the noise polynomials (the regular ones share m); -1
  // before the first check after a set-up.
  const bool changed = previousOrders_.front() != -1 && previousOrders_ != usedOrder_;
  std::copy(usedOrder_.begin(), usedOrder_.end(), previousOrders_.begin());
  if (changed && ui)
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
    // The largest lag used by each covariate transfer function acting on
    // the group, and by all of them.
    bool transfer = false;
    int order = 0;
    for (size_t b = 0; b < shape_.Transfers.size(); ++b) {
      const TransferBlockShape& block = shape_.Transfers[b];
      if (block.Input != TransferInput::Covariate || block.Group != g || block.CovariateAsIntervention)
        continue;
      transfer = true;
      const int base = layout_.TransferBase(b);
      int& blockOrder = transferOrder_[b];
      blockOrder = 0;
      for (int j = 0; j <= p_; ++j)
        if (Used(P, STP, layout_.BlockOmega(base, j)) || (j >= 1 && Used(P, STP, layout_.BlockDelta(base, j))))
          blockOrder = j;
      order = std::max(order, blockOrder);
    }
    if (!transfer) {
      q = 0;
      continue;
    }
    const int before = q;
    q = order;
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
  for (size_t b = 0; b < transfers_.size(); ++b) {
    const TransferBlock& block = transfers_[b];
    if (shape_.Transfers[b].Input != TransferInput::Intervention) continue;
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
  for (size_t b = 0; b < transfers_.size(); ++b) {
    const TransferBlockShape& shape = shape_.Transfers[b];
    if (shape.Input != TransferInput::Covariate) continue;
    const TransferBlock& block = transfers_[b];
    const int c = shape.Number;
    // The covariate is centred on its mean while its intercept is 0 and
    // fixed, otherwise on the intercept.
    const int interceptIndex = layout_.TransferBase(b) + 2;
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
      prediction_[static_cast<size_t>((t - first) * groups_ + block.Group - 1)] +=
          output[static_cast<size_t>(s - covFirst)];
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
  const std::span<const double> phi = NoiseAutoregressive();
  const std::span<const double> theta = NoiseMovingAverage();
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
    const std::span<const double> w(noise_.data(), static_cast<size_t>(n));
    const std::span<double> a(a_.data(), static_cast<size_t>(n)), h(h_.data(), static_cast<size_t>(n));
    // Seasonal factors give polynomials of many zero coefficients.
    const MelardResult result = seasonalNoise_ ? SparseArmaLikelihood(phi, theta, w, a, h, sparseWorkspace_)
                                               : MelardLikelihood(phi, theta, w, a, h, workspace_);
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

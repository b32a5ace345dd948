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

// The noise w = y - G written out into `out`, 0 where a value is missing.
std::span<const double> WriteNoise(const NoiseDifference& noise, std::vector<double>& out) {
  const size_t n = noise.Observed.size();
  for (size_t i = 0; i < n; ++i)
    out[i] = noise.Present.empty() || noise.Present[i] ? noise.Observed[i] - noise.Prediction[i]
                                                       : 0.0;
  return {out.data(), n};
}

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

// The group predictions G are built group by group over contiguous runs of
// periods: the intercept, then each term's response added over the periods
// it reaches.
void TfnModel::AddInterventionEffects() {
  const auto periods = static_cast<size_t>(Periods());
  const int first = response_.FirstAnalysedPeriod;
  for (size_t b = 0; b < transfers_.size(); ++b) {
    const TransferBlock& block = transfers_[b];
    if (shape_.Transfers[b].Input != TransferInput::Intervention) continue;
    if (block.Code < 1 || block.Code > 3) continue;
    // The input is 0 before the start period, and so is the response of the
    // transfer function started at rest: only the periods from the start on
    // (index `from`) receive anything.
    const long long startIndex = static_cast<long long>(block.Start) - first;
    const auto from =
        static_cast<size_t>(std::clamp<long long>(startIndex, 0, static_cast<long long>(periods)));
    if (from == periods || (block.Code == 2 && startIndex < 0)) continue;
    const size_t length = periods - from;
    double* input = input_.data();
    if (block.Code == 1) {  // step
      std::fill(input, input + length, 1.0);
    } else if (block.Code == 2) {  // pulse
      std::fill(input, input + length, 0.0);
      input[0] = 1.0;
    } else {  // linear trend: t - start + 1
      for (size_t i = 0; i < length; ++i) {
        const int t = first + static_cast<int>(from + i);
        input[i] = t - block.Start + 1.0;
      }
    }
    ApplyTransferFunction(block.Omega, block.Delta, m2_, std::span<const double>(input, length),
                          std::span<double>(output_.data(), length));
    double* G = prediction_.data() + static_cast<size_t>(block.Group - 1) * periods + from;
    const double* effect = output_.data();
    for (size_t i = 0; i < length; ++i) G[i] += effect[i];
  }
}

void TfnModel::AddCovariateEffects(const OneBased<double>& P, const OneBased<double>& STP) {
  if (!covariates_) return;
  const CovariateSeriesData& cov = *covariates_;
  const int covFirst = cov.FirstAnalysedPeriod;
  const auto covPeriods = static_cast<size_t>(cov.EndPeriod - covFirst + 1);
  const int first = response_.FirstAnalysedPeriod;
  const auto periods = static_cast<size_t>(Periods());
  double* input = input_.data();
  double* output = output_.data();
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
    const double* values = covariateValues_.data() + static_cast<size_t>(c - 1) * covPeriods;
    for (size_t s = 0; s < covPeriods; ++s) input[s] = values[s] - centre;
    ApplyTransferFunction(block.Omega, block.Delta, m2_, std::span<const double>(input, covPeriods),
                          std::span<double>(output, covPeriods));
    // The effect at t is the filtered covariate at s = t - shift, over the
    // periods where both exist.
    const long long shift = block.Shift;
    const long long tFrom = std::max<long long>(first + shift, covFirst + shift);
    const long long tTo = std::min<long long>(response_.EndPeriod, cov.EndPeriod + shift);
    if (tFrom > tTo) continue;
    double* G = prediction_.data() + static_cast<size_t>(block.Group - 1) * periods +
                static_cast<size_t>(tFrom - first);
    const double* effect = output + static_cast<size_t>(tFrom - shift - covFirst);
    const auto count = static_cast<size_t>(tTo - tFrom + 1);
    for (size_t i = 0; i < count; ++i) G[i] += effect[i];
  }
}

double TfnModel::Evaluate(const OneBased<double>& P, const OneBased<double>& STP, std::int32_t NF) {
  double penalty = Unpack(P, STP);
  const auto periods = static_cast<size_t>(Periods());
  const int first = response_.FirstAnalysedPeriod;
  for (int g = 1; g <= groups_; ++g) {
    double* G = prediction_.data() + static_cast<size_t>(g - 1) * periods;
    std::fill(G, G + periods, intercept_[static_cast<size_t>(g)]);
  }
  AddInterventionEffects();
  AddCovariateEffects(P, STP);
  if (NF == 1) CheckOrders(P, STP);

  double total = 0.0;
  long long totalCount = 0;
  const std::span<const double> phi = NoiseAutoregressive();
  const std::span<const double> theta = NoiseMovingAverage();
  for (int k = 1; k <= series_; ++k) {
    const int g = seriesGroup_[static_cast<size_t>(k)];
    const int start = NoiseStart(g);
    const int n = std::max(0, response_.EndPeriod - start + 1);
    const size_t offset = std::min(static_cast<size_t>(start - first), periods);
    const auto count = static_cast<size_t>(n);
    // The noise w_k(i) = Analysed(t, k) - G(t, g) from the noise start on,
    // 0 where the value is missing (replaced by the group's prediction);
    // a(t) and h(t) go straight to their places.
    const std::vector<unsigned char>& present = present_[static_cast<size_t>(k)];
    const NoiseDifference noise{
        {observed_.data() + static_cast<size_t>(k - 1) * periods + offset, count},
        {prediction_.data() + static_cast<size_t>(g - 1) * periods + offset, count},
        present.empty() ? std::span<const unsigned char>()
                        : std::span<const unsigned char>(present.data() + offset, count)};
    double* a = innovation_.data() + static_cast<size_t>(k - 1) * periods;
    double* h = variance_.data() + static_cast<size_t>(k - 1) * periods;
    const std::span<double> aSpan(a + offset, count), hSpan(h + offset, count);
    // Seasonal factors give polynomials of many zero coefficients: the
    // sparse likelihood reads the noise written out. Otherwise the
    // likelihood forms it as it reads the series.
    const MelardResult result =
        seasonalNoise_
            ? SparseArmaLikelihood(phi, theta, WriteNoise(noise, noise_), aSpan, hSpan,
                                   sparseWorkspace_)
            : MelardLikelihoodOfDifference(phi, theta, noise, aSpan, hSpan, workspace_);
    const size_t computedFrom = result.Fact > 0.0 ? offset : periods;
    std::fill(a, a + computedFrom, kNotComputed);
    std::fill(h, h + computedFrom, kNotComputed);
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
  copy->bestSeriesPending_ = false;
  copy->keptPrediction_ = {};
  copy->keptInnovation_ = {};
  copy->keptVariance_ = {};
  copy->onSummary = nullptr;
  return copy;
}

// Keeps the small results at once and takes this evaluation's G, a and h
// by swapping arrays; the work arrays get the older ones, which the next
// evaluation overwrites throughout. The series of the summary are built
// from them only when asked for (Best), so a minimisation that improves at
// every call pays nothing per period for it.
void TfnModel::KeepBest(double, const OneBased<double>& P) {
  for (int i = 1; i <= P.size() && i <= static_cast<int>(best_.Parameters.size()); ++i)
    best_.Parameters[static_cast<size_t>(i - 1)] = P[i];
  best_.Kept = true;
  best_.Intercepts = intercept_;  // same size: no allocation
  std::copy(noiseCount_.begin(), noiseCount_.end(), best_.NoiseCount.begin());
  std::copy(sumSq_.begin(), sumSq_.end(), best_.SumSq.begin());
  std::copy(fact_.begin(), fact_.end(), best_.Fact.begin());
  best_.TotalNoiseCount = totalNoiseCount_;
  prediction_.swap(keptPrediction_);
  innovation_.swap(keptInnovation_);
  variance_.swap(keptVariance_);
  bestSeriesPending_ = true;
}

const TfnBestEvaluation& TfnModel::Best() const {
  if (bestSeriesPending_) {
    FillBestSeries();
    bestSeriesPending_ = false;
  }
  return best_;
}

void TfnModel::FillBestSeries() const {
  const auto periods = static_cast<size_t>(Periods());
  const int first = response_.FirstAnalysedPeriod;
  for (size_t i = 0; i < periods; ++i)
    for (int g = 1; g <= groups_; ++g)
      best_.GroupPrediction[i * static_cast<size_t>(groups_) + static_cast<size_t>(g - 1)] =
          keptPrediction_[static_cast<size_t>(g - 1) * periods + i];
  for (int k = 1; k <= series_; ++k)
    for (size_t i = 0; i < periods; ++i) {
      const size_t kept = static_cast<size_t>(k - 1) * periods + i;
      const size_t cell = i * static_cast<size_t>(series_) + static_cast<size_t>(k - 1);
      const double a = keptInnovation_[kept];
      const double h = keptVariance_[kept];
      const SeriesValue& x = response_.Analysed.At(first + static_cast<int>(i), k);
      const bool computed = !std::isnan(a);
      best_.Innovation[cell] = computed ? SeriesValue(a) : std::nullopt;
      // The one-step prediction: the observed value less the prediction
      // error, which is the standardised innovation times sqrt(h).
      best_.Fitted[cell] = computed && x ? SeriesValue(*x - a * std::sqrt(h)) : std::nullopt;
      best_.ResidualSd[cell] = computed ? SeriesValue(std::sqrt(h)) : std::nullopt;
    }
}

}  // namespace quorvane

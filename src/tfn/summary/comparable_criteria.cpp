#include "tfn/summary/comparable_criteria.h"

#include <cmath>
#include <numbers>

namespace quorvane {

namespace {

Criterion Defined(double value) { return {value, {}}; }
Criterion Undefined(const std::string& why) { return {std::nullopt, why}; }

}  // namespace

ComparableCriteria ComputeComparableCriteria(const TfnBestEvaluation& best, const AlgorithmData& data) {
  ComparableCriteria c;
  c.N = best.TotalNoiseCount;
  for (int i = 1; i <= data.Steps.size(); ++i)
    if (data.Steps[i] != 0.0) ++c.K;
  c.K += 1;  // sigma^2

  // The sums as the model forms them, series by series in order.
  double total = 0.0, plainTotal = 0.0, logFact = 0.0;
  bool failed = false;
  int length = -1;
  for (size_t k = 1; k < best.SumSq.size() && k < best.Fact.size() && k < best.NoiseCount.size(); ++k) {
    const int n = best.NoiseCount[k];
    if (n <= 0) continue;
    if (length >= 0 && n != length) c.EqualLengths = false;
    length = n;
    if (!(best.Fact[k] > 0.0)) failed = true;
    if (best.Fact[k] > 0.0 && best.SumSq[k] > 0.0) {
      total += best.Fact[k] * best.SumSq[k];
      plainTotal += best.SumSq[k];
      logFact += n * std::log(best.Fact[k]);
    }
  }
  const bool usable = best.Kept && !failed && total > 0.0 && c.N > 0 &&
                      best.Objective < TfnModel::kFailurePenalty && std::isfinite(best.Objective);
  if (!usable) {
    c.Undefined = kNoLikelihood;
    c.Aic = c.Aicc = c.Bic = Undefined(kNoLikelihood);
    return c;
  }
  const double count = static_cast<double>(c.N);
  const double likelihoodPart = (count / 2.0) * std::log(total / count);
  const double constant = (count / 2.0) * (1.0 + std::log(2.0 * std::numbers::pi));
  c.Penalty = best.Objective - likelihoodPart;
  const double logL = -likelihoodPart - constant;
  c.LogLikelihood = logL;
  if (!c.EqualLengths)
    c.CommonVarianceLogLikelihood = -constant - (count / 2.0) * std::log(plainTotal / count) - 0.5 * logFact;

  const double K = c.K;
  const double aic = -2.0 * logL + 2.0 * K;
  c.Aic = Defined(aic);
  c.Aicc = c.N - c.K - 1 < 1 ? Undefined(kTooFewDegreesOfFreedom)
                             : Defined(aic + 2.0 * K * (K + 1.0) / (count - K - 1.0));
  c.Bic = Defined(-2.0 * logL + K * std::log(count));
  return c;
}

}  // namespace quorvane

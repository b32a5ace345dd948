#pragma once

#include <optional>
#include <string>

#include "core/algorithm_data.h"
#include "tfn/summary/information_criteria.h"
#include "tfn/tfn_model.h"

namespace quorvane {

// Information criteria on the footing most statistics software uses: the
// maximised log-likelihood with its constant, and sigma^2 counted as a
// parameter.
//   log L = -F_L - (n/2)(1 + ln 2 pi),
//   AIC = -2 log L + 2K,  AICc = AIC + 2K(K + 1)/(n - K - 1),  BIC = -2 log L + K ln n,
// with n the noise values in the likelihood and K the parameters with a
// non-zero step plus one for sigma^2 (differencing is not counted). F_L is
// the likelihood part of the objective, (n/2) ln(sum_k FACT_k SUMSQ_k / n)
// over the series, computed as the model computes it, so F_L = F bit for bit
// unless F holds a penalty.
//
// With several series F_L is the concentrated -ln L of the model with one
// sigma^2 when every series has a noise series of the same length, since
// FACT_k then is the same for all of them. When the lengths differ, F_L
// weights series k by its FACT_k: it is the -ln L of the model in which
// series k has innovation variance sigma^2 / FACT_k, and the criteria are
// those of that model; CommonVarianceLogLikelihood gives the exact value with
// one sigma^2 at the same estimates,
//   -(n/2)(1 + ln 2 pi) - (n/2) ln(sum_k SUMSQ_k / n) - (1/2) sum_k n_k ln FACT_k.
struct ComparableCriteria {
  std::optional<double> LogLikelihood;  // none when the model computed no likelihood
  std::string Undefined;                // why, when there is none
  long long N = 0;
  int K = 0;
  Criterion Aic, Aicc, Bic;
  double Penalty = 0.0;  // F - F_L
  bool EqualLengths = true;
  std::optional<double> CommonVarianceLogLikelihood;  // when the lengths differ
};

inline constexpr const char* kNoLikelihood = "Undefined (no likelihood at these values)";

ComparableCriteria ComputeComparableCriteria(const TfnBestEvaluation& best, const AlgorithmData& data);

}  // namespace quorvane

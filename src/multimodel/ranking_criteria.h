#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace quorvane {

// The cell text of a criterion that cannot be computed.
inline constexpr const char* kCriterionTooFewDegreesOfFreedom =
    "Undefined (too few degrees of freedom)";

// The small-sample Akaike criterion of a model with -ln[L] = negLogL, K
// estimated parameters and sample size N, corrected for overdispersion cHat:
//   QAICc = 2K N / (N - K - 1) + 2 (-ln[L]) / cHat,   AICc when cHat = 1.
// N = 0 means the model gives no sample size: the penalty term is then 0 and
// the criterion is 2 (-ln[L]) / cHat exactly. Empty when N > 0 and
// N - K - 1 <= 0 (too few degrees of freedom).
std::optional<double> SmallSampleCriterion(double negLogL, int K, std::int32_t N, double cHat);

// The order in which models are ranked, as indices into `criteria`: rank r
// takes, among the models not yet placed whose criterion exists and is
// finite, the first one in table order with the smallest criterion (a
// later model displaces it only when strictly smaller). The sign of a
// criterion does not matter: -ln[L], and so AICc, is negative whenever the
// data are small in scale, and the differences and weights depend only on
// differences of criteria. Models without a usable criterion are never
// ranked and are not in the result.
std::vector<int> RankOrder(const std::vector<std::optional<double>>& criteria);

// Differences to the best model and Akaike weights of criteria given in
// ranked order (ranked[0] the smallest):
//   delta_r = c_r - c_1,  w_r = exp(-delta_r / 2) / sum_s exp(-delta_s / 2).
// A single model has difference 0 and weight 1.
struct AkaikeWeights {
  std::vector<double> Difference;
  std::vector<double> Weight;
};
AkaikeWeights ComputeAkaikeWeights(const std::vector<double>& ranked);

}  // namespace quorvane

#include "multimodel/model_averaging.h"

#include <cmath>

namespace quorvane {

AveragedEstimates AverageEstimates(const std::vector<double>& weights,
                                   const std::vector<ModelEstimates>& models, double cHat) {
  AveragedEstimates result;
  if (models.empty()) return result;
  const size_t P = models.front().Value.size();
  for (const ModelEstimates& model : models)
    for (size_t p = 0; p < P; ++p)
      for (size_t g = 0; g < 3; ++g)
        if (model.StandardError[p][g] == -1.0) result.GridMissing[g] = true;

  // The weighted mean sum_i w_i theta_i. The weights sum to 1 only to
  // rounding, so a parameter with one value in every model (a fixed start
  // period, say) keeps that value exactly, and its spread below is exactly 0
  // rather than rounding noise.
  result.Value.assign(P, 0.0);
  for (size_t p = 0; p < P; ++p) {
    bool shared = true;
    for (const ModelEstimates& model : models)
      shared = shared && model.Value[p] == models.front().Value[p];
    if (shared) {
      result.Value[p] = models.front().Value[p];
      continue;
    }
    for (size_t i = 0; i < models.size(); ++i) result.Value[p] += weights[i] * models[i].Value[p];
  }

  result.StandardError.assign(P, {0.0, 0.0, 0.0});
  for (size_t p = 0; p < P; ++p)
    for (size_t g = 0; g < 3; ++g) {
      if (result.GridMissing[g]) {
        result.StandardError[p][g] = -1.0;
        continue;
      }
      double sum = 0.0;
      for (size_t i = 0; i < models.size(); ++i) {
        const double se = models[i].StandardError[p][g];
        const double spread = models[i].Value[p] - result.Value[p];
        sum += weights[i] * std::sqrt(cHat * se * se + spread * spread);
      }
      result.StandardError[p][g] = sum;
    }
  return result;
}

}  // namespace quorvane

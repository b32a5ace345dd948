#include "multimodel/ranking_criteria.h"

#include <cmath>

namespace quorvane {

std::optional<double> SmallSampleCriterion(double negLogL, int K, std::int32_t N, double cHat) {
  const double fit = 2.0 * negLogL / cHat;
  if (N == 0) return fit;
  const double degrees = static_cast<double>(N) - K - 1.0;
  if (degrees <= 0.0) return std::nullopt;
  return 2.0 * K * static_cast<double>(N) / degrees + fit;
}

std::vector<int> RankOrder(const std::vector<std::optional<double>>& criteria) {
  std::vector<bool> placed(criteria.size(), false);
  std::vector<int> order;
  for (;;) {
    int best = -1;
    for (size_t i = 0; i < criteria.size(); ++i) {
      if (placed[i] || !criteria[i] || !std::isfinite(*criteria[i])) continue;
      if (best < 0 || *criteria[i] < *criteria[static_cast<size_t>(best)]) best = static_cast<int>(i);
    }
    if (best < 0) return order;
    placed[static_cast<size_t>(best)] = true;
    order.push_back(best);
  }
}

AkaikeWeights ComputeAkaikeWeights(const std::vector<double>& ranked) {
  AkaikeWeights result;
  if (ranked.empty()) return result;
  double sum = 0.0;
  for (double c : ranked) {
    const double delta = c - ranked.front();
    result.Difference.push_back(delta);
    result.Weight.push_back(std::exp(-0.5 * delta));
    sum += result.Weight.back();
  }
  for (double& w : result.Weight) w /= sum;
  return result;
}

}  // namespace quorvane

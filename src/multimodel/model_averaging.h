#pragma once

#include <array>
#include <vector>

namespace quorvane {

// One model's estimates as its covariance results file gives them: the value
// of every parameter p = 1..P (Value[p - 1]) and its standard error on each
// of the three grids; 0 for a parameter the file lists no error for (held
// fixed in that model), -1 where that grid had none.
struct ModelEstimates {
  std::vector<double> Value;
  std::vector<std::array<double, 3>> StandardError;
};

struct AveragedEstimates {
  std::vector<double> Value;
  std::vector<std::array<double, 3>> StandardError;  // -1 on a grid some model lacks
  std::array<bool, 3> GridMissing{};
};

// Model-averaged estimates with weights w_i (the Akaike weights, summing to 1):
//   mean_p  = sum_i w_i theta_ip
//   SE_pg   = sum_i w_i sqrt(cHat SE_ipg^2 + (theta_ip - mean_p)^2)
// (the unconditional standard error: each model's own error, inflated by
// the overdispersion factor, plus its estimate's distance from the average).
// A grid on which any model has an error of exactly -1 gets -1 for every
// parameter. Every model must have as many parameters as the first.
AveragedEstimates AverageEstimates(const std::vector<double>& weights,
                                   const std::vector<ModelEstimates>& models, double cHat);

}  // namespace quorvane

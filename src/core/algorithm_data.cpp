#include "core/algorithm_data.h"

#include <cmath>

namespace quorvane {

namespace {
constexpr double kSmallestTolerance = 1e-6;
}

void DefaultAlgorithmData(AlgorithmData& data) {
  const int n = data.ParameterCount;
  data.Values.assign(n, 0.0);
  data.Steps.assign(n, 0.0);
  data.FuseCodes.assign(n, kUnfused);
  data.Descriptions.resize(n);
  data.Tolerance = kSmallestTolerance;
  data.MaxFunctionCalls = 9999;
  data.TerminalFrequency = 10;
  data.FileFrequency = 0;
  data.LogFileName = "minimize.qvl";
  data.ReductionFraction = 0.1;
}

bool HasParameterArrays(const AlgorithmData& data) {
  const int n = data.ParameterCount;
  return data.Values.size() == n && data.Steps.size() == n && data.FuseCodes.size() == n;
}

double ApplyToleranceFloor(double tolerance) {
  if (tolerance != 0.0 && std::fabs(tolerance) < kSmallestTolerance)
    return std::copysign(kSmallestTolerance, tolerance);
  return tolerance;
}

}  // namespace quorvane

#include "tfn/diagnostics/central_moments.h"

namespace quorvane {

CentralMoments ComputeCentralMoments(std::span<const double> values) {
  CentralMoments moments;
  moments.Count = static_cast<long>(values.size());
  if (values.empty()) return moments;
  const double n = static_cast<double>(values.size());
  double sum = 0.0;
  for (double value : values) sum += value;
  moments.Mean = sum / n;
  for (double value : values) {
    const double d = value - moments.Mean;
    const double d2 = d * d;
    moments.M2 += d2;
    moments.M3 += d2 * d;
    moments.M4 += d2 * d2;
  }
  moments.M2 /= n;
  moments.M3 /= n;
  moments.M4 /= n;
  return moments;
}

}  // namespace quorvane

#pragma once

#include <span>

namespace quorvane {

// Mean and central moments m_k = sum (r - mean)^k / n of a sample.
struct CentralMoments {
  long Count = 0;
  double Mean = 0.0;
  double M2 = 0.0;
  double M3 = 0.0;
  double M4 = 0.0;
};

CentralMoments ComputeCentralMoments(std::span<const double> values);

}  // namespace quorvane

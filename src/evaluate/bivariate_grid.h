#pragma once

#include <cstdint>

#include "core/one_based.h"

namespace quorvane {

// The joint density of the evaluated parameter and the one grid parameter
// of a posterior grid with exactly one grid parameter: Density(p, j) is the
// unnormalised likelihood exp(-(F - ReferenceObjective)) at evaluated point
// p (1..n) and grid point j (1..m), X[p] and Y[j] the two parameters' values
// there, and the peak the largest density met with its coordinates.
struct BivariateGrid {
  OneBasedMatrix Density;
  OneBased<double> X;
  OneBased<double> Y;
  double PeakDensity = 0.0;
  double PeakX = 0.0;
  double PeakY = 0.0;
  std::int16_t XParameter = 0;  // the evaluated parameter's number
  std::int16_t YParameter = 0;  // the grid parameter's number

  int PointCount() const { return X.size(); }
  int GridPointCount() const { return Y.size(); }
  bool Exists() const { return X.size() > 0 && Y.size() > 0; }
};

}  // namespace quorvane

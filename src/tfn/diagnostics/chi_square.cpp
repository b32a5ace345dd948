#include "tfn/diagnostics/chi_square.h"

#include <limits>

#include "tfn/diagnostics/incomplete_gamma.h"

namespace quorvane {

double ChiSquareUpperTail(double x, int df) {
  if (df < 1) return std::numeric_limits<double>::quiet_NaN();
  if (x <= 0.0) return 1.0;
  return RegularizedUpperGamma(0.5 * df, 0.5 * x);
}

}  // namespace quorvane

#include "core/objective_scale.h"

#include <cmath>

namespace quorvane {

std::optional<double> FixedObjectiveScale(std::optional<double> modelConstant, double F0,
                                          std::int32_t NOBS, std::int32_t freeCount) {
  double scale = 0.0;
  if (modelConstant) {
    scale = *modelConstant > 0.0 ? 1.0 / *modelConstant : 0.0;
  } else {
    const double degrees = static_cast<double>(NOBS) - freeCount - 1.0;
    scale = degrees > 0.0 ? 2.0 * F0 / degrees : 0.0;
  }
  if (!std::isfinite(scale) || scale <= 0.0) return std::nullopt;
  return scale;
}

}  // namespace quorvane

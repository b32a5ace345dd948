#pragma once

#include <cstdint>
#include <optional>

namespace quorvane {

// The one ObjectiveScale of an analysis (objective = scale x -ln[L]), fixed
// at the current estimates before a grid, profile or posterior starts and
// kept for every point of it:
//   - a model that suggests its constant c (-ln[L] = c F) gets 1/c;
//   - otherwise the objective is taken as a sum of squares S, whose
//     -ln[L] near the minimum is S (N - k - 1) / (2 S0), so the scale is
//     2 F0 / (NOBS - freeCount - 1), F0 the objective at the current values.
// Empty when that value is not above 0 (too few degrees of freedom, or a
// non-positive F0); the caller tells the user. Recomputing the scale point
// by point from each point's own F would distort every distribution.
std::optional<double> FixedObjectiveScale(std::optional<double> modelConstant, double F0,
                                          std::int32_t NOBS, std::int32_t freeCount);

}  // namespace quorvane

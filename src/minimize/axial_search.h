#pragma once

#include <cstdint>

namespace quorvane {

class Session;

// What the axial search found.
struct AxialResult {
  std::int16_t Parameter = 0;  // parameter number of the axis that improved
  bool Failed = false;         // an improving probe was found (left in Reflected)
};

// The margin c a probe must beat the best value by: the simplex limit L when
// L > 0, 0 when L = 0, and |L| * |fBest| when L < 0 (relative), so a
// negative best value still asks for an improvement, never a worsening.
double AxialMargin(double limit, double fBest);

// Probes the best vertex along every free axis k in order, first up then
// down by s = ReductionFraction * FreeStep[k], returning the coordinate to
// its start after each pair. A probe f counts as an improvement only when
// fBest - c > f (strictly); the search then stops there, leaves the probe in
// Reflected (coordinate k of the best vertex stays displaced) and reports the
// axis. A full verification costs 2n calls. Shows the probe count in status
// panel 2 and never changes VertexValue.
AxialResult AxialSearch(Session& session, double fBest);

}  // namespace quorvane

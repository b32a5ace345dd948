#pragma once

#include <optional>
#include <string>

#include "evaluate/evaluation_series.h"

namespace quorvane {

// The number of points from the user's answer (0 <= answer <= 1001, rounded
// halves to even): 0 becomes 25, fewer than 3 become 3, an even count one
// more. Nothing for an answer outside the range, which is asked again.
std::optional<int> ProfilePointCountFromAnswer(double answer);

// The points kept after the user stopped at point `lastPoint`: those up to
// two before it, less one more when that count is even, so the Simpson
// panels of the confidence distribution cover every kept point. Below 3 no
// statistics can be made.
int KeptPointsAfterStop(int lastPoint);

// Points 1..n of ProfileValues and ProfileObjective in the opposite order
// (a profile run with a negative step); BestPoint, BestValue and
// LowestObjective follow the best point.
void ReverseProfilePoints(EvaluationSeries& series);

// The time left after `done` of `total` points took `elapsedSeconds`,
// assuming each point costs the same.
struct RemainingTime {
  long long minutes = 0;
  long long seconds = 0;
  // "m:ss" for fewer than ten seconds, otherwise "m:s".
  std::string Text() const;
};
RemainingTime EstimateRemainingTime(double elapsedSeconds, int done, int total);

}  // namespace quorvane

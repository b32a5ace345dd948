#include "evaluate/profile_points.h"

#include <cmath>
#include <cstddef>
#include <utility>

namespace quorvane {

std::optional<int> ProfilePointCountFromAnswer(double answer) {
  const double rounded = std::nearbyint(answer);  // halves to even
  if (!(rounded >= 0.0 && rounded <= 1001.0)) return std::nullopt;
  int n = static_cast<int>(rounded);
  if (n == 0) n = 25;
  if (n < 3) n = 3;
  if (n % 2 == 0) ++n;
  return n;
}

int KeptPointsAfterStop(int lastPoint) {
  int n = lastPoint - 2;
  if (n > 0 && n % 2 == 0) --n;
  return n;
}

void ReverseProfilePoints(EvaluationSeries& series) {
  const int n = series.ProfilePointCount;
  for (int p = 1; p <= n / 2; ++p) {
    const auto a = static_cast<std::size_t>(p), b = static_cast<std::size_t>(n - p + 1);
    std::swap(series.ProfileValues[a], series.ProfileValues[b]);
    std::swap(series.ProfileObjective[a], series.ProfileObjective[b]);
  }
  if (series.BestPoint >= 1 && series.BestPoint <= n) {
    series.BestPoint = static_cast<std::int16_t>(n - series.BestPoint + 1);
    series.BestValue = series.ProfileValues[static_cast<std::size_t>(series.BestPoint)];
    series.LowestObjective = series.ProfileObjective[static_cast<std::size_t>(series.BestPoint)];
  }
}

std::string RemainingTime::Text() const {
  return std::to_string(minutes) + ":" + (seconds < 10 ? "0" : "") + std::to_string(seconds);
}

RemainingTime EstimateRemainingTime(double elapsedSeconds, int done, int total) {
  RemainingTime t;
  if (done <= 0) return t;
  const double s = std::nearbyint(elapsedSeconds / done * (total - done));  // halves to even
  if (!std::isfinite(s) || s < 0.0) return t;
  const auto whole = static_cast<long long>(s);
  t.minutes = whole / 60;
  t.seconds = whole - 60 * t.minutes;
  return t;
}

}  // namespace quorvane

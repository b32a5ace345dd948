#pragma once

#include <cstdint>

namespace quorvane {

// What a likelihood profile lends a minimiser while it minimises at one
// profile point (AppState::ProfileMode on). The profile procedure owns the
// point numbers and the result lists; the minimiser reads the numbers for
// its progress panel, hands over the verified minimum, and records a user's
// request to stop the whole procedure.
class ProfilePointLink {
 public:
  virtual ~ProfilePointLink() = default;

  // The point being minimised (1-based) and the number of points.
  virtual std::int16_t CurrentPoint() const = 0;
  virtual std::int16_t PointCount() const = 0;

  // The minimum found at the current point, and the profiled parameter's
  // value there: stored at the current point's index of the profile's lists
  // of minima and parameter values.
  virtual void StoreMinimum(double minimum, double profiledValue) = 0;

  // The user chose to quit the whole procedure: the last point reached
  // becomes the current point, and the current point becomes the number of
  // points + 2, so the profile stops after this point.
  virtual void StopAfterThisPoint() = 0;
};

}  // namespace quorvane

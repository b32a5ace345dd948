#pragma once

#include <string>

namespace quorvane {

// A parameter the time-series model holds on a limit of its region: a Phi,
// Theta or Delta coefficient of a polynomial on the edge of the
// stationary, invertible or stable region.
struct ParameterOnLimit {
  int Parameter = 0;   // its number, 1..P
  std::string Region;  // "stationary", "invertible" or "stable"
};

}  // namespace quorvane

#pragma once

#include <cstdint>

#include "core/one_based.h"

namespace quorvane {

// What the model's last call left besides F: the number of observations,
// the analytic derivatives of an NF = -2 call and the second sample size.
struct ModelOutputs {
  std::int32_t NOBS = 0;
  OneBased<double> GRAD;
  OneBasedMatrix HESS;
  std::int32_t NSAMPLE = 0;
};

}  // namespace quorvane

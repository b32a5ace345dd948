#pragma once

#include <cstdint>
#include <string>

#include "core/one_based.h"
#include "tfn/tfn_model.h"

namespace quorvane::testing {

// Calls the time-series model's MODEL directly, as EvaluateObjective would,
// with the parameter set held here.
struct TfnModelHarness {
  TfnModel model;
  OneBased<double> P, STP, GRAD;
  OneBased<std::string> DESC, FUSE;
  OneBasedMatrix HESS;
  std::int16_t NP = 0;
  std::int32_t NOBS = 0, NSAMPLE = 0;

  void SetUp(const TfnSetup& setup) {
    model.SetPendingSetup(setup);
    double F = 0;
    model.MODEL(F, P, STP, DESC, FUSE, NP, 0, NOBS, GRAD, HESS, NSAMPLE);
  }
  double Evaluate(std::int32_t NF = 2) {
    double F = 0;
    model.MODEL(F, P, STP, DESC, FUSE, NP, NF, NOBS, GRAD, HESS, NSAMPLE);
    return F;
  }
};

}  // namespace quorvane::testing

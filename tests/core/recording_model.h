#pragma once

#include <string>
#include <vector>

#include "core/model.h"
#include "support/test_model_setup.h"

namespace quorvane::testing {

// A model for the engine's tests: n parameters described as "Description of
// parameter i"; F = sum of (P[i] - i)^2, so the optimum is P[i] = i with
// F = 0. It records every call's NF and P, reports 100 observations, and
// offers analytic derivatives (GRAD[i] = i, HESS = identity) only when asked.
class RecordingModel : public Model {
 public:
  struct Call {
    std::int32_t NF;
    OneBased<double> P;
  };

  explicit RecordingModel(int n, bool analytic = false) : n_(n), analytic_(analytic) {}

  std::string Name() const override { return "Recording model"; }

  void MODEL(double& F, OneBased<double>& P, OneBased<double>& STP, OneBased<std::string>& DESC,
             OneBased<std::string>& FUSE, std::int16_t& NP, std::int32_t NF, std::int32_t& NOBS,
             OneBased<double>& GRAD, OneBasedMatrix& HESS, std::int32_t&) override {
    Calls.push_back({NF, P});
    if (NF == 0) {
      SetUpTestParameters(n_, "Description of parameter", P, STP, DESC, FUSE, NP);
      NOBS = 100;
      return;
    }
    if (NF == -2) {
      if (!analytic_) return;
      for (int i = 1; i <= n_; ++i) {
        GRAD[i] = i;
        HESS(i, i) = 1.0;
      }
      return;
    }
    F = 0.0;
    for (int i = 1; i <= P.size(); ++i) F += (P[i] - i) * (P[i] - i);
    NOBS = 100;
  }

  std::vector<Call> Calls;

 private:
  int n_;
  bool analytic_;
};

}  // namespace quorvane::testing

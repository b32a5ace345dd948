#pragma once

#include <cmath>
#include <optional>
#include <string>

#include "core/model.h"
#include "support/test_model_setup.h"

namespace quorvane::testing {

// A model whose objective is the exact -ln[L] of a bivariate normal in
// (P[1], P[2]) with means mu1, mu2, standard deviations s1, s2 and
// correlation rho, plus a constant offset (which may make it negative):
//   F = offset + (z1^2 - 2 rho z1 z2 + z2^2) / (2 (1 - rho^2)),  zi = (P[i] - mui)/si.
// Minimising over P[2] at fixed P[1] leaves (P[1] - mu1)^2 / (2 s1^2), so the
// profile of P[1] is a normal with mean mu1 and SD s1. A third parameter
// has no effect. The model suggests the constant 1, as a -ln[L] model does.
class GaussianModel : public Model {
 public:
  double mu1 = 2.0, mu2 = -1.0, s1 = 0.5, s2 = 3.0, rho = 0.6, offset = 10.0;
  std::int32_t nobs = 50;

  std::string Name() const override { return "Bivariate normal"; }
  std::optional<double> ObjectiveConstant() const override { return 1.0; }

  void MODEL(double& F, OneBased<double>& P, OneBased<double>& STP, OneBased<std::string>& DESC,
             OneBased<std::string>& FUSE, std::int16_t& NP, std::int32_t NF, std::int32_t& NOBS,
             OneBased<double>&, OneBasedMatrix&, std::int32_t&) override {
    NOBS = nobs;
    if (NF == 0) {
      SetUpTestParameters(3, "Normal parameter", P, STP, DESC, FUSE, NP);
      return;
    }
    if (NF < 0) return;
    ++Calls;
    const double z1 = (P[1] - mu1) / s1, z2 = (P[2] - mu2) / s2;
    F = offset + (z1 * z1 - 2.0 * rho * z1 * z2 + z2 * z2) / (2.0 * (1.0 - rho * rho));
  }

  int Calls = 0;
};

}  // namespace quorvane::testing

#pragma once

#include <cmath>
#include <optional>
#include <string>

#include "core/model.h"
#include "support/test_model_setup.h"

namespace quorvane::testing {

// A model whose objective is a known -ln[L]: parameters 1 and 2 are
// bivariate normal with means Mean1, Mean2, standard deviations Sd1, Sd2
// and correlation Rho; every further parameter i is an independent
// standard normal centred on 0:
//   F = Q(x1, x2) / 2 + sum over i > 2 of P[i]^2 / 2, with
//   Q = (z1^2 - 2 rho z1 z2 + z2^2) / (1 - rho^2), z = (x - mean) / sd.
// Its constant is 1, as for any -ln[L]. It reports 50 observations.
class BivariateNormalModel : public Model {
 public:
  static constexpr double Mean1 = 2.0, Mean2 = -1.0, Sd1 = 0.5, Sd2 = 2.0, Rho = 0.6;

  explicit BivariateNormalModel(int n = 2) : n_(n) {}

  // Added to every objective value: a negative offset makes -ln[L]
  // negative at the optimum, as for a series in small units.
  double Offset = 0.0;
  // False: the model suggests no constant, as a sum-of-squares model.
  bool SuggestsConstant = true;

  std::string Name() const override { return "Bivariate normal"; }
  std::optional<double> ObjectiveConstant() const override {
    return SuggestsConstant ? std::optional<double>(1.0) : std::nullopt;
  }

  static double MinusLnL(const OneBased<double>& P) {
    const double z1 = (P[1] - Mean1) / Sd1, z2 = (P[2] - Mean2) / Sd2;
    double F = (z1 * z1 - 2.0 * Rho * z1 * z2 + z2 * z2) / (2.0 * (1.0 - Rho * Rho));
    for (int i = 3; i <= P.size(); ++i) F += P[i] * P[i] / 2.0;
    return F;
  }

  void MODEL(double& F, OneBased<double>& P, OneBased<double>& STP, OneBased<std::string>& DESC,
             OneBased<std::string>& FUSE, std::int16_t& NP, std::int32_t NF, std::int32_t& NOBS,
             OneBased<double>&, OneBasedMatrix&, std::int32_t&) override {
    ++Calls;
    NOBS = 50;
    if (NF == 0) {
      SetUpTestParameters(n_, "Normal", P, STP, DESC, FUSE, NP);
      return;
    }
    if (NF < 1) return;
    F = MinusLnL(P) + Offset;
  }

  long Calls = 0;

 protected:
  std::unique_ptr<Model> CopyModelForEvaluation() const override {
    return std::make_unique<BivariateNormalModel>(*this);
  }

 private:
  int n_;
};

}  // namespace quorvane::testing

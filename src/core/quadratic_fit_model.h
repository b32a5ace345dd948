#pragma once

#include <array>

#include "core/model.h"

namespace quorvane {

// A small demonstration model with a known optimum: the curve
// y = a + b*t + c*t^2 fitted to eight fixed points (t = 0..7) with normal
// errors of unknown variance. Its objective is the profile -ln[L] up to a
// constant, F = (N/2) ln(SS/N), with SS the sum of squared residuals, so the
// minimum lies at the least-squares estimates. It has no analytic
// derivatives. The console runs it with --test-model, for the end-to-end
// tests of the estimation core; the application proper carries its own model.
class QuadraticFitModel : public Model {
 public:
  static constexpr int kPoints = 8;
  static constexpr std::array<double, kPoints> kT = {0, 1, 2, 3, 4, 5, 6, 7};
  // 1 + 0.5 t - 0.1 t^2 plus fixed disturbances, so SS is never 0.
  static constexpr std::array<double, kPoints> kY = {1.1, 1.2, 1.65, 1.75, 1.3, 1.0, 0.35, -0.25};

  std::string Name() const override { return "Quadratic curve fit (demonstration model)"; }

  void MODEL(double& F, OneBased<double>& P, OneBased<double>& STP, OneBased<std::string>& DESC,
             OneBased<std::string>& FUSE, std::int16_t& NP, std::int32_t NF, std::int32_t& NOBS,
             OneBased<double>& GRAD, OneBasedMatrix& HESS, std::int32_t& NSAMPLE) override;

  // The sum of squared residuals at (a, b, c).
  static double SumOfSquares(double a, double b, double c);

 protected:
  std::unique_ptr<Model> CopyModelForEvaluation() const override {
    return std::make_unique<QuadraticFitModel>(*this);
  }
};

}  // namespace quorvane

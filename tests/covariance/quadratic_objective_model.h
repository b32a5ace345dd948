#pragma once

#include <array>

#include "core/model.h"
#include "support/test_model_setup.h"

namespace quorvane::testing {

// A model whose objective is an exact quadratic with a known Hessian:
//   F = 50 + 1/2 sum_{i,j} (P_i - mu_i) A(i, j) (P_j - mu_j)
// over parameters 1, 2 and 4; parameter 3 is a constant of the model (its
// step stays 0), so the covariance indices 1, 2, 3 are parameters 1, 2, 4.
// Central differences of a quadratic are exact, so every grid must return
// A^-1 times the scale. It reports 40 observations, suggests no constant
// and offers its exact derivatives at NF = -2.
class QuadraticObjectiveModel : public Model {
 public:
  static constexpr std::array<int, 3> kFree = {1, 2, 4};
  static constexpr std::array<double, 4> kMu = {1.5, -2.0, 7.0, 0.25};
  static constexpr std::array<std::array<double, 3>, 3> kA = {{{4.0, 1.0, 0.5},
                                                              {1.0, 3.0, -0.8},
                                                              {0.5, -0.8, 2.0}}};

  std::string Name() const override { return "Quadratic objective"; }
  bool ProvidesAnalyticDerivatives() const override { return true; }

  void MODEL(double& F, OneBased<double>& P, OneBased<double>& STP, OneBased<std::string>& DESC,
             OneBased<std::string>& FUSE, std::int16_t& NP, std::int32_t NF, std::int32_t& NOBS,
             OneBased<double>& GRAD, OneBasedMatrix& HESS, std::int32_t&) override {
    NOBS = 40;
    if (NF == 0) {
      SetUpTestParameters(4, "Quadratic parameter", P, STP, DESC, FUSE, NP);
      return;
    }
    if (NF == -2) {
      // The exact derivatives: the gradient A (P - mu), the Hessian A.
      for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
          HESS(kFree[i], kFree[j]) = kA[i][j];
          GRAD[kFree[i]] += kA[i][j] * (P[kFree[j]] - kMu[kFree[j] - 1]);
        }
    }
    if (NF < 0 && NF != -2) return;
    F = 50.0;
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j)
        F += 0.5 * (P[kFree[i]] - kMu[kFree[i] - 1]) * kA[i][j] * (P[kFree[j]] - kMu[kFree[j] - 1]);
  }

 protected:
  std::unique_ptr<Model> CopyModelForEvaluation() const override {
    return std::make_unique<QuadraticObjectiveModel>(*this);
  }
};

// The inverse of kA by cofactors, for the expected covariances.
inline std::array<std::array<double, 3>, 3> InverseOfA() {
  const auto& a = QuadraticObjectiveModel::kA;
  const auto cof = [&a](int i, int j) {
    const int r1 = (i + 1) % 3, r2 = (i + 2) % 3, c1 = (j + 1) % 3, c2 = (j + 2) % 3;
    return a[r1][c1] * a[r2][c2] - a[r1][c2] * a[r2][c1];
  };
  const double det = a[0][0] * cof(0, 0) + a[0][1] * cof(0, 1) + a[0][2] * cof(0, 2);
  std::array<std::array<double, 3>, 3> inv{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) inv[i][j] = cof(j, i) / det;
  return inv;
}

}  // namespace quorvane::testing

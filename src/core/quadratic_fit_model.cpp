#include "core/quadratic_fit_model.h"

#include <cmath>

#include "base/ui/ui.h"

namespace quorvane {

double QuadraticFitModel::SumOfSquares(double a, double b, double c) {
  double ss = 0.0;
  for (int k = 0; k < kPoints; ++k) {
    const double t = kT[static_cast<std::size_t>(k)];
    const double residual = kY[static_cast<std::size_t>(k)] - (a + b * t + c * t * t);
    ss += residual * residual;
  }
  return ss;
}

void QuadraticFitModel::MODEL(double& F, OneBased<double>& P, OneBased<double>& STP,
                              OneBased<std::string>& DESC, OneBased<std::string>& FUSE,
                              std::int16_t& NP, std::int32_t NF, std::int32_t& NOBS,
                              OneBased<double>&, OneBasedMatrix&, std::int32_t&) {
  if (NF == 0) {
    NP = 3;
    P.resize(NP, 0.0);
    STP.resize(NP, 0.0);
    FUSE.resize(NP, "~~");
    DESC.resize(NP);
    DESC[1] = "Intercept a of y = a + b*t + c*t^2 [0; any value]";
    DESC[2] = "Linear coefficient b [0; any value]";
    DESC[3] = "Quadratic coefficient c [0; any value]";
    NOBS = kPoints;
    return;
  }
  if (NF < 1) return;  // no summary and no analytic derivatives
  const double ss = SumOfSquares(P[1], P[2], P[3]);
  // SS is positive for every (a, b, c) because the points do not lie on one
  // parabola; the guard keeps a finite penalty should that ever fail.
  F = ss > 0 ? 0.5 * kPoints * std::log(ss / kPoints) : 1e10;
  NOBS = kPoints;
  if (Ui* ui = AttachedUi()) ui->PumpEvents();
}

}  // namespace quorvane

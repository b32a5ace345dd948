#include "minimize/marquardt_tolerance.h"

#include <cmath>

namespace quorvane {

double MarquardtRelativeChange(double f, double reference) {
  const double change = std::fabs(f - reference);
  return reference != 0.0 ? change / std::fabs(reference) : change;
}

bool MarquardtConverged(double L, double fNew, double fOld) {
  if (L > 0.0 && std::fabs(fOld - fNew) < L) return true;
  return L < 0.0 && std::fabs(L) >= MarquardtRelativeChange(fNew, fOld);
}

bool AxialProbeImproves(double L, double f, double fRef) {
  if (!(f < fRef)) return false;
  if (L > 0.0) return fRef - f > L;
  if (L < 0.0) return MarquardtRelativeChange(f, fRef) > std::fabs(L);
  return true;
}

TerminationCriterion MarquardtTerminationCriterion(double L, double fNew, double fOld) {
  if (L >= 0.0 || fOld == 0.0) return {" Abs TC> ", std::fabs(fNew - fOld)};
  return {" Rel TC> ", MarquardtRelativeChange(fNew, fOld)};
}

}  // namespace quorvane

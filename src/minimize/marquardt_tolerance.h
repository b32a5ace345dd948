#pragma once

#include <string>

namespace quorvane {

// The tolerance tests of the Marquardt search with the simplex limit L:
// L > 0 is an absolute tolerance on the objective, L < 0 a relative one of
// |L|, L = 0 no tolerance.
//
// The relative forms divide by the reference value (the last accepted one).
// A reference of exactly 0 gives no scale to measure against; the change is
// then measured absolutely, |f - reference|, in the same units as |L|. That
// keeps every test and report finite: a step that stays at 0 counts as no
// change, and a step from 0 counts as large as it is in absolute terms.
double MarquardtRelativeChange(double f, double reference);

// The convergence test after an accepted step from fOld to fNew:
// absolute |fOld - fNew| < L (strict), or relative |L| >= the relative
// change (not strict). L = 0 never passes.
bool MarquardtConverged(double L, double fNew, double fOld);

// Whether an axial probe with value f improves on fRef: f < fRef and, for
// L > 0, fRef - f > L; for L < 0, the relative change > |L|.
bool AxialProbeImproves(double L, double f, double fRef);

// The termination criterion of the progress reports: " Abs TC> " and
// |fNew - fOld| for L >= 0, " Rel TC> " and the relative change for L < 0.
// A relative change from exactly 0 is shown as what it is measured as, the
// absolute change, under the label " Abs TC> ".
struct TerminationCriterion {
  std::string label;
  double value = 0.0;
};
TerminationCriterion MarquardtTerminationCriterion(double L, double fNew, double fOld);

}  // namespace quorvane

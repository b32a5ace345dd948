#pragma once

#include <span>

#include "core/one_based.h"
#include "priors/prior_table.h"

namespace quorvane {

// One parameter's prior term -ln[L] at x, unscaled, and whether it enters
// the total (penalties outside a distribution's support do not).
struct PriorTermValue {
  double term = 0.0;
  bool added = true;
};

// The term of one row at x. The terms are not normalised densities: the
// additive constants are dropped so that a term is 0 at the distribution's
// mode (for the exponential at 0). A term that the row's values leave
// undefined (an SD of 0, a Gamma or Ln-normal mean not above 0, a Beta whose
// mode is undefined) comes out 0 and is not added, so the objective never
// becomes NaN; the priors file reader and the editor refuse such rows.
PriorTermValue PriorTermAt(const PriorRow& row, double x);

// The prior -ln[L] at the full parameter vector `values` (fused values
// expanded), in objective units: objectiveScale times the sum of the terms
// that enter the total. Each parameter's unscaled term is written to
// terms[i - 1] when `terms` is large enough. Reads only its arguments and
// allocates nothing, so it may run on any thread; U rows cost one comparison.
double EvaluatePriors(const PriorTable& table, const OneBased<double>& values,
                      double objectiveScale, std::span<double> terms = {});

}  // namespace quorvane

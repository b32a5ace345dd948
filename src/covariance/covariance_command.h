#pragma once

namespace quorvane {

class Session;

// cmdCovariance: views the last results again, or runs the calculator and
// opens the display of its results. CovarianceAvailable is set only when the
// calculator produced results.
void CovarianceCommand(Session& session);

// The dialogue and the grids (numerical) or the model's Hessian (analytical).
// True when it produced results (an interrupted grid's are -1); false when
// the user cancelled or there was nothing to vary.
bool CovarianceCalculator(Session& session);

// The constant that turns the objective into -ln[L]; sets ObjectiveScale to
// 1 / the constant. Asks until a positive number is given.
void AskCovarianceConstant(Session& session);

// Whether to calculate optimistic (conditional) standard errors only.
void AskOptimistic(Session& session);

}  // namespace quorvane

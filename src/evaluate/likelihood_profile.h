#pragma once

namespace quorvane {

class Session;

// RunLikelihoodProfile: the maximum-likelihood profile of one parameter.
// Asks for the parameter, the number of points n, the minimiser and
// (while covariance results exist) whether to base the step sizes on the
// standard errors of a covariance grid, waits while the user edits the
// algorithm data, then fixes the parameter at the n values
//   centre - ((n - 1)/2 + 1 - p) x step,  p = 1..n,
// minimises the other free parameters at each (Simplex or Marquardt; one
// evaluation when none is free) and records -ln[L] = F / ObjectiveScale
// (plus the prior -ln[L] while priors are active). ObjectiveScale is fixed
// once before the first point. The finished profile becomes a confidence
// distribution, the distribution plots and the report of the window
// "Maximum likelihood statistics".
//
// On every way out (a cancel at any question, a user's stop, an error) the
// profiled parameter's value and step are restored, the free-parameter
// list is rebuilt to include it again, and ProfileMode is cleared.
void RunLikelihoodProfile(Session& session);

}  // namespace quorvane

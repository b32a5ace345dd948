#pragma once

namespace quorvane {

class Session;

// RunPosteriorGrid: the "&Bayesian posterior (BP) distributions" choice of
// the window "Evaluation of estimates". Asks for the evaluated parameter,
// its number of points and the grid points of the other free parameters
// (at most six), optionally bases the step sizes on covariance standard
// errors, lets the user edit the algorithm data, integrates the likelihood
// (with the priors while they are active) over the grid at each point of
// the evaluated parameter and turns the result into its posterior
// distribution, report, plots and, with one grid parameter, the bivariate
// density. Every path restores the evaluated parameter's step and the
// menus and status bars; the grid parameters keep their values.
void RunPosteriorGrid(Session& session);

}  // namespace quorvane

#pragma once

namespace quorvane {

class Session;

// Connects the subsystems that call one another through the session's
// hooks (the evaluation window starts the posterior grid, profiles read the
// covariance standard errors and show the distribution plots, ranking asks
// for the covariance constant and opens the priors loader). Only the
// application layer knows all of them.
void LinkSubsystems(Session& session);

}  // namespace quorvane

#pragma once

namespace quorvane {

class Session;

// What every minimisation does before it moves the estimates: the
// covariance results belong to the old estimates, so they are discarded and
// CovarianceAvailable is cleared. Nothing of them can then be viewed again,
// saved or used for step sizes against the new estimates.
void ForgetResultsOfOldEstimates(Session& session);

}  // namespace quorvane

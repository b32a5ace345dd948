#pragma once

namespace quorvane {

class Session;

// What every edit of values, step sizes or fuse codes does first: the
// stored simplex and the covariance results no longer belong to the
// parameter set, so the Simplex state's Exists flag and CovarianceAvailable
// are cleared, and the session's OnParameterSetEdited hook runs (the
// covariance analysis and the reports register what they must forget).
void MarkParameterSetEdited(Session& session);

}  // namespace quorvane

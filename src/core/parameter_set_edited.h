#pragma once

namespace quorvane {

class Session;

// What every edit of values, step sizes or fuse codes does first: the
// stored simplex and the covariance results no longer belong to the
// parameter set, so the session forgets them (ResultsChange::
// ParameterSetEdited), which also runs its OnParameterSetEdited hook.
void MarkParameterSetEdited(Session& session);

}  // namespace quorvane

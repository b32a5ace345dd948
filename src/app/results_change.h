#pragma once

namespace quorvane {

class Session;

// The events after which results held by the session may no longer belong
// to the parameter set or the estimates they were computed for.
enum class ResultsChange {
  // Values, step sizes or fuse codes are about to be edited.
  ParameterSetEdited,
  // Algorithm data were read from a file or set to their defaults.
  AlgorithmDataLoaded,
  // The model was set up anew: a new parameter set.
  ModelSetUp,
  // A minimisation is about to move the estimates.
  EstimatesMoving,
  // The objective changed its terms (priors switched on): a stored simplex
  // holds values of the old objective.
  ObjectiveChanged,
  // The estimates were moved, or the free set restored, by a run other than
  // the stored simplex (Marquardt, a profile, a posterior grid).
  EstimatesMovedOutsideSimplex,
};

// Which results an event makes stale.
struct StaleResults {
  bool Simplex = false;            // the stored simplex (SimplexState::Exists)
  bool CovarianceFlag = false;     // AppState::CovarianceAvailable
  bool CovarianceResults = false;  // the covariance record itself
  bool Evaluation = false;         // the profile or posterior series (EvaluationCurrent)
  bool EditHook = false;           // Session::OnParameterSetEdited
};

StaleResults ResultsMadeStaleBy(ResultsChange change);

// The one place that discards the session's results which no longer belong
// after a change of the parameter set, the set-up or the estimates: the
// stored simplex, the covariance results and their flag, the evaluation
// series, as ResultsMadeStaleBy lists them. An edit of the parameter set
// also runs the session's OnParameterSetEdited hook.
void ForgetStaleResults(Session& session, ResultsChange change);

}  // namespace quorvane

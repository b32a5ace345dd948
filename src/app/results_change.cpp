#include "app/results_change.h"

#include "app/session.h"

namespace quorvane {

StaleResults ResultsMadeStaleBy(ResultsChange change) {
  switch (change) {
    case ResultsChange::ParameterSetEdited:
      return {.Simplex = true, .CovarianceFlag = true, .EditHook = true};
    case ResultsChange::AlgorithmDataLoaded:
    case ResultsChange::ModelSetUp:
      return {.Simplex = true, .CovarianceFlag = true, .CovarianceResults = true, .Evaluation = true};
    case ResultsChange::EstimatesMoving:
      return {.CovarianceFlag = true, .CovarianceResults = true};
    case ResultsChange::ObjectiveChanged:
    case ResultsChange::EstimatesMovedOutsideSimplex:
      return {.Simplex = true};
  }
  return {};
}

void ForgetStaleResults(Session& session, ResultsChange change) {
  const StaleResults stale = ResultsMadeStaleBy(change);
  if (stale.Simplex) session.Simplex.Exists = false;
  if (stale.CovarianceFlag) session.State.CovarianceAvailable = false;
  if (stale.CovarianceResults) session.Covariance.Forget();
  if (stale.Evaluation) session.Evaluation.EvaluationCurrent = false;
  if (stale.EditHook && session.OnParameterSetEdited) session.OnParameterSetEdited();
}

}  // namespace quorvane

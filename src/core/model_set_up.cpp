#include "core/model_set_up.h"

#include "core/evaluate_objective.h"
#include "app/results_change.h"
#include "app/session.h"

namespace quorvane {

void SetUpModel(Session& session) {
  AlgorithmData& data = session.Algorithm;
  EvaluateObjective(session, data.Values, 0, false);
  DefaultAlgorithmData(data);
  session.Fuse = FuseGroups{};
  session.Free.FreeCount = 0;
  session.Free.FreeIndex.clear();
  session.Free.FreeStart.clear();
  session.Free.FreeStep.clear();
  ForgetStaleResults(session, ResultsChange::ModelSetUp);
  session.State.AlgorithmFileName.clear();
  session.State.AlgorithmFileTitle.clear();
  session.State.InitializeAlready = true;
  // The priors belonged to the previous parameter set.
  session.Priors.Reset(data.ParameterCount);
  session.State.PriorsActive = false;
}

}  // namespace quorvane

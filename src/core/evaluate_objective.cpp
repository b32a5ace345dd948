#include "core/evaluate_objective.h"

#include <stdexcept>

#include "core/fuse_groups.h"
#include "shell/session.h"

namespace quorvane {

double EvaluateObjective(Session& session, OneBased<double>& P, std::int32_t NF,
                         bool withPriors) {
  Model* model = session.model();
  if (!model) throw std::logic_error("EvaluateObjective needs a model");
  AlgorithmData& data = session.Algorithm;
  ExpandFusedValues(P, session.Fuse, data, session.State);

  ModelOutputs& out = session.Outputs;
  if (NF == -2) {
    out.GRAD.assign(data.ParameterCount, 0.0);
    out.HESS.assign(data.ParameterCount, data.ParameterCount, 0.0);
  }
  double F = 0.0;
  model->MODEL(F, P, data.Steps, data.Descriptions, data.FuseCodes, data.ParameterCount, NF,
               out.NOBS, out.GRAD, out.HESS, out.NSAMPLE);
  if (withPriors && session.State.PriorsActive && session.PriorObjective)
    F += session.PriorObjective(P);
  return F;
}

}  // namespace quorvane

#include "core/objective.h"

#include "core/algorithm_data.h"
#include "core/app_state.h"
#include "core/fuse_groups.h"
#include "core/model.h"
#include "core/model_outputs.h"

namespace quorvane {

void Objective::ExpandFused(OneBased<double>& P) const { ExpandFusedValues(P, groups_, data_, state_); }

double Objective::Evaluate(OneBased<double>& P, std::int32_t NF, bool withPriors) const {
  ExpandFusedValues(P, groups_, data_, state_);
  if (NF == -2) {
    outputs_.GRAD.assign(data_.ParameterCount, 0.0);
    outputs_.HESS.assign(data_.ParameterCount, data_.ParameterCount, 0.0);
  }
  double F = 0.0;
  model_.MODEL(F, P, data_.Steps, data_.Descriptions, data_.FuseCodes, data_.ParameterCount, NF,
               outputs_.NOBS, outputs_.GRAD, outputs_.HESS, outputs_.NSAMPLE);
  if (withPriors && state_.PriorsActive && priorTerm_) F += priorTerm_(P);
  return F;
}

}  // namespace quorvane

#include "core/evaluate_objective.h"

#include "app/session.h"
#include "core/objective.h"

namespace quorvane {

double EvaluateObjective(Session& session, OneBased<double>& P, std::int32_t NF,
                         bool withPriors) {
  return session.MakeObjective().Evaluate(P, NF, withPriors);
}

}  // namespace quorvane

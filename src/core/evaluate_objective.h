#pragma once

#include <cstdint>

#include "core/one_based.h"

namespace quorvane {

class Session;

// The session's Objective evaluated at P (see core/objective.h for what an
// evaluation does). The session must have a model.
double EvaluateObjective(Session& session, OneBased<double>& P, std::int32_t NF,
                         bool withPriors);

}  // namespace quorvane

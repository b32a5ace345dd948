#pragma once

#include <cstdint>

#include "core/one_based.h"

namespace quorvane {

class Session;

// The objective function -ln[L] at P, the one way every calculation reaches
// the model:
//   1. ExpandFusedValues(P) with the groups of the last build (P changes in
//      place: fused followers take their group's value);
//   2. MODEL(F, P, Steps, Descriptions, FuseCodes, ParameterCount, NF, NOBS,
//      GRAD, HESS, NSAMPLE) on the session's algorithm data and outputs;
//   3. when withPriors and PriorsActive, F + the session's prior term at P.
// For NF = -2 GRAD and HESS are first set to zeros sized to the parameter
// count, so a model without analytic derivatives leaves them 0. NF = 0 is
// the model's set-up; pass the algorithm data's own Values as P then, since
// the model resizes P, the steps, descriptions and codes to its count.
// The session must have a model.
double EvaluateObjective(Session& session, OneBased<double>& P, std::int32_t NF,
                         bool withPriors);

}  // namespace quorvane

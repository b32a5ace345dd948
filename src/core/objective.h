#pragma once

#include <cstdint>
#include <functional>

#include "core/app_state.h"
#include "core/one_based.h"

namespace quorvane {

class Model;
struct AlgorithmData;
struct FuseGroups;
struct ModelOutputs;

// The prior -ln[L] at P in objective units; empty when there are no priors.
using PriorTerm = std::function<double(const OneBased<double>& P)>;

// -ln[L] at a full parameter vector, the one way every calculation reaches
// the model:
//   1. ExpandFusedValues(P) with the groups of the last build (P changes in
//      place: fused followers take their group's value);
//   2. MODEL(F, P, Steps, Descriptions, FuseCodes, ParameterCount, NF, NOBS,
//      GRAD, HESS, NSAMPLE) on the algorithm data and the outputs given;
//   3. when withPriors and PriorsActive, F + the prior term at P.
// For NF = -2 GRAD and HESS are first set to zeros sized to the parameter
// count, so a model without analytic derivatives leaves them 0. NF = 0 is
// the model's set-up; pass the algorithm data's own Values as P then, since
// the model resizes P, the steps, descriptions and codes to its count.
//
// It holds references only, so it is cheap to make and follows later
// changes of the records it refers to (a prior term set afterwards, priors
// switched on or off).
//
// `concurrentPriorTerm`, when given, computes the same prior -ln[L] as
// `priorTerm` but changes nothing, so that worker threads evaluating copies
// of the model may call it at once (see ParallelEvaluator).
class Objective {
 public:
  Objective(Model& model, AlgorithmData& data, const FuseGroups& groups, const AppState& state,
            ModelOutputs& outputs, const PriorTerm& priorTerm,
            const PriorTerm* concurrentPriorTerm = nullptr)
      : model_(model),
        data_(data),
        groups_(groups),
        state_(state),
        outputs_(outputs),
        priorTerm_(priorTerm),
        concurrentPriorTerm_(concurrentPriorTerm) {}

  double Evaluate(OneBased<double>& P, std::int32_t NF, bool withPriors) const;

  // Step 1 of Evaluate alone: fused followers take their group's value.
  void ExpandFused(OneBased<double>& P) const;

  Model& model() const { return model_; }
  const AlgorithmData& data() const { return data_; }
  const FuseGroups& groups() const { return groups_; }
  const AppState& state() const { return state_; }
  // True when Evaluate(P, NF, withPriors) adds a prior term.
  bool AddsPrior(bool withPriors) const { return withPriors && state_.PriorsActive && priorTerm_; }
  // The prior term that threads may share; null when there is none.
  const PriorTerm* ConcurrentPriorTerm() const {
    return concurrentPriorTerm_ && *concurrentPriorTerm_ ? concurrentPriorTerm_ : nullptr;
  }

 private:
  Model& model_;
  AlgorithmData& data_;
  const FuseGroups& groups_;
  const AppState& state_;
  ModelOutputs& outputs_;
  const PriorTerm& priorTerm_;
  const PriorTerm* concurrentPriorTerm_;
};

}  // namespace quorvane

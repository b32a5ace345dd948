#include "core/evaluate_objective.h"
#include "minimize/derivatives.h"
#include "minimize/marquardt_state.h"
#include "app/session.h"

namespace quorvane {

bool AnalyticalDerivatives(Session& session, MarquardtState& state) {
  const FreeParameterList& free = session.Free;
  const int n = free.FreeCount;
  OneBased<double>& P = state.Probe;
  P = session.Algorithm.Values;
  EvaluateObjective(session, P, -2, false);  // F is not read; not a counted call
  session.ui().PumpEvents();

  const OneBased<double>& grad = session.Outputs.GRAD;
  const OneBasedMatrix& hess = session.Outputs.HESS;
  bool supplied = false;
  for (int k = 1; k <= n && !supplied; ++k)
    for (int m = k; m <= n && !supplied; ++m)
      supplied = hess(free.FreeIndex[k], free.FreeIndex[m]) != 0.0;
  for (int k = 1; k <= n; ++k) {
    state.Gradient[k] = grad[free.FreeIndex[k]];
    for (int m = 1; m <= n; ++m) state.Hessian(k, m) = hess(free.FreeIndex[k], free.FreeIndex[m]);
  }
  return supplied;
}

bool ComputeDerivatives(Session& session, MarquardtState& state, DerivativeKind kind) {
  if (kind == DerivativeKind::Analytical) return AnalyticalDerivatives(session, state);
  NumericalDerivatives(session, state, state.DerivativeStep);
  NumericalHessian(session, state, state.FLast, state.DerivativeStep);
  return true;
}

}  // namespace quorvane

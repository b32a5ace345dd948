#include "minimize/simplex_vertex_point.h"

#include "core/evaluate_objective.h"
#include "minimize/simplex_state.h"
#include "app/session.h"

namespace quorvane {

double EvaluateVertexPoint(Session& session, const OneBased<double>& x) {
  OneBased<double> P = session.Algorithm.Values;
  const FreeParameterList& free = session.Free;
  for (int k = 1; k <= free.FreeCount; ++k) P[free.FreeIndex[k]] = x[k];
  session.FunctionCallCount += 1;
  return EvaluateObjective(session, P, session.FunctionCallCount, true);
}

OneBased<double> VertexPoint(const SimplexState& simplex, int v, int n) {
  OneBased<double> x(n);
  for (int k = 1; k <= n; ++k) x[k] = simplex.Vertex(k, v);
  return x;
}

void SetVertexPoint(SimplexState& simplex, int v, const OneBased<double>& x, int n) {
  for (int k = 1; k <= n; ++k) simplex.Vertex(k, v) = x[k];
}

}  // namespace quorvane

#include "minimize/simplex_vertex_point.h"

#include "core/evaluate_objective.h"
#include "minimize/simplex_state.h"
#include "app/session.h"

namespace quorvane {

namespace {

// Evaluates the full parameter vector already in the simplex's Point.
double EvaluatePoint(Session& session) {
  session.FunctionCallCount += 1;
  return EvaluateObjective(session, session.Simplex.Point, session.FunctionCallCount, true);
}

}  // namespace

double EvaluateVertexPoint(Session& session, const OneBased<double>& x) {
  OneBased<double>& P = session.Simplex.Point;
  P = session.Algorithm.Values;  // same size as last time: no allocation
  const FreeParameterList& free = session.Free;
  for (int k = 1; k <= free.FreeCount; ++k) P[free.FreeIndex[k]] = x[k];
  return EvaluatePoint(session);
}

double EvaluateVertex(Session& session, int v) {
  SimplexState& simplex = session.Simplex;
  OneBased<double>& P = simplex.Point;
  P = session.Algorithm.Values;
  const FreeParameterList& free = session.Free;
  for (int k = 1; k <= free.FreeCount; ++k) P[free.FreeIndex[k]] = simplex.Vertex(k, v);
  return EvaluatePoint(session);
}

void SetVertexPoint(SimplexState& simplex, int v, const OneBased<double>& x, int n) {
  for (int k = 1; k <= n; ++k) simplex.Vertex(k, v) = x[k];
}

}  // namespace quorvane

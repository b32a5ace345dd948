#include "minimize/simplex_state.h"
#include "minimize/simplex_steps.h"
#include "minimize/simplex_vertex_point.h"
#include "app/session.h"

namespace quorvane {

void BuildInitialSimplex(Session& session) {
  SimplexState& simplex = session.Simplex;
  const int n = session.Free.FreeCount;
  simplex.VertexValue[1] = EvaluateVertex(session, 1);
  for (int v = 2; v <= n + 1; ++v)
    for (int k = 1; k <= n; ++k) simplex.Vertex(k, v) = simplex.Vertex(k, 1);
  for (int v = 2; v <= n + 1; ++v) {
    simplex.Vertex(v - 1, v) += session.Free.FreeStep[v - 1];
    simplex.VertexValue[v] = EvaluateVertex(session, v);
  }
  RankVertices(simplex, n);
}

}  // namespace quorvane

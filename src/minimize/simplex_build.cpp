#include <functional>

#include "minimize/simplex_state.h"
#include "minimize/simplex_steps.h"
#include "minimize/simplex_vertex_point.h"
#include "app/session.h"

namespace quorvane {

bool BuildInitialSimplex(Session& session, const std::function<bool()>& goOn) {
  SimplexState& simplex = session.Simplex;
  const int n = session.Free.FreeCount;
  simplex.VertexValue[1] = EvaluateVertex(session, 1);
  if (goOn && !goOn()) return false;
  for (int v = 2; v <= n + 1; ++v)
    for (int k = 1; k <= n; ++k) simplex.Vertex(k, v) = simplex.Vertex(k, 1);
  for (int v = 2; v <= n + 1; ++v) {
    simplex.Vertex(v - 1, v) += session.Free.FreeStep[v - 1];
    simplex.VertexValue[v] = EvaluateVertex(session, v);
    if (goOn && !goOn()) return false;
  }
  RankVertices(simplex, n);
  return true;
}

}  // namespace quorvane

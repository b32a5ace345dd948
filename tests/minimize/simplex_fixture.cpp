#include "minimize/simplex_fixture.h"

#include "minimize/simplex_steps.h"
#include "minimize/simplex_window.h"

namespace quorvane::testing {

Form& SimplexSession::window() { return session_.SimplexView().form(); }

void SimplexSession::PlaceSimplex(const std::vector<std::vector<double>>& vertices,
                                  const std::vector<double>& values) {
  const int n = session_.Free.FreeCount;
  simplex().Allocate(data().ParameterCount);
  simplex().CentroidColumn = n + 2;
  for (int v = 1; v <= n + 1; ++v) {
    for (int k = 1; k <= n; ++k)
      simplex().Vertex(k, v) = vertices[static_cast<size_t>(v - 1)][static_cast<size_t>(k - 1)];
    simplex().VertexValue[v] = values[static_cast<size_t>(v - 1)];
  }
  RankVertices(simplex(), n);
}

}  // namespace quorvane::testing

#include "minimize/simplex_state.h"
#include "minimize/simplex_steps.h"

namespace quorvane {

void RankVertices(SimplexState& simplex, int n) {
  simplex.Best = 1;
  simplex.Worst = 1;
  for (int v = 2; v <= n + 1; ++v) {
    const double value = simplex.VertexValue[v];
    if (value < simplex.VertexValue[simplex.Best]) {
      simplex.Best = static_cast<std::int16_t>(v);
    } else if (value > simplex.VertexValue[simplex.Worst]) {
      simplex.Worst = static_cast<std::int16_t>(v);
    }
  }
  // The mean of the n vertices other than the worst, summed as all n+1
  // vertices less the worst one.
  const int centroid = simplex.CentroidColumn;
  for (int k = 1; k <= n; ++k) {
    double sum = -simplex.Vertex(k, simplex.Worst);
    for (int v = 1; v <= n + 1; ++v) sum += simplex.Vertex(k, v);
    simplex.Vertex(k, centroid) = sum / n;
  }
}

void ReplaceWorst(SimplexState& simplex, const OneBased<double>& x, double f, int n) {
  for (int k = 1; k <= n; ++k) simplex.Vertex(k, simplex.Worst) = x[k];
  simplex.VertexValue[simplex.Worst] = f;
}

}  // namespace quorvane

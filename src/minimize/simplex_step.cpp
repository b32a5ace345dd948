#include "minimize/simplex_state.h"
#include "minimize/simplex_steps.h"
#include "minimize/simplex_vertex_point.h"
#include "app/session.h"

namespace quorvane {

void SimplexStep(Session& session) {
  SimplexState& s = session.Simplex;
  const int n = session.Free.FreeCount;
  const int C = s.CentroidColumn;
  const int W = s.Worst;
  const int B = s.Best;

  // Reflection of the worst vertex through the centroid.
  for (int k = 1; k <= n; ++k) s.Reflected[k] = 2.0 * s.Vertex(k, C) - s.Vertex(k, W);
  const double fR = EvaluateVertexPoint(session, s.Reflected);
  s.TrialValue = fR;

  int improved = 0;
  for (int v = 1; v <= n + 1; ++v)
    if (fR < s.VertexValue[v]) ++improved;
  s.Improved = static_cast<std::int16_t>(improved);
  s.Action = kActionReflection;

  if (improved == n + 1) {
    // Better than every vertex: try twice as far, keep it only if better still.
    for (int k = 1; k <= n; ++k) s.Expanded[k] = 2.0 * s.Reflected[k] - s.Vertex(k, C);
    const double fE = EvaluateVertexPoint(session, s.Expanded);
    if (fE < fR) {
      ReplaceWorst(s, s.Expanded, fE, n);
      s.Action = kActionExtension;
    } else {
      ReplaceWorst(s, s.Reflected, fR, n);
    }
    return;
  }
  if (improved > 1) {
    ReplaceWorst(s, s.Reflected, fR, n);
    return;
  }
  if (improved == 1) {
    ReplaceWorst(s, s.Reflected, fR, n);  // the worst slot now holds the reflected point
  } else {
    s.Action = "";
  }

  // Contraction: halfway between the centroid and what the worst slot holds.
  for (int k = 1; k <= n; ++k) s.Reflected[k] = 0.5 * s.Vertex(k, W) + 0.5 * s.Vertex(k, C);
  const double fK = EvaluateVertexPoint(session, s.Reflected);
  s.TrialValue = fK;
  const bool afterReflection = s.Action == kActionReflection;
  if (fK < s.VertexValue[W]) {
    ReplaceWorst(s, s.Reflected, fK, n);
    s.Action = afterReflection ? kActionReflectionContraction : kActionContraction;
    return;
  }

  // Reduction: every vertex but the best moves halfway towards the best.
  s.Action = afterReflection ? kActionReflectionReduction : kActionReduction;
  for (int v = 1; v <= n + 1; ++v) {
    if (v == B) continue;
    for (int k = 1; k <= n; ++k) s.Vertex(k, v) = (s.Vertex(k, v) - s.Vertex(k, B)) * 0.5 + s.Vertex(k, B);
    s.VertexValue[v] = EvaluateVertex(session, v);
  }
}

}  // namespace quorvane

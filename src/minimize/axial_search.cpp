#include "minimize/axial_search.h"

#include <cmath>

#include "minimize/simplex_state.h"
#include "minimize/simplex_status.h"
#include "minimize/simplex_vertex_point.h"
#include "base/format/plain_number_text.h"
#include "app/session.h"

namespace quorvane {

double AxialMargin(double limit, double fBest) {
  if (limit > 0) return limit;
  if (limit == 0) return 0.0;
  return std::fabs(limit) * std::fabs(fBest);
}

AxialResult AxialSearch(Session& session, double fBest) {
  SimplexState& s = session.Simplex;
  const AlgorithmData& data = session.Algorithm;
  const int n = session.Free.FreeCount;
  const int B = s.Best;
  const double r = data.ReductionFraction;

  SetSimplexPanel(session, 3, "");
  AxialResult result;
  const double c = AxialMargin(data.Tolerance, fBest);
  int probes = 0;
  const std::string ofTotal = " of " + PlainNumberText(2 * n);
  const auto probe = [&](int k) {
    ++probes;
    const double f = EvaluateVertex(session, B);
    if (fBest - c > f) {
      for (int j = 1; j <= n; ++j) s.Reflected[j] = s.Vertex(j, B);
      result.Failed = true;
      result.Parameter = session.Free.FreeIndex[k];
      return true;
    }
    // Formed in the simplex's panel text, which keeps its capacity from
    // probe to probe.
    std::string& text = s.PanelText;
    text.assign("Axial function call ");
    text += PlainNumberText(probes);
    text += ofTotal;
    SetSimplexPanel(session, 2, text);
    return false;
  };

  // Each probe is set from the saved coordinate and the coordinate is put
  // back from it: adding and subtracting the step would not give it back
  // in floating point (at a large reduction fraction not even roughly).
  for (int k = 1; k <= n; ++k) {
    const double saved = s.Vertex(k, B);
    const double step = r * session.Free.FreeStep[k];
    s.Vertex(k, B) = saved + step;
    if (probe(k)) break;
    s.Vertex(k, B) = saved - step;
    if (probe(k)) break;
    s.Vertex(k, B) = saved;
  }
  SetSimplexPanel(session, 2, " ");
  return result;
}

}  // namespace quorvane

#include "minimize/simplex_verify.h"

#include "minimize/axial_search.h"
#include "minimize/profile_point_link.h"
#include "minimize/simplex_reports.h"
#include "minimize/simplex_state.h"
#include "minimize/simplex_status.h"
#include "minimize/simplex_steps.h"
#include "minimize/simplex_vertex_point.h"
#include "base/format/plain_number_text.h"
#include "app/session.h"

namespace quorvane {

namespace {

// A new simplex around the improving probe left in Reflected.
void RestartSimplex(Session& session, int parameter) {
  SimplexState& s = session.Simplex;
  const int n = session.Free.FreeCount;
  s.Restarts += 1;
  if (s.Restarts >= 2) SetSimplexPanel(session, 4, "Multiple restarts indicate a tuning problem!");
  SetSimplexPanel(session, 3,
                  "Last failure of convergence verification caused by parameter # " +
                      PlainNumberText(parameter));

  SetVertexPoint(s, 1, s.Reflected, n);
  s.VertexValue[1] = EvaluateVertexPoint(session, s.Reflected);
  // The other vertices keep their coordinates from the old simplex, each
  // moved along its own axis by the reduced step.
  const double r = session.Algorithm.ReductionFraction;
  for (int v = 2; v <= n + 1; ++v) {
    s.Vertex(v - 1, v) += r * session.Free.FreeStep[v - 1];
    s.VertexValue[v] = EvaluateVertexPoint(session, VertexPoint(s, v, n));
  }
  RankVertices(s, n);
}

}  // namespace

void VerifySimplexMinimum(Session& session, ProfilePointLink* profile) {
  SimplexState& s = session.Simplex;
  SetSimplexPanel(session, 1, "Verifying convergence by performing an axial search");
  const AxialResult axial = AxialSearch(session, s.VertexValue[s.Best]);
  SetSimplexPanel(session, 1, "");

  if (axial.Failed) {
    RestartSimplex(session, axial.Parameter);
    return;
  }
  if (session.State.ProfileMode) {
    const int profiled = session.State.ProfiledParameter;
    const OneBased<double>& values = session.Algorithm.Values;
    const double profiledValue = profiled >= 1 && profiled <= values.size() ? values[profiled] : 0.0;
    if (profile) profile->StoreMinimum(s.VertexValue[s.Best], profiledValue);
    s.Done = true;
    return;
  }

  ReportSimplexMinimum(session);
  session.ui().ShowMessage("Minimum found using Simplex!", "Simplex minimum", Icon::Information);
  s.InterruptRequested = false;
  ClearSimplexPanels(session, 1, 4);
  s.Done = true;
  if (session.State.PriorsActive && session.ReviewPriors) session.ReviewPriors();
}

}  // namespace quorvane

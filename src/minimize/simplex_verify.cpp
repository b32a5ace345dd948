#include "minimize/simplex_verify.h"

#include <cmath>
#include <optional>

#include "minimize/axial_search.h"
#include "minimize/profile_point_link.h"
#include "minimize/simplex_reports.h"
#include "minimize/simplex_state.h"
#include "minimize/simplex_status.h"
#include "minimize/simplex_steps.h"
#include "minimize/simplex_vertex_point.h"
#include "minimize/simplex_window.h"
#include "minimize/limit_note.h"
#include "core/fuse_groups.h"
#include "core/model.h"
#include "base/format/format_picture.h"
#include "minimize/minimisation_log.h"
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
    s.VertexValue[v] = EvaluateVertex(session, v);
  }
  RankVertices(s, n);
}

// The limit note at the best vertex, with fused followers filled in.
std::string SimplexLimitNote(Session& session) {
  if (!session.model()) return "";
  const SimplexState& s = session.Simplex;
  OneBased<double> P = session.Algorithm.Values;
  for (int k = 1; k <= session.Free.FreeCount; ++k) P[session.Free.FreeIndex[k]] = s.Vertex(k, s.Best);
  ExpandFusedValues(P, session.Fuse, session.Algorithm, session.State);
  return LimitNoteText(*session.model(), P);
}

// The prior review shows the minimum: the best vertex is written back first
// (the run ends with it anyway) and the prior terms are taken there, not at
// the last point the axial search probed.
void ReviewPriorsAtBestVertex(Session& session) {
  const SimplexState& s = session.Simplex;
  OneBased<double>& values = session.Algorithm.Values;
  for (int k = 1; k <= session.Free.FreeCount; ++k) values[session.Free.FreeIndex[k]] = s.Vertex(k, s.Best);
  ExpandFusedValues(values, session.Fuse, session.Algorithm, session.State);
  if (const PriorTerm& prior = session.PriorObjective()) prior(values);
  session.ReviewPriors();
}

// The end of a search whose every vertex holds the failure penalty: said in
// the window, the log and a message instead of a minimum.
void ReportNoMinimum(Session& session) {
  const SimplexState& s = session.Simplex;
  const std::string finding =
      "No minimum found: every vertex of the simplex has the penalty value " +
      FormatPicture(s.VertexValue[s.Best], "0.0000000E+00") +
      ", so the model computed no objective at any of them.";
  const std::string advice =
      "The parameter values are as they were before the search. Check the scale of the data, "
      "the starting values and the step sizes.";
  Form& form = session.SimplexView().form();
  form.SetText(SimplexWindow::kPane, "\r\n" + finding + "\r\n" + advice + "\r\n");
  if (session.Algorithm.FileFrequency != 0) AppendMinimisationLog(session, {"", "", finding, advice, ""});
  session.ui().ShowMessage(finding + "\r\n\r\n" + advice, "No minimum found", Icon::Exclamation);
}

}  // namespace

bool EveryVertexHasFailurePenalty(Session& session) {
  const Model* model = session.model();
  const std::optional<double> penalty = model ? model->FailurePenalty() : std::nullopt;
  const SimplexState& s = session.Simplex;
  const int n = session.Free.FreeCount;
  for (int v = 1; v <= n + 1; ++v) {
    const double f = s.VertexValue[v];
    const bool failed = !std::isfinite(f) || (penalty && f >= *penalty);
    if (!failed) return false;
  }
  return n >= 1;
}

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

  if (EveryVertexHasFailurePenalty(session)) {
    ReportNoMinimum(session);
    s.InterruptRequested = false;
    ClearSimplexPanels(session, 1, 4);
    s.Done = true;
    return;
  }

  ReportSimplexMinimum(session);
  std::string message = "Minimum found using Simplex!";
  if (const std::string note = SimplexLimitNote(session); !note.empty()) {
    Form& form = session.SimplexView().form();
    form.SetText(SimplexWindow::kPane, form.Text(SimplexWindow::kPane) + "\r\n" + note + "\r\n");
    message += "\r\n\r\n" + note;
  }
  session.ui().ShowMessage(message, "Simplex minimum", Icon::Information);
  s.InterruptRequested = false;
  ClearSimplexPanels(session, 1, 4);
  s.Done = true;
  if (session.State.PriorsActive && session.ReviewPriors) ReviewPriorsAtBestVertex(session);
}

}  // namespace quorvane

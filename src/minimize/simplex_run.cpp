#include "minimize/simplex_run.h"

#include <cmath>

#include "minimize/profile_point_link.h"
#include "minimize/simplex_reports.h"
#include "minimize/simplex_state.h"
#include "minimize/simplex_status.h"
#include "minimize/simplex_steps.h"
#include "minimize/simplex_verify.h"
#include "minimize/simplex_window.h"
#include "app/session.h"

namespace quorvane {

namespace {

// A report falls due on the first call and then every `frequency` calls;
// frequency 0 turns it off.
bool ReportDue(std::int32_t& countdown, std::int32_t frequency) {
  if (countdown == frequency && frequency != 0) {
    countdown = 1;
    return true;
  }
  if (countdown > 0) countdown += 1;
  return false;
}

void StopWithFinalReport(Session& session) {
  SimplexState& s = session.Simplex;
  s.Done = true;
  s.FinalReportPending = true;
  SetSimplexPanel(session, 1, "One moment please...");
  ClearSimplexPanels(session, 2, 4);
}

void AskAboutCallLimit(Session& session) {
  const Answer answer = session.ui().AskYesNo(
      "Maximum number of function calls reached, do you want to continue?",
      "Simplex minimization", Icon::Question);
  if (answer == Answer::Yes) {
    session.FunctionCallCount = 0;  // another full allowance
  } else {
    StopWithFinalReport(session);
  }
}

void AnswerInterrupt(Session& session, ProfilePointLink* profile) {
  SimplexState& s = session.Simplex;
  Ui& ui = session.ui();
  s.InterruptRequested = false;
  session.SimplexView().form().SetEnabled(SimplexWindow::kStop, true);
  SetSimplexPanel(session, 1, "");
  if (!session.State.ProfileMode) {
    if (ui.AskYesNo("Interrupt received. Do you want to quit minimizing?", "Simplex interrupt",
                    Icon::Question) == Answer::Yes) {
      StopWithFinalReport(session);
    } else {
      s.FinalReportPending = false;
    }
    return;
  }
  if (ui.AskYesNo("Interrupt received. Do you want to quit the ML procedure?", "Simplex interrupt",
                  Icon::Question) == Answer::Yes) {
    s.Done = true;
    s.FinalReportPending = true;
    if (profile) profile->StopAfterThisPoint();
  } else if (ui.AskYesNo("Do you want to continue starting with the NEXT point?",
                         "Simplex interrupt", Icon::Question, true) == Answer::Yes) {
    s.Done = true;  // this point ends without its final report
    s.FinalReportPending = false;
  } else {
    s.FinalReportPending = true;  // one window report, then this point goes on
  }
}

// A stored simplex continues only over the free parameters it was built for.
bool StoredSimplexFits(const Session& session) {
  const SimplexState& s = session.Simplex;
  return s.Exists && s.Fits(session.Free.FreeCount) && s.BuiltFor == session.Free.FreeIndex;
}

}  // namespace

SimplexOutcome RunSimplex(Session& session, ProfilePointLink* profile) {
  SimplexState& s = session.Simplex;
  const AlgorithmData& data = session.Algorithm;
  const FreeParameterList& free = session.Free;
  const int n = free.FreeCount;
  Ui& ui = session.ui();
  Form& window = session.SimplexView().form();
  if (n < 1) return SimplexOutcome::Finished;  // nothing to vary
  // However the run ends, nothing is left to interrupt.
  struct StopButtonOff {
    Form& window;
    ~StopButtonOff() { window.SetEnabled(SimplexWindow::kStop, false); }
  } stopButtonOff{window};

  session.SimplexView().Load();
  const InterruptScope interruptible(ui, window.onInterrupt);
  session.FunctionCallCount = 0;
  if (!StoredSimplexFits(session)) s.Exists = false;
  s.CentroidColumn = n + 2;

  if (!s.Exists) {
    window.SetEnabled(SimplexWindow::kStop, true);
    window.SetCaption(SimplexWindow::kStop, "&Interrupt this minimization");
    if (!s.Fits(n)) s.Allocate(data.ParameterCount > n ? data.ParameterCount : n);
    for (int k = 1; k <= n; ++k) s.Vertex(k, 1) = free.FreeStart[k];
    SetSimplexPanel(session, 1, "Building initial simplex...");
    SetSimplexPanel(session, 2, "");
    ui.PumpEvents();
    s.Exists = true;
    s.BuiltFor = free.FreeIndex;
    s.Done = false;
    s.FinalReportPending = false;
    // The model lets user actions run at every evaluation; an interrupt
    // pressed meanwhile is answered at once, not after all n + 1 calls.
    const bool built = BuildInitialSimplex(session, [&] {
      if (s.InterruptRequested) AnswerInterrupt(session, profile);
      return !s.Done;
    });
    if (!built) {
      s.Exists = false;  // the next run builds anew
      window.SetText(SimplexWindow::kPane,
                     "\r\nThe minimization was interrupted while the initial simplex was built; "
                     "the parameter values are as they were.\r\n");
      ClearSimplexPanels(session, 1, 4);
      return SimplexOutcome::Interrupted;
    }
  }
  ReportInitialSimplex(session);

  s.TerminalCountdown = data.TerminalFrequency;
  s.Iterations = 0;
  s.Restarts = 0;
  s.FileCountdown = data.FileFrequency;

  do {
    SimplexStep(session);
    RankVertices(s, n);
    s.Iterations += 1;
    const double fBest = s.VertexValue[s.Best];
    const double fWorst = s.VertexValue[s.Worst];

    if (ReportDue(s.TerminalCountdown, data.TerminalFrequency))
      ShowSimplexProgress(session, fBest, fWorst, profile);
    if (ReportDue(s.FileCountdown, data.FileFrequency)) WriteSimplexProgress(session, fBest, fWorst);
    // A profile shows the progress of its points instead.
    if (!profile) ShowSimplexCallShare(session);
    s.Done = false;

    // The call limit is tested after the reports, so a run may exceed it by
    // the calls of one step before the question.
    if (session.FunctionCallCount > data.MaxFunctionCalls) AskAboutCallLimit(session);

    if (!s.Done) {
      const double spread = std::fabs(fWorst - fBest);
      const double limit = data.Tolerance;
      if (limit >= 0) {
        if (limit > spread) VerifySimplexMinimum(session, profile);
      } else if (fBest == 0) {
        // The relative spread divides by the best value; the simplex stays
        // for the next run, the parameter values keep what they had.
        ui.ShowMessage(
            "A function value of zero has caused a division by zero error.\r\n"
            "Reset the tolerance to ABSolute or otherwise correct model",
            "Simplex error", Icon::Critical);
        ClearSimplexPanels(session, 1, 4);
        return SimplexOutcome::ZeroError;
      } else if (std::fabs(limit) > spread / std::fabs(fBest)) {
        VerifySimplexMinimum(session, profile);
      }
    }

    ui.PumpEvents();
    if (s.InterruptRequested) AnswerInterrupt(session, profile);

    if (s.FinalReportPending) {
      // Unless this iteration's report was just written.
      if (s.TerminalCountdown > 1 && data.TerminalFrequency != 0)
        ShowSimplexProgress(session, s.VertexValue[s.Best], s.VertexValue[s.Worst], profile);
      s.FinalReportPending = false;
    }
  } while (!s.Done);

  // A simplex of penalty values holds no better point than the start.
  if (EveryVertexHasFailurePenalty(session)) {
    ClearSimplexPanels(session, 1, 4);
    return SimplexOutcome::NoMinimum;
  }
  for (int k = 1; k <= n; ++k) session.Algorithm.Values[free.FreeIndex[k]] = s.Vertex(k, s.Best);
  ClearSimplexPanels(session, 1, 4);
  return SimplexOutcome::Finished;
}

}  // namespace quorvane

#include "minimize/marquardt_run.h"

#include <cmath>
#include <optional>
#include <string>

#include "core/evaluate_objective.h"
#include "minimize/derivatives.h"
#include "minimize/lu_failure_message.h"
#include "minimize/marquardt_axial_check.h"
#include "minimize/marquardt_reports.h"
#include "minimize/marquardt_state.h"
#include "minimize/marquardt_tolerance.h"
#include "minimize/marquardt_window.h"
#include "minimize/profile_point_link.h"
#include "base/format/format_picture.h"
#include "base/format/plain_number_text.h"
#include "app/session.h"

namespace quorvane {

namespace {

constexpr double kStartLambda = 0.001;
constexpr double kMaxLambda = 1e20;
constexpr int kMaxTrials = 25;
constexpr int kMaxVerifications = 5;
constexpr const char* kCalculatingDerivatives = "Calculating derivatives, one moment please...";

class MarquardtRun {
 public:
  MarquardtRun(Session& session, ProfilePointLink* profile)
      : s_(session),
        ui_(session.ui()),
        window_(session.MarquardtView()),
        form_(window_.form()),
        profile_(profile) {}

  MarquardtOutcome Run();

 private:
  using Ending = std::optional<MarquardtOutcome>;

  void Panel(int panel, const std::string& text) { ui_.SetStatusPanel(5, panel, text); }
  int FreeCount() const { return s_.Free.FreeCount; }
  double CountedEvaluation(OneBased<double>& P);
  bool Derivatives() { return ComputeDerivatives(s_, st_, window_.DerivativeChoice); }
  void AcceptX();

  Ending AnswerInterrupt();
  Ending AfterAcceptedTrial();
  Ending Solve();
  Ending Verify(bool fromConvergence);

  MarquardtOutcome AcceptMinimum();
  MarquardtOutcome Frustration();
  MarquardtOutcome End(MarquardtOutcome outcome);

  Session& s_;
  Ui& ui_;
  MarquardtWindow& window_;
  Form& form_;
  ProfilePointLink* profile_;
  MarquardtState st_;
};

MarquardtOutcome MarquardtRun::Run() {
  AlgorithmData& data = s_.Algorithm;
  ui_.ShowForm(form_);
  form_.SetEnabled("cmdStop", false);
  form_.SetText(MarquardtWindow::kPane, "");
  window_.ShowPauseButtons(false);
  Panel(1, "Initial function call, one moment please...");
  ui_.PumpEvents();

  s_.FunctionCallCount = 0;
  st_.Iterations = 0;
  st_.DerivativeStep = 0.001;
  st_.Verifications = 0;
  st_.Allocate(FreeCount());

  st_.X = data.Values;
  st_.FTrial = CountedEvaluation(st_.X);
  st_.FLast = st_.FTrial;

  st_.StopRequested = false;
  window_.Interrupt = false;
  form_.SetCaption("cmdStop", "&Interrupt this minimization");
  form_.SetEnabled("cmdStop", true);
  // The search answers interrupts from here on, as its button can be pressed
  // from here on; one that comes during the initial call is the caller's.
  const InterruptScope interruptible(ui_, form_.onInterrupt);
  Panel(2, "");
  Panel(1, "");
  st_.Trial = 0;

  bool firstPass = true;
  for (;;) {
    Panel(3, "Working to improve estimates. Objective function for trial # " +
                 PlainNumberText(st_.Trial) + ", is : " +
                 FormatPicture(st_.FTrial, " 0.00000E+00"));
    if (Ending end = AnswerInterrupt()) return *end;

    if (firstPass) {
      firstPass = false;
      st_.Lambda = kStartLambda;
      Panel(3, kCalculatingDerivatives);
      if (!Derivatives()) {
        ui_.ShowMessage("Sorry, analytical derivatives seem not to have been provided",
                        "Analytical derivatives missing", Icon::Information);
        return End(MarquardtOutcome::DerivativesMissing);
      }
    } else {
      st_.FTrial = CountedEvaluation(st_.X);
      // Equal or better is accepted. A value that is not a number compares
      // false with everything and must not pass as an improvement.
      if (!(st_.FTrial <= st_.FLast)) {
        st_.Lambda *= 10.0;
      } else if (Ending end = AfterAcceptedTrial()) {
        return *end;
      }
    }

    // Solve for the next trial; after a rejected verification from the
    // trial limit, solve again with the fresh derivatives.
    for (;;) {
      if (Ending end = Solve()) return *end;
      if (st_.Trial < kMaxTrials) {
        ++st_.Trial;
        break;
      }
      st_.X = data.Values;
      if (Ending end = Verify(false)) return *end;
    }
  }
}

double MarquardtRun::CountedEvaluation(OneBased<double>& P) {
  ++s_.FunctionCallCount;
  return EvaluateObjective(s_, P, s_.FunctionCallCount, true);
}

// The accepted point becomes the parameter values. X has been through the
// fused-parameter expansion, so fused followers carry the group's new value
// too and a save right after the run writes a consistent set.
void MarquardtRun::AcceptX() {
  FreeParameterList& free = s_.Free;
  for (int k = 1; k <= free.FreeCount; ++k) free.FreeStart[k] = st_.X[free.FreeIndex[k]];
  s_.Algorithm.Values = st_.X;
}

MarquardtRun::Ending MarquardtRun::AnswerInterrupt() {
  if (!window_.Interrupt) return std::nullopt;
  window_.Interrupt = false;
  form_.SetEnabled("cmdStop", true);
  Panel(2, "");
  const char* title = "Marquardt interrupt";
  if (!s_.State.ProfileMode) {
    st_.StopRequested = ui_.AskYesNo("Interrupt received. Do you want to quit minimizing?", title,
                                     Icon::Question) == Answer::Yes;
    if (st_.StopRequested) Panel(1, "Interrupt will occur once this iteration is complete");
    return std::nullopt;
  }
  if (ui_.AskYesNo("Interrupt received. Do you want to quit the ML procedure?", title,
                   Icon::Question) == Answer::Yes) {
    if (profile_) profile_->StopAfterThisPoint();
    return End(MarquardtOutcome::ProfileQuit);
  }
  if (ui_.AskYesNo("Do you want to continue starting with the NEXT point?", title, Icon::Question,
                   true) == Answer::Yes)
    return End(MarquardtOutcome::ProfileNextPoint);
  st_.StopRequested = false;
  return std::nullopt;
}

MarquardtRun::Ending MarquardtRun::AfterAcceptedTrial() {
  const AlgorithmData& data = s_.Algorithm;
  st_.Trial = 0;
  ++st_.Iterations;
  AcceptX();
  ShowMarquardtProgress(s_, st_, st_.FTrial, st_.FLast, profile_);
  ui_.PumpEvents();
  if (data.FileFrequency > 0) WriteMarquardtProgress(s_, st_, st_.FTrial, st_.FLast);

  // The check's reference is the value accepted before this step.
  if (MarquardtConverged(data.Tolerance, st_.FTrial, st_.FLast)) return Verify(true);
  if (st_.StopRequested || st_.Iterations == data.MaxFunctionCalls) {
    form_.SetEnabled("cmdStop", true);
    Panel(2, "");
    Panel(3, "");
    ui_.ShowMessage("Maximum number of iterations reached or an interrupt was received",
                    "Marquart minimization stopped", Icon::Information);
    return End(MarquardtOutcome::Stopped);
  }
  st_.FLast = st_.FTrial;
  Panel(3, kCalculatingDerivatives);
  Derivatives();
  st_.Lambda *= 0.1;
  return std::nullopt;
}

MarquardtRun::Ending MarquardtRun::Solve() {
  const int n = FreeCount();
  if (st_.Trial == 0) {
    st_.SavedGradient = st_.Gradient;
    st_.SavedHessian = st_.Hessian;
  }
  if (st_.Lambda > kMaxLambda) return Frustration();

  st_.System = st_.Hessian;
  for (int k = 1; k <= n; ++k) st_.System(k, k) = std::fabs(st_.Hessian(k, k)) * (st_.Lambda + 1.0);
  st_.Delta = st_.Gradient;
  const auto pump = [this] { ui_.PumpEvents(); };
  if (const int zeroRow = LuDecompose(st_.System, n, st_.Pivots, pump); zeroRow != 0) {
    ShowDecompositionFailure(ui_, s_.Free.FreeIndex[zeroRow],
                             window_.DerivativeChoice == DerivativeKind::Analytical);
    ui_.CloseForm(form_);
    return End(MarquardtOutcome::SingularSystem);
  }
  LuSolve(st_.System, n, st_.Pivots, st_.Delta, pump);
  for (int k = 1; k <= n; ++k)
    st_.X[s_.Free.FreeIndex[k]] = s_.Free.FreeStart[k] - st_.Delta[k];
  return std::nullopt;
}

// The axial check, entered from a passed convergence test or from the
// trial limit (where a check that finds nothing better is frustration, not
// convergence).
MarquardtRun::Ending MarquardtRun::Verify(bool fromConvergence) {
  Panel(1, "Verifying convergence by performing an axial search");
  const bool improved = MarquardtAxialCheck(s_, st_, st_.FLast);
  ++st_.Verifications;
  if (!improved) return fromConvergence ? AcceptMinimum() : Frustration();
  AcceptX();  // the best probe
  if (st_.Verifications >= kMaxVerifications) return Frustration();
  if (st_.StopRequested) {
    if (!fromConvergence) ui_.CloseForm(form_);
    return End(MarquardtOutcome::Stopped);
  }
  Panel(1, "Convergence rejected");
  Panel(3, kCalculatingDerivatives);
  st_.Lambda = kStartLambda;
  st_.Trial = 0;
  Derivatives();
  return std::nullopt;
}

MarquardtOutcome MarquardtRun::AcceptMinimum() {
  st_.FLast = EvaluateObjective(s_, st_.X, 1, true);  // not a counted call
  form_.SetEnabled("cmdStop", false);
  const int profiled = s_.State.ProfiledParameter;
  if (!s_.State.ProfileMode) {
    ShowMarquardtResult(s_, st_, st_.FLast);
    if (s_.Algorithm.FileFrequency > 0) WriteMarquardtResult(s_, st_, st_.FLast);
  } else if (profile_ && profiled >= 1 &&
             profiled <= s_.Algorithm.Values.size()) {
    profile_->StoreMinimum(st_.FLast, s_.Algorithm.Values[profiled]);
  }
  return End(MarquardtOutcome::MinimumFound);
}

MarquardtOutcome MarquardtRun::Frustration() {
  Panel(1, "");
  Panel(3, "");
  ui_.ShowMessage(
      "Consider that:\r\n"
      "      (1) you're already at an acceptable minimum,\r\n"
      "      (2) at least one parameter is too near a boundary,\r\n"
      "      (3) at least one parameter is dead wrt the likelihood function,\r\n"
      "      (4) a penalty function is affecting performance of the derivatives or parameter "
      "improvements,\r\n"
      "      (5) there are numerical inaccuracies near the current minimum, or\r\n"
      "      (6) the model, or its implementation, is flawed",
      "Marquardt quits in frustration", Icon::Information);
  ui_.CloseForm(form_);
  return End(MarquardtOutcome::Frustrated);
}

MarquardtOutcome MarquardtRun::End(MarquardtOutcome outcome) {
  form_.SetEnabled("cmdStop", false);  // nothing is left to interrupt
  for (int panel = 1; panel <= 4; ++panel) Panel(panel, "");
  if (!profile_) ui_.SetProgress(-1.0);
  ui_.PumpEvents();
  return outcome;
}

}  // namespace

MarquardtOutcome RunMarquardt(Session& session, ProfilePointLink* profile) {
  return MarquardtRun(session, profile).Run();
}

}  // namespace quorvane

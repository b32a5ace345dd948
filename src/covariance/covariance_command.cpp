#include "covariance/covariance_command.h"

#include <chrono>
#include <cmath>

#include "base/format/format_picture.h"
#include "base/format/leading_number.h"
#include "base/ui/finite_answer.h"
#include "core/algorithm_editor.h"
#include "core/fuse_groups.h"
#include "core/model.h"
#include "covariance/covariance_windows.h"
#include "covariance/hessian_grid.h"
#include "covariance/hessian_inversion.h"
#include "app/main_window.h"
#include "app/session.h"

namespace quorvane {

namespace {

constexpr const char* kTitle = "Covariance calculator";

constexpr const char* kMethodQuestion =
    "Do you want to calculate covariances analytically or numerically?  Numerical covariances are "
    "provided automatically, whereas for analytical covariances you must have provided analytical"
    " derivatives in your model code (i.e., in that section of Sub MODEL() accessed when NF=-2)."
    "\r\n"
    "WARNING: Analytical covariances will fail if Bayesian prior probabilities contribute to the "
    "likelihood function.\r\n"
    "\r\n"
    "DO NOT USE ANALYTICAL COVARIANCES IN CONJUNCTION WITH BAYESIAN PRIOR DISTRIBUTIONS!\r\n"
    "               THE PRIOR DISTRIBUTION FOR ALL PARAMETERS MUST BE UNIFORM-UNBOUNDED!\r\n"
    "\r\n"
    "Choose 'Yes' if you have provided ANALYTICAL derivatives; else 'No' to calculate covariances "
    "NUMERICALLY";

constexpr const char* kNumericalIntroduction =
    "A covariance matrix is calculated by inverting the numerically calculated"
    " Hessian matrix of second partial derivatives of the likelihood function."
    "  Three grids are used to calculate the derivatives.  Each grid is formed"
    " using the current parameter values and (non-zero) step sizes. Three scale"
    " factors are required. The initial steps will be multiplied by these scale"
    " factors to adjust the size of the grid.\r\n"
    "\r\n"
    "When interpreting the three grid results under the multinormal assumption,"
    " the standard deviations of the -ln[likelihood] should span a range from"
    " near zero for the smallest step to about 5 for the largest step."
    "  This should reassure the user that the multinormal assumption holds over"
    " the entire posterior distributions of the parameters if the model is parsimonious,"
    " 'close-to linear', and there are no extraordinarily high correlations.\r\n"
    "\r\n"
    "You can now edit the parameter values and step sizes (if so desired);"
    " realizing that for meaningful results you might have to carefully choose step sizes.";

constexpr const char* kOptimisticQuestion =
    "Choose the quicker option to calculate under-estimated conditional SEs?\r\n"
    "Each SE estimate assumes the SE of all other parameters to be zero (0).\r\n"
    "(This is not recommended for final analyses, but can be a time-efficient way \r\n"
    "to rapidly assess relative parameter uncertainty in preliminary analyses).";

constexpr const char* kFactorPicture = "0.000E+00";

std::string FactorsText(const OneBased<double>& f, const char* first) {
  return std::string(first) + FormatPicture(f[1], kFactorPicture) + "     2) " +
         FormatPicture(f[2], kFactorPicture) + "     3) " + FormatPicture(f[3], kFactorPicture);
}

// The three grid-factor prompts and their confirmation. False: cancelled.
bool AskGridFactors(Ui& ui, OneBased<double>& factors) {
  for (;;) {
    for (int g = 1; g <= 3; ++g) {
      const std::string prompt = "Default grid factor for Grid " + std::to_string(g) +
                                 " :\r\n\r\n" + FactorsText(factors, " Currently:   1) ") +
                                 "\r\n\r\nValue must be positive for all factors";
      const std::string answer =
          ui.AskValue(prompt, kTitle, FormatPicture(factors[g], kFactorPicture));
      if (answer.empty()) return false;
      if (RefuseNotFinite(ui, answer, kTitle)) {
        --g;  // the same grid's factor again
        continue;
      }
      const double value = LeadingNumber(answer);
      if (value > 0.0) factors[g] = value;
    }
    if (ui.AskYesNo("Are these default grid factors OK?\r\n\r\n" + FactorsText(factors, " 1) "),
                    kTitle, Icon::Question) == Answer::Yes)
      return true;
  }
}

// The method ("N" or "A"), CovValues and CovSteps from the algorithm data,
// then nCov, CovIndex and CovSlot. The results of an earlier calculation are
// gone from here on, so they can no longer be offered for viewing.
void TakeParameters(Session& session, const char* method) {
  CovarianceResults& cov = session.Covariance;
  session.State.CovarianceAvailable = false;
  cov.CovarianceMethod = method;
  const AlgorithmData& data = session.Algorithm;
  cov.CovValues = data.Values;
  cov.CovSteps = data.Steps;
  const int P = cov.CovSteps.size();
  cov.CovIndex.clear();
  cov.CovSlot.assign(P, 0);
  for (int p = 1; p <= P; ++p) {
    if (cov.CovSteps[p] == 0.0) continue;
    cov.CovIndex.push_back(p);
    cov.CovSlot[p] = cov.CovIndex.size();
  }
  cov.nCov = cov.CovIndex.size();
  for (GridCovariance& grid : cov.CovResult) grid.MarkUnavailable(cov.nCov);
  cov.GridMean = {-1.0, -1.0, -1.0};
  cov.GridSd = {-1.0, -1.0, -1.0};
}

// The objective at CovValues, the prior included while priors are on, and
// the parameters the model holds on a limit there.
double CenterObjective(Session& session) {
  BuildFuseGroups(session.Algorithm, session.Fuse);
  OneBased<double> P = session.Covariance.CovValues;
  const double F = session.MakeObjective().Evaluate(P, 1, true);
  session.Covariance.LimitNotes = session.model()->LimitNotes(P);
  return F;
}

bool NothingToVary(Session& session) {
  if (session.Covariance.nCov > 0) return false;
  session.ui().SetStatusPanel(5, 1, "");
  session.ui().ShowMessage("All step sizes are zero", "There is nothing to do!", Icon::Exclamation);
  session.ShowMainMenu();
  return true;
}

// `before`: the grid's summary, shown together with the inversion's lines.
void InvertAndStore(Session& session, const OneBasedMatrix& hessian, int g,
                    const std::string& before = "") {
  CovarianceResults& cov = session.Covariance;
  InversionOutcome outcome = InvertHessian(hessian, cov.nCov, cov.ObjectiveScale, cov.CovIndex, g);
  session.CovarianceView().Append(before + outcome.Text);
  cov.Grid(g) = std::move(outcome.Result);
}

void NumericalGrids(Session& session) {
  CovarianceResults& cov = session.Covariance;
  CovarianceWindows& windows = session.CovarianceView();
  Ui& ui = session.ui();
  const Objective objective = session.MakeObjective();
  const InterruptScope interruptible(ui, windows.DataForm().onInterrupt);
  const auto start = std::chrono::steady_clock::now();
  GridHooks hooks;
  hooks.status = [&ui](int panel, const std::string& text) { ui.SetStatusPanel(5, panel, text); };
  hooks.append = [&windows](const std::string& text) { windows.Append(text); };
  hooks.pump = [&ui] { ui.PumpEvents(); };
  hooks.progress = [&ui](double fraction) { ui.SetProgress(fraction); };
  hooks.seconds = [start] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  hooks.interruptPending = [&cov] { return cov.CovInterrupt; };
  hooks.quitGrid = [&cov, &ui, &windows] {
    if (!cov.CovInterrupt) return false;
    cov.CovInterrupt = false;
    windows.DataForm().SetEnabled("cmdStop", true);
    return ui.AskYesNo("Interrupt received. Do you want to quit calculating this grid?",
                       "Covariance calculations", Icon::Question) == Answer::Yes;
  };
  for (int g = 1; g <= 3; ++g) {
    const GridOutcome grid = ComputeGrid(objective, cov, g, true, hooks, session.EvaluationThreads);
    cov.GridMean[g] = grid.Mean;
    cov.GridSd[g] = grid.Sd;
    if (grid.Interrupted) {
      cov.Grid(g).MarkUnavailable(cov.nCov);
      continue;
    }
    InvertAndStore(session, GridHessian(grid, cov, g), g, grid.Summary);
  }
  windows.CalculationsEnded();
  ui.SetStatusPanel(5, 2, "");
  ui.SetProgress(-1.0);
}

// False when the user cancelled.
bool Numerical(Session& session) {
  Ui& ui = session.ui();
  AppState& state = session.State;
  CovarianceResults& cov = session.Covariance;
  if (ui.AskOkCancel(kNumericalIntroduction, kTitle, Icon::Information) != Answer::Ok) return false;

  state.EditorRestrictions.SetRange(4, 9, true);
  state.EditorClosed = false;
  state.EditorOpenedFromCovariance = true;
  session.Editor().Open();
  ui.WaitUntil([&state] { return state.EditorClosed; }, "the algorithm data editor to close");
  state.EditorClosed = false;
  state.EditorRestrictions.SetRange(4, 9, false);

  // The factors, values and steps are taken once the factors are confirmed,
  // so a cancelled dialogue leaves the results of an earlier calculation whole.
  OneBased<double> factors{1.0, 0.1, 0.01};
  if (!AskGridFactors(ui, factors)) return false;
  cov.GridFactor = factors;

  ui.SetStatusPanel(5, 1, "One moment please...");
  ui.PumpEvents();
  TakeParameters(session, "N");
  if (NothingToVary(session)) return true;
  cov.CovCenter = CenterObjective(session);
  AskCovarianceConstant(session);
  AskOptimistic(session);
  session.CovarianceView().OpenDataWindow();
  NumericalGrids(session);
  return true;
}

void Analytical(Session& session) {
  Ui& ui = session.ui();
  CovarianceResults& cov = session.Covariance;
  ui.SetStatusPanel(5, 1, "One moment please while one function call is executed");
  TakeParameters(session, "A");
  if (NothingToVary(session)) return;
  cov.CovCenter = CenterObjective(session);
  ui.SetStatusPanel(5, 1, "");
  AskCovarianceConstant(session);
  AskOptimistic(session);
  ui.SetStatusPanel(5, 1, "Calculating covariances, one moment please...");
  session.CovarianceView().OpenDataWindow();
  const Objective objective = session.MakeObjective();
  const int n = cov.nCov;
  for (int g = 1; g <= 3; ++g) {
    cov.GridFactor[g] = 0.0;
    OneBased<double> P = cov.CovValues;
    cov.AnalyticalObjective = objective.Evaluate(P, -2, false);
    const OneBasedMatrix& modelHessian = session.Outputs.HESS;
    OneBasedMatrix H(n, n, 0.0);
    for (int k = 1; k <= n; ++k)
      for (int m = 1; m <= n; ++m)
        // Optimistic standard errors are conditional ones: the diagonal alone.
        if (k == m || !cov.Optimistic) H(k, m) = modelHessian(cov.CovIndex[k], cov.CovIndex[m]);
    InvertAndStore(session, H, g);
  }
  session.CovarianceView().CalculationsEnded();
  ui.SetStatusPanel(5, 1, "");
}

}  // namespace

void AskCovarianceConstant(Session& session) {
  Ui& ui = session.ui();
  CovarianceResults& cov = session.Covariance;
  const std::int32_t N = session.Outputs.NOBS;
  // A model's own constant; 0 when it suggests none.
  const double suggested =
      session.model() ? session.model()->ObjectiveConstant().value_or(0.0) : 0.0;
  for (;;) {
    ui.SetStatusPanel(5, 1, "");
    ui.PumpEvents();
    std::string prompt =
        "Enter the constant WHICH WILL MAKE the objective function the -ln[likelihood]\r\n";
    std::string proposal;
    if (suggested > 0.0) {
      prompt += "\r\nYour model suggests you use this constant: ";
      proposal = FormatPicture(suggested, "0.000");
    } else if (N >= 1) {
      // For a sum-of-squares objective S, -ln[L] near the minimum is
      // S (N - nCov) / (2 S0).
      prompt += "\r\nIf your objective function is the sum of squares, then use this constant: ";
      proposal = FormatPicture((N - cov.nCov) / (2.0 * cov.CovCenter), "0.0000000E+00");
    }
    const std::string answer = ui.AskValue(prompt, "Enter constant", proposal);
    if (answer.empty() || RefuseNotFinite(ui, answer, "Enter constant")) continue;
    const double c = LeadingNumber(answer);
    // ObjectiveScale is 1/c: a constant so small that its reciprocal
    // overflows (1E-310) would make it infinite.
    if (c > 0.0 && !std::isfinite(1.0 / c)) {
      ui.ShowMessage("The constant \"" + answer +
                         "\" is too small: its reciprocal is beyond the range of numbers (about "
                         "1.8E+308), so it cannot be used.\r\n\r\nPlease enter another value.",
                     "Enter constant", Icon::Exclamation);
      continue;
    }
    if (c > 0.0) {
      cov.ObjectiveScale = 1.0 / c;
      session.State.ObjectiveScale = cov.ObjectiveScale;
      return;
    }
    ui.ShowMessage(
        "Cannot accept a negative or zero constant; perhaps the degrees of freedom are zero or "
        "fewer",
        "Insufficient degrees of freedom", Icon::Exclamation);
  }
}

void AskOptimistic(Session& session) {
  session.Covariance.Optimistic =
      session.ui().AskYesNo(kOptimisticQuestion, "Calculate optimistic SEs only?", Icon::Question,
                            true) == Answer::Yes;
}

bool CovarianceCalculator(Session& session) {
  CovarianceResults& cov = session.Covariance;
  Ui& ui = session.ui();
  cov.CovRunning = true;
  bool completed = false;
  // "Yes" fails for a model without analytic derivatives, so Return then answers "No".
  const bool numericalByDefault = !OffersAnalyticDerivatives(session.model());
  switch (ui.AskYesNoCancel(kMethodQuestion, kTitle, Icon::Question, numericalByDefault)) {
    case Answer::Yes:
      Analytical(session);
      completed = cov.nCov > 0;
      break;
    case Answer::No:
      completed = Numerical(session) && cov.nCov > 0;
      if (!completed && !session.MainMenuIsOpen()) session.ShowMainMenu();
      break;
    default:
      session.ShowMainMenu();
      break;
  }
  if (completed) {
    cov.CovDisplayMode = "1";
    session.CovarianceView().OpenDisplay();
  }
  cov.CovRunning = false;
  return completed;
}

void CovarianceCommand(Session& session) {
  session.CloseResultWindows();
  session.CloseMainMenu();
  MainWindow& main = session.Main();
  main.SetApplicationMenuEnabled(false);
  if (session.State.CovarianceAvailable &&
      session.ui().AskYesNo("View the last set of calculated covariance results?", "Covariance",
                            Icon::Question) == Answer::Yes) {
    session.Covariance.CovDisplayMode = "0";
    session.CovarianceView().OpenDisplay();
    return;
  }
  // Only a calculation that produced results makes them available: one
  // cancelled on the way leaves what was there (an earlier calculation's
  // results while they still belong to the estimates, or none).
  if (CovarianceCalculator(session)) session.State.CovarianceAvailable = true;
  main.SetApplicationMenuEnabled(true);
}

}  // namespace quorvane

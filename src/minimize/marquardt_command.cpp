#include "minimize/marquardt_command.h"

#include "core/free_parameter_list.h"
#include "core/model.h"
#include "core/fuse_groups.h"
#include "minimize/marquardt_run.h"
#include "minimize/marquardt_window.h"
#include "app/main_window.h"
#include "app/results_change.h"
#include "app/session.h"

namespace quorvane {

namespace {

constexpr const char* kTitle = "Marquardt minimization";

constexpr const char* kKindQuestion =
    "Note: You must provide derivatives for calculating gradients and building the Hessian "
    "matrix.\r\n"
    "\r\n"
    "Numerical derivatives are provided automatically, whereas you must have provided "
    "analytical\r\n"
    "derivatives in your model code (i.e., in that section of Sub MODEL() accessed when "
    "NF=-2).\r\n"
    "\r\n"
    "WARNING: Analytical derivatives will fail if Bayesian prior probabilities contribute to the "
    "likelihood function.\r\n"
    "\r\n"
    "DO NOT USE ANALYTICAL DERIVATIVES IN CONJUNCTION WITH BAYESIAN PRIOR DISTRIBUTIONS!\r\n"
    "            THE PRIOR DISTRIBUTION FOR ALL PARAMETERS MUST BE UNIFORM-UNBOUNDED!\r\n"
    "\r\n"
    "Choose 'Yes' if you have provided ANALYTICAL derivatives; else 'No' to calculate NUMERICAL "
    "derivatives";

constexpr const char* kDisplayQuestion =
    "Do you want to see the partial derivatives of the likelihood function wrt the parameters at "
    "each iteration?\r\n"
    "\r\n"
    "If 'Yes', they will be displayed; then later choose 'Next iteration' to see the derivatives "
    "after the next iteration,\r\n"
    "           or 'Continue' to skip over the derivatives output.\r\n"
    "If 'No', then partial derivatives will not be displayed.\r\n"
    "\r\n"
    "Note: This is recommended and practical only for models with fewer than about a dozen "
    "parameters!\r\n"
    "           It is intended for use mainly during model building to verify the analytical "
    "derivative formulations.";

}  // namespace

bool ChooseDerivatives(Session& session) {
  Ui& ui = session.ui();
  MarquardtWindow& window = session.MarquardtView();
  window.DerivativeChoice = DerivativeKind::None;
  // "Yes" fails for a model without analytic derivatives, so Return then answers "No".
  const bool numericalByDefault = !OffersAnalyticDerivatives(session.model());
  switch (ui.AskYesNoCancel(kKindQuestion, kTitle, Icon::Question, numericalByDefault)) {
    case Answer::Yes:
      window.DerivativeChoice = DerivativeKind::Analytical;
      ui.ShowMessage("You have chosen ANALYTICAL derivatives - it's like choosing Coke", kTitle,
                     Icon::Information);
      break;
    case Answer::No:
      window.DerivativeChoice = DerivativeKind::Numerical;
      ui.ShowMessage("You have chosen NUMERICAL derivatives - it's like choosing Pepsi", kTitle,
                     Icon::Information);
      break;
    default:
      return false;
  }
  window.ShowDerivatives = ui.AskYesNo(kDisplayQuestion, kTitle, Icon::Question) == Answer::Yes;
  return true;
}

void MarquardtCommand(Session& session) {
  AppState& state = session.State;
  MainWindow& main = session.Main();
  state.MarquardtBusy = true;
  session.CloseResultWindows();
  session.SetMenuCommandsEnabled(false);
  main.SetApplicationMenuEnabled(false);

  // The questions are asked over the main menu, its commands disabled, so
  // the workspace is not empty behind them; the menu closes once they are
  // answered.
  if (!ChooseDerivatives(session)) {
    session.CloseMainMenu();
    session.ShowMainMenu();  // loading the menu again applies the enabling rule
    main.SetApplicationMenuEnabled(true);
    state.MarquardtBusy = false;
    return;
  }
  session.CloseMainMenu();

  BuildFuseGroups(session.Algorithm, session.Fuse);
  BuildFreeParameterList(session.Algorithm, session.Free);
  if (session.Free.FreeCount == 0) {
    session.ShowMainMenu();
    session.SetMenuCommandsEnabled(true);
    main.SetApplicationMenuEnabled(true);
    state.MarquardtBusy = false;
    session.ui().ShowMessage("All step sizes are zero", "There is nothing to do!",
                             Icon::Exclamation);
    return;
  }

  ForgetStaleResults(session, ResultsChange::EstimatesMoving);
  RunMarquardt(session);
  ForgetStaleResults(session, ResultsChange::EstimatesMovedOutsideSimplex);
  main.SetApplicationMenuEnabled(true);
  session.SetMenuCommandsEnabled(true);
  state.MarquardtBusy = false;
  // A run that ended by frustration or a singular system has closed its
  // window while the command was busy, so closing it could not bring the
  // menu back; without this the user would be left with no window.
  if (!session.MarquardtView().form().IsOpen()) session.ShowMainMenu();
}

}  // namespace quorvane

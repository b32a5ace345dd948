// The loader window "Load Bayesian priors" and the rules that switch priors on and off.
#include <algorithm>

#include "app/main_window.h"
#include "app/results_change.h"
#include "app/session.h"
#include "base/format/file_names.h"
#include "priors/evaluate_priors.h"
#include "priors/prior_windows.h"
#include "priors/priors_file_commands.h"

namespace quorvane {

namespace {

constexpr const char* kSetQuestion =
    "You have the choice to set Bayesian prior probability distributions for "
    "the parameters in your model.  If you choose to assume uniform-unbounded "
    "prior distributions for all parameters, then choose 'Yes' now.  Note that "
    "uniform-unbounded is the default prior distribution when no priors are specified."
    "\r\n\r\n"
    "Note that although you can add prior probability distributions to your model "
    "with this routine, there is nothing to stop you from doing the same as part "
    "of your model building in your subroutine MODEL.  For example, the "
    "addition of penalty functions in your model routine to restrict a "
    "parameter value to greater than zero is essentially adding a prior "
    "distribution equivalent to the 'cliff' distribution in this routine. "
    "\r\n\r\n"
    "If you wish to assume uniform-unbounded prior distributions for all parameters then choose 'No',"
    " otherwise choose 'Yes' to set prior distributions for selected parameters."
    "\r\n\r\n"
    "Note that a priors file applies to all algorithm files associated with the analysis."
    "\r\n";

}  // namespace

PriorWindows::PriorWindows(Session& session)
    : session_(session),
      loader_("frmPriorLoader", "Load Bayesian priors"),
      editor_("frmSetPriors", "Set prior distributions") {
  BuildLoader();
  BuildEditor();
  BuildEditorMenus();
  // The prior -ln[L] that the objective adds while PriorsActive; the terms
  // and the scaled total of the last evaluation are kept for the reports.
  session_.SetPriorObjective(
      [this](const OneBased<double>& P) {
        PriorTable& table = session_.Priors;
        if (table.Terms.size() != table.Rows.size()) table.Terms.assign(table.Rows.size(), 0.0);
        const double total = EvaluatePriors(table, P, session_.State.ObjectiveScale, table.Terms);
        session_.State.PriorTotal = total;
        return total;
      },
      [this](const OneBased<double>& P) {
        return EvaluatePriors(session_.Priors, P, session_.State.ObjectiveScale);
      });
}

void PriorWindows::BuildLoader() {
  loader_.Add(ControlKind::Button, "cmdOpen", "&Open an existing Bayesian Priors file").onClick =
      [this] { Open(); };
  loader_.Add(ControlKind::Button, "cmdSet", "&Set or reset prior distributions").onClick =
      [this] { Set(); };
  loader_.Add(ControlKind::Button, "cmdUniform", "Set &uniform-unbounded prior distributions")
      .onClick = [this] { SetAllUniform(); };
  loader_.Add(ControlKind::Button, "cmdCancel", "&Cancel").onClick = [this] {
    if (loader_.IsOpen()) session_.ui().CloseForm(loader_);
  };
  loader_.onClosed = [this] { OnLoaderClosed(); };
}

void PriorWindows::OpenLoader() {
  AppState& state = session_.State;
  state.PriorsActive = true;
  ForgetStaleResults(session_, ResultsChange::ObjectiveChanged);
  if (state.PriorsOpenedFromRanking) {
    if (onHideRanking) onHideRanking();
  } else {
    session_.HideMainMenu();
  }
  session_.ui().ShowForm(loader_);
}

// The closing rule: priors are active when any is not uniform-unbounded,
// and the window that opened the loader comes back. A loader that closes to
// hand over to the editor leaves the return to the editor.
void PriorWindows::OnLoaderClosed() {
  session_.State.PriorsActive = !session_.Priors.AllUniform();
  if (closing_quietly_) return;
  ReturnToOpener();
}

void PriorWindows::CloseLoaderQuietly() {
  closing_quietly_ = true;
  if (loader_.IsOpen()) session_.ui().CloseForm(loader_);
  closing_quietly_ = false;
}

void PriorWindows::ReturnToOpener() {
  AppState& state = session_.State;
  if (state.PriorsOpenedFromMenu) {
    state.PriorsOpenedFromMenu = false;
    session_.Main().SetApplicationMenuEnabled(true);
    session_.ShowMainMenu();
  }
  if (state.PriorsOpenedFromRanking) {
    state.PriorsOpenedFromRanking = false;
    if (onReturnToRanking) onReturnToRanking();
  }
}

void PriorWindows::Open() {
  const FileDialogRequest request{"Load Bayesian Priors file",
                                  "All files (*.*)|*.*|Bayesian priors files (*.pri)|*.pri", 2,
                                  ""};
  const std::optional<std::string> path = session_.ui().ChooseFileToOpen(request);
  if (!path) return;
  AppState& state = session_.State;
  state.PriorsFileName = *path;
  CloseLoaderQuietly();
  // Priors read from a file are active when any of them is set; a count
  // mismatch switches them off, a file that cannot be used changes nothing.
  if (ReadPriorsFile(session_)) state.PriorsActive = !session_.Priors.AllUniform();
  ShowEditor();
  state.PriorsFileTitle = FileTitle(state.PriorsFileName);
  session_.ui().SetStatusPanel(1, 2, "Bayesian priors file: " + state.PriorsFileTitle);
}

void PriorWindows::Set() {
  Ui& ui = session_.ui();
  AppState& state = session_.State;
  // The loader hands over without its closing rule: PriorsActive stays on
  // while the priors are being set.
  closing_quietly_ = true;
  if (loader_.IsOpen()) ui.CloseForm(loader_);
  closing_quietly_ = false;
  state.PriorsActive = true;
  if (!session_.Priors.AllUniform()) {
    ShowEditor();
    return;
  }
  if (ui.AskYesNo(kSetQuestion, "Setting Bayesian Priors", Icon::Question) == Answer::No) {
    ResetToUniform();
    return;
  }
  ShowEditor();
  if (state.PriorsFileName.empty()) state.PriorsFileName = DateTimeFileName(".pri");
  state.PriorsFileTitle = FileTitle(state.PriorsFileName);
  ui.SetStatusPanel(1, 2, "Bayesian priors file: " + state.PriorsFileTitle);
}

void PriorWindows::SetAllUniform() {
  CloseLoaderQuietly();
  ResetToUniform();
}

// Every prior to uniform-unbounded: priors off, the user told, and back to
// the window that opened the loader.
void PriorWindows::ResetToUniform() {
  session_.Priors.Reset(session_.Algorithm.ParameterCount);
  session_.State.PriorsActive = false;
  Ui& ui = session_.ui();
  ui.SetStatusPanel(1, 2, "Bayesian priors file: ");
  ui.ShowMessage("Prior probabilities have been set to default (uniform-unbounded) values",
                 "Default prior probabilities", Icon::Information);
  ReturnToOpener();
}

}  // namespace quorvane

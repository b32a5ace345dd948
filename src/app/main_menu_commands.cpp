// The main menu's commands. Each hands over to the window of the subsystem
// that owns its logic; commands whose windows do not exist yet say so.
#include "core/algorithm_editor.h"
#include "core/evaluate_objective.h"
#include "core/free_parameter_list.h"
#include "core/fuse_groups.h"
#include "core/load_algorithm_data.h"
#include "core/one_function_call.h"
#include "core/save_algorithm_data.h"
#include "covariance/covariance_command.h"
#include "evaluate/evaluation_windows.h"
#include "minimize/marquardt_command.h"
#include "minimize/simplex_command.h"
#include "priors/prior_windows.h"
#include "multimodel/rank_window.h"
#include "app/main_menu.h"
#include "app/main_window.h"
#include "app/session.h"

namespace quorvane {

void MainMenu::Initialize() {
  session_.Main().ClearAllStatusPanels();
  AppState& state = session_.State;
  if (!state.AlgorithmFileName.empty()) {
    Answer answer = session_.ui().AskYesNoCancel(
        "Algorithm data will be lost during this initialization.\r\n\r\n"
        "  Do you need to save current algorithm data?",
        "Initialize", Icon::Exclamation);
    if (answer == Answer::Cancel) return;
    if (answer == Answer::Yes) SaveAlgorithmData();
    state.AlgorithmFileName.clear();
    SetCommandsEnabled(false);
    form_.SetEnabled("cmdInitialize", true);
    form_.SetEnabled("cmdLoadAlg", true);
  }
  if (!session_.OpenModelSetUp) {
    session_.ui().ShowMessage("This model has no set-up window: load or edit its algorithm data.",
                              "Initialize", Icon::Information);
    return;
  }
  session_.OpenModelSetUp();
  form_.SetEnabled(false);
  Close();
}

void MainMenu::LoadAlgorithmData() {
  session_.CloseResultWindows();
  quorvane::LoadAlgorithmData(session_);
}

void MainMenu::EditAlgorithmData() {
  session_.CloseResultWindows();
  SetCommandsEnabled(false);
  AppState& state = session_.State;
  state.EditorOpenedFromMenu = true;
  state.EditorRestrictions.ClearAll();
  session_.Editor().Open();
  SetCommandsEnabled(true);
  form_.SetEnabled("cmdInitialize", false);
  form_.SetEnabled("cmdLoadAlg", false);
  Hide();
}

void MainMenu::SaveAlgorithmData() {
  session_.CloseResultWindows();
  SetCommandsEnabled(false);
  Save_Alg(session_);
  SetCommandsEnabled(true);
}

void MainMenu::Simplex() { SimplexCommand(session_); }

void MainMenu::Marquardt() { MarquardtCommand(session_); }

void MainMenu::SingleModelResults() {
  session_.CloseResultWindows();
  Close();
  session_.Main().SetApplicationMenuEnabled(false);
  AlgorithmData& data = session_.Algorithm;
  BuildFuseGroups(data, session_.Fuse);
  // One evaluation at the current values makes them the model's kept
  // results; with every value zero there is nothing to evaluate.
  bool anyValue = false;
  for (int i = 1; i <= data.Values.size(); ++i) anyValue = anyValue || data.Values[i] != 0.0;
  Ui& ui = session_.ui();
  if (anyValue) {
    ui.SetStatusPanel(5, 1, "One moment please while one function call is executed...");
    EvaluateObjective(session_, data.Values, 1, false);
    ui.SetStatusPanel(5, 1, "");
  }
  EvaluateObjective(session_, data.Values, -1, false);  // the model writes its summary
  session_.Main().SetApplicationMenuEnabled(true);
}

void MainMenu::OneFunctionCall() {
  session_.CloseResultWindows();
  SetCommandsEnabled(false);
  Close();
  session_.Main().SetApplicationMenuEnabled(false);
  BuildFuseGroups(session_.Algorithm, session_.Fuse);
  BuildFreeParameterList(session_.Algorithm, session_.Free);
  session_.OneCall().OneFunctionCall();
  session_.Main().SetApplicationMenuEnabled(true);
}

void MainMenu::SingleModelCovariances() { CovarianceCommand(session_); }

void MainMenu::SetBayesianPriors() {
  session_.CloseResultWindows();
  Close();
  session_.Main().SetApplicationMenuEnabled(false);
  session_.State.PriorsOpenedFromMenu = true;
  session_.PriorsView().OpenLoader();
}

void MainMenu::EvaluateParameterEstimates() {
  session_.CloseResultWindows();
  Close();
  session_.Main().SetApplicationMenuEnabled(false);
  session_.EvaluationViews().OpenChoice();
}

void MainMenu::MultiModelStatistics() {
  Close();
  session_.Ranking().Open();
}

void MainMenu::Quit() { session_.QuitApplication(); }

}  // namespace quorvane

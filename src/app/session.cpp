#include "app/session.h"

#include "app/subsystem_links.h"

#include "core/algorithm_editor.h"
#include "core/one_function_call.h"
#include "covariance/covariance_windows.h"
#include "evaluate/bayesian_statistics_window.h"
#include "evaluate/evaluation_windows.h"
#include "minimize/marquardt_window.h"
#include "minimize/simplex_window.h"
#include "priors/prior_windows.h"
#include "priors/priors_file_commands.h"
#include "multimodel/rank_window.h"
#include "app/info_windows.h"
#include "app/main_menu.h"
#include "app/main_window.h"
#include "base/ui/status_bars.h"

#include <stdexcept>

namespace quorvane {

Session::Session(Ui& ui, Model* model)
    : ui_(ui),
      model_(model),
      main_window_(std::make_unique<MainWindow>(*this)),
      main_menu_(std::make_unique<MainMenu>(*this)),
      info_windows_(std::make_unique<InfoWindows>(*this)),
      editor_(std::make_unique<AlgorithmEditor>(*this)),
      one_call_(std::make_unique<OneFunctionCallWindow>(*this)),
      marquardt_window_(std::make_unique<MarquardtWindow>(*this)),
      simplex_window_(std::make_unique<SimplexWindow>(*this)),
      covariance_windows_(std::make_unique<CovarianceWindows>(*this)),
      prior_windows_(std::make_unique<PriorWindows>(*this)),
      rank_window_(std::make_unique<RankWindow>(*this)),
      evaluation_windows_(std::make_unique<EvaluationWindows>(*this)),
      bayesian_window_(std::make_unique<BayesianStatisticsWindow>(*this)) {
  if (model_) model_->AttachUi(ui_);
  ui_.OnUnexpectedError = [this](const std::string& what) { RecoverFromUnexpectedError(what); };
  LinkSubsystems(*this);
}

Session::~Session() { ui_.OnUnexpectedError = nullptr; }

void Session::RecoverFromUnexpectedError(const std::string& what) {
  ui_.ShowMessage("The action stopped because of an unexpected error:\r\n" + what +
                      "\r\n\r\nThe algorithm data and the estimates are kept; the main menu "
                      "can save them.",
                  "Unexpected error", Icon::Critical);
  State.SimplexBusy = false;
  State.MarquardtBusy = false;
  State.ProfileMode = false;
  State.PosteriorMode = false;
  State.PriorProfileMode = false;
  main_window_->SetApplicationMenuEnabled(true);
  // Closing and showing the menu again re-applies its enabling rule.
  main_menu_->Close();
  main_menu_->Show();
}

void Session::Start() {
  State = AppState{};
  State.EditorRestrictions.ClearAll();
  ui_.ShowForm(main_window_->form());
  for (int bar = 0; bar < kStatusBarCount; ++bar) ui_.ShowStatusBar(bar, StatusBarVisibleAtStart(bar));
  main_menu_->Show();
}

Objective Session::MakeObjective() {
  if (!model_) throw std::logic_error("the objective needs a model");
  return Objective(*model_, Algorithm, Fuse, State, Outputs, priorObjective_, &concurrentPriorObjective_);
}

void Session::ShowMainMenu() { main_menu_->Show(); }
void Session::HideMainMenu() { main_menu_->Hide(); }
void Session::CloseMainMenu() { main_menu_->Close(); }
bool Session::MainMenuIsOpen() { return main_menu_->form().IsOpen(); }
void Session::SetMainMenuEnabled(bool enabled) { main_menu_->form().SetEnabled(enabled); }
void Session::SetMenuCommandsEnabled(bool enabled) { main_menu_->SetCommandsEnabled(enabled); }
void Session::SetMenuCommandEnabled(const char* command, bool enabled) {
  main_menu_->form().SetEnabled(command, enabled);
}
void Session::UseResultsSummaryCaption() { main_menu_->UseResultsSummaryCaption(); }

void Session::CloseResultWindows() {
  for (Form* form : result_windows_)
    if (form->IsOpen()) ui_.CloseForm(*form);
}

bool Session::QuitApplication() {
  if (ui_.AskYesNo("Do you want to quit Quorvane?", "Exit Quorvane", Icon::Question, true) !=
      Answer::Yes)
    return false;
  // From here on the sequence never stops halfway.
  if (ui_.AskYesNo("Save algorithm data?", "What about algorithm data?", Icon::Question) ==
      Answer::Yes)
    main_menu_->SaveAlgorithmData();
  if (!Priors.AllUniform() &&
      ui_.AskYesNo("Save Bayesian priors?", "What about Bayesian priors?", Icon::Question) ==
          Answer::Yes)
    Save_Priors(*this, PriorsSaveFrom::MainMenu);
  if (Log.IsOpen()) Log.Close();
  ui_.EndApplication(0);
  return true;
}

}  // namespace quorvane

#include "shell/session.h"

#include "core/algorithm_editor.h"
#include "core/one_function_call.h"
#include "minimize/marquardt_window.h"
#include "minimize/simplex_window.h"
#include "shell/info_windows.h"
#include "shell/main_menu.h"
#include "shell/main_window.h"
#include "shell/ui/status_bars.h"

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
      simplex_window_(std::make_unique<SimplexWindow>(*this)) {
  if (model_) model_->AttachUi(ui_);
}

Session::~Session() = default;

void Session::Start() {
  State = AppState{};
  State.EditorRestrictions.ClearAll();
  ui_.ShowForm(main_window_->form());
  for (int bar = 0; bar < kStatusBarCount; ++bar) ui_.ShowStatusBar(bar, StatusBarVisibleAtStart(bar));
  main_menu_->Show();
}

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
    ui_.ShowMessage("This command is not available yet", "Save Bayesian priors",
                    Icon::Information);
  if (Log.IsOpen()) Log.Close();
  ui_.EndApplication(0);
  return true;
}

}  // namespace quorvane

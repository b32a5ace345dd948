#include "app/main_menu.h"

#include "app/main_window.h"
#include "app/session.h"

namespace quorvane {

namespace {

struct ButtonSpec {
  const char* name;
  const char* caption;
  const char* toolTip;
  void (MainMenu::*command)();
};

}  // namespace

MainMenu::MainMenu(Session& session) : session_(session), form_("frmMenu", "Main menu") {
  Build();
}

void MainMenu::Build() {
  const auto button = [this](const ButtonSpec& spec) {
    Control& c = form_.Add(ControlKind::Button, spec.name, spec.caption);
    c.toolTip = spec.toolTip;
    c.onClick = [this, command = spec.command] { (this->*command)(); };
  };

  form_.BeginRow();
  form_.Add(ControlKind::Surface, "picLogo");
  form_.BeginColumn();
  form_.Add(ControlKind::Label, "lblWelcome",
            "Welcome to Quorvane: a parameter estimation and evaluation infrastructure for "
            "non-linear models");
  form_.Add(ControlKind::Label, "lblModelName");
  form_.End();
  form_.End();

  form_.BeginRow();
  form_.BeginColumn();
  button({"cmdInitialize", "&Initialize model",
          "Loads a form that tells you how to prepare your data and initialize your model",
          &MainMenu::Initialize});
  button({"cmdLoadAlg", "&Load algorithm data",
          "Loads or creates a file that contains parameter estimates and other info used by the "
          "minimization algorithms",
          &MainMenu::LoadAlgorithmData});
  button({"cmdEditAlg", "&Edit  algorithm data", "Allows you to edit the algorithm data",
          &MainMenu::EditAlgorithmData});
  button({"cmdSaveAlg", "&Save algorithm data", "Allows you to save the algorithm data",
          &MainMenu::SaveAlgorithmData});
  form_.Add(ControlKind::Label, "lblMinimize", "Minimize with...");
  button({"cmdSimplex", "Simple&x", "Searches for an objective function minimum using simplex geometry",
          &MainMenu::Simplex});
  button({"cmdMarquardt", "&Marquardt",
          "Searches for an objective function minimum using numerical (automatic) or analytical "
          "(if user-supplied) derivatives",
          &MainMenu::Marquardt});
  form_.End();
  form_.BeginColumn();
  button({"cmdUserSummary", "&Single model results",
          "Produces a saveable summary (and perhaps plots) of the results for a single model at "
          "the current parameter estimates",
          &MainMenu::SingleModelResults});
  button({"cmdOneFunction", "&1 Function call",
          "Calculates the objective function at the current parameter estimates",
          &MainMenu::OneFunctionCall});
  button({"cmdCovariance", "&Single model covariances",
          "Produces an asymptotically consistent (i.e., central limit theorem applies when sample "
          "size is large) covariance matrix of the estimated parameters",
          &MainMenu::SingleModelCovariances});
  button({"cmdBayesian", "Set &Bayesian priors",
          "Allows you to assign Bayesian prior probabilities to the parameters to be estimated",
          &MainMenu::SetBayesianPriors});
  button({"cmdParEstimate", "E&valuate single model parameter estimates",
          "Uses maximum-likelihood or Bayesian procedures to assess individual parameter estimates",
          &MainMenu::EvaluateParameterEstimates});
  button({"cmdRank", "&Multi-model statistics",
          "Uses AICc to rank and average among the best competing models",
          &MainMenu::MultiModelStatistics});
  button({"cmdQuit", "&Quit", "Quit Quorvane", &MainMenu::Quit});
  form_.End();
  form_.End();

  // As first built, only Initialize and Quit can be pressed.
  for (const char* name : kCommands) form_.SetEnabled(name, false);
  form_.SetEnabled("cmdInitialize", true);

  // The picture: a likelihood-like curve with its minimum marked.
  Surface logo;
  logo.SetScale(-1.2, 1.1, 1.2, -0.1);
  std::vector<SurfacePoint> curve;
  for (int i = 0; i <= 48; ++i) {
    double x = -1.0 + i / 24.0;
    curve.push_back({x, 0.9 * x * x + 0.05});
  }
  logo.AddPolyline(std::move(curve), 1);
  logo.AddLine(0.0, -0.05, 0.0, 1.0, 8, LineStyle::Dotted);
  logo.AddCircle(0.0, 0.05, 4.0, 12);
  form_.SetSurface("picLogo", std::move(logo));
}

void MainMenu::Load() {
  if (Model* model = session_.model()) session_.State.ModelName = model->Name();
  ApplyMenuEnabling();
  loaded_ = true;
}

void MainMenu::Show() {
  if (!loaded_) Load();
  session_.ui().ShowForm(form_);
}

void MainMenu::Hide() {
  if (form_.IsOpen()) session_.ui().CloseForm(form_);
}

void MainMenu::Close() {
  Hide();
  loaded_ = false;
}

void MainMenu::ApplyMenuEnabling() {
  const AppState& state = session_.State;
  if (!state.InitializeAlready) {
    // The window as first built: Initialize and Quit only.
    for (const char* name : kCommands) form_.SetEnabled(name, false);
    form_.SetEnabled("cmdInitialize", true);
  } else if (!state.AlgorithmFileName.empty()) {
    SetCommandsEnabled(true);
  } else {
    SetCommandsEnabled(false);
    form_.SetEnabled("cmdInitialize", true);
    form_.SetEnabled("cmdLoadAlg", true);
  }
  form_.SetCaption("lblModelName", state.ModelName);
}

void MainMenu::SetCommandsEnabled(bool enabled) {
  for (const char* name : kCommands) form_.SetEnabled(name, enabled);
  form_.SetEnabled("cmdQuit", true);
}

void MainMenu::UseResultsSummaryCaption() {
  form_.SetCaption("cmdUserSummary", "Res&ults Summary");
  form_.SetToolTip("cmdUserSummary",
                   "Produces a saveable summary (and perhaps plots) of model results for the "
                   "current parameter estimates");
}

}  // namespace quorvane

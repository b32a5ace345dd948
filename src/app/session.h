#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <optional>
#include <vector>

#include "core/algorithm_data.h"
#include "core/free_parameter_list.h"
#include "core/evaluation_threads.h"
#include "core/fuse_groups.h"
#include "core/log_file.h"
#include "core/model.h"
#include "core/model_outputs.h"
#include "core/objective.h"
#include "core/one_based.h"
#include "evaluate/bivariate_grid.h"
#include "evaluate/evaluation_series.h"
#include "minimize/simplex_state.h"
#include "priors/prior_table.h"
#include "plot/plot_table.h"
#include "core/app_state.h"
#include "covariance/covariance_results.h"
#include "base/ui/form.h"
#include "base/ui/ui.h"

namespace quorvane {

class MainWindow;
class MainMenu;
class InfoWindows;
class AlgorithmEditor;
class OneFunctionCallWindow;
class MarquardtWindow;
class SimplexWindow;
class CovarianceWindows;
class PriorWindows;
class RankWindow;
class EvaluationWindows;
class BayesianStatisticsWindow;

// Everything that lives for the whole run: the application state, the model,
// the records of every subsystem and the windows. main() makes one and
// passes it by reference; tests make a fresh one each.
class Session {
 public:
  // The model may be null, for tests of the application alone.
  Session(Ui& ui, Model* model);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  Ui& ui() { return ui_; }
  Model* model() { return model_; }

  AppState State;
  PriorTable Priors;

  // The estimation core's records.
  AlgorithmData Algorithm;
  FuseGroups Fuse;            // as of the last BuildFuseGroups
  FreeParameterList Free;     // as of the last BuildFreeParameterList
  std::int32_t FunctionCallCount = 0;  // the running call count of a minimisation
  ModelOutputs Outputs;       // NOBS, GRAD, HESS and NSAMPLE of the model's last call
  LogFile Log;                // the minimisation log file
  SimplexState Simplex;

  // Covariance analysis: its state and per-grid results, and its two windows.
  CovarianceResults Covariance;
  CovarianceWindows& CovarianceView() { return *covariance_windows_; }
  // Plotting: the table the plot windows draw.
  PlotTable Plots;

  // The prior -ln[L] at P in objective units (already multiplied by
  // ObjectiveScale), added by EvaluateObjective while PriorsActive; empty:
  // no prior terms. The priors subsystem sets it together with the same
  // value computed without keeping the terms or the total, which is safe on
  // worker threads (empty: grids with priors on run on this thread). Set as
  // a pair, the copies that threaded grids evaluate can never add a prior
  // other than the one this thread adds.
  void SetPriorObjective(PriorTerm keeping, PriorTerm concurrent = {}) {
    priorObjective_ = std::move(keeping);
    concurrentPriorObjective_ = std::move(concurrent);
  }
  const PriorTerm& PriorObjective() const { return priorObjective_; }
  // The review of the current values against the priors, shown after a
  // single function call while PriorsActive; empty: none.
  std::function<void()> ReviewPriors;
  // The number of workers a grid uses (1: on this thread).
  int EvaluationThreads = EvaluationThreadCount();
  // Bayesian priors: the loader and editor windows, and the prior editor's
  // "&Profile prior distributions" (empty: not available).
  PriorWindows& PriorsView() { return *prior_windows_; }
  std::function<void()> ProfilePriorDistributions;
  // Runs whenever values, steps or fuse codes are about to be edited, so
  // results that belong to the old parameter set can be forgotten.
  std::function<void()> OnParameterSetEdited;
  // Opens the model's set-up window; the model that the application carries
  // fills it. Empty: the model needs no set-up window.
  std::function<void()> OpenModelSetUp;

  // Parameter evaluation: the series shared by the likelihood profile, the
  // posterior grid and the prior profiles, its windows, and the hooks it
  // calls into other subsystems (each empty-safe: empty means unavailable).
  //   RunPosterior: the Bayesian posterior grid, started by cmdBP.
  //   CovarianceSd(grid, k): the standard error of free parameter k (1-based
  //     free index) from covariance grid 1, 2 or 3; nothing when unavailable.
  //   ShowDistributionPlots: offers the seven distribution plots of Evaluation.
  //   AskCovarianceConstant: the covariance constant dialog, which sets
  //     State.ObjectiveScale; false when the user cancelled it.
  EvaluationSeries Evaluation;
  std::function<void()> RunPosterior;
  std::function<std::optional<double>(int grid, int freeIndex)> CovarianceSd;
  std::function<void()> ShowDistributionPlots;
  std::function<bool()> AskCovarianceConstant;
  EvaluationWindows& EvaluationViews() { return *evaluation_windows_; }

  // Bayesian posterior grid: the joint density of the last run with one grid
  // parameter, the window "Bayesian statistics", and the bivariate plot the
  // plots subsystem draws (empty: no plot is shown).
  BivariateGrid Bivariate;
  std::function<void(const BivariateGrid&)> ShowBivariatePlot;
  BayesianStatisticsWindow& BayesianView() { return *bayesian_window_; }

  // The objective -ln[L] on this session's model and records. The session
  // must have a model.
  Objective MakeObjective();

  // The narrow calls through which windows and commands outside the
  // application layer show, hide and enable the main menu.
  void ShowMainMenu();
  void HideMainMenu();
  void CloseMainMenu();
  bool MainMenuIsOpen();
  void SetMainMenuEnabled(bool enabled);           // the whole window
  void SetMenuCommandsEnabled(bool enabled);       // the twelve commands other than Quit
  void SetMenuCommandEnabled(const char* command, bool enabled);
  void UseResultsSummaryCaption();

  MainWindow& Main() { return *main_window_; }
  MainMenu& Menu() { return *main_menu_; }
  InfoWindows& Info() { return *info_windows_; }
  AlgorithmEditor& Editor() { return *editor_; }
  OneFunctionCallWindow& OneCall() { return *one_call_; }
  MarquardtWindow& MarquardtView() { return *marquardt_window_; }
  SimplexWindow& SimplexView() { return *simplex_window_; }
  // Multi-model statistics: the ranking window.
  RankWindow& Ranking() { return *rank_window_; }

  // Windows closed before a new calculation starts: the one-function-call,
  // Simplex and Marquardt windows register themselves here. Reports the
  // user may edit before saving them stay open.
  void RegisterResultWindow(Form& form) { result_windows_.push_back(&form); }
  void CloseResultWindows();

  // Start-up: state at its initial values, the main window and the main menu shown.
  void Start();

  // After a user action failed unexpectedly: tells the user, clears the busy
  // flags of the calculation that failed and shows the main menu again, so
  // the algorithm data and estimates can still be saved.
  void RecoverFromUnexpectedError(const std::string& what);

  // The quit sequence. Returns false when the user declined to quit, so a
  // closing main window can stay open; otherwise the application ends.
  bool QuitApplication();

 private:
  // Before the windows: the priors windows set them while they are built.
  PriorTerm priorObjective_;
  PriorTerm concurrentPriorObjective_;
  Ui& ui_;
  Model* model_;
  std::vector<Form*> result_windows_;
  std::unique_ptr<MainWindow> main_window_;
  std::unique_ptr<MainMenu> main_menu_;
  std::unique_ptr<InfoWindows> info_windows_;
  std::unique_ptr<AlgorithmEditor> editor_;
  std::unique_ptr<OneFunctionCallWindow> one_call_;
  std::unique_ptr<MarquardtWindow> marquardt_window_;
  std::unique_ptr<SimplexWindow> simplex_window_;
  std::unique_ptr<CovarianceWindows> covariance_windows_;
  std::unique_ptr<PriorWindows> prior_windows_;
  std::unique_ptr<RankWindow> rank_window_;  // multi-model statistics
  std::unique_ptr<EvaluationWindows> evaluation_windows_;
  std::unique_ptr<BayesianStatisticsWindow> bayesian_window_;
};

}  // namespace quorvane

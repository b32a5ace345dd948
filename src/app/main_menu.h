#pragma once

#include <array>
#include <string>

#include "base/ui/form.h"

namespace quorvane {

class Session;

// The main menu window frmMenu: thirteen command buttons through which the
// user drives every calculation, and the rule that enables them.
class MainMenu {
 public:
  // The twelve commands other than cmdQuit, which is never disabled.
  static constexpr std::array<const char*, 12> kCommands = {
      "cmdInitialize", "cmdLoadAlg",     "cmdEditAlg",    "cmdSaveAlg",
      "cmdSimplex",    "cmdMarquardt",   "cmdUserSummary", "cmdOneFunction",
      "cmdCovariance", "cmdBayesian",    "cmdParEstimate", "cmdRank"};

  explicit MainMenu(Session& session);

  Form& form() { return form_; }

  // Shows the window. When it was closed (not merely hidden) it is loaded
  // again first: the model name is read and the enabling rule applied.
  void Show();
  // Hides the window; showing it again keeps the buttons as they are.
  void Hide();
  // Closes the window; showing it again re-applies the enabling rule.
  void Close();

  void ApplyMenuEnabling();
  void SetCommandsEnabled(bool enabled);
  // The results command's caption once there are results to summarise.
  void UseResultsSummaryCaption();

  // The commands, as the buttons run them.
  void Initialize();
  void LoadAlgorithmData();
  void EditAlgorithmData();
  void SaveAlgorithmData();
  void Simplex();
  void Marquardt();
  void SingleModelResults();
  void OneFunctionCall();
  void SingleModelCovariances();
  void SetBayesianPriors();
  void EvaluateParameterEstimates();
  void MultiModelStatistics();
  void Quit();

 private:
  void Load();
  void Build();

  Session& session_;
  Form form_;
  bool loaded_ = false;
};

}  // namespace quorvane

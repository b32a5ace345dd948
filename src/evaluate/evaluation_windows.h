#pragma once

#include "base/ui/form.h"
#include "evaluate/evaluation_series.h"

namespace quorvane {

class Session;

// The window "Evaluation of estimates", from which the user starts a
// maximum-likelihood profile or a Bayesian posterior grid, and the window
// "Maximum likelihood statistics" that shows a profile's report, saves it
// as a .mlc file and exports the profile's series as CSV.
class EvaluationWindows {
 public:
  explicit EvaluationWindows(Session& session);

  Form& Choice() { return choice_; }
  Form& Statistics() { return statistics_; }

  // Opens "Evaluation of estimates" (the main menu's command).
  void OpenChoice();
  // Shows the report text in "Maximum likelihood statistics"; the
  // session's evaluation series are the report's, kept for the export.
  void ShowStatistics(const std::string& report);
  // cmdSaveML.
  void SaveStatistics();
  // cmdExportCsv: the series of the report shown.
  void ExportSeries();

 private:
  void CloseChoice();

  Session& session_;
  Form choice_;
  Form statistics_;
  bool running_ = false;  // a calculation started from the choice window is running
  EvaluationSeries shown_;  // the series of the report shown
};

}  // namespace quorvane

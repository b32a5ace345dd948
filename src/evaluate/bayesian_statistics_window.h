#pragma once

#include <functional>
#include <string>

#include "base/ui/form.h"
#include "evaluate/evaluation_series.h"

namespace quorvane {

class Session;

// The window "Bayesian statistics": the posterior report in the text pane
// rtbBayesian, which the user may edit, the command that saves the pane as
// a .pos file, "Export as CSV..." for the posterior's series, and an
// interrupt command for a running posterior grid.
class BayesianStatisticsWindow {
 public:
  explicit BayesianStatisticsWindow(Session& session);

  Form& form() { return form_; }

  // Replaces the pane's text with the report and shows the window; the
  // session's evaluation series are the report's, kept for the export.
  void ShowReport(std::string text);
  // cmdSaveBayesian: asks for a .pos file and saves the pane, prefixed with
  // the line naming the file, atomically.
  void SaveReport();
  // The interrupt command is enabled only while a posterior grid runs.
  void SetInterruptEnabled(bool enabled);
  // cmdExportCsv: the series of the report shown.
  void ExportSeries();

  // Shows the ranking window again when that window opened this one; empty
  // while there is no ranking window.
  std::function<void()> onReturnToRanking;
  bool OpenedFromRanking = false;

 private:
  void Closed();

  Session& session_;
  Form form_;
  EvaluationSeries shown_;  // the series of the report shown
};

}  // namespace quorvane

#pragma once

#include <functional>
#include <optional>

#include "base/ui/form.h"
#include "tfn/summary/residual_plot_window.h"
#include "tfn/summary/summary_diagnostics.h"
#include "tfn/summary/write_summary.h"
#include "tfn/tfn_model.h"

namespace quorvane {

class Session;

// The results summary window frmSummary: the report in the text pane
// rtbOut, which the user may edit, the command "Save summary", which saves
// the pane as a .qvo file, "Export as CSV...", which saves the series of
// the summary's tables as one comma-separated table, and "&Residual
// plots..." (button cmdResidualPlots and menu item Results>Residual
// plots...), which opens the plots of the residuals of the fit summarised.
// Closing it shows the main menu again.
class SummaryWindow {
 public:
  SummaryWindow(Session& session, const TfnModel& model);

  Form& form() { return form_; }

  // The model's summary call (NF = -1): writes the report of the kept best
  // evaluation into the window, then asks whether to view the plots.
  void WriteSummary();
  // "Save summary".
  void SaveSummary();
  // "Export as CSV..." (button cmdExportCsv and menu item Results>Export as CSV...).
  void ExportSummaryCsv();
  // A new set-up: the held diagnostics and the last results are forgotten.
  void Reset();

  // What the last summary computed; the series plots draw its fit and
  // residuals in the units of the observed series. None before the first
  // summary of a set-up, or when there was nothing to summarise.
  const std::optional<SummaryResults>& Results() const { return results_; }

  // Replaces the series plots shown when the user asks for them; while
  // empty, the plot table is filled with the series of the fit and the XY
  // plot window opens on it.
  std::function<void()> showPlots;
  // "&Forecast..." (button cmdForecast and menu item Results>Forecast...);
  // empty: nothing happens.
  std::function<void()> onForecast;

  // "&Residual plots...": the ACF, PACF and normal Q-Q plots of the
  // residuals of the last summary; nothing before one.
  void ShowResidualPlots();
  ResidualPlotWindow& ResidualPlots() { return residualPlots_; }

 private:
  void AskForPlots();

  Session& session_;
  const TfnModel& model_;
  Form form_;
  SummaryDiagnostics diagnostics_;
  std::optional<SummaryResults> results_;
  ResidualPlotWindow residualPlots_;
};

}  // namespace quorvane

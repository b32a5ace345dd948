#include "tfn/summary/summary_window.h"

#include "base/files/text_file.h"
#include "base/ui/export_csv.h"
#include "app/session.h"
#include "plot/xy_plot_window.h"
#include "tfn/plot_data/series_plot_table.h"
#include "tfn/summary/summary_csv.h"
#include "tfn/summary/summary_file.h"

namespace quorvane {

namespace {

// The grid whose standard errors the summary's table shows: grid 3, whose
// steps are the smallest, unless it has no results (interrupted, or its
// Hessian not positive-definite); then grid 2, then grid 1.
constexpr int kGridOrder[] = {3, 2, 1};

// The standard errors of the last covariance analysis, when it was made at
// the values being summarised.
std::optional<CovarianceStandardErrors> CurrentStandardErrors(const Session& session,
                                                              const TfnBestEvaluation& best) {
  const CovarianceResults& cov = session.Covariance;
  if (!session.State.CovarianceAvailable || cov.CovValues.size() != static_cast<int>(best.Parameters.size()))
    return std::nullopt;
  for (int i = 1; i <= cov.CovValues.size(); ++i)
    if (cov.CovValues[i] != best.Parameters[static_cast<size_t>(i - 1)]) return std::nullopt;
  for (int grid : kGridOrder) {
    CovarianceStandardErrors errors;
    errors.Grid = grid;
    errors.GridFactor = cov.GridFactor[grid];
    errors.Analytical = cov.CovarianceMethod == "A";
    errors.Optimistic = cov.Optimistic;
    errors.Values = best.Parameters;
    bool any = false;
    for (int p = 1; p <= cov.CovValues.size(); ++p) {
      errors.StandardError.push_back(CovarianceStandardDeviation(cov, grid, p));
      any = any || errors.StandardError.back().has_value();
    }
    if (any) return errors;
  }
  return std::nullopt;
}

}  // namespace

SummaryWindow::SummaryWindow(Session& session, const TfnModel& model)
    : session_(session), model_(model), form_("frmSummary", "Results summary"),
      residualPlots_(session.ui()) {
  // Forecasts from the fitted model: a button beside "Save summary" and the
  // same command in the window's menu.
  const auto forecast = [this] {
    if (onForecast) onForecast();
  };
  const auto exportCsv = [this] { ExportSummaryCsv(); };
  MenuItem results = MenuCommand("mnuResults", "&Results", "", nullptr);
  const auto residualPlots = [this] { ShowResidualPlots(); };
  results.items = {MenuCommand("mnuForecast", "&Forecast...", "Ctrl+F", forecast),
                   MenuCommand("mnuExportCsv", "Export as CSV...", "", exportCsv),
                   MenuCommand("mnuResidualPlots", "&Residual plots...", "Ctrl+R", residualPlots)};
  form_.AddMenu(std::move(results));
  form_.BeginColumn();
  form_.BeginRow();
  form_.Add(ControlKind::Button, "cmdSaveSummary", "Save summary").onClick = [this] { SaveSummary(); };
  form_.Add(ControlKind::Button, "cmdExportCsv", "Export as CSV...").onClick = exportCsv;
  form_.Add(ControlKind::Button, "cmdForecast", "&Forecast...").onClick = forecast;
  form_.Add(ControlKind::Button, "cmdResidualPlots", "&Residual plots...").onClick = residualPlots;
  form_.End();
  Control& pane = form_.Add(ControlKind::TextPane, "rtbOut");
  pane.readOnly = false;  // the user may edit the report before saving it
  form_.End();
  form_.onClosed = [this] {
    residualPlots_.Close();
    session_.ShowMainMenu();
  };
}

void SummaryWindow::Reset() {
  diagnostics_.Reset();
  results_.reset();
  residualPlots_.Close();
}

void SummaryWindow::ShowResidualPlots() {
  if (results_) residualPlots_.Show(results_->Residuals);
}

void SummaryWindow::WriteSummary() {
  Ui& ui = session_.ui();
  ui.SetStatusPanel(5, 1, "Summary");
  SummaryInput input = SummaryInput::Of(model_, session_.Algorithm, session_.State.AlgorithmFileName);
  const std::optional<CovarianceStandardErrors> errors = CurrentStandardErrors(session_, model_.Best());
  if (errors) input.StandardErrors = &*errors;
  const TfnBestEvaluation& best = model_.Best();
  OneBased<double> values(static_cast<int>(best.Parameters.size()));
  for (int i = 1; i <= values.size(); ++i) values[i] = best.Parameters[static_cast<size_t>(i - 1)];
  input.OnLimit = model_.ParametersOnLimit(values);
  SummaryReport report = quorvane::WriteSummary(input, diagnostics_, ui);
  results_ = std::move(report.Results);
  if (form_.IsOpen()) ui.BringToFront(form_);
  else ui.ShowForm(form_);
  form_.SetText("rtbOut", report.Text);
  // Open residual plots follow the new summary.
  if (residualPlots_.form().IsOpen()) {
    if (results_) residualPlots_.Show(results_->Residuals);
    else residualPlots_.Close();
  }
  ui.SetStatusPanel(5, 1, "Summary complete");
  if (results_) AskForPlots();
}

void SummaryWindow::AskForPlots() {
  Ui& ui = session_.ui();
  if (ui.AskYesNo("Do you want to see summary plots of the time series fits?", "View plots?",
                  Icon::Question) != Answer::Yes)
    return;
  if (showPlots) {
    showPlots();
    return;
  }
  const SummaryInput input =
      SummaryInput::Of(model_, session_.Algorithm, session_.State.AlgorithmFileName);
  FillSeriesPlotTable(session_.Plots, input.Response, input.Covariates, input.Best,
                      results_->BackTransformed, &input.Estimates);
  ShowXYPlot(session_);
}

void SummaryWindow::ExportSummaryCsv() {
  Ui& ui = session_.ui();
  if (!results_) {
    ui.ShowMessage("The summary holds no fit whose series could be exported.", "Export as CSV",
                   Icon::Information);
    return;
  }
  const SummaryInput input =
      SummaryInput::Of(model_, session_.Algorithm, session_.State.AlgorithmFileName);
  ExportCsv(ui, {SummaryCsv(input, results_->BackTransformed), "summary table", kDefaultSummaryCsvName});
}

void SummaryWindow::SaveSummary() {
  Ui& ui = session_.ui();
  const std::string& title = session_.State.DataFileTitle;
  const FileDialogRequest request{"Save summary in...",
                                  "All files (*.*)|*.*|Output files (*.qvo)|*.qvo|Named for data file (" +
                                      title + ".*)|" + title + ".*|",
                                  2, kDefaultSummaryFileName};
  const std::optional<std::string> path = ui.ChooseFileToSave(request);
  if (!path) return;
  std::string text = SavedSummaryText(*path, form_.Text("rtbOut"));
  if (auto error = WriteTextFileAtomically(*path, text)) {
    // The window keeps its text: it was not saved under that name.
    ui.ShowMessage("The summary could not be saved in " + *path + ".\r\n\r\n" + *error +
                       "\r\n\r\nAny earlier file of that name is unchanged.",
                   "Summary not saved", Icon::Exclamation);
    return;
  }
  form_.SetText("rtbOut", std::move(text));
}

}  // namespace quorvane

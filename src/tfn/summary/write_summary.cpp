#include "tfn/summary/write_summary.h"

#include "tfn/summary/report_text.h"
#include "tfn/summary/summary_sections.h"

namespace quorvane {

SummaryReport WriteSummary(const SummaryInput& input, SummaryDiagnostics& diagnostics, Ui& ui) {
  SummaryReport report;
  std::string& text = report.Text;
  if (!input.Best.Kept) {
    AddLine(text, "Simultaneous Time Series ARIMA, Intervention and/or TFN Analysis Results:");
    AddLine(text);
    AddLine(text, "The model has not been evaluated since it was initialized, so there are no results "
                  "to summarize.");
    AddLine(text, "     Give at least one parameter a value other than zero, or make one function call, "
                  "and ask for the summary again.");
    return report;
  }

  SummaryResults results;
  results.Fit = ComputeFitStatistics(input);
  results.BackTransformed = ComputeBackTransformedFit(input.Setup.Response, input.Response, input.Best);
  const DiagnosticsRun run = diagnostics.Run(input.Response, input.Best, ui);

  WriteSetupSections(text, input);
  WriteDiagnosticsSection(text, diagnostics.Held(), run);
  WriteFitSections(text, input, results.Fit);
  WriteEstimatesSections(text, input, results.Fit);
  WriteDataTables(text, input, results.BackTransformed);
  report.Results = std::move(results);
  return report;
}

}  // namespace quorvane

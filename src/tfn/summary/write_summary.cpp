#include "tfn/summary/write_summary.h"

#include "tfn/summary/report_text.h"
#include "tfn/summary/summary_review_sections.h"
#include "tfn/summary/summary_sections.h"

namespace quorvane {

int NoiseSeasonalPeriod(const TfnSetup& setup) {
  const bool seasonal = setup.SeasonalDifferencing > 0 || setup.SeasonalArOrder > 0 || setup.SeasonalMaOrder > 0;
  return seasonal && setup.SeasonalPeriod > 0 ? setup.SeasonalPeriod : 0;
}

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
  WriteNormalitySection(text, diagnostics.Held(), run);
  WriteFitSections(text, input, results.Fit);
  WriteComparableCriteriaSection(text, ComputeComparableCriteria(input.Best, input.Algorithm),
                                 results.Fit.Counts.K);
  WriteEstimatesSections(text, input, results.Fit);
  WriteCoefficientTableSection(
      text, BuildCoefficientTable(input.Algorithm, input.Best.Parameters, input.StandardErrors, input.OnLimit));
  results.Residuals = ComputeResidualCorrelation(input, NoiseSeasonalPeriod(input.Setup));
  WriteResidualCorrelationSection(text, results.Residuals);
  WriteDataTables(text, input, results.BackTransformed);
  report.Results = std::move(results);
  return report;
}

}  // namespace quorvane

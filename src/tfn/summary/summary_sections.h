#pragma once

#include <string>

#include "tfn/summary/back_transform.h"
#include "tfn/summary/fit_statistics.h"
#include "tfn/summary/summary_diagnostics.h"
#include "tfn/summary/summary_input.h"

namespace quorvane {

// The sections of the results summary, in the order they are written; each
// appends its lines (ended by CR LF) and an empty line.

// The heading and the note on other software; the data, the set-up and the
// counts of series and periods.
void WriteSetupSections(std::string& text, const SummaryInput& input);

// The four residual diagnostics, with the values they hold.
void WriteDiagnosticsSection(std::string& text, const HeldDiagnostics& held,
                             const DiagnosticsRun& run);

// The fit statistics, the information criteria and, for differenced
// response series, the criteria with the differencing corrections.
void WriteFitSections(std::string& text, const SummaryInput& input, const FitStatistics& fit);

// The parameter estimates and the length of the series.
void WriteEstimatesSections(std::string& text, const SummaryInput& input, const FitStatistics& fit);

// The data tables.
void WriteDataTables(std::string& text, const SummaryInput& input, const BackTransformedFit& back);

}  // namespace quorvane

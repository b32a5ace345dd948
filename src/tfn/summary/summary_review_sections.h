#pragma once

#include <string>

#include "tfn/summary/coefficient_table.h"
#include "tfn/summary/comparable_criteria.h"
#include "tfn/summary/residual_correlation.h"
#include "tfn/summary/summary_diagnostics.h"

namespace quorvane {

// The sections a reviewer of a fit asks for, in the order the summary
// writes them between its other sections; each appends its lines (ended by
// CR LF) and an empty line.

// After the four residual diagnostics: the Jarque-Bera test of normality.
void WriteNormalitySection(std::string& text, const HeldDiagnostics& held, const DiagnosticsRun& run);

// After the information criteria: log L, AIC, AICc and BIC as other
// software computes them, and how they relate to the criteria above.
// `k` is the number of free parameters the criteria above count.
void WriteComparableCriteriaSection(std::string& text, const ComparableCriteria& criteria, int k);

// After the parameter estimates: the estimates with their standard errors,
// z, p and 95% intervals, or how to obtain the standard errors.
void WriteCoefficientTableSection(std::string& text, const CoefficientTable& table);

// Before the data tables: the ACF and PACF of each response series'
// standardized residuals with the Ljung-Box tests.
void WriteResidualCorrelationSection(std::string& text, const ResidualCorrelation& correlation);

// A number with `digits` significant digits: in fixed form from 1E-04 up
// to 1E+07, in the form 0.00000E+00 outside that range; 0 as "0".
std::string SignificantText(double value, int digits);

}  // namespace quorvane

#pragma once

#include <optional>
#include <string>

#include "base/ui/ui.h"
#include "tfn/summary/back_transform.h"
#include "tfn/summary/fit_statistics.h"
#include "tfn/summary/residual_correlation.h"
#include "tfn/summary/summary_diagnostics.h"
#include "tfn/summary/summary_input.h"

namespace quorvane {

// What a results summary computed besides its text: the fit statistics,
// the fit and residuals in the units of the observed series, which the
// series plots draw, and the residual autocorrelations, which the residual
// plots draw.
struct SummaryResults {
  FitStatistics Fit;
  BackTransformedFit BackTransformed;
  ResidualCorrelation Residuals;
};

// The seasonal period s of a set-up with seasonal terms (differencing or
// seasonal Phi or Theta), 0 for none: it sets the lags of the residual
// autocorrelations and their tests.
int NoiseSeasonalPeriod(const TfnSetup& setup);

struct SummaryReport {
  std::string Text;                      // lines ended by CR LF
  std::optional<SummaryResults> Results;  // none when nothing was evaluated
};

// WriteSummary: the text of the results summary of the kept best
// evaluation, section by section. The residual diagnostics run here (their
// held values live in `diagnostics`; the variance trend tests may show a
// message on `ui`). When the model has kept no evaluation since its set-up
// there is nothing to report, and the text says so.
SummaryReport WriteSummary(const SummaryInput& input, SummaryDiagnostics& diagnostics, Ui& ui);

}  // namespace quorvane

#pragma once

#include "base/ui/ui.h"
#include "tfn/diagnostics/jarque_bera.h"
#include "tfn/diagnostics/kurtosis_test.h"
#include "tfn/diagnostics/skewness_test.h"
#include "tfn/diagnostics/variance_trend_test.h"
#include "tfn/series_data.h"
#include "tfn/tfn_model.h"

namespace quorvane {

// The values the summary prints for the four residual diagnostics: those of
// the last test that produced a result (all 0 at first).
struct HeldDiagnostics {
  SkewnessResult Skewness;
  KurtosisResult Kurtosis;
  VarianceTrendResult Level;  // v1: variance against the fitted level
  VarianceTrendResult Time;   // v2: variance against time
  // From the sample skewness and excess kurtosis of the same residuals
  // (m3 / m2^1.5 and m4 / m2^2 - 3, as g1 and g2).
  JarqueBeraResult JarqueBera;
};

// Which tests produced a result for the current fit.
struct DiagnosticsRun {
  bool Skewness = false;
  bool Kurtosis = false;
  bool Level = false;
  bool Time = false;
  bool JarqueBera = false;
};

// Runs the residual diagnostics of the summary and holds their values from
// one summary to the next, until the model is set up again.
class SummaryDiagnostics {
 public:
  // The residuals are the kept prediction errors r = a sqrt(h), pooled over
  // the series and periods where the evaluation computed one; the level
  // test pairs each with its fitted value f = analysed - r and so leaves out
  // the cells without an analysed value. Nothing runs when the kept
  // parameter vector is all zeros. A test without a result keeps its held
  // values; the variance trend tests may tell the user through `ui`.
  DiagnosticsRun Run(const ResponseSeriesData& response, const TfnBestEvaluation& best, Ui& ui);

  const HeldDiagnostics& Held() const { return held_; }
  void Reset() { held_ = HeldDiagnostics{}; }

 private:
  HeldDiagnostics held_;
};

}  // namespace quorvane

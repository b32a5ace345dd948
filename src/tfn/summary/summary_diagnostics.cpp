#include "tfn/summary/summary_diagnostics.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tfn/diagnostics/central_moments.h"
#include "tfn/summary/kept_series.h"

namespace quorvane {

DiagnosticsRun SummaryDiagnostics::Run(const ResponseSeriesData& response,
                                       const TfnBestEvaluation& best, Ui& ui) {
  DiagnosticsRun run;
  if (std::all_of(best.Parameters.begin(), best.Parameters.end(), [](double v) { return v == 0.0; }))
    return run;

  const SeriesTable errors = KeptSeriesTable(response, best, KeptSeries::PredictionError);
  std::vector<double> residuals, times, levelResiduals, levels;
  for (int k = 1; k <= response.SeriesCount; ++k)
    for (int t = response.FirstAnalysedPeriod; t <= response.EndPeriod; ++t) {
      const SeriesValue& r = errors.At(t, k);
      if (!r) continue;
      residuals.push_back(*r);
      times.push_back(t);
      if (const SeriesValue& x = response.Analysed.At(t, k)) {
        levelResiduals.push_back(*r);
        levels.push_back(*x - *r);
      }
    }

  if (auto skewness = SkewnessTest(residuals)) {
    held_.Skewness = *skewness;
    run.Skewness = true;
  }
  if (auto kurtosis = KurtosisTest(residuals)) {
    held_.Kurtosis = *kurtosis;
    run.Kurtosis = true;
  }
  const CentralMoments moments = ComputeCentralMoments(residuals);
  if (moments.M2 > 0.0)
    if (auto jb = JarqueBeraTest(moments.M3 / std::pow(moments.M2, 1.5),
                                 moments.M4 / (moments.M2 * moments.M2) - 3, moments.Count)) {
      held_.JarqueBera = *jb;
      run.JarqueBera = true;
    }
  if (auto level = VarianceTrendTest(levelResiduals, levels, VarianceTrendMode::Level, ui)) {
    held_.Level = *level;
    run.Level = true;
  }
  if (auto time = VarianceTrendTest(residuals, times, VarianceTrendMode::Time, ui)) {
    held_.Time = *time;
    run.Time = true;
  }
  return run;
}

}  // namespace quorvane

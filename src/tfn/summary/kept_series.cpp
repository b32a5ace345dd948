#include "tfn/summary/kept_series.h"

namespace quorvane {

SeriesTable KeptSeriesTable(const ResponseSeriesData& response, const TfnBestEvaluation& best,
                            KeptSeries which) {
  const int first = response.FirstAnalysedPeriod;
  const int series = response.SeriesCount;
  SeriesTable table(first, response.EndPeriod, series);
  for (int t = first; t <= response.EndPeriod; ++t)
    for (int k = 1; k <= series; ++k) {
      const auto cell = static_cast<size_t>((t - first) * series + k - 1);
      if (cell >= best.Innovation.size()) continue;
      const SeriesValue& a = best.Innovation[cell];
      const SeriesValue& sd = best.ResidualSd[cell];
      SeriesValue value;
      switch (which) {
        case KeptSeries::Fitted: value = best.Fitted[cell]; break;
        case KeptSeries::StandardizedResidual: value = a; break;
        case KeptSeries::PredictionError:
          if (a && sd) value = *a * *sd;
          break;
        case KeptSeries::ResidualSd: value = sd; break;
      }
      table.At(t, k) = value;
    }
  return table;
}

}  // namespace quorvane

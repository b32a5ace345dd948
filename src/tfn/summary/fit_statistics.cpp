#include "tfn/summary/fit_statistics.h"

#include <algorithm>
#include <cmath>

#include "tfn/parameter_layout.h"

namespace quorvane {

FitCounts CountFit(const SummaryInput& input) {
  const AlgorithmData& data = input.Algorithm;
  const int count = std::min<int>(data.ParameterCount, data.Steps.size());
  FitCounts counts;
  counts.N = input.Best.TotalNoiseCount;
  for (int i = 1; i <= count; ++i)
    if (data.Steps[i] != 0.0) ++counts.K;
  // Each period that differencing uses up counts as a parameter: d of
  // them, and s more with seasonal differencing.
  counts.K += (input.Response.Differencing + input.Response.SeasonalDifferencingLag) * input.Response.SeriesCount;
  const ParameterLayout layout(input.Setup);
  for (int g = 1; g <= input.Setup.GroupCount; ++g) {
    const int i = layout.Intercept(g);
    if (i <= count && data.Steps[i] != 0.0) ++counts.C;
  }
  counts.DfModel = counts.K - counts.C;
  counts.DfTotal = counts.N - 1;
  counts.DfResidual = counts.DfTotal - counts.DfModel;
  return counts;
}

TotalSumOfSquares ComputeTotalSumOfSquares(const TfnSetup& setup,
                                           const ResponseSeriesData& response) {
  TotalSumOfSquares result;
  result.GroupMean.assign(static_cast<size_t>(setup.GroupCount + 1), 0.0);
  for (int g = 1; g <= setup.GroupCount; ++g) {
    // Two passes, mean first: the same sum as sum x^2 - (sum x)^2 / c
    // without its loss of digits.
    long count = 0;
    double sum = 0.0, rawSum = 0.0;
    for (int k = 1; k <= response.SeriesCount; ++k) {
      if (setup.GroupOfSeries(k) != g) continue;
      for (int t = response.FirstAnalysedPeriod; t <= response.EndPeriod; ++t) {
        const SeriesValue& x = response.Analysed.At(t, k);
        if (!x) continue;
        ++count;
        sum += *x;
        rawSum += response.Raw.At(t, k).value_or(0.0);
      }
    }
    if (count == 0) continue;
    const double mean = sum / static_cast<double>(count);
    result.GroupMean[static_cast<size_t>(g)] = rawSum / static_cast<double>(count);
    for (int k = 1; k <= response.SeriesCount; ++k) {
      if (setup.GroupOfSeries(k) != g) continue;
      for (int t = response.FirstAnalysedPeriod; t <= response.EndPeriod; ++t)
        if (const SeriesValue& x = response.Analysed.At(t, k)) result.Total += (*x - mean) * (*x - mean);
    }
  }
  return result;
}

FitStatistics ComputeFitStatistics(const SummaryInput& input) {
  FitStatistics s;
  s.Counts = CountFit(input);
  s.Objective = input.Best.Objective;
  const TotalSumOfSquares total = ComputeTotalSumOfSquares(input.Setup, input.Response);
  s.TotalSs = total.Total;
  s.GroupMean = total.GroupMean;

  const TfnBestEvaluation& best = input.Best;
  for (size_t k = 1; k < best.SumSq.size() && k < best.Fact.size(); ++k) {
    s.ResidualSs += best.SumSq[k];
    if (best.Fact[k] > 0.0 && best.SumSq[k] > 0.0) s.ModifiedResidualSs += best.Fact[k] * best.SumSq[k];
  }
  s.PooledFact = s.ResidualSs > 0.0 ? s.ModifiedResidualSs / s.ResidualSs : 0.0;
  s.ModelSs = s.TotalSs - s.ResidualSs;

  const FitCounts& c = s.Counts;
  if (c.DfModel >= 1) s.MeanModelSs = s.ModelSs / static_cast<double>(c.DfModel);
  if (c.N >= 1) s.SigmaMl = std::sqrt(s.ResidualSs / static_cast<double>(c.N));
  if (c.DfResidual >= 1) s.SigmaUnbiased = std::sqrt(s.ResidualSs / static_cast<double>(c.DfResidual));
  if (s.TotalSs > 0.0) s.RSquared = 1.0 - s.ResidualSs / s.TotalSs;
  if (s.SigmaUnbiased && *s.SigmaUnbiased > 0.0 && c.DfModel >= 1)
    s.FStatistic = s.MeanModelSs / (*s.SigmaUnbiased * *s.SigmaUnbiased);
  return s;
}

}  // namespace quorvane

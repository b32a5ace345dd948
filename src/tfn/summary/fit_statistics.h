#pragma once

#include <optional>
#include <vector>

#include "tfn/summary/summary_input.h"

namespace quorvane {

// The counts behind the degrees of freedom and the information criteria.
struct FitCounts {
  long long N = 0;           // n: noise values over all response series
  int K = 0;                 // k: parameters with a non-zero step, plus (d + sD) x NS
  int C = 0;                 // c: group intercepts with a non-zero step
  long long DfModel = 0;     // k - c
  long long DfTotal = 0;     // n - 1
  long long DfResidual = 0;  // df_total - df_model
};

FitCounts CountFit(const SummaryInput& input);

// The total sum of squares: for each group, the squared deviations of the
// present analysed values of its series from their mean over all the
// analysed periods; and the mean of the observed (untransformed) values at
// those same cells, by group (1..NG; element 0 unused; 0 for a group with
// no value).
struct TotalSumOfSquares {
  double Total = 0.0;
  std::vector<double> GroupMean;
};

TotalSumOfSquares ComputeTotalSumOfSquares(const TfnSetup& setup,
                                           const ResponseSeriesData& response);

// The fit statistics of the kept best evaluation. The residual sums of
// squares pool every response series: RSS = sum over series of SUMSQ_k and
// the modified RSS = sum of FACT_k x SUMSQ_k, the quantity inside the
// likelihood, so RSS, TSS and n all describe the same data; the pooled FACT
// is their ratio. A sigma estimate without data or without residual degrees
// of freedom has no value.
struct FitStatistics {
  FitCounts Counts;
  double Objective = 0.0;
  double TotalSs = 0.0;
  double ModelSs = 0.0;
  double ResidualSs = 0.0;
  double ModifiedResidualSs = 0.0;
  double PooledFact = 0.0;
  double MeanModelSs = 0.0;  // 0 when df_model < 1
  std::optional<double> SigmaMl;        // sqrt(RSS / n), n >= 1
  std::optional<double> SigmaUnbiased;  // sqrt(RSS / df_resid), df_resid >= 1
  double RSquared = 0.0;                // 1 - RSS / TSS, 0 when TSS is not > 0
  std::optional<double> FStatistic;     // when s_U > 0 and df_model >= 1
  std::vector<double> GroupMean;        // 1..NG
};

FitStatistics ComputeFitStatistics(const SummaryInput& input);

}  // namespace quorvane

#pragma once

#include <vector>

#include "tfn/tfn_model.h"

namespace quorvane {

// The smoothed estimates of the missing response values under the exact
// likelihood of the values present: for each, its expected value given
// all the values present and the standard error of that estimate (sigma^2
// estimated as the forecasts estimate it).
struct MissingValueEstimate {
  int Period = 0;
  double Mean = 0.0;
  double StandardError = 0.0;
};

// The scale of the estimates: the values the likelihood filters.
enum class EstimateScale {
  AsRead,       // the values as read (which the analysed values are, when nothing changes them)
  Transformed,  // the transforms of the values as read (transformed before differencing)
  Analysed,     // the analysed values, where they are not the differences of the values as read or of their transforms
};

struct MissingValueEstimates {
  EstimateScale Scale = EstimateScale::AsRead;
  std::vector<std::vector<MissingValueEstimate>> BySeries;  // 1..NS; element 0 unused
  bool Any() const;
};

// The estimates at the model's best evaluation.
// Empty (no series) with the zero-noise treatment or without missing values.
MissingValueEstimates EstimateMissingValues(const TfnModel& model);

}  // namespace quorvane

#pragma once

#include <string>

#include "core/algorithm_data.h"
#include "tfn/series_data.h"
#include "tfn/summary/missing_estimates.h"
#include "tfn/tfn_model.h"
#include "tfn/tfn_setup.h"

namespace quorvane {

// Everything the results summary reports on: the model's set-up, its
// prepared series, what its best evaluation kept, and the algorithm data
// (step sizes and descriptions) with the name of their file.
struct SummaryInput {
  const TfnSetup& Setup;
  const ResponseSeriesData& Response;
  const CovariateSeriesData* Covariates;  // null without covariate series
  const TfnBestEvaluation& Best;
  const AlgorithmData& Algorithm;
  std::string AlgorithmFileName;
  // The smoothed missing response values, under the exact likelihood of the values present.
  MissingValueEstimates Estimates;

  // The model's view of a summary input.
  static SummaryInput Of(const TfnModel& model, const AlgorithmData& algorithm,
                         std::string algorithmFileName) {
    return {model.Setup(), model.Response(),
            model.Covariates() ? &*model.Covariates() : nullptr, model.Best(), algorithm,
            std::move(algorithmFileName), EstimateMissingValues(model)};
  }
};

}  // namespace quorvane

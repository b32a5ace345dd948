#pragma once

#include <string>
#include <vector>

#include "core/algorithm_data.h"
#include "tfn/summary/coefficient_table.h"
#include "tfn/series_data.h"
#include "tfn/summary/missing_estimates.h"
#include "tfn/tfn_model.h"
#include "tfn/tfn_setup.h"

namespace quorvane {

// Everything the results summary reports on: the model's set-up, its
// prepared series, what its best evaluation kept, and the algorithm data
// (step sizes and descriptions) with the name of their file; and, from a
// covariance analysis made at these estimates, their standard errors.
struct SummaryInput {
  const TfnSetup& Setup;
  const ResponseSeriesData& Response;
  const CovariateSeriesData* Covariates;  // null without covariate series
  const TfnBestEvaluation& Best;
  const AlgorithmData& Algorithm;
  std::string AlgorithmFileName;
  // Null when no covariance analysis belongs to these estimates.
  const CovarianceStandardErrors* StandardErrors = nullptr;
  // The parameters the model holds on a limit of their region here.
  std::vector<ParameterOnLimit> OnLimit;
  // The smoothed missing response values, under the exact likelihood of the values present.
  MissingValueEstimates Estimates;

  // The model's view of a summary input.
  static SummaryInput Of(const TfnModel& model, const AlgorithmData& algorithm,
                         std::string algorithmFileName) {
    return {model.Setup(), model.Response(),
            model.Covariates() ? &*model.Covariates() : nullptr, model.Best(), algorithm,
            std::move(algorithmFileName), nullptr, {}, EstimateMissingValues(model)};
  }
};

}  // namespace quorvane

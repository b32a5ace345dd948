#pragma once

#include <functional>
#include <string>

#include "core/one_based.h"

namespace quorvane {

struct CovarianceResults;

// The covariance report of the stored results: the parameters, the grid
// summaries, the standard errors (the heading at line P + 17 of the text,
// the grid values in columns 25-38, 43-56 and 61-74 of the lines after it),
// a note naming the estimates on a limit of the parameter space, whose
// standard errors are undefined (only when there are any), the probabilities that the estimates differ from 0 and 1, correlations
// and covariances (left out for optimistic standard errors) and the
// determinants. Built once, line by line; lines end in CR LF. `pump` runs
// after every line of the per-parameter sections.
std::string CovarianceReport(const CovarianceResults& cov, const OneBased<std::string>& fuseCodes,
                             const OneBased<std::string>& descriptions,
                             const std::function<void()>& pump);

}  // namespace quorvane

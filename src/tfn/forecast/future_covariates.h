#pragma once

#include <vector>

#include "tfn/series_data.h"
#include "tfn/tfn_setup.h"

namespace quorvane {

// The analysed values of the covariate series in the periods after their
// end period, as far as the covariate file holds usable records, at most
// `horizon` of them: by series c (index c, 1..NC; element 0 unused), the
// values of periods End+1, End+2, ... They are prepared as the fitted ones
// were: differenced against the values as read (the last ones of the fit
// included) and transformed. Each series' list ends before its first value
// that is missing, outside the transformation's domain or unreadable, since
// the mean that filled missing values in the fit is no value of the future.
std::vector<std::vector<double>> ReadFutureCovariates(const SeriesFileChoice& choice,
                                                      const CovariateSeriesData& fitted,
                                                      int horizon);

}  // namespace quorvane

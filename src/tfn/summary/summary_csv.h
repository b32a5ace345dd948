#pragma once

#include <string>

#include "tfn/summary/back_transform.h"
#include "tfn/summary/summary_input.h"

namespace quorvane {

inline constexpr const char* kDefaultSummaryCsvName = "KAVRO_Model_Results.csv";

// The summary's series tables as one comma-separated table, for "Export as
// CSV...": one row per period, from the first period read (of the response
// or the covariate series, whichever starts earlier) to the end period,
// named by the data's calendar; then, for each response series N, the
// columns "N observed" (as read), "N analysed" (differenced, flattened and
// transformed as set up), "N fitted", "N residual" (a-hat/h-hat), "N
// innovation" (as the summary's table of innovations), "N residual SD",
// and on the scale of the data as read "N fitted (original scale)" and "N
// residual (original scale)"; for each covariate series C, "C observed" and
// "C analysed". Values at full precision; a missing value is empty.
std::string SummaryCsv(const SummaryInput& input, const BackTransformedFit& back);

}  // namespace quorvane

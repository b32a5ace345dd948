#pragma once

#include <string_view>
#include <vector>

namespace quorvane {

// The fixed notes of the results summary that explain how its results
// compare with those of other time-series software, and the introductions
// of the differencing corrections of the information criteria.

// After the summary's heading: why estimates may differ elsewhere.
const std::vector<std::string_view>& ComparisonNote();

// Before the information criteria: how AIC and BIC are often calculated
// for differenced series and for TFN series.
const std::vector<std::string_view>& CriteriaNotes();

// The labels of the three criteria, padded like the fit statistics.
inline constexpr std::string_view kAicLabel = "The AIC of the model fit is:";
inline constexpr std::string_view kAiccLabel = "The AICc of the model fit is:";
inline constexpr std::string_view kBicLabel = "The BIC of the model fit is:";

// The introductions of the two blocks of differencing-corrected criteria.
inline constexpr std::string_view kTextbookCorrectionIntro =
    "With the differencing correction factor (N/n), N = n + d x NS, as a standard time series "
    "textbook applies it to the criteria of differenced series:";
inline constexpr std::string_view kStudyCorrectionIntro =
    "With the differencing correction factor (N/n) as first proposed in a 1977 study of the AIC "
    "of differenced series:";

}  // namespace quorvane

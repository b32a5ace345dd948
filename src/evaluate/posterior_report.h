#pragma once

#include <string>

namespace quorvane {

struct EvaluationSeries;

// WritePosteriorReport's text: "Bayesian posterior distribution data", the
// column heads, one row per point (value, -ln[L], PDF, the two confidence
// regions and the Gaussian) and the five closing statistics, lines ended
// by CR LF.
std::string PosteriorReportText(const EvaluationSeries& series);

}  // namespace quorvane

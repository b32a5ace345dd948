#pragma once

#include <string>

#include "evaluate/evaluation_series.h"

namespace quorvane {

// The text of a confidence distribution report: a heading line, the column
// heads, one row per point (number, value, -ln[L], PDF, the two regions and
// the Gaussian) and the five closing lines (maximum likelihood, expected
// value, difference, percent difference, SE). Numbers use the picture
// "0.0000E+000   " right-justified to 15. A percent difference of an
// expected value of exactly 0 cannot be divided: it reads "Undefined".
// The posterior report shares the layout under its own heading.
std::string WriteProfileReport(const EvaluationSeries& series,
                               const std::string& heading =
                                   "Maximum-likelihood confidence distribution data");

// A number of the report: the picture "0.0000E+000   " right-justified to 15.
std::string ReportNumber(double value);

// The five closing lines shared by every distribution report, after an
// empty line: "Max Likelihood: ", "Expected Value: ", "Estimated Diff: ",
// "Percent Diff:   " and "Estimated SE:   ", each ended by CR LF.
std::string DistributionSummaryLines(const EvaluationSeries& series);

// "Percent Diff:   "'s figure: EstimatedDiff x 100 / ExpectedValue in the
// report's picture, or "Undefined" when ExpectedValue is 0.
std::string PercentDiffText(const EvaluationSeries& series);

}  // namespace quorvane

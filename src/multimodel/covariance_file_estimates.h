#pragma once

#include <string>
#include <variant>
#include <vector>

#include "multimodel/model_averaging.h"

namespace quorvane {

// The first words of a covariance results file's parameter heading (line 3)
// and its standard-error heading (line P + 19).
inline constexpr const char* kCovarianceParameterHeading =
    "Parameter values, step sizes, link codes, and definitions for";
inline constexpr const char* kCovarianceStandardErrorHeading =
    "Par#                               Standard errors of the estimates";

// The estimates of one model read from the lines of its covariance results
// file, at the positions of a file saved once from an unedited report:
// parameter p's value in columns 7-20 of line p + 4; from line P + 20 one
// line per free parameter with its number in columns 1-3 and its standard
// errors in columns 25-38, 43-56 and 61-74. P is the current parameter
// count and freeParameters the parameter numbers the model estimated.
//
// Before any number is taken the layout is checked, so that a file saved
// twice, edited or written for another parameter count is refused rather
// than read at the wrong places: the parameter heading must stand on line
// 3, the standard-error heading on line P + 19, and each standard-error
// line must name a different free parameter of the model. A refused file
// gives the reason as text.
std::variant<ModelEstimates, std::string> ReadCovarianceEstimates(
    const std::vector<std::string>& lines, int P, const std::vector<int>& freeParameters);

}  // namespace quorvane

#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/format/format_picture.h"
#include "base/format/right_justify.h"

namespace quorvane::testing {

struct StandardErrorLine {
  int parameter;
  std::array<double, 3> se;
};

// The lines of a covariance results file saved once from an unedited
// report: the saved-name line, the headings, one line per parameter, the
// fourteen constant and likelihood-summary lines, the standard-error
// section and the start of the probability section.
inline std::vector<std::string> CovarianceReportLines(const std::vector<double>& values,
                                                      const std::vector<StandardErrorLine>& errors) {
  constexpr const char* kE = "0.0000000E+00";
  std::vector<std::string> lines = {
      "Originally saved with the file name: model.cov", "",
      "Parameter values, step sizes, link codes, and definitions for numerically calculated "
      "covariances:",
      ""};
  for (size_t p = 0; p < values.size(); ++p)
    lines.push_back(FormatPicture(static_cast<double>(p + 1), " 000) ") +
                    RightJustify(FormatPicture(values[p], kE), 14) +
                    RightJustify(FormatPicture(0.1, kE), 16) + " " + RightJustify("~~", 3) +
                    "  Parameter " + std::to_string(p + 1));
  const std::vector<std::string> middle = {
      "",
      "Reliable numerical covariance results should be similar among three grids with quite "
      "different grid factors",
      "",
      "Covariance constant: 1",
      "",
      "                               Grid #1           Grid #2           Grid #3",
      "",
      "Factors:              1)  1.0000000E-01  2) 1.0000000E-02  3) 1.0000000E-03",
      "",
      "Likelihood function value summary:",
      "   Mean:              6.3000000E+02     6.3000000E+02     6.3000000E+02",
      "   Std Dev:           1.0000000E-02     1.0000000E-02     1.0000000E-02",
      "   Coef of Var:           0.0000100         0.0000100         0.0000100",
      "",
      "Par#                               Standard errors of the estimates"};
  lines.insert(lines.end(), middle.begin(), middle.end());
  for (const StandardErrorLine& e : errors)
    lines.push_back(RightJustify(e.parameter, 3) + RightJustify(FormatPicture(e.se[0], kE), 35) +
                    RightJustify(FormatPicture(e.se[1], kE), 18) +
                    RightJustify(FormatPicture(e.se[2], kE), 18));
  lines.push_back("");
  lines.push_back("Par#               Probabilities that the estimates do not differ from 0, then 1");
  return lines;
}

}  // namespace quorvane::testing

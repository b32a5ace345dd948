#include "multimodel/covariance_file_estimates.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "base/format/leading_number.h"

namespace quorvane {

namespace {

// Characters first..first + count - 1 (1-based) of a line, as far as it reaches.
std::string_view Columns(const std::string& line, size_t first, size_t count) {
  if (line.size() < first) return {};
  return std::string_view(line).substr(first - 1, count);
}

std::string_view TrimmedRight(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::variant<ModelEstimates, std::string> ReadCovarianceEstimates(
    const std::vector<std::string>& lines, int P, const std::vector<int>& freeParameters) {
  const size_t K = freeParameters.size();
  const size_t headingLine = static_cast<size_t>(P) + 19;
  if (lines.size() < headingLine + K)
    return std::string("it has fewer lines than a covariance report of " + std::to_string(P) +
                       " parameters with " + std::to_string(K) + " standard errors");
  if (!lines[2].starts_with(kCovarianceParameterHeading))
    return std::string("line 3 is not the heading of the parameter values");
  if (TrimmedRight(lines[headingLine - 1]) != kCovarianceStandardErrorHeading)
    return "line " + std::to_string(headingLine) +
           " is not the heading of the standard errors (a file of another parameter count, "
           "saved twice or edited)";

  ModelEstimates estimates;
  estimates.Value.assign(static_cast<size_t>(P), 0.0);
  estimates.StandardError.assign(static_cast<size_t>(P), {0.0, 0.0, 0.0});
  for (int p = 1; p <= P; ++p)
    estimates.Value[static_cast<size_t>(p - 1)] =
        LeadingNumber(Columns(lines[static_cast<size_t>(p + 3)], 7, 14));

  std::vector<bool> seen(static_cast<size_t>(P) + 1, false);
  for (size_t k = 0; k < K; ++k) {
    const size_t lineNumber = headingLine + 1 + k;
    const std::string& line = lines[lineNumber - 1];
    const double number = std::nearbyint(LeadingNumber(Columns(line, 1, 3)));
    const int p = static_cast<int>(number);
    const bool free = number >= 1 && number <= P &&
                      std::find(freeParameters.begin(), freeParameters.end(), p) != freeParameters.end();
    if (!free || seen[static_cast<size_t>(p)])
      return "line " + std::to_string(lineNumber) +
             " does not give the standard errors of a different estimated parameter of this model";
    seen[static_cast<size_t>(p)] = true;
    for (size_t g = 0; g < 3; ++g)
      estimates.StandardError[static_cast<size_t>(p - 1)][g] =
          LeadingNumber(Columns(line, 18 * g + 25, 14));
  }
  return estimates;
}

}  // namespace quorvane

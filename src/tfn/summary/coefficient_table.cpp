#include "tfn/summary/coefficient_table.h"

#include <cmath>
#include <numbers>

namespace quorvane {

std::string ParameterName(const std::string& description) {
  const auto open = description.find(" [");
  if (open == std::string::npos) return description;
  int depth = 0;
  for (std::size_t i = open + 1; i < description.size(); ++i) {
    if (description[i] == '[') ++depth;
    else if (description[i] == ']' && --depth == 0) {
      std::string name = description.substr(0, open) + description.substr(i + 1);
      while (!name.empty() && name.back() == ' ') name.pop_back();
      return name;
    }
  }
  return description.substr(0, open);
}

CoefficientTable BuildCoefficientTable(const AlgorithmData& data, const std::vector<double>& estimates,
                                       const CovarianceStandardErrors* errors,
                                       const std::vector<ParameterOnLimit>& onLimit) {
  CoefficientTable table;
  if (errors) {
    table.HasStandardErrors = true;
    table.Grid = errors->Grid;
    table.GridFactor = errors->GridFactor;
    table.Analytical = errors->Analytical;
    table.Optimistic = errors->Optimistic;
  }
  const int count = std::min<int>(data.Steps.size(), static_cast<int>(estimates.size()));
  const auto code = [&data](int i) { return i <= data.FuseCodes.size() ? data.FuseCodes[i] : std::string(kUnfused); };
  for (int i = 1; i <= count; ++i) {
    if (data.Steps[i] == 0.0) continue;
    CoefficientRow row;
    row.Parameter = i;
    row.Name = ParameterName(i <= data.Descriptions.size() ? data.Descriptions[i] : "");
    row.Estimate = estimates[static_cast<size_t>(i - 1)];
    row.FuseCode = code(i);
    if (row.FuseCode != kUnfused)
      for (int j = 1; j <= data.FuseCodes.size(); ++j)
        if (j != i && code(j) == row.FuseCode) row.FusedMembers.push_back(j);
    for (const ParameterOnLimit& limit : onLimit)
      if (limit.Parameter == i) row.LimitRegion = limit.Region;
    if (errors && static_cast<size_t>(i) <= errors->StandardError.size())
      row.StandardError = errors->StandardError[static_cast<size_t>(i - 1)];
    if (row.StandardError && *row.StandardError > 0.0 && row.LimitRegion.empty()) {
      const double se = *row.StandardError;
      row.Z = row.Estimate / se;
      row.P = std::erfc(std::fabs(*row.Z) / std::numbers::sqrt2);
      row.Lower = row.Estimate - kNormal975 * se;
      row.Upper = row.Estimate + kNormal975 * se;
    }
    table.Rows.push_back(std::move(row));
  }
  return table;
}

}  // namespace quorvane

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/algorithm_data.h"
#include "tfn/parameters_on_limit.h"

namespace quorvane {

// The standard errors a covariance analysis found for the parameters at the
// values it was made at, from one of its grids.
struct CovarianceStandardErrors {
  int Grid = 3;             // 1, 2 or 3
  double GridFactor = 0.0;  // the factor of that grid's steps
  bool Analytical = false;  // analytical derivatives: the three grids are the same
  bool Optimistic = false;  // conditional standard errors, each taken with the others fixed
  std::vector<double> Values;  // the parameter values 1..P at 0..P-1
  // By parameter number 1..P at 0..P-1: none for a parameter that was not
  // varied or whose variance on the grid is not positive.
  std::vector<std::optional<double>> StandardError;
};

// One row of the table: a free parameter, standing for its fused group.
struct CoefficientRow {
  int Parameter = 0;
  std::string Name;         // its description without the range of values
  double Estimate = 0.0;
  std::optional<double> StandardError;
  // z = estimate / SE, the two-sided normal p = erfc(|z| / sqrt 2) and the
  // 95% interval estimate -+ 1.959964 SE; none without a standard error,
  // and no z, p or interval on a limit of the region.
  std::optional<double> Z, P, Lower, Upper;
  std::string FuseCode;              // "~~" when unfused
  std::vector<int> FusedMembers;     // the other parameters of its group
  std::string LimitRegion;           // not empty: on the limit of this region
};

struct CoefficientTable {
  bool HasStandardErrors = false;  // false: no covariance analysis for these estimates
  int Grid = 0;
  double GridFactor = 0.0;
  bool Analytical = false;
  bool Optimistic = false;
  std::vector<CoefficientRow> Rows;  // the free parameters, in parameter order
};

// The 97.5% point of the standard normal distribution.
inline constexpr double kNormal975 = 1.959963984540054;

// The table of the free parameters (non-zero step) at `estimates` (1..P at
// 0..P-1). `errors` null: the rows hold the estimates alone. Fused members
// are found by their codes in `data`.
CoefficientTable BuildCoefficientTable(const AlgorithmData& data, const std::vector<double>& estimates,
                                       const CovarianceStandardErrors* errors,
                                       const std::vector<ParameterOnLimit>& onLimit);

// A parameter's description without its bracketed range of values:
// "Phi( 1) [0; -1 < Phi < +1]" gives "Phi( 1)", "Logit[Phi( 1) [0; ...]]"
// gives "Logit[Phi( 1)]".
std::string ParameterName(const std::string& description);

}  // namespace quorvane

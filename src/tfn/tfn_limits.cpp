// Which coefficients of the time-series model sit on the limit of their
// region at a parameter vector, for the minimisers' final reports.
#include <cmath>
#include <string>
#include <vector>

#include "base/format/format_picture.h"
#include "tfn/stationary_region.h"
#include "tfn/tfn_model.h"

namespace quorvane {

std::vector<ParameterOnLimit> TfnModel::ParametersOnLimit(const OneBased<double>& P) const {
  std::vector<ParameterOnLimit> limits;
  if (!setUp_ || setup_.EstimateLogits || p_ == 0 || P.size() < layout_.Count()) return limits;
  std::vector<double> c(static_cast<size_t>(p_)), r(static_cast<size_t>(p_));
  // The polynomial of the parameters first, first + 1, ..., first + p - 1.
  const auto check = [&](int first, const char* region) {
    for (int j = 0; j < p_; ++j) c[static_cast<size_t>(j)] = P[first + j];
    if (PartialAutocorrelations(c, r)) return;
    for (int j = 0; j < p_; ++j)
      if (c[static_cast<size_t>(j)] != 0.0) limits.push_back({first + j, region});
  };
  check(layout_.Phi(1), "stationary");
  check(layout_.Theta(1), "invertible");
  for (size_t k = 0; k < interventions_.size(); ++k)
    check(layout_.BlockDelta(layout_.InterventionBase(static_cast<int>(k) + 1), 1), "stable");
  for (int g = 1; g <= covariateCount_; ++g)
    check(layout_.BlockDelta(layout_.CovariateBase(g), 1), "stable");
  return limits;
}

std::vector<std::string> TfnModel::LimitNotes(const OneBased<double>& P) const {
  std::vector<std::string> notes;
  const std::vector<ParameterOnLimit> limits = ParametersOnLimit(P);
  if (limits.empty()) return notes;
  const std::vector<std::string> descriptions = DescribeParameters(setup_);
  for (const ParameterOnLimit& limit : limits) {
    std::string name = descriptions[static_cast<size_t>(limit.Parameter - 1)];
    name = name.substr(0, name.find(" ["));
    notes.push_back("Parameter " + FormatPicture(limit.Parameter, "##0") + ", " + name +
                    ", is on the limit of the " + limit.Region + " region");
  }
  return notes;
}

}  // namespace quorvane

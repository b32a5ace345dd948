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
  std::vector<double> c, r;
  // The polynomial of the parameters first, first + 1, ..., first + order - 1:
  // each is held inside its own region, so each is checked on its own.
  const auto check = [&](int first, int order, const char* region) {
    c.resize(static_cast<size_t>(order));
    r.resize(static_cast<size_t>(order));
    for (int j = 0; j < order; ++j) c[static_cast<size_t>(j)] = P[first + j];
    if (PartialAutocorrelations(c, r)) return;
    for (int j = 0; j < order; ++j)
      if (c[static_cast<size_t>(j)] != 0.0) limits.push_back({first + j, region});
  };
  for (size_t i = 0; i < shape_.Noise.size(); ++i)
    check(layout_.Coefficient(i, 1), shape_.Noise[i].Order,
          shape_.Noise[i].Side == LagSide::Autoregressive ? "stationary" : "invertible");
  for (size_t b = 0; b < shape_.Transfers.size(); ++b)
    check(layout_.BlockDelta(layout_.TransferBase(b), 1), p_, "stable");
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

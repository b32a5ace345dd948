#include "tfn/tfn_setup.h"

#include <algorithm>

namespace quorvane {

int TfnSetup::InterventionTotal() const { return InterventionsBefore(GroupCount); }

int TfnSetup::InterventionsBefore(int group) const {
  int total = 0;
  for (int g = 1; g <= group && g <= kMaxGroups; ++g) total += Interventions[static_cast<size_t>(g - 1)];
  return total;
}

int TfnSetup::MaxInterventions() const {
  int most = 0;
  for (int g = 1; g <= GroupCount && g <= kMaxGroups; ++g)
    most = std::max<int>(most, Interventions[static_cast<size_t>(g - 1)]);
  return most;
}

int TfnSetup::CovariateCount() const {
  return UseCovariates ? Covariates.LastSeries - Covariates.FirstSeries + 1 : 0;
}

int TfnSetup::GroupOfCovariate(int c) const {
  const bool given = std::any_of(CovariateGroup.begin(), CovariateGroup.end(),
                                 [](std::int16_t g) { return g != 0; });
  if (!given) return c;
  if (c < 1 || c > kMaxCovariateSeries) return 0;
  return CovariateGroup[static_cast<size_t>(c - 1)];
}

bool TfnSetup::CovariatesOnePerGroup() const {
  for (int c = 1; c <= CovariateCount(); ++c)
    if (GroupOfCovariate(c) != c) return false;
  return true;
}

bool TfnSetup::CovariateAsIntervention(int c) const {
  return c >= 1 && c <= kMaxCovariateSeries && CovariateIsIntervention[static_cast<size_t>(c - 1)];
}

int TfnSetup::GroupOfSeries(int k) const {
  const int ordinal = Response.FirstSeries + k - 1;
  for (int g = 1; g <= GroupCount && g <= kMaxGroups; ++g) {
    const auto i = static_cast<size_t>(g - 1);
    if (ordinal >= GroupFirst[i] && ordinal <= GroupLast[i]) return g;
  }
  return 0;
}

}  // namespace quorvane

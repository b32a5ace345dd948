#include "core/fuse_groups.h"

#include <algorithm>
#include <vector>

#include "core/app_state.h"

namespace quorvane {

namespace {

// The group number of a code, or 0 when the groups have none.
int FindGroup(const FuseGroups& groups, const std::string& code) {
  for (int j = 1; j <= groups.GroupCode.size(); ++j)
    if (groups.GroupCode[j] == code) return j;
  return 0;
}

}  // namespace

void BuildFuseGroups(AlgorithmData& data, FuseGroups& groups) {
  groups.GroupCode.clear();
  std::vector<double> groupValue;
  std::vector<int> groupSize;
  std::vector<int> firstMember;
  const int n = std::min({static_cast<int>(data.ParameterCount), data.Values.size(),
                          data.Steps.size(), data.FuseCodes.size()});
  for (int i = 1; i <= n; ++i) {
    if (data.FuseCodes[i] == kUnfused) continue;
    const int j = FindGroup(groups, data.FuseCodes[i]);
    if (j != 0) {
      const auto at = static_cast<std::size_t>(j - 1);
      ++groupSize[at];
      data.Steps[i] = 0.0;
      data.Values[i] = groupValue[at];
    } else {
      groups.GroupCode.push_back(data.FuseCodes[i]);
      groupValue.push_back(data.Values[i]);
      groupSize.push_back(1);
      firstMember.push_back(i);
    }
  }
  for (std::size_t at = 0; at < groupSize.size(); ++at)
    if (groupSize[at] == 1) data.FuseCodes[firstMember[at]] = kUnfused;
  groups.GroupCount = static_cast<std::int16_t>(groups.GroupCode.size());
}

void ExpandFusedValues(OneBased<double>& P, const FuseGroups& groups, AlgorithmData& data,
                       const AppState& state) {
  if (groups.GroupCode.empty()) return;
  const bool profiling = state.ProfileMode || state.PosteriorMode;
  const int n = std::min({P.size(), data.Steps.size(), data.FuseCodes.size()});
  // Runs on every evaluation, so it keeps no table of group values: the
  // value a follower takes is that of the nearest earlier member of its
  // group, which by then holds the group's value (the first member's, or
  // the profiled member's when that one came in between).
  for (int i = 1; i <= n; ++i) {
    const std::string& code = data.FuseCodes[i];
    if (code == kUnfused || FindGroup(groups, code) == 0) continue;
    int earlier = i - 1;
    while (earlier >= 1 && data.FuseCodes[earlier] != code) --earlier;
    if (earlier == 0) continue;  // the first member met
    const bool profiledMember = profiling && i == state.ProfiledParameter && data.Steps[i] == 0.0;
    if (profiledMember) continue;  // sets the group's value for the members after it
    P[i] = P[earlier];
    data.Steps[i] = 0.0;
  }
}

}  // namespace quorvane

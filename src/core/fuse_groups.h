#pragma once

#include <cstdint>
#include <string>

#include "core/algorithm_data.h"
#include "core/one_based.h"

namespace quorvane {

struct AppState;

// The groups of parameters that share a fuse code, as the last build found
// them. GroupCode[j] is the code of group j, in the order of the groups'
// first members. A group that ended with one member keeps its entry,
// which then matches no parameter.
struct FuseGroups {
  std::int16_t GroupCount = 0;
  OneBased<std::string> GroupCode;
};

// Forms the groups from the fuse codes and brings the parameter set in line
// with them: the lowest-numbered member of each group keeps its value and
// step and stands for the group; every other member gets step 0 and the
// first member's value. A code that no other parameter shares becomes "~~"
// (also in the data, so a later save writes "~~").
void BuildFuseGroups(AlgorithmData& data, FuseGroups& groups);

// Fills in the fused members of the vector P about to be passed to the
// model: within each group the first member met sets the group's value and
// every later member (a follower) takes it, and gets step 0 in the data.
// While a profile or posterior grid runs, the profiled parameter with step 0
// is never a follower, so members after it take its value. Codes without a
// group of the last build are skipped.
void ExpandFusedValues(OneBased<double>& P, const FuseGroups& groups, AlgorithmData& data,
                       const AppState& state);

}  // namespace quorvane

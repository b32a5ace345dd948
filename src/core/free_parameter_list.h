#pragma once

#include <cstdint>

#include "core/algorithm_data.h"
#include "core/one_based.h"

namespace quorvane {

// The parameters the minimisers and the Hessian grids vary, in increasing
// parameter order: for k = 1..FreeCount, FreeIndex[k] is the parameter's
// ordinal and FreeStart[k], FreeStep[k] its value and step size at the time
// of the build. Everything downstream is indexed by k.
struct FreeParameterList {
  std::int32_t FreeCount = 0;
  OneBased<std::int16_t> FreeIndex;
  OneBased<double> FreeStart;
  OneBased<double> FreeStep;
  // Raised by every build. Stored profile and posterior results remember
  // the build they belong to and count as out of date after a new one.
  std::uint64_t BuildNumber = 0;
};

// Every parameter whose step size is not exactly 0 is free; a negative
// step frees a parameter like a positive one. Fused followers have step 0
// after BuildFuseGroups, so a group contributes only its first member.
void BuildFreeParameterList(const AlgorithmData& data, FreeParameterList& list);

}  // namespace quorvane

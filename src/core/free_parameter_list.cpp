#include "core/free_parameter_list.h"

#include <algorithm>

namespace quorvane {

void BuildFreeParameterList(const AlgorithmData& data, FreeParameterList& list) {
  list.FreeIndex.clear();
  list.FreeStart.clear();
  list.FreeStep.clear();
  const int n = std::min({static_cast<int>(data.ParameterCount), data.Values.size(),
                          data.Steps.size()});
  for (int i = 1; i <= n; ++i) {
    if (data.Steps[i] == 0.0) continue;
    list.FreeIndex.push_back(static_cast<std::int16_t>(i));
    list.FreeStart.push_back(data.Values[i]);
    list.FreeStep.push_back(data.Steps[i]);
  }
  list.FreeCount = list.FreeIndex.size();
  ++list.BuildNumber;
}

}  // namespace quorvane

#pragma once

#include <cstdint>
#include <string>

#include "core/one_based.h"

namespace quorvane::testing {

// What a test model does at set-up (NF = 0): n parameters, the vectors
// sized to them, every fuse code "~~" and a description "<prefix> i".
inline void SetUpTestParameters(int n, const std::string& descriptionPrefix, OneBased<double>& P,
                                OneBased<double>& STP, OneBased<std::string>& DESC,
                                OneBased<std::string>& FUSE, std::int16_t& NP) {
  NP = static_cast<std::int16_t>(n);
  P.resize(n);
  STP.resize(n);
  FUSE.resize(n, "~~");
  DESC.resize(n);
  for (int i = 1; i <= n; ++i) DESC[i] = descriptionPrefix + " " + std::to_string(i);
}

}  // namespace quorvane::testing

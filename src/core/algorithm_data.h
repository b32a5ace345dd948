#pragma once

#include <cstdint>
#include <string>

#include "core/one_based.h"

namespace quorvane {

// The parameter set being estimated and the settings of the minimisers. One
// instance lives in the Session for the whole run. Values, Steps and
// FuseCodes always hold ParameterCount entries, numbered from 1.
struct AlgorithmData {
  std::int16_t ParameterCount = 0;  // set by the model at set-up
  OneBased<double> Values;
  OneBased<double> Steps;             // 0 fixes a parameter; any other value frees it
  OneBased<std::string> FuseCodes;    // "~~" unfused, else one or two capitals
  OneBased<std::string> Descriptions; // written by the model at set-up
  double Tolerance = 1e-6;            // > 0 absolute, < 0 relative (magnitude is the tolerance)
  std::int32_t MaxFunctionCalls = 9999;
  std::int16_t TerminalFrequency = 10;
  std::int16_t FileFrequency = 0;     // 0: nothing goes to the log file
  std::string LogFileName = "minimize.qvl";
  double ReductionFraction = 0.1;
};

// The fuse code of a parameter that is estimated on its own.
inline constexpr const char* kUnfused = "~~";

// Every value 0, every step 0, every fuse code "~~", and the default
// settings; the arrays are sized to ParameterCount. Descriptions are the
// model's and are kept.
void DefaultAlgorithmData(AlgorithmData& data);

// True when Values, Steps and FuseCodes all hold ParameterCount entries.
bool HasParameterArrays(const AlgorithmData& data);

// A tolerance whose magnitude is below 1E-06 becomes 1E-06 with its sign; 0
// stays 0 (and then counts as absolute).
double ApplyToleranceFloor(double tolerance);

}  // namespace quorvane

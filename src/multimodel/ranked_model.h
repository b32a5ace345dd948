#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// The covariance-file markers of a model without a readable covariance file.
inline constexpr const char* kNoCovarianceFileFound = "No covariance file found";
inline constexpr const char* kNoSuchFileExists = "No such file exists";

// One competing model of the ranking table. A row added while no algorithm
// file was loaded has no values (HasValues false) and is never ranked.
struct RankedModel {
  std::int16_t EntryNumber = 0;  // the model count when it was added
  bool HasValues = false;
  double NegLogL = 0.0;          // -ln[L]
  int K = 0;                     // estimated parameters
  std::int32_t N = 0;            // sample size of the criteria (0: the model gives none)
  std::vector<int> FreeParameters;  // the parameter numbers K counts
  std::optional<double> Criterion;  // AICc, or QAICc with C-hat above 1
  std::optional<double> Difference;  // empty: "undefined"
  std::optional<double> Weight;
  std::string AlgorithmFileName;
  std::string CovarianceFile;
  std::string PriorsFileName;
  std::string Notes;

  bool HasCovarianceFile() const {
    return HasValues && !CovarianceFile.empty() && CovarianceFile != kNoCovarianceFileFound &&
           CovarianceFile != kNoSuchFileExists;
  }
};

}  // namespace quorvane

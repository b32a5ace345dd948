#pragma once

#include <string>

#include "tfn/tfn_setup.h"

namespace quorvane::testing {

inline std::string ExamplePath(const std::string& file) {
  return std::string(QUORVANE_SOURCE_DIR) + "/examples/" + file;
}

// The Nile flow 1871-1970: one series, one intervention (the step at 1899),
// lag order 1, coefficients estimated directly: 8 parameters.
inline TfnSetup NileSetup() {
  TfnSetup s;
  s.Response = {ExamplePath("nile.dat"), 1871, 1970, 1, 1, 0, SeriesTransformation::None, 1, 0};
  s.GroupFirst[0] = s.GroupLast[0] = 1;
  s.Interventions[0] = 1;
  s.LagOrder = 1;
  s.EstimateLogits = false;
  return s;
}

// The level of Lake Huron 1875-1972: one series, lag order 2 and one
// intervention (a linear trend from 1875 when its code is 3): 12 parameters.
inline TfnSetup LakeHuronSetup() {
  TfnSetup s;
  s.Response = {ExamplePath("lakehuron.dat"), 1875, 1972, 1, 1, 0, SeriesTransformation::None, 1, 0};
  s.GroupFirst[0] = s.GroupLast[0] = 1;
  s.Interventions[0] = 1;
  s.LagOrder = 2;
  s.EstimateLogits = false;
  return s;
}

// The seat-belt example: three series in three groups, first differences,
// lag order 2, one covariate per group with the law (series 3) treated as
// an intervention: 28 parameters.
inline TfnSetup SeatBeltSetup(bool logits = false) {
  TfnSetup s;
  s.Response = {ExamplePath("seatbelts.dat"), 1, 192, 1, 3, 1, SeriesTransformation::None, 1, 0};
  s.UseCovariates = true;
  s.Covariates = {ExamplePath("seatbelts_cov.dat"), 1, 192, 1, 3, 1, SeriesTransformation::None, 1, 0};
  s.CovariateIsIntervention[2] = true;
  s.GroupCount = 3;
  s.GroupFirst = {1, 2, 3, 0, 0};
  s.GroupLast = {1, 2, 3, 0, 0};
  s.LagOrder = 2;
  s.EstimateLogits = logits;
  return s;
}

}  // namespace quorvane::testing

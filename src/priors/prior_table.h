#pragma once

#include <string>
#include <vector>

namespace quorvane {

// One parameter's prior distribution. Type is one upper-case letter; "U" is
// the uniform, unbounded prior that adds nothing to the objective.
struct PriorRow {
  std::string Type = "U";
};

// The per-parameter priors, numbered 1..n like the parameters (Rows[0] is
// parameter 1).
struct PriorTable {
  std::vector<PriorRow> Rows;

  // True when no parameter has a prior other than "U", including when there
  // are no parameters at all: then there is nothing worth saving.
  bool AllUniform() const {
    for (const auto& row : Rows)
      if (row.Type != "U") return false;
    return true;
  }
};

}  // namespace quorvane

#pragma once

#include <string>

namespace quorvane {

// Checks that the covariance file `name` can be opened for reading. If not,
// `name` becomes "No covariance file found" for mode 1 (the name the
// ranking derived from the algorithm file) or "No such file exists" for
// mode 2 (a name the user typed); other modes leave it.
void CheckCovFileName(std::string& name, int mode);

}  // namespace quorvane

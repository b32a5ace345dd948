#pragma once

#include <string>

namespace quorvane {

// The two-sided probability that a Student t value of 999 degrees of
// freedom exceeds |z|, as report text with the picture "#0.0000", or
// "<0.0001" when it is smaller (always for z >= 20). z is taken in single
// precision, as the report holds it.
std::string ProbabilityText(double z);

}  // namespace quorvane

#pragma once

#include <string_view>

namespace quorvane {

// Text read as a number: its leading numeric part (blanks skipped, an
// optional sign, digits with an optional point, an optional exponent).
// Text with no numeric start reads as 0, so an empty box reads 0.
double LeadingNumber(std::string_view text);

}  // namespace quorvane

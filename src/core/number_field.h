#pragma once

#include <cstddef>
#include <string>

namespace quorvane {

// A rendered number set right-aligned in a field of `width` characters.
// Unlike RightJustify, a rendering wider than the field is kept whole
// (a negative number with a three-digit exponent, "-1.0000000E+100", is 15
// characters), because cutting its last characters would show or store a
// different number.
std::string FitNumberField(const std::string& rendered, std::size_t width);

}  // namespace quorvane

#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// Writes a number as laid out by a picture:
//   0    digit, or 0 where the number has none in that position
//   #    digit, or nothing where the number has none
//   .    decimal point, always written when present
//   E+0  scientific form; the count of 0s after "E+" is the minimum number
//        of exponent digits, and the exponent always carries "+" or "-"
//   any other character is written unchanged in its place.
// All integer digits are always written; the placeholders only set the
// minimum. Decimals are rounded at the last decimal placeholder, halves
// away from zero; trailing zeros in # positions are dropped. A negative
// value is preceded by "-". Infinities and NaN give "Inf", "-Inf", "NaN".
// A picture with no placeholder, point or exponent (such as "&", "  " or
// "") writes the number as PlainNumberText does.
std::string FormatPicture(double value, std::string_view picture);

// Text is written unchanged whatever the picture.
std::string FormatPicture(std::string_view text, std::string_view picture);

}  // namespace quorvane

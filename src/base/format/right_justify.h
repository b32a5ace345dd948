#pragma once

#include <string>
#include <string_view>

#include "base/format/plain_number_text.h"

namespace quorvane {

// Text of exactly `width` characters: shorter text is preceded by blanks,
// longer text keeps its leftmost `width` characters. The width is rounded to
// the nearest whole number, halves to even (2.5 -> 2, 3.5 -> 4); a negative
// or NaN width counts as 0. Characters are bytes: report texts are ASCII.
std::string RightJustify(std::string_view text, double width);

// Numbers are first written by PlainNumberText.
std::string RightJustify(double value, double width);
std::string RightJustify(long long value, double width);

// int, short, unsigned ... (an exact match here beats converting to
// long long or double, so such calls are not ambiguous).
template <WholeNumber T>
std::string RightJustify(T value, double width) {
  return RightJustify(std::string_view(PlainNumberText(value)), width);
}

}  // namespace quorvane

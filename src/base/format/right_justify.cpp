#include "base/format/right_justify.h"

#include <cmath>
#include <stdexcept>

namespace quorvane {
namespace {

// Nearest whole number, halves to even, without depending on the floating
// point rounding mode currently in effect.
std::size_t PositionCount(double width) {
  if (!(width > 0)) return 0;  // negative, zero or NaN
  double whole = std::floor(width);
  const double rest = width - whole;  // exact for any double
  if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0)) {
    whole += 1.0;
  }
  if (!(whole <= static_cast<double>(std::string().max_size()))) {
    throw std::length_error("RightJustify: width too large");
  }
  return static_cast<std::size_t>(whole);
}

}  // namespace

std::string RightJustify(std::string_view text, double width) {
  const std::size_t positions = PositionCount(width);
  if (text.size() >= positions) return std::string(text.substr(0, positions));
  std::string out(positions - text.size(), ' ');
  out += text;
  return out;
}

std::string RightJustify(double value, double width) {
  return RightJustify(std::string_view(PlainNumberText(value)), width);
}

std::string RightJustify(long long value, double width) {
  return RightJustify(std::string_view(PlainNumberText(value)), width);
}

}  // namespace quorvane

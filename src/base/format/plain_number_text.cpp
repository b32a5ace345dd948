#include "base/format/plain_number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace quorvane {
namespace {

// Exponents outside [-4, 14] switch to the mantissa-E-exponent form.
constexpr int kSmallestPlainExponent = -4;
constexpr int kLargestPlainExponent = 14;
constexpr int kSignificantDigits = 15;

template <typename Whole>
std::string WholeText(Whole value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace

std::string PlainNumberText(long long value) { return WholeText(value); }

std::string PlainNumberText(unsigned long long value) {
  return WholeText(value);
}

std::string PlainNumberText(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";
  if (value == 0) return "0";  // also -0.0: no sign for zero

  // std::to_chars rounds the exact binary value correctly to 15 significant
  // digits (as printf("%.14e") does, ties to even) and is locale-free. The
  // exponent it reports is the one after rounding, so 999999999999999.5
  // becomes 1E+15.
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                    std::chars_format::scientific, kSignificantDigits - 1);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));

  // text is "d.dddddddddddddde+XX" (or e-XX, e+XXX).
  const std::size_t e_at = text.find('e');
  std::string digits;
  for (char c : text.substr(0, e_at)) {
    if (c != '.') digits += c;
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  const int exponent = std::atoi(std::string(text.substr(e_at + 1)).c_str());

  std::string out = value < 0 ? "-" : "";
  if (exponent < kSmallestPlainExponent || exponent > kLargestPlainExponent) {
    out += digits[0];
    if (digits.size() > 1) {
      out += '.';
      out.append(digits, 1);
    }
    out += exponent < 0 ? "E-" : "E+";
    const std::string exponent_digits = WholeText(std::abs(exponent));
    if (exponent_digits.size() < 2) out += '0';
    out += exponent_digits;
  } else if (exponent >= 0) {
    const std::size_t integer_digits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integer_digits) {
      out += digits;
      out.append(integer_digits - digits.size(), '0');
    } else {
      out.append(digits, 0, integer_digits);
      out += '.';
      out.append(digits, integer_digits);
    }
  } else {
    out += "0.";
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += digits;
  }
  return out;
}

}  // namespace quorvane

#include "base/format/leading_number.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

namespace quorvane {

double LeadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  std::string number;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    if (text[i] == '-') number += '-';
    ++i;
  }
  const auto digit = [&](size_t k) { return k < text.size() && std::isdigit(static_cast<unsigned char>(text[k])); };
  bool anyDigit = false;
  while (digit(i)) {
    number += text[i++];
    anyDigit = true;
  }
  if (i < text.size() && text[i] == '.') {
    number += text[i++];
    while (digit(i)) {
      number += text[i++];
      anyDigit = true;
    }
  }
  if (!anyDigit) return 0.0;
  // An exponent counts only when digits follow it.
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    size_t k = i + 1;
    std::string exponent = "e";
    if (k < text.size() && (text[k] == '-' || text[k] == '+')) exponent += text[k++];
    if (digit(k)) {
      while (digit(k)) exponent += text[k++];
      number += exponent;
    }
  }
  double value = 0.0;
  auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (ec == std::errc::result_out_of_range) {
    // Too large, or too small even for a subnormal: which one the decimal
    // exponent of the first significant digit tells. A number too small to
    // hold reads as 0, not as infinity.
    const size_t point = number.find('.');
    const size_t mark = number.find('e');
    const size_t first = number.find_first_of("123456789");
    if (first == std::string::npos) return 0.0;
    const size_t whole = std::min(point == std::string::npos ? number.size() : point,
                                  mark == std::string::npos ? number.size() : mark);
    long magnitude = static_cast<long>(whole) - static_cast<long>(first) - (first < whole ? 1 : 0);
    if (mark != std::string::npos) {
      const std::string digits = number.substr(mark + 1);
      // An exponent too long for a long is far beyond either end.
      magnitude += digits.size() > 9 ? (digits[0] == '-' ? -1000000000L : 1000000000L)
                                     : std::stol(digits);
    }
    if (magnitude < 0) return 0.0;
    return number[0] == '-' ? -HUGE_VAL : HUGE_VAL;
  }
  if (ec != std::errc()) return 0.0;
  return value == 0.0 ? 0.0 : value;  // no negative zero
}

}  // namespace quorvane

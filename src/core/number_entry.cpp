#include "core/number_entry.h"

#include <charconv>
#include <cmath>

namespace quorvane {

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string NotANumberText(std::string_view entry) {
  return "\"" + std::string(TrimBlanks(entry)) + "\" is not a number";
}

std::optional<double> ParseFileNumber(std::string_view text) {
  text = TrimBlanks(text);
  // std::from_chars takes a "-" but no "+"; a leading "+" is allowed here.
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) return std::nullopt;
  }
  if (text.empty()) return std::nullopt;
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value,
                                            std::chars_format::general);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<double> ParseNumber(std::string_view text) {
  auto value = ParseFileNumber(text);
  if (value && !std::isfinite(*value)) return std::nullopt;
  return value;
}

std::optional<std::int64_t> RoundToWhole(double value, std::int64_t lowest, std::int64_t highest) {
  if (!std::isfinite(value)) return std::nullopt;
  // nearbyint rounds in the default mode, to nearest with halves to even.
  const double rounded = std::nearbyint(value);
  if (rounded < static_cast<double>(lowest) || rounded > static_cast<double>(highest))
    return std::nullopt;
  return static_cast<std::int64_t>(rounded);
}

}  // namespace quorvane

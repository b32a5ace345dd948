#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// A number typed by the user or read from a file field: ordinary decimal or
// scientific notation ("2", "-0.5", ".5", "1.5E-07", "+3") with blanks around
// it and nothing else. Always uses "." whatever the locale. Anything else,
// and numbers beyond the range of a double, give nothing. Infinities and NaN
// are refused: a user entry never puts them into the parameter set.
std::optional<double> ParseNumber(std::string_view text);

// As ParseNumber, but also accepts "Inf", "-Inf" and "NaN", which is how a
// saved file writes such values, so that every saved file reads back.
std::optional<double> ParseFileNumber(std::string_view text);

// A real rounded to the nearest whole number, halves to even (2.5 gives 2,
// 3.5 gives 4), when the result lies in [lowest, highest]; otherwise nothing.
std::optional<std::int64_t> RoundToWhole(double value, std::int64_t lowest, std::int64_t highest);

// The message for an entry that is not a number: "\"abc\" is not a number"
// (a number beyond the range of a double counts as none).
std::string NotANumberText(std::string_view entry);

// The text without leading and trailing blanks.
std::string_view TrimBlanks(std::string_view text);

}  // namespace quorvane

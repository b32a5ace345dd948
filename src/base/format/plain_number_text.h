#pragma once

#include <concepts>
#include <string>

namespace quorvane {

// The ordinary text form of a real number: at most 15 significant digits,
// no trailing zeros or trailing point, "0.05" rather than ".05", and the
// exponent form ("1E-05", "1.5E+20") when the decimal exponent is below -4
// or above 14. Always uses "." whatever the locale. Infinities and NaN give
// "Inf", "-Inf" and "NaN".
std::string PlainNumberText(double value);

// Whole numbers are written in full, with a leading "-" when negative.
std::string PlainNumberText(long long value);
std::string PlainNumberText(unsigned long long value);

// Whole-number types other than bool and the character types; lets calls
// with int, short, long, unsigned ... resolve without ambiguity.
template <typename T>
concept WholeNumber =
    std::integral<T> && !std::same_as<T, bool> && !std::same_as<T, char> &&
    !std::same_as<T, wchar_t> && !std::same_as<T, char8_t> &&
    !std::same_as<T, char16_t> && !std::same_as<T, char32_t>;

template <WholeNumber T>
std::string PlainNumberText(T value) {
  if constexpr (std::signed_integral<T>) {
    return PlainNumberText(static_cast<long long>(value));
  } else {
    return PlainNumberText(static_cast<unsigned long long>(value));
  }
}

}  // namespace quorvane

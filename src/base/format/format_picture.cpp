#include "base/format/format_picture.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

#include "base/format/plain_number_text.h"

namespace quorvane {
namespace {

// ---------------------------------------------------------------------------
// Decimal rounding
//
// Rounding is decided on the shortest decimal string that reads back as the
// same double (std::to_chars without a precision), never on a scaled binary
// value. Rounding that string half away from zero gives the same result as
// rounding the exact binary value, except when the shortest string is itself
// exactly a half at the rounding position: then the value is rounded away
// from zero as its decimal form reads. So 0.0625 (exact) gives 0.063, and
// 2.675 (stored as 2.67499999999999982236431605997495353221893310546875,
// shown everywhere as 2.675) gives 2.68 with "0.00".
// ---------------------------------------------------------------------------

// A finite, non-zero magnitude as d1.d2d3... x 10^exponent, d1 != 0.
struct Decimal {
  std::string digits;
  int exponent = 0;
};

Decimal ShortestDecimal(double magnitude) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                    std::chars_format::scientific);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e_at = text.find('e');
  Decimal decimal;
  for (char c : text.substr(0, e_at)) {
    if (c != '.') decimal.digits += c;
  }
  decimal.exponent = std::atoi(std::string(text.substr(e_at + 1)).c_str());
  return decimal;
}

// The digits of the magnitude divided by 10^unit_exponent, rounded to a
// whole number half away from zero; "0" when that is zero, otherwise no
// leading zeros.
std::string RoundToUnits(const Decimal& decimal, int unit_exponent) {
  // Digits whose place value is at least 10^unit_exponent.
  const long long kept =
      static_cast<long long>(decimal.exponent) - unit_exponent + 1;
  if (kept < 0) return "0";
  if (kept == 0) return decimal.digits[0] >= '5' ? "1" : "0";

  const std::size_t count = static_cast<std::size_t>(kept);
  std::string out = decimal.digits.substr(0, count);
  out.append(count - out.size(), '0');
  if (count < decimal.digits.size() && decimal.digits[count] >= '5') {
    std::size_t i = out.size();
    while (i > 0 && out[i - 1] == '9') out[--i] = '0';
    if (i == 0) {
      out.insert(out.begin(), '1');
    } else {
      ++out[i - 1];
    }
  }
  return out;
}

// ---------------------------------------------------------------------------
// Pictures
// ---------------------------------------------------------------------------

enum class Part { Literal, IntegerSlot, Point, DecimalSlot, Exponent };

struct Piece {
  Part part;
  char ch;  // the literal character, or '0' / '#' for a slot
};

struct Picture {
  std::vector<Piece> pieces;
  std::size_t integer_slots = 0;
  std::size_t integer_minimum = 0;  // slots from the leftmost integer '0' on
  std::size_t decimal_slots = 0;
  std::size_t decimal_minimum = 0;  // slots up to the rightmost decimal '0'
  bool scientific = false;
  std::size_t exponent_digits = 0;
  bool has_number = false;  // any slot, point or exponent
};

// "E+" followed by at least one "0" starts the scientific form; an "E"
// anywhere else is an ordinary character. After the exponent, every
// character is written unchanged.
Picture ParsePicture(std::string_view text) {
  enum class Section { Integer, Decimals, AfterExponent };
  Section section = Section::Integer;
  Picture picture;
  std::size_t first_integer_zero = std::string_view::npos;

  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool slot = (c == '0' || c == '#') && section != Section::AfterExponent;
    if (slot && section == Section::Integer) {
      if (c == '0' && first_integer_zero == std::string_view::npos) {
        first_integer_zero = picture.integer_slots;
      }
      ++picture.integer_slots;
      picture.pieces.push_back({Part::IntegerSlot, c});
    } else if (slot) {
      ++picture.decimal_slots;
      if (c == '0') picture.decimal_minimum = picture.decimal_slots;
      picture.pieces.push_back({Part::DecimalSlot, c});
    } else if (c == '.' && section == Section::Integer) {
      section = Section::Decimals;
      picture.pieces.push_back({Part::Point, c});
    } else if (c == 'E' && section != Section::AfterExponent &&
               text.substr(i).starts_with("E+0")) {
      std::size_t zeros = 0;
      while (i + 2 + zeros < text.size() && text[i + 2 + zeros] == '0') ++zeros;
      picture.scientific = true;
      picture.exponent_digits = zeros;
      picture.pieces.push_back({Part::Exponent, c});
      section = Section::AfterExponent;
      i += 1 + zeros;
    } else {
      picture.pieces.push_back({Part::Literal, c});
    }
  }
  if (first_integer_zero != std::string_view::npos) {
    picture.integer_minimum = picture.integer_slots - first_integer_zero;
  }
  picture.has_number = std::any_of(
      picture.pieces.begin(), picture.pieces.end(),
      [](const Piece& piece) { return piece.part != Part::Literal; });
  return picture;
}

// ---------------------------------------------------------------------------
// Rendering
// ---------------------------------------------------------------------------

// The digits to place into a picture. Integer digits carry no leading zeros
// (empty for a zero integer part) before the picture's minimum is applied.
struct Digits {
  std::string integer;
  std::string decimals;  // exactly decimal_slots digits
  bool zero = true;      // the rounded value is zero
  int exponent = 0;
};

Digits FixedDigits(double magnitude, std::size_t decimal_slots) {
  Digits digits;
  std::string units = "0";
  if (magnitude != 0) {
    units = RoundToUnits(ShortestDecimal(magnitude),
                         -static_cast<int>(decimal_slots));
  }
  digits.zero = units == "0";
  if (units.size() > decimal_slots) {
    digits.integer = units.substr(0, units.size() - decimal_slots);
    digits.decimals = units.substr(units.size() - decimal_slots);
  } else {
    digits.decimals = std::string(decimal_slots - units.size(), '0') + units;
  }
  if (digits.integer == "0") digits.integer.clear();
  return digits;
}

// One non-zero integer digit (a zero value gives mantissa 0, exponent 0).
Digits ScientificDigits(double magnitude, std::size_t decimal_slots) {
  Digits digits;
  if (magnitude == 0) {
    digits.decimals = std::string(decimal_slots, '0');
    return digits;
  }
  const Decimal decimal = ShortestDecimal(magnitude);
  digits.zero = false;
  digits.exponent = decimal.exponent;
  std::string units =
      RoundToUnits(decimal, decimal.exponent - static_cast<int>(decimal_slots));
  if (units.size() > decimal_slots + 1) {
    // Rounded up to 10: 9.99...9 became 10.00...0; mantissa 1, exponent + 1.
    units.pop_back();
    ++digits.exponent;
  }
  digits.integer = units.substr(0, 1);
  digits.decimals = units.substr(1);
  return digits;
}

std::string ExponentText(int exponent, std::size_t minimum_digits) {
  char buffer[16];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, std::abs(exponent));
  const std::string_view number(buffer, static_cast<std::size_t>(result.ptr - buffer));
  std::string out = exponent < 0 ? "E-" : "E+";
  if (number.size() < minimum_digits) {
    out.append(minimum_digits - number.size(), '0');
  }
  out += number;
  return out;
}

std::string Render(const Picture& picture, Digits digits, bool negative) {
  // Apply the minimums: '0' integer slots force digits, '#' decimal slots
  // drop trailing zeros.
  if (digits.integer.size() < picture.integer_minimum) {
    digits.integer.insert(0, picture.integer_minimum - digits.integer.size(), '0');
  }
  while (digits.decimals.size() > picture.decimal_minimum &&
         digits.decimals.back() == '0') {
    digits.decimals.pop_back();
  }

  // Integer digits are right-aligned on the integer slots; digits that do
  // not fit are written before the first of them. The sign, and any such
  // extra digits, go where the number starts (after leading literals).
  const long long lead = static_cast<long long>(picture.integer_slots) -
                         static_cast<long long>(digits.integer.size());
  const std::size_t overflow = lead < 0 ? static_cast<std::size_t>(-lead) : 0;

  // A literal standing between integer slots (a separator such as ",") is
  // only written once a digit stands to its left, so a short number does
  // not start with a stray separator.
  std::size_t last_integer_slot = 0;
  for (std::size_t i = 0; i < picture.pieces.size(); ++i) {
    if (picture.pieces[i].part == Part::IntegerSlot) last_integer_slot = i;
  }

  std::string out;
  bool started = false;
  bool digit_written = false;
  std::size_t integer_slot = 0;
  std::size_t decimal_slot = 0;
  for (std::size_t i = 0; i < picture.pieces.size(); ++i) {
    const Piece& piece = picture.pieces[i];
    if (piece.part != Part::Literal && !started) {
      started = true;
      // A value that rounds to zero is written without "-".
      if (negative && !digits.zero) out += '-';
      out.append(digits.integer, 0, overflow);
      digit_written = overflow > 0;
    }
    switch (piece.part) {
      case Part::Literal:
        if (!started || digit_written || i > last_integer_slot) out += piece.ch;
        break;
      case Part::IntegerSlot: {
        const long long index = static_cast<long long>(integer_slot++) - lead;
        if (index >= 0) {
          out += digits.integer[static_cast<std::size_t>(index)];
          digit_written = true;
        }
        break;
      }
      case Part::Point:
        out += '.';
        break;
      case Part::DecimalSlot:
        if (decimal_slot < digits.decimals.size()) {
          out += digits.decimals[decimal_slot];
        }
        ++decimal_slot;
        break;
      case Part::Exponent:
        out += ExponentText(digits.exponent, picture.exponent_digits);
        break;
    }
  }
  return out;
}

}  // namespace

std::string FormatPicture(double value, std::string_view picture_text) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";

  const Picture picture = ParsePicture(picture_text);
  if (!picture.has_number) return PlainNumberText(value);

  // -0.0 compares equal to 0 and so is never "negative" here.
  const bool negative = value < 0;
  const double magnitude = std::fabs(value);
  Digits digits = picture.scientific
                      ? ScientificDigits(magnitude, picture.decimal_slots)
                      : FixedDigits(magnitude, picture.decimal_slots);
  return Render(picture, std::move(digits), negative);
}

std::string FormatPicture(std::string_view text, std::string_view /*picture*/) {
  return std::string(text);
}

}  // namespace quorvane

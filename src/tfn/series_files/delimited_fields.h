#pragma once

#include <string_view>

namespace quorvane {

// The text of a field without the blanks and tabs around it.
std::string_view TrimField(std::string_view text);

// Whether the text is well-formed UTF-8.
bool IsUtf8(std::string_view text);

// What a value field of a series file holds.
enum class FieldKind { Number, Missing, NotANumber, OutOfRange };
struct FieldValue {
  FieldKind Kind = FieldKind::NotANumber;
  double Value = 0.0;
};

// Reads a trimmed value field: a decimal number at full double precision
// (an optional sign, digits with an optional point, an optional exponent;
// with `decimalComma` the point may be written as a comma), or a missing
// value: empty, "NA", "NaN" in any letter case, "." or "Missing". Anything
// else, infinities among it, is no number; a number beyond the range of a
// double is out of range.
FieldValue ReadFieldValue(std::string_view text, bool decimalComma);

// The separator of a delimited file, from its first lines (`start` is the
// beginning of the file): a tab, a semicolon or a comma, the first of these
// that appears outside quotes in the first line as often as in the second,
// else the first that appears in the first line at all; without any of
// them ' ', which stands for runs of blanks.
char DetectSeparator(std::string_view start);

}  // namespace quorvane

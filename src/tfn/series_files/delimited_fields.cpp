#include "tfn/series_files/delimited_fields.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace quorvane {
namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The first `wanted` lines of `text` that hold more than blanks, split at
// CR, LF or CR LF outside quoted fields.
std::vector<std::string_view> FirstLines(std::string_view text, size_t wanted) {
  std::vector<std::string_view> lines;
  size_t begin = 0;
  bool quoted = false;
  for (size_t at = 0; at <= text.size() && lines.size() < wanted; ++at) {
    if (at < text.size() && text[at] == '"') quoted = !quoted;
    if (at < text.size() && (quoted || (text[at] != '\r' && text[at] != '\n'))) continue;
    const std::string_view line = text.substr(begin, at - begin);
    if (!TrimField(line).empty()) lines.push_back(line);
    begin = at + 1;
  }
  return lines;
}

// How often `separator` appears in the line outside quoted fields.
int CountOutsideQuotes(std::string_view line, char separator) {
  int count = 0;
  bool quoted = false;
  for (char c : line) {
    if (c == '"') quoted = !quoted;
    else if (c == separator && !quoted) ++count;
  }
  return count;
}

}  // namespace

std::string_view TrimField(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    size_t more = 0;
    unsigned lowest = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      more = 1;
      lowest = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
      more = 2;
      lowest = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
      more = 3;
      lowest = 0x10000;
    } else {
      return false;
    }
    if (i + more >= text.size()) return false;
    unsigned code = c & (0x3F >> more);
    for (size_t k = 1; k <= more; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and code points beyond Unicode are not UTF-8.
    if (code < lowest || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return false;
    i += more + 1;
  }
  return true;
}

FieldValue ReadFieldValue(std::string_view text, bool decimalComma) {
  if (text.empty() || text == "NA" || text == "." || text == "Missing" || EqualsIgnoringCase(text, "nan"))
    return {FieldKind::Missing, 0.0};
  std::string copy;
  if (decimalComma && text.find(',') != std::string_view::npos) {
    copy.assign(text);
    for (char& c : copy)
      if (c == ',') c = '.';
    text = copy;
  }
  // std::from_chars takes a "-" but no "+"; a single leading "+" is allowed.
  if (text.front() == '+') text.remove_prefix(1);
  if (text.empty() || !(text.front() == '-' || text.front() == '.' || (text.front() >= '0' && text.front() <= '9')))
    return {};
  double value = 0.0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (end != text.data() + text.size()) return {};
  if (error == std::errc::result_out_of_range) return {FieldKind::OutOfRange, 0.0};
  if (error != std::errc() || !std::isfinite(value)) return {};
  return {FieldKind::Number, value};
}

char DetectSeparator(std::string_view start) {
  const std::vector<std::string_view> lines = FirstLines(start, 2);
  if (lines.empty()) return ',';
  constexpr std::array<char, 3> kCandidates = {'\t', ';', ','};
  for (char separator : kCandidates) {
    const int first = CountOutsideQuotes(lines[0], separator);
    if (first > 0 && (lines.size() < 2 || CountOutsideQuotes(lines[1], separator) == first))
      return separator;
  }
  for (char separator : kCandidates)
    if (CountOutsideQuotes(lines[0], separator) > 0) return separator;
  return ' ';
}

}  // namespace quorvane

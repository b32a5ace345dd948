#include "figure/figure_text.h"

namespace quorvane::figure {
namespace {

// The length of the valid UTF-8 sequence that starts at text[i], or 0.
size_t Utf8Length(const std::string& text, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  const size_t length = lead < 0x80                  ? 1
                        : lead >= 0xC2 && lead <= 0xDF ? 2
                        : (lead >> 4) == 0xE           ? 3
                        : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                       : 0;
  if (length == 0 || i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k)
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
  // No overlong forms, surrogates or code points above U+10FFFF.
  if (length == 3) {
    const unsigned cp = (lead & 0x0Fu) << 12 | (byte(i + 1) & 0x3Fu) << 6 | (byte(i + 2) & 0x3Fu);
    if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  }
  if (length == 4) {
    const unsigned cp = (lead & 0x07u) << 18 | (byte(i + 1) & 0x3Fu) << 12;
    if (cp < 0x10000 || cp > 0x10FFFF) return 0;
  }
  return length;
}

}  // namespace

std::string PrintableText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t length = Utf8Length(text, i);
    if (length == 0) {
      out += '?';
      ++i;
    } else if (length == 1) {
      const unsigned char ch = static_cast<unsigned char>(text[i++]);
      out += ch < 0x20 || ch == 0x7F ? ' ' : static_cast<char>(ch);
    } else {
      out.append(text, i, length);
      i += length;
    }
  }
  return out;
}

std::vector<std::string> WrapText(const std::string& text, double width,
                                  const std::function<double(const std::string&)>& measure) {
  std::vector<std::string> lines;
  std::string line;
  size_t at = 0;
  while (at < text.size()) {
    const size_t start = text.find_first_not_of(' ', at);
    if (start == std::string::npos) break;
    const size_t end = std::min(text.find(' ', start), text.size());
    const std::string word = text.substr(start, end - start);
    at = end;
    if (line.empty()) {
      line = word;
    } else if (measure(line + " " + word) <= width) {
      line += " " + word;
    } else {
      lines.push_back(line);
      line = word;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace quorvane::figure

#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quorvane::figure {

// The text with every byte that is not part of valid UTF-8 replaced by "?"
// and every control character (line breaks too) by a blank: what a font
// can draw and an SVG file can hold.
std::string PrintableText(const std::string& text);

// The text broken at blanks into lines no wider than `width`, as measured
// by `measure`; a word wider than the line keeps a line of its own. An
// empty text gives no lines.
std::vector<std::string> WrapText(const std::string& text, double width,
                                  const std::function<double(const std::string&)>& measure);

}  // namespace quorvane::figure

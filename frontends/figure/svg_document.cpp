#include "figure/svg_document.h"

#include <map>
#include <stdexcept>

namespace quorvane::figure {
namespace {

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

// Every "surface" + number that names an element or refers to one ('"' or
// '#' before it), numbered in the order the numbers first appear.
std::string RenumberSurfaces(const std::string& svg) {
  static const std::string kWord = "surface";
  std::map<std::string, int> numbers;
  std::string out;
  size_t copied = 0;
  for (size_t at = svg.find(kWord); at != std::string::npos; at = svg.find(kWord, at + 1)) {
    if (at == 0 || (svg[at - 1] != '"' && svg[at - 1] != '#')) continue;
    const size_t digits = at + kWord.size();
    size_t end = digits;
    while (end < svg.size() && IsDigit(svg[end])) ++end;
    if (end == digits) continue;
    const std::string old = svg.substr(digits, end - digits);
    const auto [it, added] = numbers.emplace(old, static_cast<int>(numbers.size()) + 1);
    out.append(svg, copied, digits - copied);
    out += std::to_string(it->second);
    copied = end;
  }
  out.append(svg, copied, std::string::npos);
  return out;
}

}  // namespace

std::string FinishSvgDocument(const std::string& cairoSvg, const std::string& textElements) {
  std::string svg = RenumberSurfaces(cairoSvg);
  const size_t end = svg.rfind("</svg>");
  if (end == std::string::npos) throw std::runtime_error("The SVG drawing is incomplete");
  if (!textElements.empty())
    svg.insert(end, "<g font-family=\"DejaVu Sans, sans-serif\">\n" + textElements + "</g>\n");
  return svg;
}

}  // namespace quorvane::figure

#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace quorvane::testing {

// The texts of an SVG document's text elements, in document order: the
// content of each element with its spans' tags taken out and the five XML
// entities read back.
inline std::vector<std::string> SvgTexts(const std::string& svg) {
  std::vector<std::string> texts;
  for (size_t at = svg.find("<text"); at != std::string::npos; at = svg.find("<text", at + 1)) {
    const size_t open = svg.find('>', at);
    const size_t close = svg.find("</text>", open);
    if (open == std::string::npos || close == std::string::npos) break;
    std::string content;
    bool inTag = false;
    for (size_t i = open + 1; i < close; ++i) {
      if (svg[i] == '<') inTag = true;
      else if (svg[i] == '>') inTag = false;
      else if (!inTag) content += svg[i];
    }
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [entity, ch] : entities)
      for (size_t e = content.find(entity); e != std::string::npos; e = content.find(entity, e + 1))
        content.replace(e, std::string(entity).size(), ch);
    texts.push_back(content);
  }
  return texts;
}

inline bool HasSvgText(const std::string& svg, const std::string& text) {
  const std::vector<std::string> texts = SvgTexts(svg);
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

}  // namespace quorvane::testing

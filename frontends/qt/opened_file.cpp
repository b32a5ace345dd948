#include "qt/opened_file.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>

namespace quorvane::qt {

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// True when one of the patterns, separated by ";", is "*.EXT" for the
// extension given (with its dot). "*.*" offers every file, not this kind.
bool PatternsOfferExtension(std::string_view patterns, const std::string& extension) {
  while (!patterns.empty()) {
    const size_t end = std::min(patterns.find(';'), patterns.size());
    std::string_view pattern = patterns.substr(0, end);
    while (!pattern.empty() && pattern.front() == ' ') pattern.remove_prefix(1);
    while (!pattern.empty() && pattern.back() == ' ') pattern.remove_suffix(1);
    if (pattern.size() > 2 && pattern.substr(0, 2) == "*." && pattern != "*.*" &&
        Lower(std::string(pattern.substr(1))) == extension)
      return true;
    patterns.remove_prefix(std::min(end + 1, patterns.size()));
  }
  return false;
}

}  // namespace

std::string ProposedFileToOpen(const FileDialogRequest& request, const std::string& startedWith) {
  if (!request.proposedName.empty() || startedWith.empty()) return request.proposedName;
  const std::string extension = Lower(std::filesystem::path(startedWith).extension().string());
  if (extension.empty()) return "";
  // The filter alternates descriptions and patterns: "Text|*.txt|...".
  std::string_view filter = request.filter;
  for (bool isPattern = false; !filter.empty(); isPattern = !isPattern) {
    const size_t end = std::min(filter.find('|'), filter.size());
    if (isPattern && PatternsOfferExtension(filter.substr(0, end), extension)) return startedWith;
    filter.remove_prefix(std::min(end + 1, filter.size()));
  }
  return "";
}

}  // namespace quorvane::qt

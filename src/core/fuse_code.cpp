#include "core/fuse_code.h"

#include "core/algorithm_data.h"
#include "core/number_entry.h"

namespace quorvane {

namespace {
bool IsCapital(char c) { return c >= 'A' && c <= 'Z'; }
}  // namespace

std::string ToCapitals(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

bool IsFuseCode(std::string_view code) {
  if (code == kUnfused) return true;
  return !code.empty() && code.size() <= 2 && IsCapital(code.front()) && IsCapital(code.back());
}

std::optional<std::string> FuseCodeFromFileField(std::string_view field) {
  std::string code;
  for (char c : field)
    if (c != ' ') code += c;
  if (code.empty()) return std::nullopt;
  code = ToCapitals(code);
  if (!IsCapital(code.front()) || !IsCapital(code.back())) return std::string(kUnfused);
  return code;
}

std::optional<std::string> FuseCodeFromCellEntry(std::string_view entry) {
  std::string code = ToCapitals(TrimBlanks(entry));
  if (code == "~") code = kUnfused;
  if (!IsFuseCode(code)) return std::nullopt;
  return code;
}

std::optional<std::string> FuseCodeFromPassAnswer(std::string_view answer) {
  std::string code = ToCapitals(answer);
  if (!IsFuseCode(code)) return std::nullopt;
  return code;
}

}  // namespace quorvane

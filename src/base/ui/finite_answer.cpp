#include "base/ui/finite_answer.h"

#include <cmath>

#include "base/format/leading_number.h"

namespace quorvane {

namespace {

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

}  // namespace

std::string NotFiniteAnswerText(std::string_view answer) {
  return "\"" + std::string(Trimmed(answer)) +
         "\" is beyond the range of numbers (about 1.8E+308 either way), so it cannot be used";
}

bool RefuseNotFinite(Ui& ui, std::string_view answer, const std::string& title) {
  // The leading-number rule every prompt reads its answers with turns a
  // number too large for a double into an infinity.
  if (std::isfinite(LeadingNumber(answer))) return false;
  ui.ShowMessage(NotFiniteAnswerText(answer) + ".\r\n\r\nPlease enter another value.", title,
                 Icon::Exclamation);
  return true;
}

}  // namespace quorvane

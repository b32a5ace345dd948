#include "priors/prior_table.h"

#include "base/format/leading_number.h"

namespace quorvane {

std::string_view PriorTypeName(char letter) {
  for (const auto& type : PriorTypeNames)
    if (type.letter == letter) return type.name;
  return {};
}

void PriorRow::SetThirdTerm(std::string text) {
  ThirdValue = LeadingNumber(text);
  ThirdTerm = std::move(text);
}

void PriorRow::SetFourthTerm(std::string text) {
  FourthValue = LeadingNumber(text);
  FourthTerm = std::move(text);
}

void PriorTable::Reset(int n) {
  Rows.assign(n > 0 ? static_cast<std::size_t>(n) : 0u, PriorRow{});
  Terms.assign(Rows.size(), 0.0);
}

}  // namespace quorvane

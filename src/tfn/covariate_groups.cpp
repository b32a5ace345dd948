#include "tfn/covariate_groups.h"

#include <cctype>

namespace quorvane {

namespace {

constexpr const char* kTitle = "Problem with your choice of covariate series";

}  // namespace

std::optional<std::vector<int>> ReadSeriesList(const std::string& text) {
  std::vector<int> items;
  size_t i = 0;
  const auto separator = [](char c) { return c == ',' || c == ' ' || c == '\t'; };
  while (i < text.size()) {
    if (separator(text[i])) {
      ++i;
      continue;
    }
    long value = 0;
    size_t digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
      if (value < 100000) value = value * 10 + (text[i] - '0');
      ++i;
      ++digits;
    }
    if (digits == 0 || (i < text.size() && !separator(text[i]))) return std::nullopt;
    items.push_back(static_cast<int>(value));
  }
  return items;
}

std::optional<ValidationMessage> ReadCovariateGroups(const std::array<std::string, kMaxGroups>& lists,
                                                     CovariateGroups& groups) {
  groups.fill(0);
  for (int g = 1; g <= kMaxGroups; ++g) {
    const std::string& text = lists[static_cast<size_t>(g - 1)];
    const auto items = ReadSeriesList(text);
    bool inRange = items.has_value();
    if (items)
      for (int c : *items) inRange = inRange && c >= 1 && c <= kMaxCovariateSeries;
    if (!inRange)
      return ValidationMessage{kTitle, "The covariate series for Group " + std::to_string(g) + " read \"" +
                                           text + "\"; list ordinal numbers from 1 to " +
                                           std::to_string(kMaxCovariateSeries) + ", such as 1, 2"};
    for (int c : *items) {
      std::int16_t& group = groups[static_cast<size_t>(c - 1)];
      if (group != 0)
        return ValidationMessage{kTitle, "Covariate series " + std::to_string(c) +
                                             " is listed more than once; each covariate series acts "
                                             "on one group"};
      group = static_cast<std::int16_t>(g);
    }
  }
  return std::nullopt;
}

std::optional<ValidationMessage> CovariateGroupsProblem(const CovariateGroups& groups,
                                                        long long covariateCount, int groupCount) {
  if (covariateCount > kMaxCovariateSeries)
    return ValidationMessage{kTitle, "There can be no more than " + std::to_string(kMaxCovariateSeries) +
                                         " covariate series, up to " +
                                         std::to_string(kMaxCovariatesPerGroup) + " for each group"};
  std::array<int, kMaxGroups + 1> perGroup{};
  for (int c = 1; c <= kMaxCovariateSeries; ++c) {
    const int g = groups[static_cast<size_t>(c - 1)];
    if (c > covariateCount) {
      if (g != 0)
        return ValidationMessage{kTitle, "Group " + std::to_string(g) + " lists covariate series " +
                                             std::to_string(c) + ", but only " +
                                             std::to_string(covariateCount) +
                                             " covariate series are read"};
      continue;
    }
    if (g == 0)
      return ValidationMessage{kTitle, "Covariate series " + std::to_string(c) +
                                           " is not listed for any response series group"};
    if (g < 1 || g > groupCount)
      return ValidationMessage{kTitle, "Covariate series " + std::to_string(c) + " is listed for Group " +
                                           std::to_string(g) + ", which holds no response series"};
    if (++perGroup[static_cast<size_t>(g)] > kMaxCovariatesPerGroup)
      return ValidationMessage{kTitle, "Group " + std::to_string(g) + " lists more than " +
                                           std::to_string(kMaxCovariatesPerGroup) +
                                           " covariate series"};
  }
  return std::nullopt;
}

}  // namespace quorvane

#include "tfn/initialize_validation.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "base/format/leading_number.h"
#include "base/format/plain_number_text.h"
#include "tfn/covariate_groups.h"
#include "tfn/setup_limits.h"

namespace quorvane {

namespace {

bool Filled(const std::string& box) { return box.find_first_not_of(" \t") != std::string::npos; }

}  // namespace

double SeasonalPeriodNumber(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return 0.0;
  std::string word = text.substr(first, 4);
  for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (word == "none") return 0.0;
  return LeadingNumber(text);
}

int CovariateGroupCount(const InitializeEntries& e) {
  int count = kMaxGroups;
  for (int g = kMaxGroups; g >= 2; --g) {
    const auto i = static_cast<size_t>(g - 1);
    if (!Filled(e.GroupStart[i]) && !Filled(e.GroupEnd[i])) count = std::min(count, g - 1);
  }
  return count;
}

bool GroupChoicesInError(const InitializeEntries& e) {
  const double first = e.FirstResponse;
  const double last = e.LastResponse;
  bool error = false;
  for (int g = 1; g <= kMaxGroups; ++g) {
    const auto i = static_cast<size_t>(g - 1);
    const bool bothFilled = Filled(e.GroupStart[i]) && Filled(e.GroupEnd[i]);
    const double start = LeadingNumber(e.GroupStart[i]);
    const double end = LeadingNumber(e.GroupEnd[i]);
    if (bothFilled && e.GroupEnabled[i] && end < start) error = true;
    if (g >= 2) {
      const auto before = static_cast<size_t>(g - 2);
      if (Filled(e.GroupEnd[before]) && Filled(e.GroupStart[i]) && e.GroupEnabled[i] &&
          start - LeadingNumber(e.GroupEnd[before]) != 1)
        error = true;
    }
    if ((Filled(e.GroupStart[i]) && start > last) || (Filled(e.GroupEnd[i]) && end > last))
      error = true;
    // A group needs both its boxes.
    if (Filled(e.GroupStart[i]) != Filled(e.GroupEnd[i])) error = true;
  }
  // The filled groups must be 1..NG without a gap and cover first..last, so
  // that every response series belongs to a group.
  int groups = 0;
  for (int g = 1; g <= kMaxGroups; ++g)
    if (Filled(e.GroupStart[static_cast<size_t>(g - 1)])) groups = g;
  for (int g = 1; g <= groups; ++g)
    if (!Filled(e.GroupStart[static_cast<size_t>(g - 1)])) error = true;
  if (groups == 0 || LeadingNumber(e.GroupStart[0]) != first ||
      LeadingNumber(e.GroupEnd[static_cast<size_t>(groups - 1)]) != last)
    error = true;
  return error;
}

std::optional<ValidationMessage> ValidateInitializeEntries(const InitializeEntries& e) {
  const bool groupError = GroupChoicesInError(e);
  const bool cov = e.UseCovariates;
  if (e.ResponseStart >= e.ResponseEnd)
    return ValidationMessage{"Problem with your choice of time periods",
                             "The last time period of response series data does not exceed the "
                             "first time period of data"};
  if (cov && e.CovariateStart >= e.CovariateEnd)
    return ValidationMessage{"Problem with your choice of time periods",
                             "The last time period of covariate series data does not exceed the "
                             "first time period of data"};
  if (cov && e.CovariateEnd != e.ResponseEnd)
    return ValidationMessage{"Problem with your choice of last time periods",
                             "The last time periods of response and covariate series data do not "
                             "coincide"};
  if (e.LastResponse < e.FirstResponse)
    return ValidationMessage{"Problem with your choice of response series",
                             "Your last series of response series data exceeds your first series"};
  if (cov && e.LastCovariate < e.FirstCovariate)
    return ValidationMessage{"Problem with your choice of covariate series",
                             "Your last series of covariate series data exceeds your first series"};
  if (cov && (e.FirstCovariate == 0 || e.LastCovariate == 0))
    return ValidationMessage{"Problem with your choice of covariate series",
                             "You have not entered non-zero ordinal series numbers for the "
                             "covariate series data"};
  // Without lists for the groups, one covariate series per group.
  const bool listed = std::any_of(e.GroupCovariates.begin(), e.GroupCovariates.end(), Filled);
  CovariateGroups covariateGroups{};
  if (cov && !listed && e.LastCovariate - e.FirstCovariate + 1 != CovariateGroupCount(e))
    return ValidationMessage{"Problem with your choice of covariate series",
                             "The number of covariate series must match the number of response "
                             "series groups"};
  if (cov && listed) {
    if (auto problem = ReadCovariateGroups(e.GroupCovariates, covariateGroups)) return problem;
    const long long count =
        static_cast<long long>(std::nearbyint(e.LastCovariate) - std::nearbyint(e.FirstCovariate)) + 1;
    if (auto problem = CovariateGroupsProblem(covariateGroups, count, CovariateGroupCount(e))) return problem;
  }
  if (cov) {
    const auto further = ReadSeriesList(e.FurtherInterventionSeries);
    bool inRange = further.has_value();
    if (further)
      for (int c : *further) inRange = inRange && c >= 1 && c <= kMaxCovariateSeries;
    if (!inRange)
      return ValidationMessage{"Problem with your choice of covariate series",
                               "The further covariate series to treat as intervention series read \"" +
                                   e.FurtherInterventionSeries + "\"; list ordinal numbers from 1 to " +
                                   std::to_string(kMaxCovariateSeries) + ", such as 6, 7"};
  }
  if (groupError)
    return ValidationMessage{"Problem with your choices of series groupings",
                             "Check that series choices start with Group 1, are consecutive, "
                             "adjacent and range from " +
                                 PlainNumberText(e.FirstResponse) + " to " +
                                 PlainNumberText(e.LastResponse)};
  if (!Filled(e.ResponseFile))
    return ValidationMessage{"Missing input", "Please choose an response series data file"};
  if (cov && !Filled(e.CovariateFile))
    return ValidationMessage{"Missing input", "Please choose a covariate series data file"};

  SetupExtent extent;
  extent.Response = {e.ResponseStart, e.ResponseEnd, e.FirstResponse, e.LastResponse,
                     e.ResponseDifferencing};
  extent.UseCovariates = cov;
  extent.CovariateGroup = covariateGroups;
  extent.Covariates = {e.CovariateStart, e.CovariateEnd, e.FirstCovariate, e.LastCovariate,
                       e.CovariateDifferencing};
  // NG, as Continue will take it: the last group with both boxes filled.
  for (int g = 1; g <= kMaxGroups; ++g) {
    const auto i = static_cast<size_t>(g - 1);
    if (Filled(e.GroupStart[i]) && Filled(e.GroupEnd[i])) extent.GroupCount = g;
  }
  extent.Interventions = e.Interventions;
  extent.LagOrder = e.LagOrder;
  extent.SeasonalPeriod = e.SeasonalPeriod;
  extent.SeasonalDifferencing = e.SeasonalDifferencing;
  extent.SeasonalArOrder = e.SeasonalArOrder;
  extent.SeasonalMaOrder = e.SeasonalMaOrder;
  if (auto problem = SetupExtentProblem(extent)) return problem;
  // Seasonal differencing uses up a whole season of the window.
  if (std::nearbyint(e.SeasonalDifferencing) == 1)
    return DifferencingWindowProblem(static_cast<long long>(std::nearbyint(e.ResponseStart)),
                                     static_cast<long long>(std::nearbyint(e.ResponseEnd)),
                                     static_cast<int>(std::nearbyint(e.ResponseDifferencing)),
                                     static_cast<int>(std::nearbyint(e.SeasonalPeriod)), "response");
  return std::nullopt;
}

}  // namespace quorvane

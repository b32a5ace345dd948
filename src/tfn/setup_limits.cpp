#include "tfn/setup_limits.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "base/format/plain_number_text.h"
#include "tfn/covariate_groups.h"

namespace quorvane {

namespace {

// A number as the set-up takes it: rounded to the nearest whole number,
// halves to even. Inside lo..hi, or nothing.
std::optional<long long> WholeWithin(double value, long long lo, long long hi) {
  const double rounded = std::nearbyint(value);
  if (!(rounded >= static_cast<double>(lo) && rounded <= static_cast<double>(hi))) return std::nullopt;
  return static_cast<long long>(rounded);
}

std::string Range(long long lo, long long hi) {
  return "from " + PlainNumberText(lo) + " to " + PlainNumberText(hi);
}

std::optional<ValidationMessage> PeriodProblem(const SetupExtent::File& file, const std::string& kind) {
  for (const auto& [value, which] : {std::pair{file.Start, "first"}, std::pair{file.End, "last"}})
    if (!WholeWithin(value, kMinPeriod, kMaxPeriod))
      return ValidationMessage{"Problem with your choice of time periods",
                               std::string("The ") + which + " time period of " + kind +
                                   " series data reads " + PlainNumberText(value) +
                                   "; a series data file holds time periods " +
                                   Range(kMinPeriod, kMaxPeriod)};
  return std::nullopt;
}

std::optional<ValidationMessage> OrdinalProblem(const SetupExtent::File& file, const std::string& kind) {
  for (const auto& [value, which] : {std::pair{file.First, "first"}, std::pair{file.Last, "last"}})
    if (!WholeWithin(value, 1, kMaxSeriesOrdinal))
      return ValidationMessage{"Problem with your choice of " + kind + " series",
                               std::string("The ") + which + " series of " + kind +
                                   " series data reads " + PlainNumberText(value) +
                                   "; series ordinal numbers run " + Range(1, kMaxSeriesOrdinal)};
  return std::nullopt;
}

std::optional<ValidationMessage> DifferencingProblem(const SetupExtent::File& file, const std::string& kind) {
  if (WholeWithin(file.Differencing, 0, kMaxDifferencing)) return std::nullopt;
  return ValidationMessage{"Problem with your choice of differencing",
                           "The degree of differencing of the " + kind + " series reads " +
                               PlainNumberText(file.Differencing) + "; it must be 0, 1 or 2"};
}

// The seasonal choices: a period of 0 (none) or 2..400; D of 0 or 1; P
// and Q of 0..3; and D, P or Q only with a period. The seasonal orders come
// out through `orders` (P + Q) for the parameter count.
std::optional<ValidationMessage> SeasonalProblem(const SetupExtent& e, long long& orders) {
  const std::string periodTitle = "Problem with your choice of seasonal period";
  const auto period = WholeWithin(e.SeasonalPeriod, 0, kMaxSeasonalPeriod);
  if (!period || *period == 1)
    return ValidationMessage{periodTitle, "The seasonal period reads " + PlainNumberText(e.SeasonalPeriod) +
                                              "; it must be None or a whole number " +
                                              Range(kMinSeasonalPeriod, kMaxSeasonalPeriod)};
  if (!WholeWithin(e.SeasonalDifferencing, 0, kMaxSeasonalDifferencing))
    return ValidationMessage{"Problem with your choice of differencing",
                             "The degree of seasonal differencing reads " +
                                 PlainNumberText(e.SeasonalDifferencing) + "; it must be 0 or 1"};
  orders = 0;
  for (const auto& [value, which] : {std::pair{e.SeasonalArOrder, "AR order P"},
                                     std::pair{e.SeasonalMaOrder, "MA order Q"}}) {
    const auto order = WholeWithin(value, 0, kMaxSeasonalOrder);
    if (!order)
      return ValidationMessage{"Problem with your choice of seasonal orders",
                               std::string("The seasonal ") + which + " reads " + PlainNumberText(value) +
                                   "; it must be " + Range(0, kMaxSeasonalOrder)};
    orders += *order;
  }
  if (*period == 0 && (orders > 0 || std::nearbyint(e.SeasonalDifferencing) != 0))
    return ValidationMessage{periodTitle,
                             "Seasonal differencing and seasonal AR or MA orders need a seasonal "
                             "period: choose one " +
                                 Range(kMinSeasonalPeriod, kMaxSeasonalPeriod) + ", or set them to 0"};
  return std::nullopt;
}

}  // namespace

std::optional<ValidationMessage> DifferencingWindowProblem(long long start, long long end, int d,
                                                           int seasonalLag, const std::string& kind,
                                                           const PeriodCalendar& calendar) {
  const long long used = d + seasonalLag;
  if (end - start + 1 > used) return std::nullopt;
  std::string differencing = "differencing of degree " + std::to_string(d);
  if (seasonalLag > 0) differencing += " and seasonal differencing at lag " + std::to_string(seasonalLag);
  return ValidationMessage{"Problem with your choice of time periods",
                           "The " + kind + " time periods " + calendar.Label(start) + " to " +
                               calendar.Label(end) + " are too few for " + differencing +
                               ": at least " + PlainNumberText(used + 1) + " periods are needed"};
}

SetupExtent ExtentOf(const TfnSetup& setup) {
  const auto file = [](const SeriesFileChoice& c) {
    return SetupExtent::File{static_cast<double>(c.StartPeriod), static_cast<double>(c.EndPeriod),
                             static_cast<double>(c.FirstSeries), static_cast<double>(c.LastSeries),
                             static_cast<double>(c.Differencing)};
  };
  SetupExtent e;
  e.Response = file(setup.Response);
  e.UseCovariates = setup.UseCovariates;
  if (setup.UseCovariates) e.Covariates = file(setup.Covariates);
  e.GroupCount = setup.GroupCount;
  e.CovariateGroup = setup.CovariateGroup;
  for (size_t i = 0; i < e.Interventions.size(); ++i) e.Interventions[i] = setup.Interventions[i];
  e.LagOrder = setup.LagOrder;
  e.SeasonalPeriod = setup.SeasonalPeriod;
  e.SeasonalDifferencing = setup.SeasonalDifferencing;
  e.SeasonalArOrder = setup.SeasonalArOrder;
  e.SeasonalMaOrder = setup.SeasonalMaOrder;
  return e;
}

long long ParameterCountOf(long long p, long long groups, long long interventions, long long covariates) {
  return 2 * p + groups + (2 * p + 3) * (interventions + covariates);
}

std::optional<ValidationMessage> SetupExtentProblem(const SetupExtent& e) {
  if (auto problem = PeriodProblem(e.Response, "response")) return problem;
  if (e.UseCovariates)
    if (auto problem = PeriodProblem(e.Covariates, "covariate")) return problem;
  if (auto problem = OrdinalProblem(e.Response, "response")) return problem;
  if (e.UseCovariates)
    if (auto problem = OrdinalProblem(e.Covariates, "covariate")) return problem;
  if (auto problem = DifferencingProblem(e.Response, "response")) return problem;
  if (e.UseCovariates)
    if (auto problem = DifferencingProblem(e.Covariates, "covariate")) return problem;

  // The window's grouping checks make these hold; a set-up from anywhere
  // else is held to them too, since the model sizes its arrays by them.
  if (e.GroupCount < 1 || e.GroupCount > kMaxGroups)
    return ValidationMessage{"Problem with your choices of series groupings",
                             "The number of response series groups is " +
                                 std::to_string(e.GroupCount) + "; it must be " + Range(1, kMaxGroups)};
  const long long covariates =
      e.UseCovariates
          ? static_cast<long long>(std::nearbyint(e.Covariates.Last) - std::nearbyint(e.Covariates.First)) + 1
          : 0;
  const bool groupsGiven = std::any_of(e.CovariateGroup.begin(), e.CovariateGroup.end(),
                                       [](std::int16_t g) { return g != 0; });
  if (e.UseCovariates && groupsGiven) {
    if (auto problem = CovariateGroupsProblem(e.CovariateGroup, covariates, e.GroupCount)) return problem;
  } else if (covariates > e.GroupCount) {
    return ValidationMessage{"Problem with your choice of covariate series",
                             "The number of covariate series must match the number of response "
                             "series groups"};
  }

  long long interventions = 0;
  for (int g = 1; g <= e.GroupCount && g <= kMaxGroups; ++g) {
    const double value = e.Interventions[static_cast<size_t>(g - 1)];
    const auto count = WholeWithin(value, 0, kMaxInterventions);
    if (!count)
      return ValidationMessage{"Problem with your choice of interventions",
                               "The number of interventions for Group " + std::to_string(g) +
                                   " reads " + PlainNumberText(value) + "; it must be " +
                                   Range(0, kMaxInterventions)};
    interventions += *count;
  }
  const auto p = WholeWithin(e.LagOrder, 1, kMaxLagOrder);
  if (!p)
    return ValidationMessage{"Problem with your choice of lag order",
                             "The maximum order of ARMA, TFN and Intervention lags reads " +
                                 PlainNumberText(e.LagOrder) + "; it must be " + Range(1, kMaxLagOrder)};

  long long seasonalOrders = 0;
  if (auto problem = SeasonalProblem(e, seasonalOrders)) return problem;

  const long long n = ParameterCountOf(*p, e.GroupCount, interventions, covariates) + seasonalOrders;
  if (n > kMaxParameterCount)
    return ValidationMessage{"Problem with the number of parameters",
                             "This set-up has " + PlainNumberText(n) + " parameters, more than the " +
                                 PlainNumberText(kMaxParameterCount) +
                                 " the model can hold; choose a lower lag order or fewer "
                                 "interventions"};
  return std::nullopt;
}

}  // namespace quorvane

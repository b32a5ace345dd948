#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "base/calendar/period_calendar.h"
#include "tfn/tfn_setup.h"
#include "tfn/validation_message.h"

namespace quorvane {

// The time periods a series data file can hold: its period field is 7
// characters wide. Every period of a set-up lies in this range, so period
// arithmetic (start + d, end + 1, end - start + 2) stays far from the limits
// of a 32-bit integer.
inline constexpr std::int32_t kMinPeriod = -999999;
inline constexpr std::int32_t kMaxPeriod = 9999999;

// The largest series ordinal (a 16-bit count of series).
inline constexpr int kMaxSeriesOrdinal = 32767;
inline constexpr int kMaxDifferencing = 2;
// The lag order p and the interventions of one group, as the window's lists offer them.
inline constexpr int kMaxLagOrder = 100;
inline constexpr int kMaxInterventions = 100;
// The seasonal period s (none, or 2..400), its degree of differencing D and
// the orders P and Q of the seasonal factors.
inline constexpr int kMinSeasonalPeriod = 2;
inline constexpr int kMaxSeasonalPeriod = 400;
inline constexpr int kMaxSeasonalDifferencing = 1;
inline constexpr int kMaxSeasonalOrder = 3;
// NP, the parameter count of the model protocol, is a 16-bit integer.
inline constexpr long long kMaxParameterCount = 32767;

// The numbers of a set-up whose range the model depends on, as the user
// gave them (before they are rounded to whole numbers).
struct SetupExtent {
  struct File {
    double Start = 0, End = 0;  // time periods
    double First = 0, Last = 0;  // series ordinals
    double Differencing = 0;
  };
  File Response;
  bool UseCovariates = false;
  File Covariates;
  int GroupCount = 0;  // NG: the groups that have both boxes filled
  // The group of each covariate series; all 0 for one series per group.
  std::array<std::int16_t, kMaxCovariateSeries> CovariateGroup{};
  std::array<double, kMaxGroups> Interventions{};  // NI(g) at g - 1
  double LagOrder = 0;
  double SeasonalPeriod = 0;  // 0: none
  double SeasonalDifferencing = 0;
  double SeasonalArOrder = 0;
  double SeasonalMaOrder = 0;
};

SetupExtent ExtentOf(const TfnSetup& setup);

// n = 2p + NG + (2p + 3)(NI + NC), computed without overflow.
long long ParameterCountOf(long long p, long long groups, long long interventions, long long covariates);

// The first number of the set-up the model cannot take: a period outside
// what a file can hold, a series ordinal below 1, a degree of differencing
// other than 0, 1 or 2, a group count outside 1..5, more covariate series
// than groups (or, with groups given to the series, an assignment the
// model cannot take: CovariateGroupsProblem), an intervention count or lag order out of range, a seasonal
// period, seasonal differencing or seasonal order out of range (or seasonal
// terms without a period), or more parameters than NP can count. Nothing
// when the set-up fits.
std::optional<ValidationMessage> SetupExtentProblem(const SetupExtent& extent);

// The periods that differencing of degree d and seasonal differencing at
// lag `seasonalLag` (0 for none) use up, and a message when the window
// start..end of the `kind` ("response") series holds no more than that,
// naming the periods by `calendar`.
std::optional<ValidationMessage> DifferencingWindowProblem(long long start, long long end, int d,
                                                           int seasonalLag, const std::string& kind,
                                                           const PeriodCalendar& calendar = {});

}  // namespace quorvane

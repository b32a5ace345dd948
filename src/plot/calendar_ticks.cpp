#include "plot/calendar_ticks.h"

#include <cmath>
#include <vector>

namespace quorvane {
namespace {

// A tick within this fraction of a period of the range's end still counts
// as inside it.
constexpr double kSlack = 1e-9;

// One spacing of ticks: every `periods` periods from `anchor` (a period
// number), or every `months` months from January of year 0.
struct Spacing {
  std::int64_t periods = 0;
  std::int64_t anchor = 0;
  std::int64_t months = 0;
};

std::vector<Spacing> Spacings(const PeriodCalendar& calendar) {
  std::vector<Spacing> spacings;
  switch (calendar.Unit()) {
    case PeriodUnit::Day:
      // 0001-01-01, day 1, was a Monday.
      spacings = {{1, 0, 0}, {2, 0, 0}, {7, 1, 0}, {14, 1, 0}};
      break;
    case PeriodUnit::Week: spacings = {{1, 0, 0}, {2, 0, 0}}; break;
    case PeriodUnit::Month:
    case PeriodUnit::Quarter:
    case PeriodUnit::Whole: break;
  }
  // Quarters are never split into months.
  const bool months = calendar.Unit() != PeriodUnit::Quarter;
  for (std::int64_t m : {1, 2, 3, 6})
    if (months || m % 3 == 0) spacings.push_back({0, 0, m});
  for (std::int64_t years = 1; years <= 100000; years *= 10)
    for (std::int64_t factor : {1, 2, 5}) spacings.push_back({0, 0, 12 * years * factor});
  return spacings;
}

std::string MonthLabel(std::int64_t month, std::int64_t spacing, const PeriodCalendar& calendar) {
  if (spacing % 12 == 0) return std::to_string(month / 12 - (month % 12 < 0 ? 1 : 0));
  if (calendar.Unit() == PeriodUnit::Quarter) return calendar.Label(month / 3);
  return PeriodCalendar::Months().Label(month);
}

}  // namespace

AxisTicks CalendarTicks(PlotRange range, const PeriodCalendar& calendar, int mostTicks) {
  AxisTicks ticks;
  const double span = range.Max - range.Min;
  if (!(span > 0.0) || !std::isfinite(span) || mostTicks < 1) return ticks;
  const std::int64_t firstMonth = calendar.MonthAt(range.Min);
  const std::int64_t lastMonth = calendar.MonthAt(range.Max);
  for (const Spacing& s : Spacings(calendar)) {
    ticks = {};
    if (s.periods > 0) {
      // Skip a spacing that would give far too many ticks before making them.
      if (span / static_cast<double>(s.periods) > mostTicks + 1) continue;
      std::int64_t p = static_cast<std::int64_t>(std::ceil(range.Min - kSlack));
      p += ((s.anchor - p) % s.periods + s.periods) % s.periods;
      for (; static_cast<double>(p) <= range.Max + kSlack; p += s.periods) {
        ticks.Values.push_back(static_cast<double>(p));
        ticks.Labels.push_back(calendar.Label(p));
      }
    } else {
      if (static_cast<double>(lastMonth - firstMonth) / static_cast<double>(s.months) > mostTicks + 1) continue;
      std::int64_t m = firstMonth + ((-firstMonth) % s.months + s.months) % s.months;
      for (; m <= lastMonth; m += s.months) {
        const double x = calendar.MonthStart(m);
        if (x < range.Min - kSlack || x > range.Max + kSlack) continue;
        ticks.Values.push_back(x);
        ticks.Labels.push_back(MonthLabel(m, s.months, calendar));
      }
    }
    if (static_cast<int>(ticks.Values.size()) <= mostTicks) return ticks;
  }
  return {};
}

AxisTicks XAxisTicks(const PlotFrame& frame, int mostTicks) {
  if (frame.XCalendar.IsDated()) return CalendarTicks(frame.X, frame.XCalendar, mostTicks);
  return RoundTicks(frame.X, mostTicks);
}

}  // namespace quorvane

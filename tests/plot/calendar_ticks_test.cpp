// The X axis of dated series is labelled by dates at the calendar's own
// spacings: months, quarters and years rather than round period numbers.
#include "plot/calendar_ticks.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

double Period(const PeriodCalendar& calendar, const char* label) {
  return static_cast<double>(*calendar.Period(label));
}

TEST(CalendarTicksTest, TicksFallOnTheCalendarsNaturalDates) {
  const PeriodCalendar months = PeriodCalendar::Months();
  const PeriodCalendar quarters = PeriodCalendar::Quarters();
  const PeriodCalendar days = PeriodCalendar::Days();
  const PeriodCalendar weeks = PeriodCalendar::WeeksOn(*days.Period("1983-02-28"));
  const struct {
    PeriodCalendar calendar;
    const char *from, *to;
    int most;
    std::vector<std::string> labels;
  } cases[] = {
      // The seat-belt months: every second January.
      {months, "1969-01", "1984-12", 10, {"1970", "1972", "1974", "1976", "1978", "1980", "1982", "1984"}},
      {months, "1969-01", "1984-12", 20, {"1969", "1970", "1971", "1972", "1973", "1974", "1975", "1976",
                                          "1977", "1978", "1979", "1980", "1981", "1982", "1983", "1984"}},
      {months, "1983-02", "1983-11", 4, {"1983-04", "1983-07", "1983-10"}},
      {quarters, "1980-Q3", "1982-Q2", 10, {"1980-Q3", "1980-Q4", "1981-Q1", "1981-Q2", "1981-Q3",
                                            "1981-Q4", "1982-Q1", "1982-Q2"}},
      {quarters, "1980-Q3", "1982-Q2", 5, {"1980-Q3", "1981-Q1", "1981-Q3", "1982-Q1"}},
      {quarters, "1960-Q1", "1999-Q4", 10, {"1960", "1965", "1970", "1975", "1980", "1985", "1990", "1995"}},
      {days, "1983-02-26", "1983-03-02", 10, {"1983-02-26", "1983-02-27", "1983-02-28", "1983-03-01",
                                              "1983-03-02"}},
      // Mondays; then the first days of months.
      {days, "1983-02-01", "1983-03-15", 10, {"1983-02-07", "1983-02-14", "1983-02-21", "1983-02-28",
                                              "1983-03-07", "1983-03-14"}},
      {days, "1983-01-15", "1983-12-31", 6, {"1983-03", "1983-05", "1983-07", "1983-09", "1983-11"}},
      {weeks, "1983-02-28", "1983-04-25", 5, {"1983-02-28", "1983-03-14", "1983-03-28", "1983-04-11",
                                               "1983-04-25"}},
      {weeks, "1983-02-28", "1990-02-26", 10, {"1984", "1985", "1986", "1987", "1988", "1989", "1990"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.from) + " to " + c.to);
    const AxisTicks ticks =
        CalendarTicks({Period(c.calendar, c.from), Period(c.calendar, c.to)}, c.calendar, c.most);
    EXPECT_EQ(ticks.Labels, c.labels);
    ASSERT_EQ(ticks.Values.size(), ticks.Labels.size());
    // A tick stands where its date is: a period's own date, or the start of
    // its month (a fraction of a week or quarter).
    for (size_t i = 0; i < ticks.Values.size(); ++i) {
      const std::string& label = ticks.Labels[i];
      if (const auto period = c.calendar.Period(label)) {
        EXPECT_EQ(ticks.Values[i], static_cast<double>(*period)) << label;
      } else {
        const std::string month = label.size() == 4 ? label + "-01" : label;
        EXPECT_DOUBLE_EQ(ticks.Values[i], c.calendar.MonthStart(*months.Period(month))) << label;
      }
    }
  }
}

TEST(CalendarTicksTest, DatedLabelsNeverOverlapOnTheCanvas) {
  const PeriodCalendar days = PeriodCalendar::Days();
  for (const PeriodCalendar& calendar : {PeriodCalendar::Months(), PeriodCalendar::Quarters(), days,
                                         PeriodCalendar::WeeksOn(723969)}) {
    for (double length : {1.0, 5.0, 40.0, 400.0, 4000.0, 40000.0}) {
      PlotFrame frame{{100000.0, 100000.0 + length}, {0.0, 1.0}, calendar};
      std::vector<PlacedLabel> labels;
      FramedSurface(frame, &labels);
      for (size_t i = 0; i + 1 < labels.size(); ++i) {
        if (labels[i].Top != labels[i + 1].Top) continue;  // not both on the X axis's row
        EXPECT_LE(labels[i].Right, labels[i + 1].Left) << labels[i].Text << " " << labels[i + 1].Text;
      }
    }
  }
}

}  // namespace
}  // namespace quorvane

#include "base/calendar/period_calendar.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

// The day numbers are ordinals as Python's datetime.date(y, m, d).toordinal()
// gives them (0001-01-01 is 1); 1983-02-28 is a Monday (date.weekday() == 0).
TEST(PeriodCalendarTest, NamesEachPeriodAndReadsTheNameBack) {
  const struct {
    PeriodCalendar calendar;
    std::int64_t period;
    const char* label;
  } cases[] = {
      {PeriodCalendar(), 1871, "1871"},
      {PeriodCalendar(), -3, "-3"},
      {PeriodCalendar::Quarters(), 4 * 1983, "1983-Q1"},
      {PeriodCalendar::Quarters(), 4 * 1983 + 3, "1983-Q4"},
      {PeriodCalendar::Months(), 12 * 1983 + 1, "1983-02"},
      {PeriodCalendar::Months(), 12 * 1969, "1969-01"},
      {PeriodCalendar::Months(), 12 * 1984 + 11, "1984-12"},
      {PeriodCalendar::Days(), 723969, "1983-02-28"},
      {PeriodCalendar::Days(), 718798, "1969-01-01"},
      {PeriodCalendar::Days(), 738945, "2024-02-29"},
      {PeriodCalendar::Days(), 1, "0001-01-01"},
      {PeriodCalendar::Days(), 3652059, "9999-12-31"},
      // Weeks on Mondays: 1983-02-28 is day 723969 = 7 x 103424 + 1.
      {PeriodCalendar::WeeksOn(723969), 103424, "1983-02-28"},
      {PeriodCalendar::WeeksOn(723969), 103425, "1983-03-07"},
      // Weeks on Wednesdays: 1969-01-01 is day 718798 = 7 x 102685 + 3.
      {PeriodCalendar::WeeksOn(718798), 102685, "1969-01-01"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(c.calendar.Label(c.period), c.label);
    EXPECT_EQ(c.calendar.Period(c.label), c.period);
    EXPECT_EQ(c.calendar.Period(std::string(" ") + c.label + "\t"), c.period);
  }
  EXPECT_EQ(PeriodCalendar::Quarters().Period("1983 Q1"), 4 * 1983);
  // Consecutive periods are consecutive dates across a year's end.
  EXPECT_EQ(PeriodCalendar::Months().Label(12 * 1983 + 12), "1984-01");
  EXPECT_EQ(PeriodCalendar::Quarters().Label(4 * 1983 + 4), "1984-Q1");
  EXPECT_EQ(PeriodCalendar::Days().Label(723970), "1983-03-01");
}

TEST(PeriodCalendarTest, ReadsOnlyItsOwnForm) {
  const struct {
    PeriodCalendar calendar;
    const char* text;
  } refused[] = {
      {PeriodCalendar(), "1983-02"},           {PeriodCalendar(), "1871.5"},
      {PeriodCalendar::Months(), "1983"},       {PeriodCalendar::Months(), "1983-13"},
      {PeriodCalendar::Months(), "1983-2"},     {PeriodCalendar::Months(), "1983-02-01"},
      {PeriodCalendar::Months(), "83-02"},      {PeriodCalendar::Months(), "1983-02x"},
      {PeriodCalendar::Quarters(), "1983-Q5"},  {PeriodCalendar::Quarters(), "1983-02"},
      {PeriodCalendar::Days(), "1983-02-30"},   {PeriodCalendar::Days(), "1983-02"},
      {PeriodCalendar::Days(), ""},             {PeriodCalendar::WeeksOn(723969), "1983-03-01"},
  };
  for (const auto& c : refused) EXPECT_FALSE(c.calendar.Period(c.text)) << c.text;
}

TEST(PeriodCalendarTest, TimeFieldsHaveTheirForm) {
  const struct {
    const char* text;
    std::optional<TimeForm> form;
    std::int64_t number;
  } cases[] = {
      {"1871", TimeForm::Whole, 1871},   {"+7", TimeForm::Whole, 7},
      {"-12", TimeForm::Whole, -12},     {"1983-Q2", TimeForm::Quarter, 4 * 1983 + 1},
      {"1983 Q2", TimeForm::Quarter, 4 * 1983 + 1}, {"1983Q2", TimeForm::Quarter, 4 * 1983 + 1},
      {"1983-02", TimeForm::Month, 12 * 1983 + 1},
      {"1983-02-28", TimeForm::Date, 723969},
      {"1983/02/28", std::nullopt, 0},   {"28.02.1983", std::nullopt, 0},
      {"Feb 1983", std::nullopt, 0},     {"1983-02-29", std::nullopt, 0},
      {"1871.0", std::nullopt, 0},       {"++1", std::nullopt, 0},
      {"year", std::nullopt, 0},         {"1983-Q0", std::nullopt, 0},
      {"1983--Q1", std::nullopt, 0},     {"1983Q", std::nullopt, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<TimeField> field = ReadTimeField(c.text);
    ASSERT_EQ(field.has_value(), c.form.has_value());
    if (!field) continue;
    EXPECT_EQ(field->Form, *c.form);
    EXPECT_EQ(field->Number, c.number);
  }
}

TEST(PeriodCalendarTest, DescribesItselfForMessages) {
  EXPECT_EQ(PeriodCalendar::Months().Describe(), "monthly");
  EXPECT_EQ(PeriodCalendar::WeeksOn(723969).Describe(), "weekly (Mondays)");
  EXPECT_EQ(PeriodCalendar::WeeksOn(723969).FormHint(), "a Monday such as 1983-02-28");
  EXPECT_EQ(PeriodCalendar::WeeksOn(718798).FormHint(), "a Wednesday such as 1983-03-02");
  EXPECT_NE(PeriodCalendar::WeeksOn(723969), PeriodCalendar::WeeksOn(723970));
  EXPECT_EQ(PeriodCalendar::WeeksOn(723969), PeriodCalendar::WeeksOn(723969 - 700));
}

}  // namespace
}  // namespace quorvane

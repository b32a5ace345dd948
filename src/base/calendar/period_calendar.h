#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// How a series file counts its time: whole periods (years among them), or
// quarters, months, weeks or days named by their dates.
enum class PeriodUnit { Whole, Quarter, Month, Week, Day };

// The calendar of a series file's time periods. The model counts periods
// with whole numbers that rise by one from period to period; a dated file's
// calendar names each number by its date and reads a date back to its
// number:
//   whole periods  the number itself                       1871
//   quarters       4 x year + quarter - 1                  1983-Q1
//   months         12 x year + month - 1                   1983-02
//   days           the day's ordinal, 0001-01-01 being 1   1983-02-28
//   weeks          the day's ordinal divided by 7, rounded
//                  down; each week is named by its day on
//                  the file's weekday                      1983-02-28
// The numbers do not depend on where a file starts, so a period kept in an
// algorithm file names the same date for every file of the same calendar,
// and they are positive for every date from the year 1 on, as the start
// period of an intervention must be.
// The default calendar is that of whole periods: the identity.
class PeriodCalendar {
 public:
  PeriodCalendar() = default;
  static PeriodCalendar Quarters() { return PeriodCalendar(PeriodUnit::Quarter, 0); }
  static PeriodCalendar Months() { return PeriodCalendar(PeriodUnit::Month, 0); }
  static PeriodCalendar Days() { return PeriodCalendar(PeriodUnit::Day, 0); }
  // Weeks named by the days that fall on the weekday of `day` (a day's ordinal).
  static PeriodCalendar WeeksOn(std::int64_t day);

  PeriodUnit Unit() const { return unit_; }
  bool IsDated() const { return unit_ != PeriodUnit::Whole; }

  // The name of `period`: the number itself, or its date in the form shown above.
  std::string Label(std::int64_t period) const;
  // The period that `text` names (blanks around it are ignored): a whole
  // number for whole periods, otherwise a date of this calendar's form that
  // is one of its periods (for weeks: a day on its weekday). Nothing when it
  // names none.
  std::optional<std::int64_t> Period(std::string_view text) const;

  // Where month `month` (12 x year + month - 1) begins on this calendar's
  // axis of periods: the period of its first day for days, a fraction of a
  // period for weeks and quarters, the month itself for months (and for
  // whole periods, which have no months).
  double MonthStart(std::int64_t month) const;
  // The month in which position `x` of the axis falls: the inverse of
  // MonthStart, rounded down.
  std::int64_t MonthAt(double x) const;

  // "counted in whole periods", "quarterly", "monthly", "weekly (Mondays)",
  // "daily": what the messages call a file of this calendar.
  std::string Describe() const;
  // What a period of this calendar looks like, for messages: "a whole
  // number such as 1871", "a quarter such as 1983-Q1", ...
  std::string FormHint() const;

  bool operator==(const PeriodCalendar&) const = default;

 private:
  PeriodCalendar(PeriodUnit unit, int weekday) : unit_(unit), weekday_(weekday) {}

  PeriodUnit unit_ = PeriodUnit::Whole;
  int weekday_ = 0;  // weeks: the ordinal modulo 7 of every period's day
};

// The forms of the first (time) column of a delimited series file.
enum class TimeForm { Whole, Quarter, Month, Date };

// A time field as read: its form and its number (the whole number, the
// quarter or month number of the table above, or the ordinal of a date).
struct TimeField {
  TimeForm Form = TimeForm::Whole;
  std::int64_t Number = 0;
};

// Reads a time field: a whole number (1871, -3), a quarter (1983-Q1,
// 1983 Q1 or 1983Q1), a month (1983-02) or an ISO date (1983-02-28), with a
// year of four digits. Dates are read by the date library, so an impossible one
// (1983-02-30, 1983-13) is no time. Blanks around the text are ignored.
std::optional<TimeField> ReadTimeField(std::string_view text);

}  // namespace quorvane

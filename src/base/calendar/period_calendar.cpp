#include "base/calendar/period_calendar.h"

#include <date/date.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "base/format/plain_number_text.h"

namespace quorvane {
namespace {

// The ordinal of 1970-01-01, the date library's day 0: 0001-01-01 is day 1.
constexpr std::int64_t kOrdinalOf1970 = 719163;
// Days beyond this distance are not named as dates: they lie far outside
// the years a file can hold (0001 to 9999), and the date library's day
// count is a 32-bit number.
constexpr std::int64_t kFarthestDay = 12'000'000;

// Division rounded down, so that periods before year 0 or 1970 still fall
// in the right year or week.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::string_view Trim(std::string_view s) {
  const size_t b = s.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

bool StartsWithFourDigits(std::string_view s) {
  if (s.size() < 4) return false;
  for (size_t i = 0; i < 4; ++i)
    if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
  return true;
}

// Reads all of `text` with the date library's format `format` into `value`;
// false when the text does not fit the format or has more after it.
template <class T>
bool ReadWhole(std::string_view text, const char* format, T& value) {
  std::istringstream in{std::string(text)};
  date::from_stream(in, format, value);
  return !in.fail() && in.peek() == std::char_traits<char>::eof();
}

std::string DayLabel(std::int64_t day) {
  if (day < -kFarthestDay || day > kFarthestDay) return PlainNumberText(static_cast<long long>(day));
  const date::year_month_day ymd{date::sys_days{date::days{static_cast<int>(day - kOrdinalOf1970)}}};
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(ymd.year()),
                static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
  return text;
}

std::string WeekdayName(std::int64_t day) {
  static constexpr std::array<const char*, 7> kNames = {
      "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  const date::weekday weekday{date::sys_days{date::days{static_cast<int>(day - kOrdinalOf1970)}}};
  return kNames[weekday.c_encoding()];
}

// A day of 1983, for examples in messages: the last day of February.
constexpr std::int64_t kExampleDay = 723969;

}  // namespace

PeriodCalendar PeriodCalendar::WeeksOn(std::int64_t day) {
  return PeriodCalendar(PeriodUnit::Week, static_cast<int>(day - 7 * FloorDiv(day, 7)));
}

std::string PeriodCalendar::Label(std::int64_t period) const {
  char text[48];
  switch (unit_) {
    case PeriodUnit::Whole: return PlainNumberText(static_cast<long long>(period));
    case PeriodUnit::Quarter: {
      const std::int64_t year = FloorDiv(period, 4);
      std::snprintf(text, sizeof text, "%04lld-Q%lld", static_cast<long long>(year),
                    static_cast<long long>(period - 4 * year + 1));
      return text;
    }
    case PeriodUnit::Month: {
      const std::int64_t year = FloorDiv(period, 12);
      std::snprintf(text, sizeof text, "%04lld-%02lld", static_cast<long long>(year),
                    static_cast<long long>(period - 12 * year + 1));
      return text;
    }
    case PeriodUnit::Day: return DayLabel(period);
    case PeriodUnit::Week:
      if (period < -kFarthestDay / 7 || period > kFarthestDay / 7)
        return PlainNumberText(static_cast<long long>(period));
      return DayLabel(7 * period + weekday_);
  }
  return PlainNumberText(static_cast<long long>(period));
}

std::optional<std::int64_t> PeriodCalendar::Period(std::string_view text) const {
  const std::optional<TimeField> field = ReadTimeField(text);
  if (!field) return std::nullopt;
  switch (unit_) {
    case PeriodUnit::Whole:
      if (field->Form == TimeForm::Whole) return field->Number;
      break;
    case PeriodUnit::Quarter:
      if (field->Form == TimeForm::Quarter) return field->Number;
      break;
    case PeriodUnit::Month:
      if (field->Form == TimeForm::Month) return field->Number;
      break;
    case PeriodUnit::Day:
      if (field->Form == TimeForm::Date) return field->Number;
      break;
    case PeriodUnit::Week:
      if (field->Form == TimeForm::Date && field->Number - 7 * FloorDiv(field->Number, 7) == weekday_)
        return FloorDiv(field->Number, 7);
      break;
  }
  return std::nullopt;
}

namespace {

std::int64_t OrdinalOfMonth(std::int64_t month) {
  const std::int64_t year = FloorDiv(month, 12);
  const date::year_month_day first{date::year{static_cast<int>(year)},
                                   date::month{static_cast<unsigned>(month - 12 * year + 1)}, date::day{1}};
  return date::sys_days{first}.time_since_epoch().count() + kOrdinalOf1970;
}

std::int64_t MonthOfOrdinal(std::int64_t day) {
  const date::year_month_day ymd{date::sys_days{date::days{static_cast<int>(day - kOrdinalOf1970)}}};
  return 12 * static_cast<std::int64_t>(static_cast<int>(ymd.year())) + static_cast<unsigned>(ymd.month()) - 1;
}

// Months far outside the years 0001 to 9999 are not turned into days.
constexpr std::int64_t kFarthestMonth = 12 * 30000;

}  // namespace

double PeriodCalendar::MonthStart(std::int64_t month) const {
  month = std::clamp(month, -kFarthestMonth, kFarthestMonth);
  switch (unit_) {
    case PeriodUnit::Day: return static_cast<double>(OrdinalOfMonth(month));
    case PeriodUnit::Week: return static_cast<double>(OrdinalOfMonth(month) - weekday_) / 7.0;
    case PeriodUnit::Quarter: return static_cast<double>(month) / 3.0;
    case PeriodUnit::Month:
    case PeriodUnit::Whole: break;
  }
  return static_cast<double>(month);
}

std::int64_t PeriodCalendar::MonthAt(double x) const {
  const double limit = static_cast<double>(kFarthestDay);
  x = std::isfinite(x) ? std::clamp(x, -limit, limit) : 0.0;
  switch (unit_) {
    case PeriodUnit::Day: return MonthOfOrdinal(static_cast<std::int64_t>(std::floor(x)));
    case PeriodUnit::Week:
      return MonthOfOrdinal(static_cast<std::int64_t>(std::floor(7.0 * x)) + weekday_);
    case PeriodUnit::Quarter: return static_cast<std::int64_t>(std::floor(3.0 * x));
    case PeriodUnit::Month:
    case PeriodUnit::Whole: break;
  }
  return static_cast<std::int64_t>(std::floor(x));
}

std::string PeriodCalendar::Describe() const {
  switch (unit_) {
    case PeriodUnit::Whole: return "counted in whole periods";
    case PeriodUnit::Quarter: return "quarterly";
    case PeriodUnit::Month: return "monthly";
    case PeriodUnit::Week: return "weekly (" + WeekdayName(weekday_) + "s)";
    case PeriodUnit::Day: return "daily";
  }
  return "";
}

std::string PeriodCalendar::FormHint() const {
  switch (unit_) {
    case PeriodUnit::Whole: return "a whole number such as 1871";
    case PeriodUnit::Quarter: return "a quarter such as 1983-Q1";
    case PeriodUnit::Month: return "a month such as 1983-02";
    case PeriodUnit::Week:
      return "a " + WeekdayName(weekday_) + " such as " + Label(FloorDiv(kExampleDay, 7));
    case PeriodUnit::Day: return "a date such as 1983-02-28";
  }
  return "";
}

std::optional<TimeField> ReadTimeField(std::string_view text) {
  text = Trim(text);
  if (text.empty()) return std::nullopt;
  // A whole number: digits after an optional sign, nothing else.
  {
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (*begin == '+') ++begin;
    std::int64_t number = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, number);
    if (ec == std::errc() && ptr == end && begin != end && *begin != '+')
      return TimeField{TimeForm::Whole, number};
  }
  if (!StartsWithFourDigits(text)) return std::nullopt;
  // A quarter: the year, "-Q", " Q" or "Q", and the quarter 1 to 4.
  const std::string_view quarterMark = text.substr(4, text.size() - 5);
  if ((quarterMark == "-Q" || quarterMark == " Q" || quarterMark == "Q") && text.back() >= '1' &&
      text.back() <= '4') {
    date::year year{};
    if (!ReadWhole(text.substr(0, 4), "%Y", year) || !year.ok()) return std::nullopt;
    return TimeField{TimeForm::Quarter,
                     4 * static_cast<std::int64_t>(static_cast<int>(year)) + (text.back() - '1')};
  }
  if (text.size() == 7) {
    date::year_month month{};
    if (!ReadWhole(text, "%Y-%m", month) || !month.ok()) return std::nullopt;
    return TimeField{TimeForm::Month, 12 * static_cast<std::int64_t>(static_cast<int>(month.year())) +
                                          static_cast<unsigned>(month.month()) - 1};
  }
  if (text.size() == 10) {
    date::year_month_day day{};
    if (!ReadWhole(text, "%Y-%m-%d", day) || !day.ok()) return std::nullopt;
    return TimeField{TimeForm::Date, date::sys_days{day}.time_since_epoch().count() + kOrdinalOf1970};
  }
  return std::nullopt;
}

}  // namespace quorvane

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/calendar/period_calendar.h"

namespace quorvane {

// A value of a series in one period, or missing ("Missing" in files and reports).
using SeriesValue = std::optional<double>;

// Values by period (StartPeriod..EndPeriod) and series (1..count), all
// missing at first.
class SeriesTable {
 public:
  SeriesTable() = default;
  SeriesTable(int startPeriod, int endPeriod, int seriesCount);
  // The table of `values` given period after period from startPeriod, each
  // period's series 1..seriesCount side by side.
  SeriesTable(int startPeriod, int seriesCount, std::vector<SeriesValue> values);

  int StartPeriod() const { return start_; }
  int EndPeriod() const { return end_; }
  int SeriesCount() const { return series_; }

  SeriesValue& At(int period, int k) { return values_[Index(period, k)]; }
  const SeriesValue& At(int period, int k) const { return values_[Index(period, k)]; }

 private:
  // Inline: every pass over the series goes through it.
  size_t Index(int period, int k) const {
    if (period < start_ || period > end_ || k < 1 || k > series_) [[unlikely]]
      OutOfRange(period, k);
    return static_cast<size_t>(period - start_) * static_cast<size_t>(series_) +
           static_cast<size_t>(k - 1);
  }
  [[noreturn]] static void OutOfRange(int period, int k);

  int start_ = 0;
  int end_ = -1;
  int series_ = 0;
  std::vector<SeriesValue> values_;
};

// Values by period only (the period means).
class PeriodSeries {
 public:
  PeriodSeries() = default;
  PeriodSeries(int firstPeriod, int lastPeriod);
  SeriesValue& At(int period) { return values_.at(static_cast<size_t>(period - first_)); }
  const SeriesValue& At(int period) const { return values_.at(static_cast<size_t>(period - first_)); }
  int FirstPeriod() const { return first_; }
  int LastPeriod() const { return first_ + static_cast<int>(values_.size()) - 1; }

 private:
  int first_ = 0;
  std::vector<SeriesValue> values_;
};

// What the two series files have in common once read and prepared. Time
// periods and counts of periods are 32-bit; series counts 16-bit.
struct PreparedSeries {
  std::string FileName;
  std::int32_t StartPeriod = 0;
  std::int32_t EndPeriod = 0;
  std::int16_t FirstSeries = 0;
  std::int16_t LastSeries = 0;
  std::int16_t SeriesCount = 0;
  std::int16_t Differencing = 0;
  std::int32_t SeasonalDifferencingLag = 0;  // s with seasonal differencing, else 0
  std::int32_t FirstAnalysedPeriod = 0;
  std::int32_t AnalysedPeriods = 0;
  std::vector<std::string> Names;  // 0: the time column, k: series k
  SeriesTable Raw;
  SeriesTable FirstDifference;
  SeriesTable SecondDifference;
  SeriesTable Analysed;
  std::vector<std::int32_t> MissingPerSeries;  // 1..count; element 0 unused
  // Names the periods in reports and reads them where they are typed.
  PeriodCalendar Calendar;
};

struct ResponseSeriesData : PreparedSeries {
  std::int16_t SeriesWithMissing = 0;
  std::int32_t ValueCount = 0;
  PeriodSeries PeriodMeanRaw;
  PeriodSeries PeriodMeanFirst;
  PeriodSeries PeriodMeanSecond;
  // Periods where flattening was asked for but fewer than two series had a
  // value, so the values there were left as they were.
  std::vector<std::int32_t> UnflattenedPeriods;
};

struct CovariateSeriesData : PreparedSeries {
  std::vector<double> RawMean;       // 1..count; element 0 unused
  std::vector<double> AnalysedMean;  // 1..count; element 0 unused
};

}  // namespace quorvane

#include "tfn/series_data.h"

#include <algorithm>
#include <stdexcept>

namespace quorvane {

SeriesTable::SeriesTable(int startPeriod, int endPeriod, int seriesCount)
    : start_(startPeriod), end_(endPeriod), series_(seriesCount) {
  if (endPeriod < startPeriod || seriesCount < 0) {
    end_ = startPeriod - 1;
    series_ = 0;
    return;
  }
  values_.assign(static_cast<size_t>(endPeriod - startPeriod + 1) * static_cast<size_t>(seriesCount),
                 std::nullopt);
}

SeriesTable::SeriesTable(int startPeriod, int seriesCount, std::vector<SeriesValue> values)
    : start_(startPeriod), series_(seriesCount), values_(std::move(values)) {
  const size_t periods = series_ > 0 ? values_.size() / static_cast<size_t>(series_) : 0;
  values_.resize(periods * static_cast<size_t>(std::max(series_, 0)));
  if (periods == 0) series_ = 0;
  end_ = start_ + static_cast<int>(periods) - 1;
}

void SeriesTable::OutOfRange(int period, int k) {
  throw std::out_of_range("series table: period " + std::to_string(period) + ", series " +
                          std::to_string(k));
}

PeriodSeries::PeriodSeries(int firstPeriod, int lastPeriod) : first_(firstPeriod) {
  if (lastPeriod >= firstPeriod) values_.assign(static_cast<size_t>(lastPeriod - firstPeriod + 1), std::nullopt);
}

}  // namespace quorvane

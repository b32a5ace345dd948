#include "tfn/series_data.h"

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

size_t SeriesTable::Index(int period, int k) const {
  if (period < start_ || period > end_ || k < 1 || k > series_)
    throw std::out_of_range("series table: period " + std::to_string(period) + ", series " +
                            std::to_string(k));
  return static_cast<size_t>(period - start_) * static_cast<size_t>(series_) +
         static_cast<size_t>(k - 1);
}

PeriodSeries::PeriodSeries(int firstPeriod, int lastPeriod) : first_(firstPeriod) {
  if (lastPeriod >= firstPeriod) values_.assign(static_cast<size_t>(lastPeriod - firstPeriod + 1), std::nullopt);
}

}  // namespace quorvane

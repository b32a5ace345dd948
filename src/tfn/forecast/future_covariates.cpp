#include "tfn/forecast/future_covariates.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>

#include "tfn/forecast/scale_transform.h"
#include "tfn/series_data_error.h"
#include "tfn/series_files/read_series_data.h"

namespace quorvane {
namespace {

// The file's values from the fitted start period to `end`, or nothing when
// the file does not hold consecutive readable records that far.
std::optional<SeriesTable> ReadThrough(const SeriesFileChoice& choice, int start, int end) {
  SeriesFileChoice through = choice;
  through.StartPeriod = static_cast<decltype(through.StartPeriod)>(start);
  through.EndPeriod = static_cast<decltype(through.EndPeriod)>(end);
  try {
    return ReadSeriesData(through, "covariate").Values;
  } catch (const SeriesDataError&) {
    return std::nullopt;
  }
}

}  // namespace

std::vector<std::vector<double>> ReadFutureCovariates(const SeriesFileChoice& choice,
                                                      const CovariateSeriesData& fitted,
                                                      int horizon) {
  const int count = fitted.SeriesCount;
  std::vector<std::vector<double>> future(static_cast<size_t>(count + 1));
  const int end = fitted.EndPeriod;
  // The records are read again from the fitted start period; the reader
  // asks them to rise by one from there, so the last period it reads
  // without error grows with the window: search for the largest one.
  int lo = 0, hi = std::min(horizon, std::numeric_limits<decltype(choice.EndPeriod)>::max() - end);
  std::optional<SeriesTable> best;
  while (lo < hi) {
    const int mid = lo + (hi - lo + 1) / 2;
    if (std::optional<SeriesTable> table = ReadThrough(choice, fitted.StartPeriod, end + mid)) {
      lo = mid;
      best = std::move(table);
    } else {
      hi = mid - 1;
    }
  }
  if (lo == 0 || !best) return future;
  const SeriesTable& raw = *best;
  const int d = fitted.Differencing;
  for (int c = 1; c <= count; ++c) {
    // Differencing of order d at t uses the values as read at t - d .. t.
    const auto value = [&](int t) -> std::optional<double> {
      if (t < raw.StartPeriod()) return std::nullopt;
      return raw.At(t, c);
    };
    for (int t = end + 1; t <= end + lo; ++t) {
      std::optional<double> x = value(t);
      if (x && d >= 1) {
        const std::optional<double> x1 = value(t - 1);
        x = x1 ? std::optional<double>(*x - *x1) : std::nullopt;
        if (x && d == 2) {
          const std::optional<double> x2 = value(t - 2);
          x = x2 ? std::optional<double>(*x - (*x1 - *x2)) : std::nullopt;
        }
      }
      if (x) x = TransformValue(choice, *x);
      if (!x) break;
      future[static_cast<size_t>(c)].push_back(*x);
    }
  }
  return future;
}

}  // namespace quorvane

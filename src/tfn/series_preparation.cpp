#include "tfn/series_preparation.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "base/format/plain_number_text.h"

#include "tfn/series_data_error.h"
#include "tfn/series_files/read_series_data.h"
#include "tfn/setup_limits.h"

namespace quorvane {

namespace {

// The logit and Box-Cox checks over every present value of `table` in
// first..last, then the transformation itself, in place; `calendar` names
// the period of a value the transformation cannot compute.
void TransformTable(const SeriesFileChoice& choice, const std::string& kind, SeriesTable& table,
                    int first, int last, const PeriodCalendar& calendar) {
  const SeriesTransformation how = choice.Transformation;
  if (how == SeriesTransformation::None) return;
  const double lambda = choice.BoxCoxLambda;
  const double constant = choice.BoxCoxConstant;
  for (int k = 1; k <= table.SeriesCount(); ++k)
    for (int t = first; t <= last; ++t) {
      const SeriesValue& x = table.At(t, k);
      if (!x) continue;
      if (how == SeriesTransformation::Logit && (*x <= 0.0 || *x >= 1.0))
        throw SeriesDataError("Fatal choice of logit transformation",
                              "You cannot use a logit transformation on the " + kind +
                                  " time series with values <= 0 or > =1");
      if (how == SeriesTransformation::BoxCox && *x + constant <= 0.0)
        throw SeriesDataError("Fatal choice of Box-Cox constant",
                              "Not all time series values plus the Box-Cox constant are > 0 for the " +
                                  kind + " series");
    }
  for (int k = 1; k <= table.SeriesCount(); ++k)
    for (int t = first; t <= last; ++t) {
      SeriesValue& x = table.At(t, k);
      if (!x) continue;
      const double before = *x;
      if (how == SeriesTransformation::Logit) {
        x = std::log(before / (1.0 - before));
      } else if (lambda != 0.0) {
        x = (std::pow(before + constant, lambda) - 1.0) / lambda;  // Box-Cox power transformation
      } else {
        x = std::log(before + constant);  // its limit as lambda goes to 0
      }
      // A power that overflows (a large lambda) leaves nothing the model can fit.
      if (!std::isfinite(*x))
        throw SeriesDataError("Fatal choice of Box-Cox lambda",
                              "The Box-Cox transformation with lambda " + PlainNumberText(lambda) +
                                  " and constant " + PlainNumberText(constant) + " of the " + kind +
                                  " series value " + PlainNumberText(before) + " (period " +
                                  calendar.Label(t) + ") is too large to compute");
    }
}

// to(t) = from(t) - from(t - lag) for t = end down to start + lag where
// both are present; the rest of `to` stays missing.
void Difference(const SeriesTable& from, int lag, int start, int end, int k, SeriesTable& to) {
  for (int t = end; t >= start + lag; --t) {
    const SeriesValue& now = from.At(t, k);
    const SeriesValue& before = from.At(t - lag, k);
    if (now && before) to.At(t, k) = *now - *before;
  }
}

// Reads the file and forms the differences, the analysed series and the
// missing-value counts shared by both kinds of series. The first and second
// differences are always those of the values as read. The analysed series
// is the d-th difference, then differenced at the seasonal lag (when there
// is one), of the values as read or, when the transformation comes before
// differencing, of their transforms.
void ReadAndDifference(const SeriesFileChoice& choice, const std::string& kind, int seasonalLag,
                       PreparedSeries& data) {
  data.FileName = choice.FileName;
  data.StartPeriod = choice.StartPeriod;
  data.EndPeriod = choice.EndPeriod;
  data.FirstSeries = choice.FirstSeries;
  data.LastSeries = choice.LastSeries;
  data.SeriesCount = static_cast<std::int16_t>(choice.LastSeries - choice.FirstSeries + 1);
  data.Differencing = choice.Differencing;
  data.SeasonalDifferencingLag = seasonalLag;
  SeriesFileData file = ReadSeriesData(choice, kind);
  data.Raw = std::move(file.Values);
  data.Names = std::move(file.Names);
  data.Calendar = file.Calendar;

  const int start = choice.StartPeriod;
  const int end = choice.EndPeriod;
  const int count = data.SeriesCount;
  const int d = choice.Differencing;
  // Differencing uses up the first d + seasonal lag periods of the window.
  if (auto problem = DifferencingWindowProblem(start, end, d, seasonalLag, kind, data.Calendar))
    throw SeriesDataError("Fatal data input error", problem->Text);

  data.FirstDifference = SeriesTable(start, end, count);
  data.SecondDifference = SeriesTable(start, end, count);
  data.Analysed = SeriesTable(start, end, count);
  for (int k = 1; k <= count; ++k) {
    if (d >= 1) Difference(data.Raw, 1, start, end, k, data.FirstDifference);
    if (d == 2) Difference(data.FirstDifference, 1, start + 1, end, k, data.SecondDifference);
  }
  const SeriesTable* regular = d == 0 ? &data.Raw : d == 1 ? &data.FirstDifference : &data.SecondDifference;
  // The transforms of the values as read, and their regular differences.
  SeriesTable levels, first, second;
  if (choice.TransformBeforeDifferencing && choice.Transformation != SeriesTransformation::None) {
    levels = data.Raw;
    TransformTable(choice, kind, levels, start, end, data.Calendar);
    first = SeriesTable(start, end, count);
    second = SeriesTable(start, end, count);
    for (int k = 1; k <= count; ++k) {
      if (d >= 1) Difference(levels, 1, start, end, k, first);
      if (d == 2) Difference(first, 1, start + 1, end, k, second);
    }
    regular = d == 0 ? &levels : d == 1 ? &first : &second;
  }
  for (int k = 1; k <= count; ++k) {
    if (seasonalLag > 0) Difference(*regular, seasonalLag, start + d, end, k, data.Analysed);
    else
      for (int t = start; t <= end; ++t) data.Analysed.At(t, k) = regular->At(t, k);
  }
  data.FirstAnalysedPeriod = start + d + seasonalLag;
  data.AnalysedPeriods = end - data.FirstAnalysedPeriod + 1;

  data.MissingPerSeries.assign(static_cast<size_t>(count + 1), 0);
  for (int k = 1; k <= count; ++k)
    for (int t = data.FirstAnalysedPeriod; t <= end; ++t)
      if (!data.Analysed.At(t, k)) ++data.MissingPerSeries[static_cast<size_t>(k)];
}

// Differences and flattening of values near the largest double can overflow;
// an infinite value would leave the model nothing but its penalty, so such
// data are refused here with the period and series that overflowed.
void RefuseValuesBeyondRange(const std::string& kind, const PreparedSeries& data) {
  for (int k = 1; k <= data.SeriesCount; ++k)
    for (int t = data.FirstAnalysedPeriod; t <= data.EndPeriod; ++t) {
      const SeriesValue& x = data.Analysed.At(t, k);
      if (x && !std::isfinite(*x))
        throw SeriesDataError("Fatal data input error",
                              "The analysed value of " + kind + " series " +
                                  PlainNumberText(data.FirstSeries + k - 1) + " at period " +
                                  data.Calendar.Label(t) +
                                  " is beyond the range of numbers after differencing or "
                                  "flattening; better rescale the data");
    }
}

// The likelihood and the summary's sums of squares square the analysed
// values and add the squares up; values of finite size whose squares or
// sum of squares overflow would leave the model nothing but its penalty.
// Such data are refused with the series and period at which the square, or
// the running sum of squares (by series, then period), leaves the range.
void RefuseSquaresBeyondRange(const std::string& kind, const PreparedSeries& data) {
  double sum = 0.0;
  for (int k = 1; k <= data.SeriesCount; ++k)
    for (int t = data.FirstAnalysedPeriod; t <= data.EndPeriod; ++t) {
      const SeriesValue& x = data.Analysed.At(t, k);
      if (!x) continue;
      const double square = *x * *x;
      sum += square;
      if (std::isfinite(sum)) continue;
      const std::string where = kind + " series " + PlainNumberText(data.FirstSeries + k - 1) +
                                " at period " + PlainNumberText(t);
      throw SeriesDataError(
          "Fatal data input error",
          std::isfinite(square)
              ? "The sum of the squares of the analysed " + kind + " values, taken up to " + where +
                    ", is beyond the range of numbers; better rescale the data"
              : "The square of the analysed value of " + where +
                    " is beyond the range of numbers; better rescale the data");
    }
}

// The logit and Box-Cox checks over every present analysed value, then the
// transformation itself; nothing when it came before differencing.
void Transform(const SeriesFileChoice& choice, const std::string& kind, PreparedSeries& data) {
  if (choice.TransformBeforeDifferencing) return;
  TransformTable(choice, kind, data.Analysed, data.StartPeriod, data.EndPeriod, data.Calendar);
}

// The mean of the present values of series k over start..end, 0 without any.
double PresentMean(const SeriesTable& table, int k) {
  double sum = 0.0;
  int n = 0;
  for (int t = table.StartPeriod(); t <= table.EndPeriod(); ++t)
    if (const SeriesValue& x = table.At(t, k)) {
      sum += *x;
      ++n;
    }
  return n > 0 ? sum / n : 0.0;
}

}  // namespace

ResponseSeriesData ReadResponseSeries(const TfnSetup& setup) {
  ResponseSeriesData data;
  ReadAndDifference(setup.Response, "response", setup.SeasonalDifferencingLag(), data);
  const int count = data.SeriesCount;
  const int first = data.FirstAnalysedPeriod;
  const int end = data.EndPeriod;

  const std::int64_t values = static_cast<std::int64_t>(count) * data.AnalysedPeriods;
  if (values > std::numeric_limits<std::int32_t>::max())
    throw SeriesDataError("Fatal data input error",
                          "The response series hold " + PlainNumberText(values) +
                              " analysed values, more than the model can count (" +
                              PlainNumberText(std::numeric_limits<std::int32_t>::max()) + ")");
  data.ValueCount = static_cast<std::int32_t>(values);
  data.SeriesWithMissing = 0;
  for (int k = 1; k <= count; ++k)
    if (data.MissingPerSeries[static_cast<size_t>(k)] > 0) ++data.SeriesWithMissing;

  // Period means, only where at least two series have a raw value.
  data.PeriodMeanRaw = PeriodSeries(first, end);
  data.PeriodMeanFirst = PeriodSeries(first, end);
  data.PeriodMeanSecond = PeriodSeries(first, end);
  const auto mean = [count](const SeriesTable& table, int t) -> SeriesValue {
    double sum = 0.0;
    int n = 0;
    for (int k = 1; k <= count; ++k)
      if (const SeriesValue& x = table.At(t, k)) {
        sum += *x;
        ++n;
      }
    if (n == 0) return std::nullopt;
    return sum / n;
  };
  for (int t = first; t <= end; ++t) {
    int present = 0;
    for (int k = 1; k <= count; ++k)
      if (data.Raw.At(t, k)) ++present;
    if (present < 2) continue;
    data.PeriodMeanRaw.At(t) = mean(data.Raw, t);
    data.PeriodMeanFirst.At(t) = mean(data.FirstDifference, t);
    data.PeriodMeanSecond.At(t) = mean(data.SecondDifference, t);
  }

  // Flattening removes the period effect shared by all series from the
  // series that are analysed: the period mean of the analysed values (the
  // raw values, or their first or second differences as the degree of
  // differencing says, then their seasonal differences; of the transforms
  // when the transformation comes first). It needs at least two series with
  // an analysed value in the period; elsewhere the values stay as they are,
  // and the period is recorded for the summary.
  if (setup.FlatteningOn()) {
    for (int t = first; t <= end; ++t) {
      int present = 0;
      for (int k = 1; k <= count; ++k)
        if (data.Analysed.At(t, k)) ++present;
      const SeriesValue periodMean = present >= 2 ? mean(data.Analysed, t) : std::nullopt;
      const bool flattened = periodMean.has_value();
      for (int k = 1; k <= count; ++k) {
        SeriesValue& x = data.Analysed.At(t, k);
        if (x && flattened) x = *x - *periodMean;
      }
      if (!flattened && present > 0) data.UnflattenedPeriods.push_back(t);
    }
  }

  RefuseValuesBeyondRange("response", data);
  Transform(setup.Response, "response", data);
  RefuseSquaresBeyondRange("response", data);
  return data;
}

CovariateSeriesData ReadCovariateSeries(const TfnSetup& setup) {
  CovariateSeriesData data;
  ReadAndDifference(setup.Covariates, "covariate", 0, data);
  RefuseValuesBeyondRange("covariate", data);
  const int count = data.SeriesCount;
  data.RawMean.assign(static_cast<size_t>(count + 1), 0.0);
  for (int c = 1; c <= count; ++c) data.RawMean[static_cast<size_t>(c)] = PresentMean(data.Raw, c);

  Transform(setup.Covariates, "covariate", data);

  data.AnalysedMean.assign(static_cast<size_t>(count + 1), 0.0);
  for (int c = 1; c <= count; ++c) {
    const double analysedMean = PresentMean(data.Analysed, c);
    for (int t = data.FirstAnalysedPeriod; t <= data.EndPeriod; ++t)
      if (!data.Analysed.At(t, c)) data.Analysed.At(t, c) = analysedMean;
    const bool intervention = setup.CovariateAsIntervention(c);
    data.AnalysedMean[static_cast<size_t>(c)] = intervention ? 0.0 : analysedMean;
  }
  return data;
}

}  // namespace quorvane

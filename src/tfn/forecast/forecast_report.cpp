#include "tfn/forecast/forecast_report.h"

#include <algorithm>
#include <cmath>

#include "base/format/format_picture.h"
#include "base/format/plain_number_text.h"
#include "base/format/right_justify.h"

namespace quorvane {
namespace {

constexpr int kPeriodWidth = 8;
constexpr int kValueWidth = 16;

void Line(std::string& text, const std::string& line = "") { text += line + "\r\n"; }

std::string Value(double v) {
  if (std::isnan(v)) return RightJustify("Not given", kValueWidth);
  if (std::isinf(v)) return RightJustify(v > 0 ? "Unbounded" : "-Unbounded", kValueWidth);
  // Fixed decimals while they fit the column, otherwise the scientific form.
  const double size = std::fabs(v);
  const bool fixed = size == 0.0 || (size >= 1e-3 && size < 1e10);
  return RightJustify(FormatPicture(v, fixed ? "##0.0000" : "0.000000E+00"), kValueWidth);
}

// The period column: 8 characters, wider for dates that need more.
int PeriodWidth(const std::vector<ForecastRow>& rows, const PeriodCalendar& calendar) {
  if (!calendar.IsDated() || rows.empty()) return kPeriodWidth;
  return std::max<int>(kPeriodWidth, static_cast<int>(calendar.Label(rows.front().Period).size()) + 1);
}

std::string Heading(int periodWidth) {
  return RightJustify("Period", periodWidth) + RightJustify("Forecast", kValueWidth) +
         RightJustify("Std. error", kValueWidth) + RightJustify("Lower 95%", kValueWidth) +
         RightJustify("Upper 95%", kValueWidth);
}

void Rows(std::string& text, const std::vector<ForecastRow>& rows, const PeriodCalendar& calendar) {
  const int width = PeriodWidth(rows, calendar);
  Line(text, Heading(width));
  for (const ForecastRow& row : rows)
    Line(text, (calendar.IsDated() ? RightJustify(calendar.Label(row.Period), width)
                                   : RightJustify(row.Period, kPeriodWidth)) +
                   Value(row.Forecast) + Value(row.StandardError) + Value(row.Lower) + Value(row.Upper));
}

}  // namespace

std::string WriteForecastReport(const TfnForecast& forecast, const ForecastReportSource& source) {
  std::string text;
  Line(text, "Forecasts of the " + source.ModelName);
  Line(text);
  Line(text, "Response series data file: " + source.DataFileName);
  if (!source.AlgorithmFileName.empty()) Line(text, "Algorithm data file: " + source.AlgorithmFileName);
  Line(text, "Last period of the data: " + source.Calendar.Label(source.EndPeriod));
  Line(text, "Periods ahead: " + PlainNumberText(forecast.Horizon) +
                 (forecast.Horizon < forecast.Requested
                      ? " (of " + PlainNumberText(forecast.Requested) + " asked for)"
                      : ""));
  Line(text, "Innovation variance (sigma^2): " + FormatPicture(forecast.Sigma2, "0.000000E+00") +
                 " (maximum likelihood: sum of SUMSQ / n)");
  Line(text, "Standard deviation of the stationary noise: " +
                 FormatPicture(std::sqrt(forecast.NoiseVariance), "0.000000E+00"));
  Line(text, "(the analysed-scale standard errors approach it far ahead)");
  Line(text);
  Line(text, "The forecasts are the exact finite-sample predictions of the fitted noise model,");
  Line(text, "made from its filter state at the end of each series at the current parameter values;");
  Line(text, "the uncertainty of the estimates themselves is not included. Interventions go on as");
  Line(text, "set (a step stays on, a pulse stays 0, a trend keeps rising) through their transfer");
  Line(text, "functions. Missing values count as noise 0, as in the fit. The limits are the");
  Line(text, "forecast plus and minus 1.96 standard errors on the analysed scale.");
  const bool transformed = source.Transformation != SeriesTransformation::None;
  const bool differenced = source.Differencing > 0 || source.SeasonalDifferencingLag > 0;
  if (transformed && !differenced) {
    Line(text);
    Line(text, "On the original scale the forecast and both limits are those of the analysed scale");
    Line(text, "with the transformation undone: the forecast there is the median of the forecast");
    Line(text, "distribution, not its mean, and no standard error is given.");
  }
  if (differenced && !transformed) {
    Line(text);
    Line(text, "On the original scale the differencing is undone by summing the forecasts, with the");
    Line(text, "error variance of the integrated process.");
  }
  if (differenced && transformed && source.TransformBeforeDifferencing) {
    Line(text);
    Line(text, "The transformation came before differencing. On the transformed scale the differencing");
    Line(text, "is undone by summing the forecasts, with the error variance of the integrated process.");
    Line(text, "On the original scale the forecast and both limits are those of the transformed scale");
    Line(text, "with the transformation undone: the forecast there is the median of the forecast");
    Line(text, "distribution, not its mean, and no standard error is given. For the logarithm (Box-Cox");
    Line(text, "lambda 0) the mean is the median times exp(SE^2 / 2), SE the standard error on the");
    Line(text, "transformed scale.");
  }
  for (const std::string& note : forecast.Notes) {
    Line(text);
    Line(text, "Note: " + note);
  }
  for (const SeriesForecast& series : forecast.Series) {
    Line(text);
    Line(text, "Response series " + PlainNumberText(series.Series) + ": " + series.Name);
    Line(text);
    Line(text, "On the analysed (perhaps transformed or differenced) scale:");
    Rows(text, series.Analysed, source.Calendar);
    Line(text);
    if (!series.Transformed.empty()) {
      Line(text, "On the transformed scale of the undifferenced series:");
      Rows(text, series.Transformed, source.Calendar);
      Line(text);
    }
    Line(text, "On the original (untransformed and undifferenced) scale of the data as read:");
    if (series.Original.empty()) Line(text, series.OriginalNote);
    else Rows(text, series.Original, source.Calendar);
  }
  Line(text);
  Line(text, "Forecasts complete");
  return text;
}

}  // namespace quorvane

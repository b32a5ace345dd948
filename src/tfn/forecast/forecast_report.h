#pragma once

#include <string>

#include "base/calendar/period_calendar.h"
#include "tfn/forecast/tfn_forecast.h"
#include "tfn/tfn_setup.h"

namespace quorvane {

inline constexpr const char* kDefaultForecastFileName = "KAVRO_Model_Forecasts.qvf";

// What the report says about where the forecasts come from.
struct ForecastReportSource {
  std::string ModelName;
  std::string DataFileName;
  std::string AlgorithmFileName;  // empty when the values were never loaded from a file
  int EndPeriod = 0;
  int Differencing = 0;
  SeriesTransformation Transformation = SeriesTransformation::None;
  int SeasonalDifferencingLag = 0;  // s with seasonal differencing, else 0
  bool TransformBeforeDifferencing = false;
  PeriodCalendar Calendar;  // names the periods: dates for a dated file
};

// The fixed-pitch text of the window "Forecasts": a heading with what the
// forecasts assume, then one block per response series with one row per
// future period (period, forecast, standard error, lower and upper 95%
// limits), first on the analysed scale, then (for a transformation applied
// before differencing) on the transformed scale of the undifferenced
// series, then on the original scale of the data as read, and the notes
// that apply. Lines end in CR LF.
std::string WriteForecastReport(const TfnForecast& forecast, const ForecastReportSource& source);

}  // namespace quorvane

#pragma once

#include <string>

#include "base/calendar/period_calendar.h"
#include "tfn/forecast/tfn_forecast.h"

namespace quorvane {

inline constexpr const char* kDefaultForecastCsvName = "KAVRO_Model_Forecasts.csv";

// The forecasts as one comma-separated table, for "Export as CSV...": one
// row per future period, named by `calendar` in the column `timeName`;
// then for each response series N the columns "N forecast", "N std. error",
// "N lower 95%" and "N upper 95%" on the analysed scale and, when the
// series has them, the same four followed by " (original scale)" on the
// scale of the data as read. Values at full precision; a value not given
// (the standard error on a transformed original scale) is empty, an
// unbounded limit "Inf" or "-Inf".
std::string ForecastCsv(const TfnForecast& forecast, const std::string& timeName,
                        const PeriodCalendar& calendar);

}  // namespace quorvane

#pragma once

#include <string>
#include <vector>

#include "base/calendar/period_calendar.h"
#include "tfn/series_data.h"
#include "tfn/tfn_setup.h"

namespace quorvane {

// What the set-up takes from a series data file: the chosen series over the
// chosen window of periods, their names and the file's calendar.
struct SeriesFileData {
  std::vector<std::string> Names;  // 0: the time column; k: the k-th chosen series
  SeriesTable Values;              // StartPeriod..EndPeriod by chosen series
  PeriodCalendar Calendar;         // whole periods for a fixed-width file
};

// The one reader of series data files. It tells the format by the file's
// layout (SeriesFileFormatOf): a fixed-width file is read as far as the
// window needs, with the messages it always had; delimited text is read
// whole, so a fault anywhere in it is found, and then the window is taken
// from it with the same messages, periods named by the file's calendar.
// `kind` is "response" or "covariate". Throws SeriesDataError.
SeriesFileData ReadSeriesData(const SeriesFileChoice& choice, const std::string& kind);

}  // namespace quorvane

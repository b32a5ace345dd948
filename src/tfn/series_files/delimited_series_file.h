#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/calendar/period_calendar.h"
#include "tfn/series_data.h"

namespace quorvane {

// A series file of delimited text, read whole: the time column and every
// series, period after period.
struct DelimitedSeriesFile {
  // 0: the time column; k: series k (1..SeriesCount). A file without a
  // header row names them "Time", "Series 1", "Series 2", ...
  std::vector<std::string> Names;
  PeriodCalendar Calendar;
  std::int32_t FirstPeriod = 0;  // the model's number of the first period
  std::int32_t PeriodCount = 0;
  int SeriesCount = 0;
  // The value of series k in period FirstPeriod + i at i * SeriesCount + k - 1.
  std::vector<SeriesValue> Values;
  char Separator = ',';  // ',', ';', '\t', or ' ' for runs of blanks

  std::int32_t LastPeriod() const { return FirstPeriod + PeriodCount - 1; }
};

// Reads a series file of delimited text. The text is UTF-8 (a byte-order
// mark is passed over) with lines ended by CR LF, LF or CR; fields are
// separated by commas, semicolons, tabs or runs of blanks, whichever the
// first lines show, and may be quoted (a quote inside a quoted field is
// doubled). Lines holding nothing are passed over.
//
// The first field of each line is the time: a whole number of periods or a
// date (a quarter, a month or a day; days one or seven days apart make a
// daily or weekly file), and the times must rise by one period from line
// to line. The first line is a header of names unless its first field is a
// time. Every other field is a value: a number at full double precision
// (in a semicolon-separated file the decimal point may be a comma), or
// missing: an empty field, "NA", "NaN" (any letter case), "." or
// "Missing". Every line holds as many fields as the first.
//
// `kind` ("response" or "covariate") names the data in the messages. With
// `dataLines` above 0 reading stops after that many data lines (enough to
// learn the calendar). Throws SeriesDataError naming the line at fault.
DelimitedSeriesFile ReadDelimitedSeriesFile(const std::string& path, const std::string& kind,
                                            int dataLines = 0);

}  // namespace quorvane

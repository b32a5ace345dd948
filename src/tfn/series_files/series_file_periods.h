#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/calendar/period_calendar.h"

namespace quorvane {

// What the Initialize window shows of a series data file when the user
// chooses it: its first and last time periods (to propose the window), the
// calendar that names them, and the names of its series (to list them).
struct SeriesFilePeriods {
  long first = 0;
  long last = 0;
  PeriodCalendar calendar;
  std::vector<std::string> names;  // series 1, 2, ... at index 0, 1, ...
};

// For a fixed-width file: the period field (the first 7 characters) of the
// first and the last data line, after the header line (blank lines are
// passed over), and the names of the header's fields. It checks nothing
// else: the set-up reads the file in full. A delimited file is read in
// full. Gives nothing when the file cannot be read, has no data line, or a
// period cannot be read.
std::optional<SeriesFilePeriods> ReadSeriesFilePeriods(const std::string& path);

// The calendar of a file, from its first data lines: whole periods for a
// fixed-width file. Nothing when the file cannot be read so far.
std::optional<PeriodCalendar> ReadSeriesFileCalendar(const std::string& path);

}  // namespace quorvane

#pragma once

#include <optional>
#include <string>

namespace quorvane {

// The first and last time periods of a series data file, for proposing the
// period window when the user chooses a file.
struct SeriesFilePeriods {
  long first = 0;
  long last = 0;
};

// Reads the period field (the first 7 characters) of the first and the last
// data line, after the header line; blank lines are passed over. Gives
// nothing when the file cannot be read, has no data line or a period field
// holds no number. It checks nothing else: the set-up reads the file in full.
std::optional<SeriesFilePeriods> ReadSeriesFilePeriods(const std::string& path);

}  // namespace quorvane

#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The two kinds of series data file: the fixed-width layout of 7-character
// fields, each followed by ", ", and delimited text.
enum class SeriesFileFormat { FixedWidth, Delimited };

// Tells the format from the beginning of a file, `start`. The first line is
// a header in either format, so the second line that holds more than blanks
// decides: it is fixed-width when the two columns after every 7-character
// field (columns 8 and 9, 17 and 18, ...) hold commas or blanks as far as
// the line goes, each field is a single word, and the first field is no
// date (a 7-character date such as "1983-02" followed by ", " is delimited
// text). A file of fewer than two such lines, or with a line longer than a
// reader takes, is taken as fixed-width, whose reader names what is wrong.
SeriesFileFormat SeriesFileFormatOf(std::string_view start);

// The format of the file at `path`, from its first two megabytes; a file
// that cannot be read is taken as fixed-width, whose reader says why.
SeriesFileFormat DetectSeriesFileFormat(const std::string& path);

}  // namespace quorvane

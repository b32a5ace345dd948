#include "tfn/series_files/read_series_data.h"

#include <cerrno>
#include <sys/stat.h>

#include "base/files/file_path_check.h"
#include "tfn/series_data_error.h"
#include "tfn/series_files/delimited_series_file.h"
#include "tfn/series_files/fixed_width_series_file.h"
#include "tfn/series_files/series_file_format.h"

namespace quorvane {
namespace {

constexpr const char* kTitle = "Fatal data input error";

bool IsMissing(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

// The window and the chosen series of a file read whole.
SeriesFileData Window(DelimitedSeriesFile file, const SeriesFileChoice& choice, const std::string& kind) {
  const PeriodCalendar& calendar = file.Calendar;
  if (choice.LastSeries > file.SeriesCount)
    throw SeriesDataError(kTitle, "The " + kind + " data file holds " + std::to_string(file.SeriesCount) + " series, so there is no series " + std::to_string(choice.LastSeries) +
                                      " to read");
  if (choice.StartPeriod < file.FirstPeriod)
    throw SeriesDataError(kTitle, "Your choice for first time period of " + kind + " data to analyze (" +
                                      calendar.Label(choice.StartPeriod) +
                                      ") preceeds the first time period (" +
                                      calendar.Label(file.FirstPeriod) + ") in the data");
  if (choice.EndPeriod > file.LastPeriod())
    throw SeriesDataError(kTitle, "Your choice for last time period of " + kind + " data to analyze (" +
                                      calendar.Label(choice.EndPeriod) +
                                      ") exceeds the last time period (" +
                                      calendar.Label(file.LastPeriod()) + ") in the data");
  const int count = choice.LastSeries - choice.FirstSeries + 1;
  std::vector<SeriesValue> values;
  values.reserve(static_cast<size_t>(choice.EndPeriod - choice.StartPeriod + 1) * static_cast<size_t>(count));
  for (std::int32_t t = choice.StartPeriod; t <= choice.EndPeriod; ++t) {
    const size_t row = static_cast<size_t>(t - file.FirstPeriod) * static_cast<size_t>(file.SeriesCount);
    for (int k = choice.FirstSeries; k <= choice.LastSeries; ++k)
      values.push_back(file.Values[row + static_cast<size_t>(k - 1)]);
  }
  SeriesFileData data;
  data.Names.push_back(file.Names[0]);
  for (int k = choice.FirstSeries; k <= choice.LastSeries; ++k)
    data.Names.push_back(file.Names[static_cast<size_t>(k)]);
  data.Values = SeriesTable(choice.StartPeriod, count, std::move(values));
  data.Calendar = calendar;
  return data;
}

}  // namespace

SeriesFileData ReadSeriesData(const SeriesFileChoice& choice, const std::string& kind) {
  if (choice.FirstSeries < 1 || choice.LastSeries < choice.FirstSeries)
    throw SeriesDataError(kTitle, "The " + kind + " series to read run from ordinal " +
                                      std::to_string(choice.FirstSeries) + " to " +
                                      std::to_string(choice.LastSeries) +
                                      "; the first must be at least 1 and the last no lower than the first");
  // A folder opens and then reads as nothing, a device as nothing or
  // without end: neither is a data file.
  if (auto problem = ProblemOpeningFile(choice.FileName); problem && !IsMissing(choice.FileName))
    throw SeriesDataError(kTitle, "The " + kind + " data file cannot be read: " + *problem);
  if (DetectSeriesFileFormat(choice.FileName) == SeriesFileFormat::FixedWidth) {
    SeriesFileData data;
    data.Values = ReadFixedWidthSeriesFile(choice, kind, data.Names);
    return data;
  }
  return Window(ReadDelimitedSeriesFile(choice.FileName, kind), choice, kind);
}

}  // namespace quorvane

#include "tfn/series_files/series_file_periods.h"

#include <cctype>
#include <cmath>
#include <vector>

#include "base/files/file_path_check.h"
#include "base/files/text_file.h"
#include "tfn/series_data_error.h"
#include "tfn/series_files/delimited_series_file.h"
#include "tfn/series_files/series_file_format.h"

namespace quorvane {

namespace {

constexpr std::size_t kFieldWidth = 7;
constexpr std::size_t kFieldPitch = 9;

bool Blank(const std::string& line) {
  for (char c : line)
    if (!std::isspace(static_cast<unsigned char>(c))) return false;
  return true;
}

std::string Trimmed(const std::string& field) {
  const size_t b = field.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  return field.substr(b, field.find_last_not_of(" \t") - b + 1);
}

// The period of a data line: the leading whole or decimal number of its
// first field, rounded half to even; nothing when the field holds none.
std::optional<long> PeriodOf(const std::string& line) {
  const std::string field = line.substr(0, kFieldWidth);
  std::size_t i = field.find_first_not_of(" \t");
  if (i == std::string::npos) return std::nullopt;
  const std::size_t start = i;
  if (field[i] == '-' || field[i] == '+') ++i;
  const std::size_t digits = i;
  while (i < field.size() && (std::isdigit(static_cast<unsigned char>(field[i])) || field[i] == '.'))
    ++i;
  if (i == digits) return std::nullopt;
  try {
    return std::lround(std::nearbyint(std::stod(field.substr(start, i - start))));
  } catch (...) {
    return std::nullopt;
  }
}

std::optional<SeriesFilePeriods> FixedWidthPeriods(const std::string& path) {
  std::string error;
  const std::optional<std::vector<std::string>> lines = ReadTextLines(path, error);
  if (!lines || lines->size() < 2) return std::nullopt;
  std::size_t firstLine = 1, lastLine = lines->size() - 1;
  while (firstLine <= lastLine && Blank((*lines)[firstLine])) ++firstLine;
  while (lastLine > firstLine && Blank((*lines)[lastLine])) --lastLine;
  if (firstLine > lastLine) return std::nullopt;
  const auto first = PeriodOf((*lines)[firstLine]);
  const auto last = PeriodOf((*lines)[lastLine]);
  if (!first || !last || *last < *first) return std::nullopt;
  SeriesFilePeriods periods{*first, *last, PeriodCalendar(), {}};
  const std::string& header = lines->front();
  for (std::size_t at = kFieldPitch; at < header.size(); at += kFieldPitch)
    periods.names.push_back(Trimmed(header.substr(at, kFieldWidth)));
  return periods;
}

}  // namespace

std::optional<SeriesFilePeriods> ReadSeriesFilePeriods(const std::string& path) {
  if (ProblemOpeningFile(path)) return std::nullopt;
  if (DetectSeriesFileFormat(path) == SeriesFileFormat::FixedWidth) return FixedWidthPeriods(path);
  try {
    DelimitedSeriesFile file = ReadDelimitedSeriesFile(path, "response");
    std::vector<std::string> names(file.Names.begin() + 1, file.Names.end());
    return SeriesFilePeriods{file.FirstPeriod, file.LastPeriod(), file.Calendar, std::move(names)};
  } catch (const SeriesDataError&) {
    return std::nullopt;
  }
}

std::optional<PeriodCalendar> ReadSeriesFileCalendar(const std::string& path) {
  if (ProblemOpeningFile(path)) return std::nullopt;
  if (DetectSeriesFileFormat(path) == SeriesFileFormat::FixedWidth) return PeriodCalendar();
  try {
    return ReadDelimitedSeriesFile(path, "response", 2).Calendar;
  } catch (const SeriesDataError&) {
    return std::nullopt;
  }
}

}  // namespace quorvane

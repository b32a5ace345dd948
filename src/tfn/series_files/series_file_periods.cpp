#include "tfn/series_files/series_file_periods.h"

#include <cctype>
#include <cmath>
#include <vector>

#include "base/files/text_file.h"

namespace quorvane {

namespace {

constexpr std::size_t kPeriodFieldWidth = 7;

bool Blank(const std::string& line) {
  for (char c : line)
    if (!std::isspace(static_cast<unsigned char>(c))) return false;
  return true;
}

// The period of a data line: the leading whole or decimal number of its
// first field, rounded half to even; nothing when the field holds none.
std::optional<long> PeriodOf(const std::string& line) {
  const std::string field = line.substr(0, kPeriodFieldWidth);
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

}  // namespace

std::optional<SeriesFilePeriods> ReadSeriesFilePeriods(const std::string& path) {
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
  return SeriesFilePeriods{*first, *last};
}

}  // namespace quorvane

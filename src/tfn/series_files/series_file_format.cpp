#include "tfn/series_files/series_file_format.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "base/calendar/period_calendar.h"
#include "base/files/text_file.h"

namespace quorvane {
namespace {

constexpr size_t kFieldWidth = 7;
constexpr size_t kFieldPitch = 9;

bool Blank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

// Whether a data line keeps to the fixed layout: the two columns after
// every 7-character field hold commas or blanks, every field is one word,
// and the first is no date.
bool FitsFixedLayout(std::string_view line) {
  if (line.size() <= kFieldWidth) return false;
  for (size_t at = 0; at < line.size(); at += kFieldPitch) {
    std::string_view field = line.substr(at, kFieldWidth);
    field.remove_prefix(std::min(field.find_first_not_of(' '), field.size()));
    field.remove_suffix(field.size() - std::min(field.find_last_not_of(' ') + 1, field.size()));
    if (field.find(' ') != std::string_view::npos) return false;
    const std::string_view separator = at + kFieldWidth < line.size() ? line.substr(at + kFieldWidth, 2) : "";
    if (separator.find_first_not_of(", ") != std::string_view::npos) return false;
  }
  const std::optional<TimeField> time = ReadTimeField(line.substr(0, kFieldWidth));
  return !time || time->Form == TimeForm::Whole;
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

SeriesFileFormat SeriesFileFormatOf(std::string_view start) {
  size_t at = 0;
  int lines = 0;
  while (at < start.size()) {
    const size_t end = std::min(start.find_first_of("\r\n", at), start.size());
    const std::string_view line = start.substr(at, end - at);
    at = end + 1;
    // A line longer than any reader takes is no text of either kind; the
    // fixed-width reader refuses it by its length.
    if (line.size() > kLongestTextLine) return SeriesFileFormat::FixedWidth;
    if (Blank(line)) continue;
    if (++lines == 2)
      return FitsFixedLayout(line) ? SeriesFileFormat::FixedWidth : SeriesFileFormat::Delimited;
  }
  return SeriesFileFormat::FixedWidth;
}

SeriesFileFormat DetectSeriesFileFormat(const std::string& path) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return SeriesFileFormat::FixedWidth;
  std::vector<char> start(2 * kLongestTextLine + 2);
  const size_t got = std::fread(start.data(), 1, start.size(), file.get());
  return SeriesFileFormatOf(std::string_view(start.data(), got));
}

}  // namespace quorvane

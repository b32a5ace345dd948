#include "tfn/series_files/fixed_width_series_file.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <optional>
#include <string_view>
#include <sys/stat.h>

#include "base/files/file_path_check.h"
#include "base/files/text_file.h"
#include "base/format/plain_number_text.h"
#include "tfn/series_data_error.h"
#include "tfn/setup_limits.h"

namespace quorvane {

namespace {

constexpr const char* kInputErrorTitle = "Fatal data input error";
constexpr size_t kFieldWidth = 7;
constexpr size_t kFieldPitch = 9;

std::string_view Trim(std::string_view s) {
  const size_t b = s.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

// The raw text of field j (j >= 0), or nothing when the line ends before it.
std::optional<std::string_view> Field(std::string_view line, int j) {
  const size_t from = kFieldPitch * static_cast<size_t>(j);
  if (line.size() <= from) return std::nullopt;
  return line.substr(from, kFieldWidth);
}

// A whole decimal number with nothing after it; "+" and exponents allowed.
std::optional<double> ParseNumber(std::string_view text) {
  const char* begin = text.data();
  const char* end = text.data() + text.size();
  if (begin != end && *begin == '+') ++begin;
  if (begin == end || !(std::isdigit(static_cast<unsigned char>(*begin)) || *begin == '-' || *begin == '.'))
    return std::nullopt;
  double value = 0;
  auto [ptr, ec] = std::from_chars(begin, end, value, std::chars_format::general);
  if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

// The leading numeric text of a period field (digits and a point after an
// optional sign), rounded half to even; nothing when it has no number.
std::optional<double> ParsePeriod(std::string_view field) {
  std::string_view t = Trim(field);
  size_t used = 0;
  while (used < t.size() && (std::isdigit(static_cast<unsigned char>(t[used])) || t[used] == '.' ||
                             ((t[used] == '-' || t[used] == '+') && used == 0)))
    ++used;
  t = t.substr(0, used);
  if (!t.empty() && t[0] == '+') t.remove_prefix(1);
  double value = 0;
  auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
  if (ec != std::errc() || ptr == t.data()) return std::nullopt;
  return std::nearbyint(value);  // the default mode rounds halves to even
}

class SeriesFileScanner {
 public:
  SeriesFileScanner(const SeriesFileChoice& choice, const std::string& kind)
      : kind_(kind), path_(choice.FileName) {
    // A folder opens and then reads as nothing, a device as nothing or
    // without end: neither is a data file.
    if (auto problem = ProblemOpeningFile(path_); problem && !IsMissing())
      throw SeriesDataError(kInputErrorTitle, "The " + kind + " data file cannot be read: " + *problem);
    in_.open(path_, std::ios::binary);
    if (!in_)
      throw SeriesDataError(kInputErrorTitle, "Cannot open the " + kind + " data file " +
                                                  choice.FileName + ": " + std::strerror(errno));
  }

  bool AtEnd() {
    return in_.peek() == std::char_traits<char>::eof();
  }

  std::string NextLine() {
    std::string line;
    ++line_number_;
    if (ReadCappedLine(in_, line) == LineRead::TooLong)
      throw SeriesDataError(kInputErrorTitle, "The " + kind_ + " data file cannot be read: " +
                                                  LineTooLongText(path_, line_number_));
    return line;
  }

  int LineNumber() const { return line_number_; }

  std::int32_t Period(std::string_view line) {
    const auto field = Field(line, 0);
    const auto period = field ? ParsePeriod(*field) : std::nullopt;
    const std::string text(field ? Trim(*field) : std::string_view{});
    if (!period)
      throw SeriesDataError(kInputErrorTitle,
                            "Line " + std::to_string(line_number_) + " of the " + kind_ +
                                " data: the time period field reads '" + text +
                                "', which is not a whole number of time periods");
    if (*period < kMinPeriod || *period > kMaxPeriod)
      throw SeriesDataError(kInputErrorTitle,
                            "Line " + std::to_string(line_number_) + " of the " + kind_ +
                                " data: the time period field reads '" + text +
                                "', outside the time periods a series data file can hold (" +
                                PlainNumberText(kMinPeriod) + " to " + PlainNumberText(kMaxPeriod) + ")");
    CheckSeparatorAfter(line, 0);
    return static_cast<std::int32_t>(*period);
  }

  SeriesValue Value(std::string_view line, int ordinal) {
    auto field = Field(line, ordinal);
    if (!field)
      throw SeriesDataError(kInputErrorTitle,
                            "Line " + std::to_string(line_number_) + " of the " + kind_ +
                                " data is too short to hold series " + std::to_string(ordinal) +
                                " (columns " + std::to_string(kFieldPitch * static_cast<size_t>(ordinal) + 1) +
                                " to " + std::to_string(kFieldPitch * static_cast<size_t>(ordinal) + kFieldWidth) + ")");
    const std::string_view text = Trim(*field);
    SeriesValue value;
    if (text != "Missing") value = ParseNumber(text);
    if (value || text == "Missing") {
      CheckSeparatorAfter(line, ordinal);
      return value;
    }
    throw SeriesDataError(kInputErrorTitle,
                          "Line " + std::to_string(line_number_) + " of the " + kind_ +
                              " data: the field of series " + std::to_string(ordinal) + " reads '" +
                              std::string(text) + "', which is neither a number nor Missing");
  }

 private:
  // The two columns after field j separate it from the next: anything but
  // a comma or a blank there is a number running past its 7 characters (or
  // a line out of step), which would otherwise be cut without a word.
  void CheckSeparatorAfter(std::string_view line, int j) const {
    const size_t at = kFieldPitch * static_cast<size_t>(j) + kFieldWidth;
    const std::string_view separator = line.size() > at ? line.substr(at, 2) : std::string_view{};
    if (separator.find_first_not_of(", ") == std::string_view::npos) return;
    throw SeriesDataError(
        kInputErrorTitle,
        "Line " + std::to_string(line_number_) + " of the " + kind_ +
            " data does not keep to the fixed layout: column" + (separator.size() > 1 ? "s " : " ") +
            std::to_string(at + 1) + (separator.size() > 1 ? " and " + std::to_string(at + 2) : "") +
            ", after the field of " + (j == 0 ? std::string("the time period") : "series " + std::to_string(j)) +
            ", read" + (separator.size() > 1 ? "" : "s") + " '" + std::string(separator) +
            "' where a comma and a blank belong. A field holds at most 7 characters; data with more "
            "digits can be read from a delimited (CSV) file");
  }

  bool IsMissing() const {
    struct stat info {};
    return ::stat(path_.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR);
  }

  std::string kind_;
  std::string path_;
  std::ifstream in_;
  int line_number_ = 0;
};

}  // namespace

SeriesTable ReadFixedWidthSeriesFile(const SeriesFileChoice& choice, const std::string& kind,
                                      std::vector<std::string>& names) {
  const std::int32_t start = choice.StartPeriod;
  const std::int32_t end = choice.EndPeriod;
  if (choice.FirstSeries < 1 || choice.LastSeries < choice.FirstSeries)
    throw SeriesDataError(kInputErrorTitle,
                          "The " + kind + " series to read run from ordinal " +
                              std::to_string(choice.FirstSeries) + " to " +
                              std::to_string(choice.LastSeries) +
                              "; the first must be at least 1 and the last no lower than the first");
  const int count = choice.LastSeries - choice.FirstSeries + 1;
  names.assign(static_cast<size_t>(count + 1), "");
  // The values of the records read, period after period from start: they
  // grow with the file, whatever window was asked for.
  std::vector<SeriesValue> values;

  SeriesFileScanner file(choice, kind);
  bool anyDataRecord = false;
  std::int64_t previous = 0;
  std::optional<std::int32_t> lastRead;
  const std::int64_t records = static_cast<std::int64_t>(end) - start + 2;
  for (std::int64_t record = 1; record <= records; ++record) {
    if (file.AtEnd()) {
      if (record == 1 || !lastRead) break;  // reported below
      if (*lastRead < end)
        throw SeriesDataError(kInputErrorTitle,
                              "Your choice for last time period of " + kind + " data to analyze (" +
                                  PlainNumberText(end) + ") exceeds the last time period (" +
                                  PlainNumberText(*lastRead) + ") in the data");
      break;
    }
    if (record == 1) {
      const std::string header = file.NextLine();
      names[0] = Trim(Field(header, 0).value_or(""));
      for (int k = 1; k <= count; ++k)
        names[static_cast<size_t>(k)] = Trim(Field(header, choice.FirstSeries + k - 1).value_or(""));
    }
    std::string line;
    std::int32_t period = 0;
    while (true) {
      if (file.AtEnd()) {
        if (!anyDataRecord)
          throw SeriesDataError(kInputErrorTitle,
                                "The " + kind + " data file has no data records after its header line");
        throw SeriesDataError(kInputErrorTitle,
                              "The " + kind + " data file ends at line " +
                                  std::to_string(file.LineNumber()) + ", period " +
                                  PlainNumberText(period) +
                                  ", before your choice for first time period (" +
                                  PlainNumberText(start) + ")");
      }
      line = file.NextLine();
      period = file.Period(line);
      anyDataRecord = true;
      if (record == 1 && period > start)
        throw SeriesDataError(kInputErrorTitle,
                              "Your choice for first time period of " + kind + " data to analyze (" +
                                  PlainNumberText(start) + ") preceeds the first time period (" +
                                  PlainNumberText(period) + ") in the data");
      if (record > 1 && period != previous + 1)
        throw SeriesDataError(kInputErrorTitle,
                              "TimePeriod did not increased by one integer unit (" +
                                  PlainNumberText(previous) + " is followed by " +
                                  PlainNumberText(period) + ") in the " + kind + " data");
      if (record == 1 && period < start) continue;  // records before the window are skipped
      break;
    }
    lastRead = period;
    if (period > end) break;
    for (int k = 1; k <= count; ++k) values.push_back(file.Value(line, choice.FirstSeries + k - 1));
    previous = period;
  }
  if (!anyDataRecord && file.LineNumber() == 0)
    throw SeriesDataError(kInputErrorTitle,
                          "The " + kind + " data file " + choice.FileName + " is empty");
  if (!anyDataRecord)
    throw SeriesDataError(kInputErrorTitle,
                          "The " + kind + " data file has no data records after its header line");
  // Every record from start through end was read, in order.
  return SeriesTable(start, count, std::move(values));
}

}  // namespace quorvane

#include "tfn/series_files/delimited_series_file.h"

#include <csv.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>

#include "base/files/text_file.h"
#include "base/format/plain_number_text.h"
#include "tfn/series_data_error.h"
#include "tfn/series_files/delimited_fields.h"
#include "tfn/setup_limits.h"

namespace quorvane {
namespace {

constexpr const char* kTitle = "Fatal data input error";
constexpr size_t kChunk = 1 << 20;

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

// The parser's callbacks come from C code, which an exception must not pass
// through: a problem is kept, and thrown once the parser has returned.
class DelimitedReader {
 public:
  DelimitedReader(std::string path, std::string kind, char separator, int dataLines)
      : path_(std::move(path)), kind_(std::move(kind)), dataLines_(dataLines) {
    file_.Separator = separator;
    unsigned char options = CSV_STRICT | CSV_STRICT_FINI | CSV_REPALL_NL | CSV_EMPTY_IS_NULL;
    if (csv_init(&parser_, options) != 0) throw SeriesDataError(kTitle, "Out of memory");
    csv_set_delim(&parser_, static_cast<unsigned char>(separator));
  }
  ~DelimitedReader() { csv_free(&parser_); }
  DelimitedReader(const DelimitedReader&) = delete;
  DelimitedReader& operator=(const DelimitedReader&) = delete;

  // False once reading should stop: a problem was found or enough lines were read.
  bool Feed(const char* data, size_t size) {
    const size_t used = csv_parse(&parser_, data, size, OnField, OnRowEnd, this);
    if (used < size && !problem_ && !done_) QuotingProblem();
    return !problem_ && !done_;
  }

  DelimitedSeriesFile Finish() {
    if (!problem_ && !done_ && csv_fini(&parser_, OnField, OnRowEnd, this) != 0 && !problem_)
      Problem("The " + kind_ + " data file ends inside a quoted field that begins on line " +
              std::to_string(breaks_ + 1) + "; its closing quote is missing");
    if (problem_) throw *problem_;
    if (!headerSeen_ && file_.Names.empty())
      throw SeriesDataError(kTitle, "The " + kind_ + " data file holds no data");
    if (file_.PeriodCount == 0)
      throw SeriesDataError(kTitle, "The " + kind_ + " data file has no data records after its header line");
    // A single date is taken as a day: with no second line there is no step.
    return std::move(file_);
  }

 private:
  static void OnField(void* data, size_t size, void* self) {
    static_cast<DelimitedReader*>(self)->Field(static_cast<const char*>(data), size);
  }
  static void OnRowEnd(int c, void* self) { static_cast<DelimitedReader*>(self)->RowEnd(c); }

  void Field(const char* data, size_t size) {
    if (problem_ || done_) return;
    if (!rowOpen_) {
      rowOpen_ = true;
      rowLine_ = breaks_ + 1;
      fieldCount_ = 0;
    }
    afterCr_ = false;
    if (size > kLongestTextLine) {
      Problem("The " + kind_ + " data file cannot be read: " + LineTooLongText(path_, rowLine_));
      return;
    }
    if (!data) {
      // An empty field that is not quoted: a missing value, or in a file
      // separated by runs of blanks no field at all.
      if (file_.Separator == ' ') return;
      size = 0;
    }
    if (fieldCount_ == fields_.size()) fields_.emplace_back();
    fields_[fieldCount_++].assign(data ? data : "", size);
    // Line ends inside a quoted field still count as lines.
    for (size_t i = 0; i < size; ++i)
      if (data[i] == '\n' || (data[i] == '\r' && (i + 1 == size || data[i + 1] != '\n'))) ++breaks_;
  }

  void RowEnd(int c) {
    if (problem_ || done_) return;
    // Every line end outside a quoted field arrives here, CR LF as two calls.
    if (c == CSV_LF && afterCr_ && !rowOpen_) {
      afterCr_ = false;
    } else if (c == CSV_CR || c == CSV_LF) {
      ++breaks_;
      afterCr_ = c == CSV_CR;
    }
    if (!rowOpen_) return;
    rowOpen_ = false;
    Row();
  }

  void QuotingProblem() {
    const long long line = rowOpen_ ? rowLine_ : breaks_ + 1;
    Problem("Line " + std::to_string(line) + " of the " + kind_ +
            " data breaks the rules of quoting: a field that holds a quote must be quoted as a "
            "whole, with each quote inside it doubled");
  }

  void Problem(std::string text) {
    if (!problem_) problem_ = SeriesDataError(kTitle, std::move(text));
  }

  std::string At() const { return "Line " + std::to_string(rowLine_) + " of the " + kind_ + " data"; }

  void Row() {
    bool blank = true;
    for (size_t i = 0; i < fieldCount_ && blank; ++i)
      blank = TrimField(fields_[i]).empty();
    if (blank) return;  // a line of nothing but separators
    if (width_ == 0) {
      width_ = fieldCount_;
      if (width_ < 2) {
        Problem(At() + " holds one field only: no series follows the time" +
                (file_.Separator == ' ' ? std::string(" (the fields are taken to be separated by blanks)")
                                        : std::string()));
        return;
      }
      file_.SeriesCount = static_cast<int>(width_) - 1;
      if (!ReadTimeField(fields_[0])) {
        Header();
        return;
      }
      DefaultNames();
    }
    if (fieldCount_ != width_) {
      Problem(At() + " holds " + std::to_string(fieldCount_) + " fields where line " +
              std::to_string(firstLine_) + " holds " + std::to_string(width_));
      return;
    }
    if (!Time()) return;
    for (size_t j = 1; j < width_; ++j) {
      const std::optional<SeriesValue> value = Value(j);
      if (!value) return;
      file_.Values.push_back(*value);
    }
    ++file_.PeriodCount;
    if (dataLines_ > 0 && file_.PeriodCount >= dataLines_) done_ = true;
  }

  void Header() {
    headerSeen_ = true;
    firstLine_ = rowLine_;
    file_.Names.resize(width_);
    for (size_t j = 0; j < width_; ++j) {
      const std::string_view name = TrimField(fields_[j]);
      if (!IsUtf8(name)) {
        Problem(At() + ": the name of column " + std::to_string(j + 1) +
                " is not UTF-8 text; save the file as UTF-8");
        return;
      }
      file_.Names[j] = name.empty() ? DefaultName(j) : std::string(name);
    }
  }

  void DefaultNames() {
    firstLine_ = rowLine_;
    file_.Names.resize(width_);
    for (size_t j = 0; j < width_; ++j) file_.Names[j] = DefaultName(j);
  }

  static std::string DefaultName(size_t j) { return j == 0 ? "Time" : "Series " + std::to_string(j); }

  // The period of the line's time field; false after a problem.
  bool Time() {
    const std::string_view text = TrimField(fields_[0]);
    const std::int64_t count = file_.PeriodCount;
    // Most lines of a regular dated file name exactly the next period: a
    // comparison of texts saves reading the date.
    if (count >= 2 && file_.Calendar.IsDated() && text == file_.Calendar.Label(previous_ + 1)) {
      previous_ += 1;
      return true;
    }
    const std::optional<TimeField> time = ReadTimeField(text);
    if (!time) {
      Problem(At() + ": the time " + Quoted(text) +
              " is neither a whole number of time periods nor a date written 1983-Q1, 1983-02 or "
              "1983-02-28");
      return false;
    }
    if (count == 0) return FirstTime(*time, text);
    if (time->Form != firstForm_) {
      Problem(At() + ": the time " + Quoted(text) + " is not written like the first, " +
              Quoted(firstText_) + "; every time of a file has one form");
      return false;
    }
    if (count == 1 && firstForm_ == TimeForm::Date) {
      const std::int64_t days = time->Number - previous_;
      if (days == 1) {
        file_.Calendar = PeriodCalendar::Days();
      } else if (days == 7) {
        file_.Calendar = PeriodCalendar::WeeksOn(previous_);
        previous_ = *file_.Calendar.Period(firstText_);
        file_.FirstPeriod = static_cast<std::int32_t>(previous_);
      } else {
        Problem(At() + ": " + std::string(text) + " follows " + firstText_ + ", " +
                PlainNumberText(static_cast<long long>(days)) +
                " days later; dates must be one day apart (daily data) or seven days apart (weekly "
                "data), with no line skipped. Write monthly data as 1983-02 and quarterly data as "
                "1983-Q1");
        return false;
      }
    }
    const std::optional<std::int64_t> period = file_.Calendar.Period(text);
    if (!period || *period != previous_ + 1) {
      Problem(At() + ": " + std::string(text) + " follows " + file_.Calendar.Label(previous_) +
              "; the periods must rise by one from line to line" + StepWords() +
              ", with no line skipped");
      return false;
    }
    if (*period > kMaxPeriod) {
      Problem(At() + ": the time period " + Quoted(text) +
              " is outside the time periods a series data file can hold (" + PlainNumberText(kMinPeriod) +
              " to " + PlainNumberText(kMaxPeriod) + ")");
      return false;
    }
    previous_ = *period;
    return true;
  }

  bool FirstTime(const TimeField& time, std::string_view text) {
    firstForm_ = time.Form;
    firstText_ = std::string(text);
    switch (time.Form) {
      case TimeForm::Whole:
        if (time.Number < kMinPeriod || time.Number > kMaxPeriod) {
          Problem(At() + ": the time period " + Quoted(text) +
                  " is outside the time periods a series data file can hold (" +
                  PlainNumberText(kMinPeriod) + " to " + PlainNumberText(kMaxPeriod) + ")");
          return false;
        }
        file_.Calendar = PeriodCalendar();
        break;
      case TimeForm::Quarter: file_.Calendar = PeriodCalendar::Quarters(); break;
      case TimeForm::Month: file_.Calendar = PeriodCalendar::Months(); break;
      case TimeForm::Date: file_.Calendar = PeriodCalendar::Days(); break;  // or weeks: the next line tells
    }
    previous_ = time.Number;
    file_.FirstPeriod = static_cast<std::int32_t>(time.Number);
    return true;
  }

  std::string StepWords() const {
    switch (file_.Calendar.Unit()) {
      case PeriodUnit::Quarter: return " (one quarter)";
      case PeriodUnit::Month: return " (one month)";
      case PeriodUnit::Week: return " (seven days)";
      case PeriodUnit::Day: return " (one day)";
      case PeriodUnit::Whole: break;
    }
    return "";
  }

  // The value in field j, or nothing after a problem.
  std::optional<SeriesValue> Value(size_t j) {
    const std::string_view text = TrimField(fields_[j]);
    const FieldValue value = ReadFieldValue(text, file_.Separator == ';');
    switch (value.Kind) {
      case FieldKind::Number: return SeriesValue(value.Value);
      case FieldKind::Missing: return SeriesValue();
      case FieldKind::OutOfRange:
        Problem(At() + ": the value of series " + std::to_string(j) + " (" + file_.Names[j] +
                ") reads " + Quoted(text) + ", which is beyond the range of double-precision numbers");
        return std::nullopt;
      case FieldKind::NotANumber: break;
    }
    Problem(At() + ": the value of series " + std::to_string(j) + " (" + file_.Names[j] + ") reads " +
            Quoted(text) + ", which is neither a number nor a missing value (an empty field, NA, NaN, "
            ". or Missing)");
    return std::nullopt;
  }

  std::string path_;
  std::string kind_;
  int dataLines_;
  csv_parser parser_{};
  DelimitedSeriesFile file_;
  std::optional<SeriesDataError> problem_;
  bool done_ = false;

  // The fields of the line being read; fieldCount_ of them are in use.
  std::vector<std::string> fields_;
  size_t fieldCount_ = 0;
  size_t width_ = 0;  // fields per line, from the first line
  long long firstLine_ = 0;
  bool headerSeen_ = false;

  long long breaks_ = 0;  // line ends passed
  bool afterCr_ = false;  // the last line end was a CR, which an LF may complete
  bool rowOpen_ = false;
  long long rowLine_ = 0;  // the line where the record being read began

  TimeForm firstForm_ = TimeForm::Whole;
  std::string firstText_;
  std::int64_t previous_ = 0;  // the period of the last data line
};

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

DelimitedSeriesFile ReadDelimitedSeriesFile(const std::string& path, const std::string& kind,
                                            int dataLines) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file)
    throw SeriesDataError(kTitle, "Cannot open the " + kind + " data file " + path + ": " +
                                      std::strerror(errno));
  std::vector<char> buffer(kChunk);
  size_t got = std::fread(buffer.data(), 1, buffer.size(), file.get());
  std::string_view start(buffer.data(), got);
  size_t skip = 0;
  if (start.substr(0, 3) == "\xEF\xBB\xBF") skip = 3;  // the byte-order mark
  DelimitedReader reader(path, kind, DetectSeparator(start.substr(skip)), dataLines);
  bool more = got > skip ? reader.Feed(buffer.data() + skip, got - skip) : true;
  while (more && got == buffer.size()) {
    got = std::fread(buffer.data(), 1, buffer.size(), file.get());
    if (got > 0) more = reader.Feed(buffer.data(), got);
  }
  if (std::ferror(file.get()))
    throw SeriesDataError(kTitle, "The " + kind + " data file " + path + " cannot be read: " +
                                      std::strerror(errno));
  return reader.Finish();
}

}  // namespace quorvane

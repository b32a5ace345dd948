// Reading the algorithm data file.
#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>

#include "core/algorithm_file.h"
#include "core/fuse_code.h"
#include "core/number_entry.h"
#include "base/format/plain_number_text.h"

namespace quorvane {

namespace {

// Columns first..last (1-based, inclusive) of a line, as far as the line reaches.
std::string_view Columns(std::string_view line, std::size_t first, std::size_t last) {
  if (line.size() < first) return {};
  return line.substr(first - 1, last - first + 1);
}

bool BlankAt(std::string_view line, std::size_t column) {
  return line.size() < column || line[column - 1] == ' ';
}

// The field at the start of a line that may hold a rendering wider than 14
// columns: when column 15 is not blank the number runs on to the next blank.
std::string_view LeadingField(std::string_view line) {
  if (BlankAt(line, 15)) return Columns(line, 1, 14);
  const auto first = line.find_first_not_of(' ');
  const auto end = line.find(' ', first);
  return line.substr(first, end == std::string_view::npos ? line.size() - first : end - first);
}

// Thrown inside the reader when a field cannot be read; `line` is the index
// of the line at fault.
struct FieldError {
  std::size_t line;
  std::string notFinite;  // the field, when it read as Inf or NaN
};

class Reader {
 public:
  explicit Reader(const std::vector<std::string>& lines) : lines_(lines) {}

  std::string_view Line(std::size_t index) const {
    if (index >= lines_.size()) throw FieldError{index, ""};
    return lines_[index];
  }

  double Real(std::size_t index, std::string_view field) const {
    auto value = ParseFileNumber(field);
    if (!value) throw FieldError{index, ""};
    // Inf and NaN would run through every calculation without a word.
    if (!std::isfinite(*value)) {
      const auto first = field.find_first_not_of(' ');
      const auto last = field.find_last_not_of(' ');
      throw FieldError{index, std::string(field.substr(first, last - first + 1))};
    }
    return *value;
  }

  std::int64_t Whole(std::size_t index, std::string_view field, std::int64_t lowest,
                     std::int64_t highest) const {
    auto whole = RoundToWhole(Real(index, field), lowest, highest);
    if (!whole) throw FieldError{index, ""};
    return *whole;
  }

  // Value, step and fuse code of a parameter line.
  void Parameter(std::size_t index, double& value, double& step, std::string& code) const {
    const std::string_view line = Line(index);
    std::string_view valueField, stepField;
    std::size_t codeAt = 0;  // 0-based index of the code's two columns
    if (BlankAt(line, 15) && BlankAt(line, 16)) {
      // The ordinary layout: value in 1-14, step in 17-30, code in 33-34.
      valueField = Columns(line, 1, 14);
      stepField = Columns(line, 17, 30);
      codeAt = 32;
    } else {
      // A wide rendering moved the fields: value, blanks, step, and the code
      // in the two columns that begin two after the step's end.
      const auto valueStart = line.find_first_not_of(' ');
      const auto valueEnd = line.find(' ', valueStart);
      const auto stepStart = valueEnd == std::string_view::npos
                                 ? std::string_view::npos
                                 : line.find_first_not_of(' ', valueEnd);
      if (stepStart == std::string_view::npos) throw FieldError{index, ""};
      const auto stepEnd = std::min(line.find(' ', stepStart), line.size());
      valueField = line.substr(valueStart, valueEnd - valueStart);
      stepField = line.substr(stepStart, stepEnd - stepStart);
      codeAt = stepEnd + 2;
    }
    value = Real(index, valueField);
    step = Real(index, stepField);
    if (line.size() <= codeAt) throw FieldError{index, ""};
    auto fuse = FuseCodeFromFileField(line.substr(codeAt, 2));
    if (!fuse) throw FieldError{index, ""};
    code = *fuse;
  }

  std::size_t Count() const { return lines_.size(); }

 private:
  const std::vector<std::string>& lines_;
};

}  // namespace

AlgorithmFileReading ParseAlgorithmFile(const std::vector<std::string>& lines,
                                        std::int16_t parameterCount, AlgorithmData& data) {
  AlgorithmFileReading reading;
  const Reader reader(lines);
  const int n = parameterCount;
  // Everything is read into a copy, so a file that fails part-way never
  // leaves a half-replaced parameter set behind.
  AlgorithmData read = data;
  try {
    reading.Count = reader.Whole(0, Columns(reader.Line(0), 1, 14),
                                 std::numeric_limits<std::int64_t>::min() / 2,
                                 std::numeric_limits<std::int64_t>::max() / 2);
    if (reading.Count != n) {
      reading.Problem = AlgorithmFileProblem::CountMismatch;
      return reading;
    }
    read.Values.assign(n, 0.0);
    read.Steps.assign(n, 0.0);
    read.FuseCodes.assign(n, kUnfused);
    std::size_t index = 1;
    for (int i = 1; i <= n; ++i, ++index)
      reader.Parameter(index, read.Values[i], read.Steps[i], read.FuseCodes[i]);

    read.Tolerance = reader.Real(index, LeadingField(reader.Line(index)));
    ++index;
    read.MaxFunctionCalls = static_cast<std::int32_t>(
        reader.Whole(index, LeadingField(reader.Line(index)),
                     std::numeric_limits<std::int32_t>::min(),
                     std::numeric_limits<std::int32_t>::max()));
    ++index;
    constexpr auto kLow = std::numeric_limits<std::int16_t>::min();
    constexpr auto kHigh = std::numeric_limits<std::int16_t>::max();
    read.TerminalFrequency =
        static_cast<std::int16_t>(reader.Whole(index, LeadingField(reader.Line(index)), kLow, kHigh));
    ++index;
    reader.Whole(index, LeadingField(reader.Line(index)), kLow, kHigh);  // read, then reset below
    read.FileFrequency = 0;
    ++index;
    // The name is the proposal of the log file chooser; blanks around it
    // (the field is right-aligned) are not part of it. A stray CR counts as
    // a blank, as the writer makes it one: the name then reads back as written.
    std::string name(Columns(reader.Line(index), 1, 14));
    std::replace(name.begin(), name.end(), '\r', ' ');
    read.LogFileName = std::string(TrimBlanks(name));
    ++index;
    read.ReductionFraction = reader.Real(index, LeadingField(reader.Line(index)));
    ++index;

    // Empty lines may follow; anything else, a line of blanks included, is
    // more information than the file should hold.
    for (; index < reader.Count(); ++index) {
      if (!lines[index].empty()) {
        reading.Problem = AlgorithmFileProblem::TooManyLines;
        return reading;
      }
    }
  } catch (const FieldError& error) {
    if (!error.notFinite.empty()) {
      reading.Problem = AlgorithmFileProblem::NotFinite;
      reading.Line = error.line + 1;
      reading.Field = error.notFinite;
      return reading;
    }
    // The file ended before all its information was read when the fault is
    // on its last line or beyond, or when it has fewer than n + 7 lines
    // (empty lines at its end not counted): a file missing a parameter line
    // breaks where a settings line is read as that parameter.
    std::size_t length = lines.size();
    while (length > 0 && lines[length - 1].empty()) --length;
    const bool ended = error.line + 1 >= lines.size() ||
                       length < static_cast<std::size_t>(n) + 7;
    reading.Problem =
        ended ? AlgorithmFileProblem::TooFewLines : AlgorithmFileProblem::BadlyFormatted;
    return reading;
  }
  data = std::move(read);
  return reading;
}

std::string AlgorithmFileProblemText(const AlgorithmFileReading& reading, const std::string& path,
                                     std::int16_t parameterCount) {
  switch (reading.Problem) {
    case AlgorithmFileProblem::None:
      return "";
    case AlgorithmFileProblem::CountMismatch:
      return "Algorithm file  " + path + "  has " + PlainNumberText(reading.Count) +
             " parameters, but your model specifies " + PlainNumberText(parameterCount);
    case AlgorithmFileProblem::TooFewLines:
      return "Algorithm file seems to have too few lines of information - better check it!";
    case AlgorithmFileProblem::TooManyLines:
      return "Algorithm file seems to have too many lines of information - better check it!";
    case AlgorithmFileProblem::NotFinite:
      return "Algorithm file  " + path + "  has a number that is not finite on line " +
             PlainNumberText(reading.Line) + ": " + reading.Field +
             " - better check it!";
    case AlgorithmFileProblem::BadlyFormatted:
      return "Algorithm file seems to have inappropriate, badly formatted, or missing, "
             "information - better check it!";
  }
  return "";
}

}  // namespace quorvane

#include "priors/priors_file.h"

#include <cctype>
#include <charconv>
#include <cmath>

#include "base/files/text_file.h"
#include "base/format/format_picture.h"
#include "base/format/leading_number.h"
#include "base/format/plain_number_text.h"
#include "base/format/right_justify.h"

namespace quorvane {

namespace {

constexpr int kFieldWidth = 11;

std::string Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

std::string NumberField(double value) {
  const std::string digits = FormatPicture(std::fabs(value), "0.000E+000");
  return RightJustify((value < 0 ? "-" : " ") + digits, kFieldWidth);
}

std::string TextField(const std::string& text) {
  return IsNumberText(text) ? NumberField(LeadingNumber(text)) : RightJustify(text, kFieldWidth);
}

std::string Columns(const std::string& line, std::size_t first, std::size_t width) {
  if (line.size() < first) return {};
  return line.substr(first - 1, width);
}

}  // namespace

bool IsNumberText(std::string_view text) {
  const std::string trimmed = Trim(text);
  if (trimmed.empty()) return false;
  const char* begin = trimmed.data();
  if (*begin == '+') ++begin;
  double value = 0.0;
  const auto [end, error] = std::from_chars(begin, trimmed.data() + trimmed.size(), value);
  return error == std::errc() && end == trimmed.data() + trimmed.size();
}

namespace {

std::vector<std::string> PriorsFileLines(const PriorTable& table) {
  std::vector<std::string> lines;
  lines.push_back(PlainNumberText(static_cast<long long>(table.Rows.size())));
  long long ordinal = 0;
  for (const PriorRow& row : table.Rows) {
    ++ordinal;
    std::string line = RightJustify(" " + PlainNumberText(ordinal), 3) + "   ";
    line += row.Type.empty() ? std::string(" ") : row.Type.substr(0, 1);
    line += NumberField(row.FirstTerm) + NumberField(row.SecondTerm);
    line += TextField(row.ThirdTerm) + TextField(row.FourthTerm);
    line += "   " + std::string(PriorTypeName(row.Letter()));
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

std::string PriorsFileText(const PriorTable& table) { return JoinCrLf(PriorsFileLines(table)); }

std::string PriorsRoundingFault(const PriorTable& table) {
  for (const PriorRow& row : table.Rows)
    if (!UndefinedPriorTerms(row).empty()) return {};
  const PriorsFileContent content =
      ParsePriorsFile(PriorsFileLines(table), static_cast<int>(table.Rows.size()));
  const auto* fault = std::get_if<PriorsFileFault>(&content);
  if (!fault) return {};
  return "the file keeps four significant digits, and rounded to them the prior of parameter #" +
         PlainNumberText(static_cast<long long>(fault->line - 1)) + " would not read back (" +
         fault->reason + ")";
}

std::string PriorRowFault(const PriorRow& row) {
  if (std::string fault = UndefinedPriorTerms(row); !fault.empty()) return fault;
  PriorTable one;
  one.Rows = {row};
  const PriorsFileContent content = ParsePriorsFile(PriorsFileLines(one), 1);
  if (const auto* fault = std::get_if<PriorsFileFault>(&content))
    return "rounded to the file's four significant digits, " + fault->reason;
  return {};
}

std::string UndefinedPriorTerms(const PriorRow& row) {
  const double m = row.FirstTerm;
  const double s = row.SecondTerm;
  const char type = row.Letter();
  if (type == 'U' || PriorTypeName(type).empty()) return {};
  if (m == UnsetTerm || s == UnsetTerm) return "a term of this prior is unset";
  if (!std::isfinite(m) || !std::isfinite(s)) return "a term is not a finite number";
  switch (type) {
    case 'N':
      if (s == 0.0) return "the SD of a Normal prior is 0";
      break;
    case 'E':
      if (m == 0.0) return "the mean of an exponential prior is 0";
      break;
    case 'G':
      if (!(m > 0.0) || !(s > 0.0) || !(s < m))
        return "a Gamma prior needs 0 < SD < mean";
      break;
    case 'L':
      if (!(m > 0.0) || !(s > 0.0)) return "a Ln-normal prior needs a mean and SD above 0";
      break;
    case 'B': {
      if (!(m > 0.0 && m < 1.0) || !(s > 0.0)) return "a Beta prior needs 0 < mean < 1 and SD > 0";
      const double common = (m - m * m - s * s) / (s * s);
      const double a = m * common, b = (1.0 - m) * common;
      if (!(a > 0.0) || !(b > 0.0) || a + b == 2.0)
        return "the Beta prior's mean and SD give no usable 'a' and 'b'";
      break;
    }
    case 'S':
    case 'D':
      if (s < 0.0) return "the SD at a cliff's foot is negative";
      break;
    case 'T':
      if (!IsNumberText(row.ThirdTerm) || !IsNumberText(row.FourthTerm) ||
          row.ThirdValue == UnsetTerm || row.FourthValue == UnsetTerm)
        return "a bounded uniform prior needs numbers for its right foot and SD";
      if (s < 0.0 || row.FourthValue < 0.0) return "the SD at a foot is negative";
      if (!(row.ThirdValue > m)) return "the right foot does not exceed the left foot";
      break;
    default:
      break;
  }
  return {};
}

PriorsFileContent ParsePriorsFile(const std::vector<std::string>& lines, int parameterCount) {
  if (lines.empty()) return PriorsFileFault{1, "the file is empty"};
  const std::string& first = lines[0];
  const std::string countText = Trim(first.substr(0, first.find(',')));
  if (!IsNumberText(countText)) return PriorsFileFault{1, "the first value is not a number"};
  const double countValue = LeadingNumber(countText);
  if (countValue != std::floor(countValue) || countValue < -32768 || countValue > 32767)
    return PriorsFileFault{1, "the first value is not a whole number of parameters"};
  const auto count = static_cast<long long>(countValue);
  if (count != parameterCount) return PriorsCountMismatch{count};

  std::vector<PriorRow> rows;
  for (int i = 1; i <= parameterCount; ++i) {
    const int lineNumber = i + 1;
    if (static_cast<std::size_t>(i) >= lines.size())
      return PriorsFileFault{lineNumber, "the file ends before the row of parameter " +
                                             PlainNumberText(static_cast<long long>(i))};
    const std::string& line = lines[static_cast<std::size_t>(i)];
    if (line.size() < 7 || line[6] == ' ')
      return PriorsFileFault{lineNumber, "the row has no prior type in column 7"};
    PriorRow row;
    row.Type = std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(line[6]))));
    row.FirstTerm = LeadingNumber(Columns(line, 8, 11));
    row.SecondTerm = LeadingNumber(Columns(line, 19, 11));
    // Even a type that uses neither term must not carry an infinite one:
    // it would be written as a text that reads back as another number.
    if (!std::isfinite(row.FirstTerm) || !std::isfinite(row.SecondTerm))
      return PriorsFileFault{lineNumber, "a term is not a finite number"};
    // A hand-written row may stop after its used terms: the rest are unused.
    const std::string third = Trim(Columns(line, 30, 11));
    const std::string fourth = Trim(Columns(line, 41, 11));
    row.SetThirdTerm(third.empty() ? kUnusedTerm : third);
    row.SetFourthTerm(fourth.empty() ? kUnusedTerm : fourth);
    if (const std::string fault = UndefinedPriorTerms(row); !fault.empty())
      return PriorsFileFault{lineNumber, fault};
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace quorvane
